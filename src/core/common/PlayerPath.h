#pragma once

#include <QHash>  // std::hash of QString
#include <QString>

#include <unordered_map>
#include <utility>

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

// Resolves the locations of many songs below one root as playerPath does,
// each folder once: a folder is looked up (without regard to case) the first
// time a location names it, and each song file is then matched inside it
// alone. A player has a few dozen folders; the first 4,096 are kept, and a
// location in any other folder is resolved from the root, so memory stays
// bounded whatever the database says.
class PlayerPathResolver
{
public:
    explicit PlayerPathResolver(QString root)
        : m_root(std::move(root))
    {}
    QString resolve(const QString &location);

private:
    QString m_root;
    // The folders as found on disk, by the location's folder part as written.
    std::unordered_map<QString, QString> m_folders;
};

// True when a file (not a folder) exists at the path.
bool fileexists(const QString &path);
