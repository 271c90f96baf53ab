#include "core/copy/CopyStorage.h"
#include "core/copy/PartialFileCleanup.h"

#include "CopyTestSupport.h"
#include "SpecialFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Temporary = FileCopyStorage::Temporary;

bool hasUnnamedFiles(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

class CopyStorageTest : public ::testing::TestWithParam<Temporary>
{
protected:
    void SetUp() override
    {
        if (GetParam() == Temporary::Unnamed && !hasUnnamedFiles(target.path()))
            GTEST_SKIP() << "the file system of " << target.path().toStdString() << " has no O_TMPFILE";
    }

    QString source(const char *name, int size)
    {
        return player.root() + player.addSong(u"F00"_s, QString::fromLatin1(name), size).replace(u'\\', u'/');
    }

    PlayerFolder player;
    QTemporaryDir target;
    FileCopyStorage storage{GetParam()};
};

// Sources that are no regular files fail at once and leave nothing. The copy
// replaces what is at the destination, a link too, without writing through
// it; nothing else is left in the folder.
TEST_P(CopyStorageTest, SpecialSourcesFailAndCopiesReplaceTheDestinationAndNothingElseRemains)
{
    const QString path = player.root() + u"/special.mp3"_s;
    const HangWatch watch;
    for (const SpecialFile kind : allSpecialFiles) {
        SCOPED_TRACE(specialFileName(kind));
        makeSpecialFile(kind, path);
        const CopyStorageResult result = storage.copyToStorage({path, target.filePath(u"copy.mp3"_s)});
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.errorText, u"Not a file: "_s + path);
        EXPECT_TRUE(entriesIn(target.path()).isEmpty());
    }
    EXPECT_FALSE(storage.copyToStorage({player.root() + u"/missing.mp3"_s, target.filePath(u"copy.mp3"_s)}).ok);

    const QString first = source("AAAA.mp3", (2 << 20) + 5);
    const QString second = source("BBBB.mp3", 777);
    const QString destination = target.filePath(u"Song.mp3"_s);
    ASSERT_TRUE(storage.copyToStorage({first, destination}).ok);
    EXPECT_EQ(readFile(destination), readFile(first));

    const QString linked = target.filePath(u"Linked.mp3"_s);
    ASSERT_TRUE(QFile::link(first, linked));
    const auto before = player.snapshot();
    ASSERT_TRUE(storage.copyToStorage({second, linked}).ok);
    EXPECT_FALSE(QFileInfo(linked).isSymLink());
    EXPECT_EQ(readFile(linked), readFile(second));
    EXPECT_EQ(player.snapshot(), before) << "the copy went through the link into the player";
    EXPECT_EQ(entriesIn(target.path()), texts(u"Linked.mp3|Song.mp3"));

    // A job that keeps what is there fails and changes nothing.
    const CopyStorageResult kept = storage.copyToStorage({second, destination, false});
    EXPECT_EQ(kept.failure, CopyFailure::Exists);
    EXPECT_EQ(readFile(destination), readFile(first));
    // A source that does not give the size it had at open, as a song cut or grown while it is copied.
    const CopyStorageResult changed = storage.copyToStorage({u"/proc/self/stat"_s, target.filePath(u"Proc.mp3"_s)});
    EXPECT_EQ(changed.failure, CopyFailure::Source);
    EXPECT_EQ(changed.errorText, u"The song changed while it was copied: /proc/self/stat"_s);
    EXPECT_EQ(entriesIn(target.path()), texts(u"Linked.mp3|Song.mp3"));

    // A folder that is not there: the copy fails and leaves nothing.
    const CopyStorageResult failed = storage.copyToStorage({first, target.filePath(u"gone/Song.mp3"_s)});
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.errorText.isEmpty());
    EXPECT_EQ(entriesIn(target.path()), texts(u"Linked.mp3|Song.mp3"));
}

// Whether the process holds open a file without a name in the folder.
bool holdsUnnamedFileIn(pid_t process, const QString &folder)
{
    const QString fds = u"/proc/%1/fd"_s.arg(process);
    for (const QString &fd : QDir(fds).entryList(QDir::System | QDir::NoDotAndDotDot)) {
        const QString file = QFile::symLinkTarget(fds + u'/' + fd);
        if (file.startsWith(folder + u'/') && file.endsWith(u" (deleted)"_s))
            return true;
    }
    return false;
}

// A copy interrupted in the middle leaves no partial file. A child process
// copies while the parent watches the folder and ends the child once the
// copy is under way: with a file without a name, nothing but the complete
// copy ever appears and even SIGKILL leaves nothing; the hidden temporary
// file is removed when SIGTERM ends the copy.
TEST_P(CopyStorageTest, InterruptedCopyLeavesNoPartialFile)
{
    constexpr int size = 64 << 20;
    const QString from = source("HUGE.mp3", size);
    const QString destination = target.filePath(u"Huge.mp3"_s);
    const bool unnamed = GetParam() == Temporary::Unnamed;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        ::_exit(storage.copyToStorage({from, destination}).ok ? 0 : 1);

    bool underWay = false;
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        for (const QString &name : entriesIn(target.path())) {
            if (name == u"Huge.mp3"_s)
                continue;
            EXPECT_FALSE(unnamed) << "visible while copying: " << name.toStdString();
            underWay = true;
        }
        if (unnamed && holdsUnnamedFileIn(child, target.path()))
            underWay = true;
        if (underWay)
            ::kill(child, unnamed ? SIGKILL : SIGTERM);
    }
    // Nothing, or the whole copy when it was done before the signal came.
    const QStringList left = entriesIn(target.path());
    if (left.isEmpty()) {
        EXPECT_TRUE(underWay) << "the copy neither ended nor was ended";
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == (unnamed ? SIGKILL : SIGTERM));
    } else {
        EXPECT_EQ(left, QStringList{u"Huge.mp3"_s});
        EXPECT_EQ(QFileInfo(destination).size(), size);
    }
}

INSTANTIATE_TEST_SUITE_P(Temporaries, CopyStorageTest, ::testing::Values(Temporary::Unnamed, Temporary::Named),
                         [](const auto &param) { return param.param == Temporary::Unnamed ? "Unnamed" : "Named"; });

// In a child process: the file is removed by the signal, which then ends
// the process as it would have; ignored signals stay ignored; once the
// cleanup is gone, a signal removes nothing.
TEST(PartialFileCleanupTest, SignalsRemoveTheFileAndTakeTheirCourse)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u".part"_s);
    const auto runChild = [&](auto body) {
        writeBytes(path, "partial");
        const pid_t child = ::fork();
        if (child == 0) {
            body();
            ::_exit(7);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return status;
    };

    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const int status = runChild([&] {
            const PartialFileCleanup cleanup(path);
            ::raise(signal);
        });
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_FALSE(QFileInfo::exists(path)) << signal;
    }

    int status = runChild([&] {
        ::signal(SIGINT, SIG_IGN);
        const PartialFileCleanup cleanup(path);
        ::raise(SIGINT);
    });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 7);
    EXPECT_TRUE(QFileInfo::exists(path)) << "an ignored signal removed the file";

    status = runChild([&] {
        {
            const PartialFileCleanup cleanup(path);
        }
        ::raise(SIGTERM);
    });
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_TRUE(QFileInfo::exists(path)) << "a signal after the copy removed the file";
}

}  // namespace
