#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// What the export needs of one track, made on demand from the library.
struct ExportSong
{
    QString title;
    QString artist;
    QString albumArtist;
    QString album;
    QString genre;
    QString composer;
    QString location;  // as the player stores it, such as "\iPod_Control\Music\F00\ABCD.mp3"
    int year = 0;
    int track = 0;
    int disc = 0;
    int discCount = 0;
    bool compilation = false;
    qint64 lengthMs = 0;
    qint64 size = -1;  // the file's size by the database; below 0 when it does not tell
};

// A playlist: its name and its songs in order, by index into the songs.
struct ExportPlaylist
{
    QString name;
    std::vector<qsizetype> songs;
};

// Everything the export reads: the songs, made one at a time, their rows of
// the library file, and the playlists (the master playlist left out).
struct ExportLibrary
{
    qsizetype songCount = 0;
    std::function<ExportSong(qsizetype)> song;
    QStringList fieldNames;                             // the library file's columns before "exported"
    std::function<QStringList(qsizetype)> fieldValues;  // one song's values under fieldNames
    std::vector<ExportPlaylist> playlists;
};
