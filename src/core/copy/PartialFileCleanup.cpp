#include "core/copy/PartialFileCleanup.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>

namespace {

constexpr int cleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int signalCount = sizeof(cleanupSignals) / sizeof(cleanupSignals[0]);

// What the handler needs, kept where a signal handler may read it.
char partialPath[PATH_MAX];
volatile std::sig_atomic_t armed = 0;
struct sigaction previousActions[signalCount];

void removePartialFile(int signal)
{
    if (armed)
        ::unlink(partialPath);
    armed = 0;
    for (int i = 0; i < signalCount; ++i) {
        if (cleanupSignals[i] == signal)
            ::sigaction(signal, &previousActions[i], nullptr);
    }
    // Blocked while this handler runs; delivered on return with the previous action.
    ::raise(signal);
}

}  // namespace

PartialFileCleanup::PartialFileCleanup(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty() || name.size() >= PATH_MAX)
        return;
    std::memcpy(partialPath, name.constData(), static_cast<std::size_t>(name.size()) + 1);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    armed = 1;
    struct sigaction action
    {};
    action.sa_handler = removePartialFile;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < signalCount; ++i) {
        struct sigaction current
        {};
        if (::sigaction(cleanupSignals[i], nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
            continue;
        previousActions[i] = current;
        m_installed[i] = ::sigaction(cleanupSignals[i], &action, nullptr) == 0;
    }
}

PartialFileCleanup::~PartialFileCleanup()
{
    for (int i = 0; i < signalCount; ++i) {
        if (m_installed[i])
            ::sigaction(cleanupSignals[i], &previousActions[i], nullptr);
    }
    armed = 0;
}

void removeStalePartialFiles(const QString &folder)
{
    static const QRegularExpression partialName(QStringLiteral("^\\.quillory-[0-9a-f]{16}\\.part$"));
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral(".quillory-*.part")}, QDir::Files | QDir::Hidden)) {
        if (!partialName.match(name).hasMatch())
            continue;
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat info
        {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(fd);
    }
}
