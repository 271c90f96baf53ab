#include "Form1Fixture.h"

#include "../copy/CopyTestSupport.h"
#include "copy/frmCopy.h"
#include "grid/GridModel.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

class Form1CopyTest : public Form1Test
{
protected:
    // Connects to a player with "Song 1" to "Song 3" (files S0.WAV to S2.WAV
    // of different bytes) and tags songs 1 and 3.
    Form1 &connectWithTags()
    {
        makePlayer(playerDir.path(), 3);
        for (int i = 0; i < 3; ++i)
            writeFile(songFile(i), QByteArray(100 + i, static_cast<char>('a' + i)));
        Form1 &w = open(playerDir.path());
        QTest::mouseClick(child<QToolButton>("Command1"), Qt::LeftButton);
        EXPECT_TRUE(w.connectdone());
        w.grid().setBackColor(1, 0, GridColors::TagMark);
        w.grid().setBackColor(3, 0, GridColors::TagMark);
        return w;
    }

    QString songFile(int i) const { return playerDir.filePath(QStringLiteral("iPod_Control/Music/F00/S%1.WAV").arg(i)); }

    void mnucopy() { child<QAction>("mnucopy")->trigger(); }

    static QPushButton *button(frmCopy *form, const char *name)
    {
        auto *found = form->findChild<QPushButton *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // Every copy window on the screen.
    static int openCopyWindows()
    {
        int count = 0;
        for (QWidget *widget : QApplication::topLevelWidgets())
            count += qobject_cast<frmCopy *>(widget) && widget->isVisible();
        return count;
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const ShownMessage &m : messages.shown)
            texts << m.text;
        return texts;
    }

    QStringList targetFiles() const { return QDir(target.path()).entryList(QDir::Files, QDir::Name); }

    static void deletePosted() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QTemporaryDir target;
};

TEST_F(Form1CopyTest, BeforeConnectOnlyAsksForThePlayer)
{
    Form1 &w = open();
    mnucopy();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Connect to iPod first..."));
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Quillory"));
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(w.copyWindow(), nullptr);
    EXPECT_EQ(openCopyWindows(), 0);
    EXPECT_EQ(player.stops, 0);
}

TEST_F(Form1CopyTest, OpensOneOwnerlessWindowThatCopiesTheTaggedSongs)
{
    Form1 &w = connectWithTags();
    mnucopy();
    QPointer<frmCopy> first = w.copyWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->parentWidget(), nullptr);
    EXPECT_EQ(player.stops, 1);
    EXPECT_TRUE(messages.shown.empty());

    // The window works on the main window's grid and player root.
    ASSERT_TRUE(first->setDirPath(target.path()));
    button(first, "Command2")->click();
    EXPECT_EQ(targetFiles(), (QStringList{QStringLiteral("Song 1.WAV"), QStringLiteral("Song 3.WAV")}));
    EXPECT_EQ(readFile(target.filePath(QStringLiteral("Song 3.WAV"))), readFile(songFile(2)));
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral(" 2 Files to Copy!")});

    // A second command shows the same window as it was and stops the player again.
    mnucopy();
    EXPECT_EQ(w.copyWindow(), first);
    EXPECT_EQ(openCopyWindows(), 1);
    EXPECT_EQ(first->dirPath(), target.path());
    EXPECT_EQ(player.stops, 2);

    // Once closed, the next command opens a fresh window.
    button(first, "Command1")->click();
    EXPECT_EQ(w.copyWindow(), nullptr);
    deletePosted();
    EXPECT_FALSE(first);
    mnucopy();
    QPointer<frmCopy> second = w.copyWindow();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->dirPath(), QDir::currentPath());
    EXPECT_TRUE(second->findChild<QLineEdit *>(QStringLiteral("Text1"))->text().isEmpty());

    // The copy window goes with the main window whose grid it reads.
    window.reset();
    EXPECT_FALSE(second);
}

TEST_F(Form1CopyTest, HelpModeShowsTheItemsSectionAndOpensNothing)
{
    writeHelp("HID:21\r\nPlays.\r\nHIDOVER:\r\nHID:22\r\nCopies the tagged songs.\r\nHIDOVER:\r\n");
    Form1 &w = connectWithTags();
    enterHelpMode();
    mnucopy();
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_EQ(helpWindow()->helpText(), QStringLiteral("Copies the tagged songs.\n"));
    EXPECT_FALSE(w.helpMode());
    EXPECT_EQ(w.copyWindow(), nullptr);
    EXPECT_EQ(openCopyWindows(), 0);
    EXPECT_EQ(player.stops, 0);
    EXPECT_TRUE(messages.shown.empty());

    // Help mode ended with the section: the next command opens the window.
    mnucopy();
    EXPECT_NE(w.copyWindow(), nullptr);
}

TEST_F(Form1CopyTest, ExitAndCloseDuringACopyAreRefusedAndTheCopyFinishes)
{
    SteppingStorage storage;
    copyStorage = &storage;
    Form1 &w = connectWithTags();
    mnucopy();
    QPointer<frmCopy> copy = w.copyWindow();
    ASSERT_NE(copy, nullptr);
    ASSERT_TRUE(copy->setDirPath(target.path()));

    // Before the first file, while the copy window's progress is still 0.
    storage.beforeCopy = [&](int file) {
        if (file != 1)
            return;
        messages.answer = MessageAnswer::Yes;
        w.mnuexit_Click();
        EXPECT_FALSE(w.close());  // the main window's own close button
        messages.answer = MessageAnswer::Ok;
        deletePosted();
        ASSERT_TRUE(copy);
        EXPECT_TRUE(copy->isVisible());
        EXPECT_TRUE(copy->isCopying());
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(endCalls, 0);
    };
    button(copy, "Command2")->click();

    EXPECT_EQ(messageTexts(), (QStringList{QStringLiteral(" 2 Files to Copy!"), QStringLiteral("Exit Quillory Now?"),
                                           QStringLiteral("Wait!"), QStringLiteral("Wait!")}));
    EXPECT_EQ(storage.jobs.size(), 2u);
    EXPECT_EQ(targetFiles(), (QStringList{QStringLiteral("Song 1.WAV"), QStringLiteral("Song 3.WAV")}));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->findChild<QLineEdit *>(QStringLiteral("Text1"))->text(), QStringLiteral("Copying Done...! "));
    EXPECT_FALSE(copy->isCopying());
    EXPECT_TRUE(w.isVisible());

    // After the copy, closing the main window takes the copy window along and ends the program.
    EXPECT_TRUE(w.close());
    deletePosted();
    EXPECT_FALSE(copy);
    EXPECT_EQ(endCalls, 1);
}

}  // namespace
