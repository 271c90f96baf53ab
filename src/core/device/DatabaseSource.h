#pragma once

#include <QByteArrayView>
#include <QString>

#include <limits>
#include <memory>

// Where the database reader takes its bytes from, front to back, a piece at a
// time, so that a file is never held whole in memory.
class DatabaseSource
{
public:
    virtual ~DatabaseSource() = default;
    // Copies up to `max` next bytes to `to`; 0 at the end, -1 when reading failed.
    virtual qint64 read(char *to, qint64 max) = 0;
    // Passes over the next `count` bytes; false when the data ends before or reading failed.
    virtual bool skip(qint64 count);
    // The source gives no more bytes than this in all.
    virtual qint64 sizeBound() const = 0;
    // Told when the reader needs bytes beyond sizeBound(): the data is damaged, or
    // for a source whose bound is a limit of its own, it would pass that limit.
    virtual void pastBound() {}
    // Why the last read or skip failed; empty when the data just ended.
    QString failure() const { return m_failure; }

protected:
    QString m_failure;
};

// Bytes already in memory, given out at most `piece` bytes at a time.
class MemorySource : public DatabaseSource
{
public:
    explicit MemorySource(QByteArrayView bytes, qint64 piece = std::numeric_limits<qint64>::max());
    qint64 read(char *to, qint64 max) override;
    bool skip(qint64 count) override;
    qint64 sizeBound() const override { return m_bytes.size(); }

private:
    QByteArrayView m_bytes;
    qint64 m_pos = 0;
    qint64 m_piece;
};

// A regular file read with plain read() calls.
class FileSource : public DatabaseSource
{
public:
    // Opens the file at path when it is a regular file that can be read; otherwise
    // nothing, and `error` says what was found there. Never blocks on a FIFO or device.
    static std::unique_ptr<FileSource> open(const QString &path, QString &error);
    ~FileSource() override;
    FileSource(const FileSource &) = delete;
    FileSource &operator=(const FileSource &) = delete;

    qint64 read(char *to, qint64 max) override;
    bool skip(qint64 count) override;
    qint64 sizeBound() const override { return m_size; }

private:
    FileSource(int fd, qint64 size)
        : m_fd(fd)
        , m_size(size)
    {}
    int m_fd;
    qint64 m_size;
    qint64 m_pos = 0;
};
