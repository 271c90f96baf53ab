#include "Form1Fixture.h"

#include <QProgressBar>
#include <QTimer>

namespace {

TEST_F(Form1Test, ConnectReadsThePlayerOnceAndFillsTheGrid)
{
    makePlayer(40);
    Form1 &w = open(playerDir.path());
    EXPECT_EQ(w.label6(), u"Label6"_s);
    w.Timer1_Timer();
    EXPECT_EQ(w.statusText(), u"Starting"_s);

    clickConnect();
    ASSERT_GE(statusTexts.size(), 3);
    EXPECT_EQ(statusTexts.mid(statusTexts.size() - 2), texts(u"Parsing 40 songs...|Finished...."));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(endCalls, 0);
    EXPECT_EQ(w.label6(), playerDir.path());
    EXPECT_EQ(grid().rows(), 41);
    EXPECT_TRUE(view()->isVisible());
    EXPECT_FALSE(child<QToolButton>("Command1")->isEnabled());
    EXPECT_TRUE(child<QTimer>("Timer1")->isActive());

    // The timer keeps running but no longer touches the status bar.
    w.Timer1_Timer();
    EXPECT_EQ(w.statusText(), u"Finished...."_s);

    // The window connects through the same session as the command line: the same cells and colours.
    PlayerSession session;
    session.connect([this] { return std::optional<QString>(playerDir.path()); });
    ASSERT_EQ(session.grid().rows(), grid().rows());
    for (int r = 0; r < grid().rows(); ++r) {
        for (int c = 0; c < GridColumn::Count; ++c) {
            EXPECT_EQ(grid().text(r, c), session.grid().text(r, c)) << r << ',' << c;
            EXPECT_EQ(grid().backColor(r, c), session.grid().backColor(r, c)) << r << ',' << c;
        }
    }
}

TEST_F(Form1Test, ADatabaseThatReadsNothingShowsWhyAndConnectGoesOn)
{
    writeFile(playerDir.filePath(u"iPod_Control/iTunes/iTunesDB"_s), QByteArray(4096, 'x'));
    Form1 &w = open(playerDir.path());
    clickConnect();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, w.session().problem());
    EXPECT_FALSE(messages.shown[0].text.isEmpty());
    EXPECT_EQ(endCalls, 0);
    EXPECT_TRUE(w.connectdone());
    EXPECT_EQ(grid().rows(), 2);
}

TEST_F(Form1Test, NoPlayerShowsTheMessageAndEndsTheProgram)
{
    Form1 &w = open(playerDir.path());  // a folder without a database
    clickConnect();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, playerDir.path() + u" holds no iPod_Control/iTunes/iTunesDB or iTunesCDB"_s);
    EXPECT_EQ(messages.shown[0].title, u"Quillory"_s);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(endCalls, 1);
    EXPECT_FALSE(w.connectdone());
    EXPECT_FALSE(view()->isVisible());
}

TEST_F(Form1Test, HelpWindowShowsWhatTheFileHolds)
{
    Form1 &w = open();
    // A section without its end shows nothing yet; its lines come before the next one.
    writeHelp("HID:21\r\nopen end");
    helpOn("mnuplay");
    EXPECT_EQ(helpWindow(), nullptr);
    EXPECT_FALSE(w.helpMode());

    // Without the file nothing is shown, and help mode is over all the same.
    ASSERT_TRUE(QFile::remove(helpDir.filePath(helpFileName())));
    helpOn("mnuplay");
    EXPECT_EQ(helpWindow(), nullptr);
    EXPECT_FALSE(w.helpMode());

    // The progress bar shows section 36 with the lines left over.
    writeHelp("hid:36\r\nThe bar.\r\n HidOver: \r\n");
    enterHelpMode();
    QTest::mouseClick(child<QProgressBar>("PBar"), Qt::LeftButton);
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_EQ(helpWindow()->helpText(), u"open end\nThe bar.\n"_s);
    EXPECT_FALSE(w.helpMode());

    // A missing section empties the open window.
    helpOn("mnuplay");
    EXPECT_TRUE(helpWindow()->helpText().isEmpty());
}

TEST_F(Form1Test, ExitAsksAndOnYesClosesEveryWindow)
{
    writeHelp("HID:5\r\nhelp\r\nHIDOVER:\r\n");
    Form1 &w = open();
    helpOn("mnuhelp");
    ASSERT_NE(helpWindow(), nullptr);
    QWidget other;
    other.show();
    messages.answers = {MessageAnswer::No, MessageAnswer::Yes};

    w.mnuexit_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, u"Exit Quillory Now?"_s);
    EXPECT_EQ(messages.shown[0].title, u"Exit..."_s);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(other.isVisible() && helpWindow()->isVisible() && w.isVisible());
    EXPECT_EQ(endCalls, 0);

    w.mnuexit_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(other.isVisible());
    EXPECT_EQ(helpWindow(), nullptr);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(endCalls, 1);
}

}  // namespace
