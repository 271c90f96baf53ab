#include "Form1Fixture.h"

#include "gui/copy/frmCopy.h"
#include "gui/stats/frmStats.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

// Before Connect the copy and the reports only ask for the player. The copy
// window copies the tagged songs; Exit and the main window's close button
// meanwhile get "Wait!", and the copy finishes.
TEST_F(Form1Test, CopyWindowCopiesTheTaggedSongsAndHoldsExitOffUntilDone)
{
    SteppingStorage storage;
    copyStorage = &storage;
    makePlayer(3);
    for (int row = 1; row <= 3; ++row)
        writeFile(songFile(row), QByteArray(100 + row, static_cast<char>('a' + row)));
    Form1 &w = open(playerDir.path());
    for (const char *item : {"mnucopy", "mnustatistics", "mnucreatehtml"})
        child<QAction>(item)->trigger();
    EXPECT_EQ(w.copyWindow(), nullptr);
    EXPECT_EQ(w.statsWindow(), nullptr);
    EXPECT_TRUE(fileDialog.filters.isEmpty());
    clickConnect();
    grid().setBackColor(1, 0, GridColors::TagMark);
    grid().setBackColor(3, 0, GridColors::TagMark);

    child<QAction>("mnucopy")->trigger();
    QPointer<frmCopy> copy = w.copyWindow();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(player.stops, 1);
    QTemporaryDir target;
    ASSERT_TRUE(copy->setDirPath(target.path()));

    storage.beforeCopy = [&](int file) {
        if (file != 1)
            return;
        messages.answers = {MessageAnswer::Yes};
        w.mnuexit_Click();
        EXPECT_FALSE(w.close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(w.copyWindow(), copy);  // still open
        EXPECT_EQ(endCalls, 0);
    };
    copy->findChild<QPushButton *>(u"Command2"_s)->click();

    EXPECT_EQ(messages.texts(),
              texts(u"Connect to iPod first...|Connect First...|Connect First...| 2 Files to Copy!|Exit Quillory "
                    u"Now?|Wait!|Wait!"));
    EXPECT_EQ(QDir(target.path()).entryList(QDir::Files, QDir::Name), texts(u"Song 1.WAV|Song 3.WAV"));
    EXPECT_EQ(readFile(target.filePath(u"Song 3.WAV"_s)), readFile(songFile(3)));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->findChild<QLineEdit *>(u"Text1"_s)->text(), u"Copying Done...! "_s);

    // After the copy, closing the main window takes the copy window along and ends the program.
    EXPECT_TRUE(w.close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(copy);
    EXPECT_EQ(endCalls, 1);
}

}  // namespace
