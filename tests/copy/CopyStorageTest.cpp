#include "CopyTestSupport.h"

#include "copy/CopyStorage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

class FileCopyStorageTest : public ::testing::Test
{
protected:
    PlayerFolder player;
    QTemporaryDir target;
    FileCopyStorage storage;
};

TEST_F(FileCopyStorageTest, CopiesEveryByteAndOverwrites)
{
    // Larger than one buffer, and not a multiple of it.
    const QString big = player.addSong(QStringLiteral("F00"), QStringLiteral("AAAA.mp3"), (3 << 20) + 17);
    player.addSong(QStringLiteral("F00"), QStringLiteral("EMPT.mp3"), 0);
    const QString destination = target.filePath(QStringLiteral("Song.mp3"));
    {
        QFile old(destination);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(10 << 20, 'x'));  // longer than the new content
    }
    const QString source = player.root() + QStringLiteral("/iPod_Control/Music/F00/AAAA.mp3");
    const CopyStorageResult result = storage.copyToStorage({source, destination});
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();
    EXPECT_TRUE(result.errorText.isEmpty());
    EXPECT_EQ(readFile(destination), player.bytes(big));

    const QString emptyCopy = target.filePath(QStringLiteral("Empty.mp3"));
    ASSERT_TRUE(storage.copyToStorage({player.root() + QStringLiteral("/iPod_Control/Music/F00/EMPT.mp3"), emptyCopy}).ok);
    EXPECT_TRUE(QFileInfo(emptyCopy).isFile());
    EXPECT_EQ(QFileInfo(emptyCopy).size(), 0);
    // Nothing but the two copies is left in the folder.
    EXPECT_EQ(entries(target.path()), (QStringList{QStringLiteral("Empty.mp3"), QStringLiteral("Song.mp3")}));
}

// Players are other file systems than the destination (FAT, HFS+): the copy
// between two file systems must carry every byte too.
TEST_F(FileCopyStorageTest, CopiesAcrossFileSystems)
{
    QTemporaryDir memory(QStringLiteral("/dev/shm/quillory-copy-XXXXXX"));
    if (!memory.isValid())
        GTEST_SKIP() << "no memory file system to copy from";
    QByteArray data((2 << 20) + 5, Qt::Uninitialized);
    for (qsizetype i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>((i * 7919) >> 3);
    QFile source(memory.filePath(QStringLiteral("song.mp3")));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    ASSERT_EQ(source.write(data), data.size());
    source.close();
    const QString destination = target.filePath(QStringLiteral("Song.mp3"));
    ASSERT_TRUE(storage.copyToStorage({source.fileName(), destination}).ok);
    EXPECT_EQ(readFile(destination), data);
}

TEST_F(FileCopyStorageTest, FailuresLeaveNoFileBehind)
{
    player.addSong(QStringLiteral("F00"), QStringLiteral("AAAA.mp3"), 1000);
    const QString source = player.root() + QStringLiteral("/iPod_Control/Music/F00/AAAA.mp3");

    // A folder stands where the copy should go: it stays, and the temporary file goes.
    ASSERT_TRUE(QDir(target.path()).mkdir(QStringLiteral("Song.mp3")));
    const CopyJob failing[] = {
        {source + QStringLiteral("x"), target.filePath(QStringLiteral("a.mp3"))},  // missing source
        {player.root(), target.filePath(QStringLiteral("b.mp3"))},                  // a folder as source
        {source, target.filePath(QStringLiteral("Song.mp3"))},
        {source, target.filePath(QStringLiteral("none/c.mp3"))},                    // missing destination folder
    };
    for (const CopyJob &job : failing) {
        const CopyStorageResult result = storage.copyToStorage(job);
        EXPECT_FALSE(result.ok) << job.destination.toStdString();
        EXPECT_FALSE(result.errorText.isEmpty()) << job.destination.toStdString();
    }
    EXPECT_TRUE(QFileInfo(target.filePath(QStringLiteral("Song.mp3"))).isDir());

    EXPECT_EQ(entries(target.path()), QStringList{QStringLiteral("Song.mp3")});
}

}  // namespace
