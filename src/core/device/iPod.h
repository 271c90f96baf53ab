#pragma once

#include "core/common/ProgressSink.h"
#include "core/device/SongList.h"
#include "core/library/Library.h"

class DatabaseSource;

#include <QByteArrayView>
#include <QString>
#include <QtEndian>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The fields of one track, made on demand from the song list; a field whose
// string record is missing is a null string.
struct songinfo
{
    QString album;
    QString artist;
    QString title;
    QString genre;
    QString file;    // location with every ':' turned into '\'
    QString length;  // length text, e.g. "4:05"
    QString filetype;
    std::uint32_t tracknumber = 0;
};

// Length text of a play length: whole minutes, ':', two-digit seconds; the
// seconds are rounded half to even (2,500 ms -> 0:02, 59,500 ms -> 1:00).
QString lengthText(std::uint32_t milliseconds);

// Four bytes, least significant first.
inline std::uint32_t getlong(const unsigned char *bytes)
{
    return qFromLittleEndian<std::uint32_t>(bytes);
}

// Where the track database lies under a player root, and its compressed form.
QString itunesDbPath(const QString &poddrive);
QString itunesCdbPath(const QString &poddrive);
// The database file to read under a player root: the plain database when it is
// a file that is not empty, or else the compressed one when anything is there,
// or else the plain database's path.
QString databaseFile(const QString &poddrive);
// True when a player root holds a database to read: a plain one that is not
// empty, or else a compressed one.
bool holdsDatabase(const QString &poddrive);

// The player module: the player root, the reader's progress state, the song
// list and the track records. Filled once per run by readitunesdb.
class iPod
{
public:
    enum class ReadOutcome {
        AlreadyLoaded,  // the database was read before; nothing changed
        NoPlayer,       // the locator found no player
        Complete,       // every track was read
        Stopped,        // the file could not be opened, the read ended at a bad record, or the
                        // database is too large to read (then no song is kept)
    };
    enum class DatabaseForm {
        Plain,
        Compressed,  // the header plain, the rest one zlib stream when the header says so
    };
    // The database is read this many bytes at a time.
    static constexpr qint64 kChunkBytes = qint64{1} << 20;
    // The memory one database may cost, counting the song list and the grid rows that show it.
    static constexpr qint64 kDefaultByteBudget = qint64{1} << 30;
    using PlayerLocator = std::function<std::optional<QString>()>;

    iPod() = default;
    // The library reads its texts from the song list: an iPod stays where it was made.
    iPod(const iPod &) = delete;
    iPod &operator=(const iPod &) = delete;

    // Finds the player (setting poddrive) and reads its database once, then
    // merges the plays made on the player since the last sync into the library
    // (see mergePlayCountsFile). The progress sink's yield() runs after every 100th track.
    ReadOutcome readitunesdb(const PlayerLocator &locate, ProgressSink &progress = noProgress());
    // Reads database bytes that are already in memory, chunkBytes at a time.
    ReadOutcome readDatabase(QByteArrayView bytes, ProgressSink &progress = noProgress(),
                             qint64 chunkBytes = kChunkBytes, DatabaseForm form = DatabaseForm::Plain);

    // Bounds the memory of the reads that follow; a database that needs more ends
    // its read with "... is too large to read".
    void setByteBudget(qint64 bytes) { m_byteBudget = bytes; }

    // What went wrong in the last read that stopped, with the path read; empty otherwise.
    const QString &errorText() const { return m_errorText; }

    // Highest index of songs, or 0 when there is none.
    int lastsongindex() const;

    const QString &poddrive() const { return m_poddrive; }
    qint64 songtotal() const { return m_songtotal; }
    qint64 songindex() const { return m_songindex; }
    bool dbloaded() const { return m_dbloaded; }
    int songsstored() const { return static_cast<int>(m_library.trackCount()); }
    songinfo song(qsizetype track) const;  // 0-based, below songsstored()
    const SongList &songList() const { return m_songList; }
    // Every field of every track read, and the playlists; its texts live in the song list.
    const Library &library() const { return m_library; }

private:
    class Reader;
    ReadOutcome readFrom(DatabaseSource &source, DatabaseForm form, const QString &name, ProgressSink &progress,
                         qint64 chunkBytes);

    QString m_poddrive;
    qint64 m_songtotal = 0;  // the count of the track list, 32 bits unsigned
    qint64 m_songindex = 0;  // 1-based number of the track being read
    bool m_dbloaded = false;
    qint64 m_byteBudget = kDefaultByteBudget;
    SongList m_songList;
    Library m_library{m_songList};
    QString m_errorText;
};
