#include "Form1Fixture.h"

#include <QTimer>

namespace {

TEST_F(Form1Test, ConnectReadsThePlayerOnceAndFillsTheGrid)
{
    makePlayer(40);
    Form1 &w = open(playerDir.path());
    w.Timer1_Timer();
    EXPECT_EQ(w.statusText(), u"Starting"_s);

    clickConnect();
    EXPECT_EQ(statusTexts.last(), u"Finished...."_s);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(w.label6(), playerDir.path());
    EXPECT_EQ(grid().rows(), 41);
    EXPECT_TRUE(view()->isVisible());
    EXPECT_FALSE(child<QToolButton>("Command1")->isEnabled());
    EXPECT_TRUE(child<QTimer>("Timer1")->isActive());

    // The timer keeps running but no longer touches the status bar.
    w.Timer1_Timer();
    EXPECT_EQ(w.statusText(), u"Finished...."_s);
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

TEST_F(Form1Test, ExitAsksAndOnYesClosesEveryWindow)
{
    writeHelp("HID:5\r\nhelp\r\nHIDOVER:\r\n");
    Form1 &w = open();
    enterHelpMode();
    w.gethelpnow(child<QAction>("mnuhelp"));
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
