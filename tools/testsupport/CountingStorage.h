#pragma once

#include "core/copy/CopyStorage.h"

// The real storage, with every song file it opens counted, for the tests and
// benchmarks that check what an export reads.
class CountingStorage : public CopyStorage
{
public:
    CopyStorageResult copyToStorage(const CopyJob &job) override
    {
        ++copies;
        return real.copyToStorage(job);
    }
    CopyComparison compareWithStorage(const CopyJob &job) override
    {
        ++compares;
        return real.compareWithStorage(job);
    }
    int opens() const { return copies + compares; }

    int copies = 0;
    int compares = 0;
    FileCopyStorage real;
};
