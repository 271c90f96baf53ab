#include "CopyTestSupport.h"

#include "FakeVolumes.h"
#include "gui/copy/frmCopy.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// What the copy window adds to the copy: the volumes and folders to copy to,
// and the Copy button. Copying through the main window is tested with it.
namespace {

TEST(frmCopy, DrivesFoldersAndTheCopyButton)
{
    PlayerFolder player;
    QTemporaryDir target;
    GridModel grid;
    fillGrid(grid, {{u"One"_s, player.addSong(u"F00"_s, u"AAAA.mp3"_s, 3000), true}});
    FakeVolumes volumes;
    // The folder the window opens in lies on "/" and on the inner volume of
    // that folder: the inner one is shown.
    volumes.list = {{u"/"_s, false, false},
                    {target.path(), true, false},
                    {player.root(), true, false},
                    {u"/nonexistent-quillory-volume"_s, true, false},
                    {QDir::currentPath(), false, false}};
    ScriptedMessages messages;
    FileCopyStorage storage;
    frmCopy form(grid, u"  "_s + player.root(), messages, volumes, storage);
    auto *drives = form.findChild<QComboBox *>(u"Drive1"_s);
    auto *status = form.findChild<QLineEdit *>(u"Text1"_s);
    auto *copy = form.findChild<QPushButton *>(u"Command2"_s);
    ASSERT_TRUE(drives && status && copy);
    EXPECT_EQ(drives->currentIndex(), 4);
    EXPECT_EQ(form.dirPath(), QDir::currentPath());

    drives->setCurrentIndex(2);  // the player
    drives->setCurrentIndex(3);  // no medium
    EXPECT_EQ(messages.texts(), texts(u"Can't copy to iPod Drive|Drive Error..."));
    EXPECT_EQ(form.dirPath(), QDir::currentPath());
    drives->setCurrentIndex(1);
    EXPECT_EQ(form.dirPath(), target.path());
    EXPECT_EQ(status->text(), u"Copy to: "_s + target.path());
    EXPECT_FALSE(form.setDirPath(target.filePath(u"missing"_s)));

    ASSERT_TRUE(form.setDirPath(player.root() + u"/iPod_Control"_s));
    EXPECT_TRUE(copy->isEnabled());
    copy->click();
    EXPECT_EQ(messages.texts().last(), u"Can't copy to iPod.."_s);
    EXPECT_FALSE(copy->isEnabled());
}

}  // namespace
