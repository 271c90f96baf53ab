#include "core/common/RegularFile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

FileDescriptor &FileDescriptor::operator=(FileDescriptor &&other) noexcept
{
    if (this != &other) {
        close();
        m_fd = other.release();
    }
    return *this;
}

int FileDescriptor::release()
{
    return std::exchange(m_fd, -1);
}

bool FileDescriptor::close()
{
    const int fd = release();
    return fd < 0 || ::close(fd) == 0;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

FileDescriptor openRegularFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info
    {};
    if (::stat(name.constData(), &info) != 0)
        return FileDescriptor();
    if (!S_ISREG(info.st_mode)) {
        errno = EINVAL;
        return FileDescriptor();
    }
    FileDescriptor fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.isOpen())
        return fd;
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        errno = EINVAL;
        return FileDescriptor();
    }
    // Reads of a regular file wait for the disk as usual.
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        return FileDescriptor();
    return fd;
}

std::optional<QByteArray> readRegularFile(const QString &path, qsizetype maxBytes, bool *cut)
{
    const FileDescriptor fd = openRegularFile(path);
    if (!fd.isOpen())
        return std::nullopt;
    // One byte beyond the bound tells whether there is more.
    const qsizetype wanted = maxBytes + 1;
    constexpr qsizetype chunk = 64 * 1024;
    QByteArray bytes;
    qsizetype size = 0;
    while (size < wanted) {
        bytes.resize(std::min(wanted, size + chunk));
        const ssize_t got = ::read(fd.get(), bytes.data() + size, static_cast<std::size_t>(bytes.size() - size));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        size += got;
    }
    if (cut)
        *cut = size > maxBytes;
    bytes.resize(std::min(size, maxBytes));
    return bytes;
}
