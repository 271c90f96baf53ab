#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// A file descriptor that is closed when it goes out of scope.
class FileDescriptor
{
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {}
    FileDescriptor(FileDescriptor &&other) noexcept
        : m_fd(other.release())
    {}
    FileDescriptor &operator=(FileDescriptor &&other) noexcept;
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    ~FileDescriptor() { close(); }

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    int release();
    // Closes now; false when the close reports an error (a failed delayed write).
    bool close();

private:
    int m_fd = -1;
};

// The text of the last system error (errno).
QString systemError();

// Opens a regular file for reading. Anything else (a folder, a FIFO, a
// device, a link to one) is refused before it is opened, so that nothing
// blocks or starts an endless read; the open does not wait either, should
// the path change in between. Fails with errno set (EINVAL for "not a regular
// file").
FileDescriptor openRegularFile(const QString &path);

// Reads at most maxBytes from the start of a regular file (see
// openRegularFile); nullopt when it cannot be opened or read. cut, when
// given, tells whether the file holds more than maxBytes.
std::optional<QByteArray> readRegularFile(const QString &path, qsizetype maxBytes, bool *cut = nullptr);
