#pragma once

#include <QString>

// Files that are no regular files, as a hostile or broken player may hold
// them under a name the program reads: reading one must neither wait nor
// run on without end.
enum class SpecialFile {
    Fifo,        // a named pipe without a writer: opening it waits
    DeviceLink,  // a link to /dev/zero: reading it never ends
    Directory,
};
inline constexpr SpecialFile allSpecialFiles[] = {SpecialFile::Fifo, SpecialFile::DeviceLink, SpecialFile::Directory};

const char *specialFileName(SpecialFile kind);

// Creates the special file at path, replacing what is there.
void makeSpecialFile(SpecialFile kind, const QString &path);

// Ends the test program with SIGALRM when it is still alive after the given
// seconds: a read that hangs fails the test instead of stalling the run.
class HangWatch
{
public:
    explicit HangWatch(unsigned seconds = 30);
    ~HangWatch();
    HangWatch(const HangWatch &) = delete;
    HangWatch &operator=(const HangWatch &) = delete;
};
