#pragma once

#include "core/common/BulkMemory.h"
#include "core/device/SongList.h"

#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The texts a track can carry, from its string records.
enum class TrackText : std::uint8_t {
    Title,
    Artist,
    AlbumArtist,
    Album,
    Genre,
    Composer,
    Comment,
    FileType,
    Location,  // with every ':' turned into '\', as the song list holds it
    SortTitle,
    SortArtist,
    SortAlbum,
    SortAlbumArtist,
    SortComposer,
    Count
};

// The song list's line kind of a text it shows (title, artist, album, genre,
// file type, location), or nothing for a text only the library has.
constexpr std::optional<SongField> songListField(TrackText field)
{
    switch (field) {
    case TrackText::Title: return SongField::Title;
    case TrackText::Artist: return SongField::Artist;
    case TrackText::Album: return SongField::Album;
    case TrackText::Genre: return SongField::Genre;
    case TrackText::FileType: return SongField::FileType;
    case TrackText::Location: return SongField::File;
    default: return std::nullopt;
    }
}

// One track of the library, a fixed-size record. Numbers are as the track
// record stores them (0 where its header is too short to hold them), after the
// player's plays since the last sync are merged in; dates are seconds since
// 1904-01-01 as the player counts them, 0 for never (see unixTime). The texts
// the song list shows are its lines (see Library::text); the others point into
// its arena, and a missing one has a null pointer.
struct TrackRecord
{
    std::uint64_t dbid = 0;         // database id (0x70)
    std::uint32_t uniqueId = 0;     // the id playlists name the track by (0x10)
    std::uint32_t rating = 0;       // stars x 20 (0x1F), or the player's when it rated the track since
    std::uint32_t size = 0;         // file size in bytes (0x24)
    std::uint32_t lengthMs = 0;     // play length (0x28)
    std::uint32_t trackNumber = 0;  // 0x2C
    std::uint32_t trackCount = 0;   // 0x30
    std::uint32_t year = 0;         // 0x34
    std::uint32_t bitrate = 0;      // kbit/s (0x38)
    std::uint32_t sampleRate = 0;   // Hz, the upper 16 bits of 0x3C
    std::uint32_t playCount = 0;    // 0x50 plus the plays since the last sync
    std::uint32_t lastPlayed = 0;   // 0x58, or the player's last play since the last sync
    std::uint32_t discNumber = 0;   // 0x5C
    std::uint32_t discCount = 0;    // 0x60
    std::uint32_t dateAdded = 0;    // 0x68
    std::uint32_t skipCount = 0;    // 0x9C plus the skips since the last sync
    std::uint32_t lastSkipped = 0;  // 0xA0
    std::uint32_t mediaType = 0;    // 0xD0 (1 audio, 2 video, 4 podcast, ...)
    bool compilation = false;       // 0x1E
    // The texts the song list does not show: album artist, composer, comment and the sort fields.
    static constexpr std::size_t kOwnTexts = 8;
    std::array<const char16_t *, kOwnTexts> text{};
    std::array<std::uint32_t, kOwnTexts> textLength{};

    // A text the song list does not show; a null view when the track has none.
    QStringView ownText(TrackText field) const
    {
        const std::size_t k = ownIndex(field);
        return text[k] ? QStringView(text[k], static_cast<qsizetype>(textLength[k])) : QStringView();
    }
    void setOwnText(TrackText field, QStringView value)
    {
        const std::size_t k = ownIndex(field);
        text[k] = value.utf16();
        textLength[k] = static_cast<std::uint32_t>(value.size());
    }
    // The place of a text the song list does not show among the record's own.
    static std::size_t ownIndex(TrackText field);
};

// Seconds between 1904-01-01 and 1970-01-01.
inline constexpr std::int64_t kMacEpochOffset = 2082844800;
// Unix time of a player date; 0 (never) stays 0.
inline std::int64_t unixTime(std::uint32_t macSeconds)
{
    return macSeconds == 0 ? 0 : std::int64_t{macSeconds} - kMacEpochOffset;
}

// A playlist: its name, whether it is the master playlist (every track) or the
// podcasts list, and its tracks as indices into the library, in play order.
struct Playlist
{
    QStringView name;  // in the song list's arena; null when the playlist has none
    bool master = false;
    bool podcast = false;
    std::vector<std::uint32_t> tracks;
};

// Every field of every track, in database order, and the playlists; filled by
// the database reader in the same pass as the song list, which holds the texts
// (so the library, and every copy of it, lives as long as its iPod). Track i of
// the library is track i of the song list.
class Library
{
public:
    explicit Library(const SongList &songs)
        : m_songs(&songs)
    {}

    qsizetype trackCount() const { return static_cast<qsizetype>(m_tracks.size()); }
    const TrackRecord &track(qsizetype i) const { return m_tracks[static_cast<std::size_t>(i)]; }
    // The text of a field of track i; a null view when the track has none. Of
    // two string records of one kind, the last one's.
    QStringView text(qsizetype i, TrackText field) const;
    const std::vector<Playlist> &playlists() const { return m_playlists; }
    // True when a Play Counts file was found whole and its plays merged in.
    bool playCountsMerged() const { return m_playCountsMerged; }

    // Building, for the reader.
    void reserve(qsizetype tracks) { m_tracks.reserve(static_cast<std::size_t>(tracks)); }
    void append(const TrackRecord &record) { m_tracks.push_back(record); }
    TrackRecord &trackToChange(qsizetype i) { return m_tracks[static_cast<std::size_t>(i)]; }
    void setPlaylists(std::vector<Playlist> playlists) { m_playlists = std::move(playlists); }
    void setPlayCountsMerged() { m_playCountsMerged = true; }

private:
    const SongList *m_songs;
    std::vector<TrackRecord, BulkAllocator<TrackRecord>> m_tracks;
    std::vector<Playlist> m_playlists;
    bool m_playCountsMerged = false;
};
