#include "core/copy/CopyStorage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t bufferSize = 1 << 20;
constexpr int createAttempts = 16;

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// A file descriptor that is closed when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {}
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    ~Descriptor() { close(); }
    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    // Closes now; false when the close reports a failed write.
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

// Creates a new, hidden file beside the destination under an unused name.
int createTemporary(const QString &destination, QString &path)
{
    const QDir folder = QFileInfo(destination).absoluteDir();
    for (int attempt = 0; attempt < createAttempts; ++attempt) {
        path = folder.filePath(QStringLiteral(".quillory-%1.part")
                                   .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0')));
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const char *data, ssize_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<std::size_t>(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

// Copies from the current positions to the end of the source. The kernel
// copies in place where the file systems allow it; plain reads and writes do
// the rest, so a kernel copy that stops early or is refused loses nothing.
bool copyBytes(int source, int target, QString &error)
{
    for (;;) {
        const ssize_t copied = ::copy_file_range(source, nullptr, target, nullptr, bufferSize * 64, 0);
        if (copied > 0)
            continue;
        if (copied < 0 && errno == EINTR)
            continue;
        break;
    }
    std::vector<char> buffer(bufferSize);
    for (;;) {
        const ssize_t got = ::read(source, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = QStringLiteral("Cannot read the song: %1").arg(systemError());
            return false;
        }
        if (got == 0)
            return true;
        if (!writeAll(target, buffer.data(), got)) {
            error = QStringLiteral("Cannot write the copy: %1").arg(systemError());
            return false;
        }
    }
}

}  // namespace

CopyStorageResult FileCopyStorage::copyToStorage(const CopyJob &job)
{
    Descriptor source(::open(QFile::encodeName(job.source).constData(), O_RDONLY | O_CLOEXEC));
    if (!source.isOpen())
        return {false, QStringLiteral("Cannot open %1: %2").arg(job.source, systemError())};
    struct stat info
    {};
    if (::fstat(source.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return {false, QStringLiteral("Not a file: %1").arg(job.source)};

    QString temporaryPath;
    Descriptor target(createTemporary(job.destination, temporaryPath));
    if (!target.isOpen())
        return {false,
                QStringLiteral("Cannot create a file in %1: %2")
                    .arg(QFileInfo(job.destination).absolutePath(), systemError())};

    QString error;
    bool ok = copyBytes(source.get(), target.get(), error);
    if (ok && !target.close()) {
        error = QStringLiteral("Cannot write the copy: %1").arg(systemError());
        ok = false;
    }
    // rename() replaces an existing destination file in one step.
    if (ok
        && std::rename(QFile::encodeName(temporaryPath).constData(), QFile::encodeName(job.destination).constData())
            != 0) {
        error = QStringLiteral("Cannot store %1: %2").arg(job.destination, systemError());
        ok = false;
    }
    if (!ok) {
        target.close();
        ::unlink(QFile::encodeName(temporaryPath).constData());
        return {false, error};
    }
    return {true, {}};
}
