#pragma once

#include "core/device/SongList.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// One track record of the database, in file order.
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
std::uint32_t getlong(const unsigned char *bytes);

// Where the track database lies under a player root.
QString itunesDbPath(const QString &poddrive);

// The player module: the player root, the reader's progress state, the song
// list and the track records. Filled once per run by readitunesdb.
class iPod
{
public:
    enum class ReadOutcome {
        AlreadyLoaded,  // the database was read before; nothing changed
        NoPlayer,       // the locator found no player
        Complete,       // every track was read
        Stopped,        // the file could not be opened, or the read ended at a bad record
    };
    using PlayerLocator = std::function<std::optional<QString>()>;
    using Yield = std::function<void()>;

    // Finds the player (setting poddrive) and reads its database once.
    // yield runs after every 100th track.
    ReadOutcome readitunesdb(const PlayerLocator &locate, const Yield &yield = {});
    // Reads database bytes that are already in memory.
    ReadOutcome readDatabase(QByteArrayView bytes, const Yield &yield = {});

    // Highest index of songs, or 0 when there is none.
    int lastsongindex() const;

    const QString &poddrive() const { return m_poddrive; }
    qint64 songtotal() const { return m_songtotal; }
    qint64 songindex() const { return m_songindex; }
    bool dbloaded() const { return m_dbloaded; }
    int songsstored() const { return static_cast<int>(m_songs.size()); }
    const std::vector<songinfo> &songs() const { return m_songs; }
    const SongList &songList() const { return m_songList; }

private:
    class Reader;

    QString m_poddrive;
    qint64 m_songtotal = 0;  // the count of the track list, 32 bits unsigned
    qint64 m_songindex = 0;  // 1-based number of the track being read
    bool m_dbloaded = false;
    std::vector<songinfo> m_songs;
    SongList m_songList;
};
