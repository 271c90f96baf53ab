#pragma once

#include <QByteArrayView>
#include <QString>

class Library;

// Where a player keeps the plays made on it since the last sync.
QString playCountsPath(const QString &poddrive);

// Merges a Play Counts file into the library, as libgpod does, so the numbers
// are the ones the player shows: entry i belongs to track i; its plays and skips
// are added to the track's, its last play (when not 0) replaces the track's, and
// its rating, in entries of at least 16 bytes, replaces the track's. A file that
// is not whole (no "mhdp" header of at least 0x60 bytes, entries shorter than 12
// bytes, or fewer bytes than its entry count needs) changes nothing. Gives
// whether the plays were merged.
bool mergePlayCounts(Library &library, QByteArrayView file);

// Reads the file at path through the bounded regular-file opener and merges it;
// a file that is missing, not a regular file, over 16 MB or damaged changes nothing.
bool mergePlayCountsFile(Library &library, const QString &path);
