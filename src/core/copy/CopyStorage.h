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

// Copies into the file system. The source is opened read-only. The bytes go
// into a temporary file in the destination folder that replaces the
// destination (an existing file is overwritten) only once it is complete;
// on any failure the temporary file is removed, so no partial file remains.
class FileCopyStorage : public CopyStorage
{
public:
    CopyStorageResult copyToStorage(const CopyJob &job) override;
};
