#include "core/copy/CopyStorage.h"

#include "core/common/RegularFile.h"
#include "core/copy/PartialFileCleanup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr std::size_t bufferSize = 1 << 20;
constexpr int createAttempts = 16;

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// An unused hidden name beside the destination.
QString hiddenName(const QString &destination)
{
    return QFileInfo(destination)
        .absoluteDir()
        .filePath(QStringLiteral(".quillory-%1.part")
                      .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0')));
}

// A file without a name in the destination's folder; not open where the
// file system has no such files.
FileDescriptor createUnnamed(const QString &destination)
{
    const QString folder = QFileInfo(destination).absolutePath();
    return FileDescriptor(::open(encoded(folder).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666));
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

// Reads until the buffer is full or the file ends; -1 on a read error.
ssize_t readFull(int fd, char *data, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, data + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

// Copies from the current positions to the end of the source. The kernel
// copies in place where the file systems allow it; plain reads and writes do
// the rest, so a kernel copy that stops early or is refused loses nothing.
bool copyBytes(int source, int target, CopyStorageResult &error)
{
    // Read once from start to end, as cp reads: the system reads further
    // ahead, which a player on a USB or FireWire disk answers faster.
    ::posix_fadvise(source, 0, 0, POSIX_FADV_SEQUENTIAL);
    for (;;) {
        const ssize_t copied = ::copy_file_range(source, nullptr, target, nullptr, bufferSize * 64, 0);
        if (copied > 0)
            continue;
        if (copied < 0 && errno == EINTR)
            continue;
        break;
    }
    // Left unset: after a kernel copy of the whole file only the read at the end touches it.
    const auto buffer = std::make_unique_for_overwrite<char[]>(bufferSize);
    for (;;) {
        const ssize_t got = ::read(source, buffer.get(), bufferSize);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = {false, QStringLiteral("Cannot read the song: %1").arg(systemError()), CopyFailure::Source};
            return false;
        }
        if (got == 0)
            return true;
        if (!writeAll(target, buffer.get(), got)) {
            error = {false, QStringLiteral("Cannot write the copy: %1").arg(systemError()), CopyFailure::Destination};
            return false;
        }
    }
}

CopyStorageResult failure(const QString &what, const QString &path, CopyFailure kind = CopyFailure::Destination)
{
    return {false, QStringLiteral("%1 %2: %3").arg(what, path, systemError()), kind};
}

// Copies the whole source into the target and checks the copy: as many bytes
// as the source held when it was opened, and as many as the job expects; then
// the job finishes it.
bool fillCopy(int source, int target, const CopyJob &job, CopyStorageResult &error)
{
    struct stat before
    {};
    struct stat after
    {};
    if (::fstat(source, &before) != 0) {
        error = failure(QStringLiteral("Cannot read"), job.source, CopyFailure::Source);
        return false;
    }
    if (!copyBytes(source, target, error))
        return false;
    if (::fstat(target, &after) != 0 || after.st_size != before.st_size) {
        error = {false, QStringLiteral("The song changed while it was copied: %1").arg(job.source),
                 CopyFailure::Source};
        return false;
    }
    if (job.expectedSize >= 0 && after.st_size < job.expectedSize) {
        error = {false, QStringLiteral("The song is cut short: %1").arg(job.source), CopyFailure::Source};
        return false;
    }
    if (job.finish)
        job.finish(target);
    return true;
}

// Writes the whole file into the open target; false with the error set when it cannot.
using Fill = std::function<bool(int target, CopyStorageResult &error)>;

// The failure of storing under the destination name, errno set.
CopyStorageResult storeFailure(const QString &destination)
{
    const CopyFailure kind = errno == EEXIST ? CopyFailure::Exists : CopyFailure::Destination;
    return failure(QStringLiteral("Cannot store"), destination, kind);
}

// Renames the complete hidden file to the destination; without replace, a
// file already there stays (the rename fails with EEXIST).
bool renameInto(const QByteArray &temporary, const QByteArray &target, bool replace)
{
    if (replace)
        return std::rename(temporary.constData(), target.constData()) == 0;
    return ::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0;
}

// Gives the complete unnamed file the destination name; false with errno
// set when it cannot. With replace, an existing destination is replaced in
// one step: the file is linked under a hidden name first, which then replaces it.
bool linkUnnamed(int fd, const QString &destination, bool replace)
{
    const QByteArray self = QByteArrayLiteral("/proc/self/fd/") + QByteArray::number(fd);
    const QByteArray target = encoded(destination);
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    if (!replace)
        return false;
    for (int attempt = 0; errno == EEXIST && attempt < createAttempts; ++attempt) {
        const QString hiddenPath = hiddenName(destination);
        const PartialFileCleanup cleanup(hiddenPath);
        const QByteArray hidden = encoded(hiddenPath);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, hidden.constData(), AT_SYMLINK_FOLLOW) != 0)
            continue;
        if (std::rename(hidden.constData(), target.constData()) == 0)
            return true;
        const int renameError = errno;
        ::unlink(hidden.constData());
        errno = renameError;
        return false;
    }
    return false;
}

CopyStorageResult storeUnnamed(FileDescriptor &target, const QString &destination, bool replace, const Fill &fill)
{
    CopyStorageResult error;
    if (!fill(target.get(), error))
        return error;
    if (!linkUnnamed(target.get(), destination, replace))
        return storeFailure(destination);
    if (!target.close()) {
        // The data did not all reach the disk: the file under its name goes too.
        const CopyStorageResult result = failure(QStringLiteral("Cannot write"), destination);
        ::unlink(encoded(destination).constData());
        return result;
    }
    return {true, {}};
}

// Fills the hidden file, then gives it the destination name; removes it on failure.
CopyStorageResult fillNamed(FileDescriptor &target, const QString &temporary, const QString &destination, bool replace,
                            const Fill &fill)
{
    CopyStorageResult result{true, {}};
    if (!fill(target.get(), result))
        result.ok = false;
    else if (!target.close())
        result = failure(QStringLiteral("Cannot write"), temporary);
    // rename() replaces an existing destination file in one step.
    else if (!renameInto(encoded(temporary), encoded(destination), replace))
        result = storeFailure(destination);
    if (!result.ok)
        ::unlink(encoded(temporary).constData());
    return result;
}

CopyStorageResult storeNamed(const QString &destination, bool replace, const Fill &fill)
{
    for (int attempt = 0; attempt < createAttempts; ++attempt) {
        const QString temporary = hiddenName(destination);
        // Armed before the file exists, so that no moment of its life leaves it behind.
        const PartialFileCleanup cleanup(temporary);
        FileDescriptor target(::open(encoded(temporary).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (target.isOpen()) {
            // The lock tells a file being written from one a killed copy left.
            ::flock(target.get(), LOCK_EX | LOCK_NB);
            return fillNamed(target, temporary, destination, replace, fill);
        }
        if (errno != EEXIST)
            break;
    }
    return failure(QStringLiteral("Cannot create a file in"), QFileInfo(destination).absolutePath());
}

// Stores the file that fill writes under the destination name once it is
// whole: in an unnamed file where the file system has them, else in a hidden
// partial file.
CopyStorageResult storeWhole(const QString &destination, bool replace, FileCopyStorage::Temporary temporary,
                             const Fill &fill)
{
    if (temporary == FileCopyStorage::Temporary::Unnamed) {
        FileDescriptor target = createUnnamed(destination);
        if (target.isOpen())
            return storeUnnamed(target, destination, replace, fill);
    }
    return storeNamed(destination, replace, fill);
}

}  // namespace

CopyStorageResult FileCopyStorage::copyToStorage(const CopyJob &job)
{
    const FileDescriptor source = openRegularFile(job.source);
    if (!source.isOpen()) {
        if (errno == EINVAL)
            return {false, QStringLiteral("Not a file: %1").arg(job.source), CopyFailure::Source};
        return failure(QStringLiteral("Cannot open"), job.source, CopyFailure::Source);
    }
    return storeWhole(job.destination, job.replace, m_temporary,
                      [&](int target, CopyStorageResult &error) { return fillCopy(source.get(), target, job, error); });
}

CopyStorageResult writeWholeFile(const QString &destination, const QByteArray &bytes,
                                 FileCopyStorage::Temporary temporary)
{
    return storeWhole(destination, true, temporary, [&](int target, CopyStorageResult &error) {
        if (writeAll(target, bytes.constData(), bytes.size()))
            return true;
        error = failure(QStringLiteral("Cannot write"), destination);
        return false;
    });
}

CopyComparison compareFiles(const QString &source, const QString &copy)
{
    const FileDescriptor ours = openRegularFile(source);
    if (!ours.isOpen())
        return CopyComparison::SourceUnreadable;
    const FileDescriptor theirs = openRegularFile(copy);
    struct stat ourInfo
    {};
    struct stat theirInfo
    {};
    if (!theirs.isOpen() || ::fstat(ours.get(), &ourInfo) != 0 || ::fstat(theirs.get(), &theirInfo) != 0
        || ourInfo.st_size != theirInfo.st_size)
        return CopyComparison::Different;
    std::vector<char> ourBytes(bufferSize);
    std::vector<char> theirBytes(bufferSize);
    for (;;) {
        const ssize_t got = readFull(ours.get(), ourBytes.data(), ourBytes.size());
        if (got < 0)
            return CopyComparison::SourceUnreadable;
        const ssize_t other = readFull(theirs.get(), theirBytes.data(), theirBytes.size());
        if (other != got || std::memcmp(ourBytes.data(), theirBytes.data(), static_cast<std::size_t>(got)) != 0)
            return CopyComparison::Different;
        if (got == 0)
            return CopyComparison::Same;
    }
}

CopyComparison FileCopyStorage::compareWithStorage(const CopyJob &job)
{
    return compareFiles(job.source, job.destination);
}
