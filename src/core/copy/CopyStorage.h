#pragma once

#include <QString>

#include <functional>

// One file to copy: where it is read and where the copy goes.
struct CopyJob
{
    QString source;
    QString destination;
    // False: a file already at the destination stays, and the copy fails with CopyFailure::Exists.
    bool replace = true;
    // At least 0: a source that gives fewer bytes is cut short, and its copy is not kept.
    qint64 expectedSize = -1;
    // Runs on the complete copy, open for reading and writing, before it gets its name.
    std::function<void(int fd)> finish = {};
};

enum class CopyFailure {
    None,
    Source,       // the source could not be opened or read, was cut short, or changed its size while it was copied
    Destination,  // the copy could not be written or stored
    Exists,       // a file is at the destination, which the job does not replace
};

struct CopyStorageResult
{
    bool ok = false;
    QString errorText;  // empty on success
    CopyFailure failure = CopyFailure::None;
};

enum class CopyComparison {
    Same,              // the copy holds the source's bytes
    Different,         // it holds other bytes, is no regular file, or cannot be read
    SourceUnreadable,  // the source could not be opened or read
};

// Compares a file already at a destination with the source, byte for byte.
CopyComparison compareFiles(const QString &source, const QString &copy);

// Where copied songs are stored, behind an interface so tests can stand in.
class CopyStorage
{
public:
    virtual ~CopyStorage() = default;
    virtual CopyStorageResult copyToStorage(const CopyJob &job) = 0;
    // Compares the destination with the source byte for byte.
    virtual CopyComparison compareWithStorage(const CopyJob &job) = 0;
};

// Copies into the file system. Only a regular file is read (a FIFO or a
// device fails like a missing file, without waiting), opened read-only.
// The bytes go into a file without a name in the destination folder
// (O_TMPFILE), which is linked under the destination name, replacing a file
// there unless the job keeps it, only once it is complete: a copy that fails
// or is interrupted in any way, even by a crash, leaves nothing behind. A
// source that gives other than the bytes it held when it was opened (it was
// cut or grew meanwhile) fails. Where the file system has no such files, a
// hidden temporary file takes their place, locked while it is written; it is
// removed on failure and when an interrupt or terminate signal ends the
// program, and removeStalePartialFiles removes one that a killed copy left.
class FileCopyStorage : public CopyStorage
{
public:
    enum class Temporary {
        Unnamed,  // O_TMPFILE where the file system has it, else Named
        Named,    // always the hidden temporary file
    };

    explicit FileCopyStorage(Temporary temporary = Temporary::Unnamed)
        : m_temporary(temporary)
    {}
    CopyStorageResult copyToStorage(const CopyJob &job) override;
    CopyComparison compareWithStorage(const CopyJob &job) override;

private:
    Temporary m_temporary;
};

// Writes the bytes to the destination the way the copies are stored: whole
// under the name or not at all, replacing a file there in one step, a hidden
// partial file (where one is needed) removed on failure or swept by
// removeStalePartialFiles. Like the copies it is left to the system to write
// out (no fsync).
CopyStorageResult writeWholeFile(const QString &destination, const QByteArray &bytes,
                                 FileCopyStorage::Temporary temporary = FileCopyStorage::Temporary::Unnamed);
