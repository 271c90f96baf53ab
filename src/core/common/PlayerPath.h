#pragma once

#include <QString>

// A path on the player: the root followed by a stored location such as
// "\iPod_Control\Music\F00\ABCD.mp3". Each backslash becomes a folder
// separator, and a component that does not exist under its exact name is
// matched without regard to case (players are FAT or HFS+ volumes; copies of
// them may sit on case-sensitive disks). Components that match nothing are
// kept as written, so the result names where the file would be; "." and ".."
// are dropped, so the path stays below the root. The location is resolved
// one component at a time from the folder reached so far, in time linear in
// its length. A path longer than the system allows (PATH_MAX), or a location
// holding a NUL, names no file: the result is then empty.
QString playerPath(const QString &root, const QString &location);

// True when a file (not a folder) exists at the path.
bool fileexists(const QString &path);
