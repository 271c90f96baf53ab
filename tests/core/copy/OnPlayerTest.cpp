#include "core/copy/CopyFiles.h"

#include "CopyTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Links into the player are the player: checked by file identity, also
// where the path text, even resolved, names another folder.
TEST(OnPlayer, LinksIntoThePlayerAreThePlayer)
{
    PlayerFolder player;
    const QString root = player.root();
    const QString music = root + u"/iPod_Control/Music"_s;
    ASSERT_TRUE(QDir().mkpath(music));
    QTemporaryDir outside;
    const QString toMusic = outside.filePath(u"music"_s);
    const QString toRoot = outside.filePath(u"root"_s);
    ASSERT_TRUE(QFile::link(music, toMusic));
    ASSERT_TRUE(QFile::link(root, toRoot));
    ASSERT_TRUE(QFile::link(outside.path(), root + u"/out"_s));

    for (const QString &folder : {toRoot, toMusic, toMusic + u"/.."_s, toMusic + u"/../New Folder"_s,
                                  toMusic + u"/../../iPod_Control"_s, u"%1/./x/../music"_s.arg(outside.path())})
        EXPECT_TRUE(liesOnPlayer(folder, root)) << folder.toStdString();
    // Leading out of the player is not the player; a sibling with a longer name neither.
    for (const QString &folder : {outside.path(), root + u"/out"_s, root + u"x"_s, QDir::rootPath()})
        EXPECT_FALSE(liesOnPlayer(folder, root)) << folder.toStdString();
}

// A second mount of the player, of the whole or of a folder inside it.
class OnPlayerMounts : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (::geteuid() != 0)
            GTEST_SKIP() << "mounting needs root: the checks through a second mount are skipped";
    }
    void TearDown() override
    {
        for (auto it = mounted.rbegin(); it != mounted.rend(); ++it)
            ::umount2(QFile::encodeName(*it).constData(), MNT_DETACH);
    }
    // Mounts source (a folder to bind, or empty for a new memory file system) on target.
    bool mount(const QString &source, const QString &target)
    {
        const int done = source.isEmpty()
            ? ::mount("quillory-test", QFile::encodeName(target).constData(), "tmpfs", 0, "size=4m")
            : ::mount(QFile::encodeName(source).constData(), QFile::encodeName(target).constData(), nullptr, MS_BIND,
                      nullptr);
        if (done != 0)
            return false;
        mounted.push_back(target);
        return true;
    }

    // Unmounted in TearDown, before the folders go.
    std::vector<QString> mounted;
    PlayerFolder player;
    QTemporaryDir second, volume, inner, other;
};

TEST_F(OnPlayerMounts, BindMountsOfThePlayerOrOfAFolderInsideItAreThePlayer)
{
    player.addSong(u"F00"_s, u"AAAA.mp3"_s, 100);
    if (!mount(player.root(), second.path()))
        GTEST_SKIP() << "mount --bind refused here: " << std::strerror(errno);
    ASSERT_TRUE(mount(player.root() + u"/iPod_Control/Music"_s, inner.path()));
    ASSERT_TRUE(mount(other.path(), volume.path()));
    EXPECT_TRUE(liesOnPlayer(second.path(), player.root()));
    EXPECT_TRUE(liesOnPlayer(second.filePath(u"iPod_Control/Music"_s), player.root()));
    EXPECT_TRUE(liesOnPlayer(inner.filePath(u"F00/New Folder"_s), player.root()));
    EXPECT_FALSE(liesOnPlayer(volume.path(), player.root())) << "a bind mount of a folder outside the player";
}

// A player that is a volume of its own: every folder of that volume is the
// player, wherever it is mounted as well; another volume is not.
TEST_F(OnPlayerMounts, FoldersOfThePlayersVolumeAreThePlayerWhereverMounted)
{
    if (!mount({}, volume.path()) || !mount({}, other.path()))
        GTEST_SKIP() << "mounting a memory file system refused here: " << std::strerror(errno);
    ASSERT_TRUE(QDir(volume.path()).mkpath(u"iPod_Control/Music"_s));
    ASSERT_TRUE(mount(volume.filePath(u"iPod_Control/Music"_s), inner.path()));
    EXPECT_TRUE(liesOnPlayer(inner.path(), volume.path()));
    EXPECT_FALSE(liesOnPlayer(other.path(), volume.path()));
    EXPECT_FALSE(liesOnPlayer(QFileInfo(volume.path()).path(), volume.path()));
}

}  // namespace
