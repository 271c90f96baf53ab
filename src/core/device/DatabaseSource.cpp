#include "core/device/DatabaseSource.h"

#include "core/common/RegularFile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error)).toLower();
}

// What stands at a path that is not a regular file.
QString whatIsThere(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a special file");
}

}  // namespace

bool DatabaseSource::skip(qint64 count)
{
    char scratch[65536];
    while (count > 0) {
        const qint64 got = read(scratch, std::min<qint64>(count, sizeof scratch));
        if (got <= 0)
            return false;
        count -= got;
    }
    return true;
}

MemorySource::MemorySource(QByteArrayView bytes, qint64 piece)
    : m_bytes(bytes)
    , m_piece(std::max<qint64>(piece, 1))
{}

qint64 MemorySource::read(char *to, qint64 max)
{
    const qint64 count = std::min({max, m_piece, m_bytes.size() - m_pos});
    std::memcpy(to, m_bytes.data() + m_pos, static_cast<std::size_t>(count));
    m_pos += count;
    return count;
}

bool MemorySource::skip(qint64 count)
{
    if (count > m_bytes.size() - m_pos)
        return false;
    m_pos += count;
    return true;
}

std::unique_ptr<FileSource> FileSource::open(const QString &path, QString &error)
{
    FileDescriptor fd = openRegularFile(path);
    struct stat info
    {};
    if (!fd.isOpen()) {
        const int cause = errno;
        if (cause == ENOENT)
            error = QStringLiteral("%1: there is no such file").arg(path);
        else if (cause == EINVAL && ::stat(QFile::encodeName(path).constData(), &info) == 0)
            error = QStringLiteral("%1 is not a regular file but %2").arg(path, whatIsThere(info.st_mode));
        else if (cause == EACCES)
            error = QStringLiteral("%1 cannot be read: permission denied").arg(path);
        else
            error = QStringLiteral("%1 cannot be opened: %2").arg(path, systemError(cause));
        return nullptr;
    }
    ::fstat(fd.get(), &info);
    return std::unique_ptr<FileSource>(new FileSource(fd.release(), info.st_size));
}

FileSource::~FileSource()
{
    ::close(m_fd);
}

qint64 FileSource::read(char *to, qint64 max)
{
    // Never past the size the file had when it was opened.
    const qint64 count = std::min(max, m_size - m_pos);
    if (count <= 0)
        return 0;
    for (;;) {
        const ssize_t got = ::read(m_fd, to, static_cast<std::size_t>(count));
        if (got >= 0) {
            m_pos += got;
            return got;
        }
        if (errno != EINTR) {
            m_failure = systemError(errno);
            return -1;
        }
    }
}

bool FileSource::skip(qint64 count)
{
    if (count > m_size - m_pos)
        return false;
    if (::lseek(m_fd, count, SEEK_CUR) < 0) {
        m_failure = systemError(errno);
        return false;
    }
    m_pos += count;
    return true;
}
