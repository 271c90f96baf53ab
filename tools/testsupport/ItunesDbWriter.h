#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// Writes track databases in the player's binary format, for tests, the
// sample player and benchmarks. Only what the reader looks at is filled in,
// plus what libgpod needs to read the file quickly (a unique database id per
// track and a master playlist); everything else is zero.
namespace itdb {

// String record types.
enum StringType : std::uint32_t {
    Title = 1,
    Location = 2,
    Album = 3,
    Artist = 4,
    Genre = 5,
    FileType = 6,
    EqSetting = 7,
    Comment = 8,
};

struct Track
{
    QString title, location, album, artist, genre, fileType, comment;  // null = no record
    std::uint32_t lengthMs = 0;
    std::uint32_t trackNumber = 0;
    // The order in which the string records are written; types whose string
    // is null are left out. Unknown types are written with an empty string.
    std::vector<std::uint32_t> order{Title, Location, Album, Artist, Genre, FileType, Comment};
    bool utf8 = false;  // encoding field 2 and UTF-8 bytes instead of UTF-16LE
};

// A playlist: items by track id (tracks are numbered from 1 in file order),
// with position records when positions are given (one per item).
struct Playlist
{
    QString name;  // null = no name record
    std::vector<std::uint32_t> ids;
    std::vector<std::uint32_t> positions;
    bool podcast = false;
};

// A data set of playlists, written after the others.
struct PlaylistSet
{
    std::uint32_t type = 2;
    std::vector<Playlist> playlists;
};

struct Database
{
    std::vector<Track> tracks;
    std::uint32_t databaseHeaderLength = 104;
    std::uint32_t trackHeaderLength = 156;
    bool albumListFirst = false;  // an album list data set (type 4) before the track list
    bool playlistsAfter = true;   // a playlist data set (type 2) with the master playlist after the track list
    std::vector<PlaylistSet> playlistSets;
};

QByteArray write(const Database &db);

// The compressed form of a written database: its header (which must be longer
// than 0xA8 bytes) kept plain and marked at 0xA8, the rest one zlib stream.
QByteArray compressed(const QByteArray &plain);

// Little-endian helpers for tests that patch bytes.
void putU32(QByteArray &bytes, qsizetype offset, std::uint32_t value);
std::uint32_t getU32(const QByteArray &bytes, qsizetype offset);

// Byte offset of the first track record (after the headers) in a written database.
qsizetype firstTrackOffset(const QByteArray &bytes);

}  // namespace itdb
