#pragma once

#include <QString>

// One file to copy: where it is read and where the copy goes.
struct CopyJob
{
    QString source;
    QString destination;
};

struct CopyStorageResult
{
    bool ok = false;
    QString errorText;  // empty on success
};

// Where copied songs are stored, behind an interface so tests can stand in.
class CopyStorage
{
public:
    virtual ~CopyStorage() = default;
    virtual CopyStorageResult copyToStorage(const CopyJob &job) = 0;
};

// Copies into the file system. Only a regular file is read (a FIFO or a
// device fails like a missing file, without waiting), opened read-only.
// The bytes go into a file without a name in the destination folder
// (O_TMPFILE), which is linked under the destination name, replacing a file
// there, only once it is complete: a copy that fails or is interrupted in
// any way, even by a crash, leaves nothing behind. Where the file system has
// no such files, a hidden temporary file takes their place; it is removed on
// failure and when an interrupt or terminate signal ends the program.
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

private:
    Temporary m_temporary;
};
