#pragma once

#include "core/export/ExportSong.h"

#include <QString>

// Writes the database's title, artist, album artist, album, genre, composer,
// year, track and disc into an exported copy wherever the copy has no such
// tag of its own; what the file already says stays. A file the tag library
// cannot read is left as it is.
class TagFiller
{
public:
    virtual ~TagFiller() = default;
    // fd: the complete copy, open for reading and writing; extension: the
    // copy's, such as ".mp3", which tells its format.
    virtual void fillTags(int fd, const QString &extension, const ExportSong &song) = 0;
};
