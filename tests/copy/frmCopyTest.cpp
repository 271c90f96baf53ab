#include "CopyTestSupport.h"

#include "copy/frmCopy.h"
#include "device/VolumeService.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class FixedVolumes : public VolumeService
{
public:
    std::vector<Volume> volumes() const override { return list; }
    std::vector<Volume> list;
};

class frmCopyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString a = player.addSong(QStringLiteral("F00"), QStringLiteral("AAAA.mp3"), 3000);
        const QString b = player.addSong(QStringLiteral("F01"), QStringLiteral("BBBB.mp3"), 4000);
        fillGrid(grid, {{QStringLiteral("One"), a, true}, {QStringLiteral("Two"), b, true},
                        {QStringLiteral("Three"), a, false}});
        volumes.list = {{QStringLiteral("/"), false, false},
                        {player.root(), true, false},
                        {target.path(), true, false},
                        {QStringLiteral("/nonexistent-quillory-volume"), true, false}};
        m_form = new frmCopy(grid, QStringLiteral("  ") + player.root(), messages, volumes, storage);
        m_form->show();
        window = m_form;
    }
    void TearDown() override
    {
        if (window) {
            storage.beforeCopy = {};
            window->close();
        }
        deletePosted();
    }

    static void deletePosted() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    frmCopy &form() const { return *m_form; }
    template<typename T>
    T *control(const char *name) const
    {
        T *found = form().findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("the copy window has no control %s", name);
        return found;
    }
    QStringList targetFiles() const
    {
        return QDir(target.path()).entryList(QDir::Files | QDir::Hidden);
    }

    PlayerFolder player;
    QTemporaryDir target;
    GridModel grid;
    ScriptedMessages messages;
    FixedVolumes volumes;
    SteppingStorage storage;
    QPointer<frmCopy> window;  // cleared when the window is deleted

private:
    frmCopy *m_form = nullptr;
};

TEST_F(frmCopyTest, OpensOnTheCurrentFolder)
{
    EXPECT_EQ(form().parentWidget(), nullptr);
    EXPECT_TRUE(control<QPushButton>("Command2")->isEnabled());
    EXPECT_TRUE(control<QLineEdit>("Text1")->text().isEmpty());
    EXPECT_EQ(form().dirPath(), QDir::currentPath());

    // The volume holding the current folder is shown: the innermost one.
    const QString start = QDir::currentPath();
    ASSERT_TRUE(QDir(target.path()).mkdir(QStringLiteral("inner")));
    ASSERT_TRUE(QDir::setCurrent(target.filePath(QStringLiteral("inner"))));
    frmCopy second(grid, player.root(), messages, volumes, storage);
    QDir::setCurrent(start);
    const auto *drive = second.findChild<QComboBox *>(QStringLiteral("Drive1"));
    ASSERT_NE(drive, nullptr);
    EXPECT_EQ(drive->currentText(), target.path());
    EXPECT_EQ(second.dirPath(), target.filePath(QStringLiteral("inner")));
}

TEST_F(frmCopyTest, FolderAndDriveChanges)
{
    const QString start = form().dirPath();
    auto *drives = control<QComboBox>("Drive1");
    auto *status = control<QLineEdit>("Text1");

    drives->setCurrentIndex(1);  // the player
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Can't copy to iPod Drive")});
    EXPECT_EQ(form().dirPath(), start);

    drives->setCurrentIndex(3);  // no medium
    EXPECT_EQ(messages.texts().last(), QStringLiteral("Drive Error..."));
    EXPECT_EQ(form().dirPath(), start);
    EXPECT_TRUE(status->text().isEmpty());

    drives->setCurrentIndex(2);
    EXPECT_EQ(form().dirPath(), target.path());
    EXPECT_EQ(status->text(), QStringLiteral("Copy to: ") + target.path());
    EXPECT_EQ(messages.shown.size(), 2u);

    ASSERT_TRUE(QDir(target.path()).mkdir(QStringLiteral("Music")));
    ASSERT_TRUE(form().setDirPath(target.filePath(QStringLiteral("Music"))));
    EXPECT_EQ(status->text(), QStringLiteral("Copy to: ") + target.filePath(QStringLiteral("Music")));
    EXPECT_FALSE(form().setDirPath(target.filePath(QStringLiteral("missing"))));
    EXPECT_EQ(form().dirPath(), target.filePath(QStringLiteral("Music")));
}

TEST_F(frmCopyTest, CopyButtonStatesFollowTheOutcome)
{
    auto *copy = control<QPushButton>("Command2");
    ASSERT_TRUE(form().setDirPath(target.path()));

    messages.answers = {MessageAnswer::Cancel};
    copy->click();
    EXPECT_TRUE(copy->isEnabled());
    EXPECT_TRUE(targetFiles().isEmpty());

    copy->click();
    EXPECT_TRUE(copy->isEnabled());
    EXPECT_EQ(targetFiles(), texts(u"One.mp3|Two.mp3"));
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), QStringLiteral("Copying Done...! "));
    EXPECT_EQ(control<QProgressBar>("PBar")->value(), 0);

    ASSERT_TRUE(form().setDirPath(player.root() + QStringLiteral("/iPod_Control")));
    copy->click();
    EXPECT_EQ(messages.texts().last(), QStringLiteral("Can't copy to iPod.."));
    EXPECT_FALSE(copy->isEnabled());
}

TEST_F(frmCopyTest, CannotBeClosedDuringACopy)
{
    ASSERT_TRUE(form().setDirPath(target.path()));
    auto *exitButton = control<QPushButton>("Command1");
    auto *progress = control<QProgressBar>("PBar");
    std::vector<int> progressSeen;
    storage.beforeCopy = [&](int) {
        progressSeen.push_back(progress->value());
        exitButton->click();          // while the first file is copied the value is still 0
        EXPECT_FALSE(form().close());
        deletePosted();
        ASSERT_TRUE(window);
        EXPECT_TRUE(form().isVisible());
    };
    control<QPushButton>("Command2")->click();

    EXPECT_EQ(progressSeen, (std::vector<int>{0, 1}));
    EXPECT_EQ(messages.texts().count(u"Wait!"_s), 4);
    EXPECT_EQ(targetFiles(), texts(u"One.mp3|Two.mp3"));
    EXPECT_EQ(progress->value(), 0);

    // After the copy Exit closes and discards the window.
    messages.shown.clear();
    exitButton->click();
    deletePosted();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(window);
}

}  // namespace
