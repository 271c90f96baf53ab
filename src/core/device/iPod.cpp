#include "core/device/iPod.h"

#include "core/common/AppInfo.h"
#include "core/common/PlayerPath.h"
#include "core/device/CompressedSource.h"
#include "core/device/DatabaseSource.h"
#include "core/device/ReadAhead.h"
#include "core/library/PlayCounts.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <unordered_map>

namespace {

// Byte counts that a record must at least span so that every field read from it lies inside it.
constexpr qint64 kDatabaseHeaderMin = 8;    // tag, header length
constexpr qint64 kDataSetHeaderMin = 16;    // ..., total length, type
constexpr qint64 kTrackListHeaderMin = 12;  // ..., number of tracks
constexpr qint64 kTrackHeaderMin = 48;      // ..., play length at 40, track number at 44
constexpr qint64 kStringRecordMin = 16;     // ..., total length, type
constexpr qint64 kStringHeader = 40;        // the string itself starts here
constexpr qint64 kTrackFieldsEnd = 0xD4;    // one past the last track field the library takes
constexpr qint64 kPlaylistSetMin = 12;      // playlist list: tag, header length, number of playlists
constexpr qint64 kPlaylistMin = 48;         // playlist: ..., item count at 16, type at 20, podcast flag at 42
constexpr qint64 kItemMin = 28;             // playlist item: ..., unique id at 24
constexpr qint64 kPositionRecordMin = 28;   // an item's position record: ..., position at 24

// Room reserved ahead for tracks at most; a larger list grows as it is read.
constexpr qint64 kMaxReservedTracks = qint64{1} << 20;

// A string is kept up to this many bytes; no title comes near it.
constexpr qint64 kMaxStringBytes = qint64{64} << 10;

// What a read costs in memory, counted against the byte budget: a track's line start and bookkeeping
// plus the eight cells of the grid row that shows it; a line plus the text of its grid cell;
// a character, kept in the song list and copied into the grid.
constexpr qint64 kTrackCost = 16 + 8 * 32;
constexpr qint64 kLineCost = 16 + 32;
constexpr qint64 kCharCost = 4;
// A track's record in the library; a playlist item while it is read and once resolved.
constexpr qint64 kRecordCost = sizeof(TrackRecord);
constexpr qint64 kItemCost = 12;

constexpr std::uint32_t kTrackListType = 1;
constexpr std::uint32_t kPlaylistsType = 2;
constexpr std::uint32_t kPodcastPlaylistsType = 3;  // the playlists again, podcasts grouped: preferred
constexpr std::uint32_t kUtf8Encoding = 2;
constexpr std::uint32_t kPositionRecordType = 100;

enum StringType : std::uint32_t { Title = 1, Location = 2, Album = 3, Artist = 4, Genre = 5, FileType = 6 };

// What a string record of a track holds: the library's text and, for the six
// kinds the song list shows, the song list's line kind.
struct StringKind
{
    std::optional<SongField> line;
    TrackText text;
};

std::optional<StringKind> stringKind(std::uint32_t type)
{
    const auto kind = [](TrackText text) { return StringKind{songListField(text), text}; };
    switch (type) {
    case Title: return kind(TrackText::Title);
    case Location: return kind(TrackText::Location);
    case Album: return kind(TrackText::Album);
    case Artist: return kind(TrackText::Artist);
    case Genre: return kind(TrackText::Genre);
    case FileType: return kind(TrackText::FileType);
    case 8: return kind(TrackText::Comment);
    case 12: return kind(TrackText::Composer);
    case 22: return kind(TrackText::AlbumArtist);
    case 23: return kind(TrackText::SortArtist);
    case 27: return kind(TrackText::SortTitle);
    case 28: return kind(TrackText::SortAlbum);
    case 29: return kind(TrackText::SortAlbumArtist);
    case 30: return kind(TrackText::SortComposer);
    default: return std::nullopt;
    }
}

// The numbers of a track record, each read only when the record's header covers it.
TrackRecord trackNumbers(const unsigned char *t, qint64 header)
{
    const auto u32 = [&](qint64 at) { return at + 4 <= header ? getlong(t + at) : 0; };
    const auto u8 = [&](qint64 at) { return at < header ? t[at] : std::uint8_t{0}; };
    TrackRecord r;
    r.uniqueId = u32(0x10);
    r.compilation = u8(0x1E) != 0;
    r.rating = u8(0x1F);
    r.size = u32(0x24);
    r.lengthMs = u32(0x28);
    r.trackNumber = u32(0x2C);
    r.trackCount = u32(0x30);
    r.year = u32(0x34);
    r.bitrate = u32(0x38);
    r.sampleRate = u32(0x3C) >> 16;
    r.playCount = u32(0x50);
    r.lastPlayed = u32(0x58);
    r.discNumber = u32(0x5C);
    r.discCount = u32(0x60);
    r.dateAdded = u32(0x68);
    r.dbid = 0x70 + 8 <= header ? qFromLittleEndian<std::uint64_t>(t + 0x70) : 0;
    r.skipCount = u32(0x9C);
    r.lastSkipped = u32(0xA0);
    r.mediaType = u32(0xD0);
    return r;
}

// A playlist as its records give it: items by unique id, with their position
// records' values where every item has one.
struct ReadPlaylist
{
    Playlist playlist;
    std::vector<std::uint32_t> ids;
    std::vector<std::uint32_t> positions;
    bool everyPosition = true;
};

// The playlists with their items turned into library indices. Items follow
// their position values when every item has one (equal values in file order),
// else the order of the file: old databases give no positions, and their items
// are still the playlist's. An item naming a unique id no track has is left
// out; of tracks sharing an id the last one is named.
// Finds tracks by unique id. Players number their tracks densely, so a table
// over the ids' range answers at once; ids spread wider are looked up in a
// sorted list. Of tracks sharing an id the last one is found.
class TrackIds
{
public:
    explicit TrackIds(const Library &library)
    {
        const auto count = static_cast<std::size_t>(library.trackCount());
        std::uint32_t low = ~std::uint32_t{0}, high = 0;
        for (qsizetype i = 0; i < library.trackCount(); ++i) {
            low = std::min(low, library.track(i).uniqueId);
            high = std::max(high, library.track(i).uniqueId);
        }
        if (count > 0 && std::uint64_t{high} - low < 4 * std::uint64_t{count} + 1024) {
            m_low = low;
            m_table.assign(std::size_t{high} - low + 1, kNone);
            for (std::size_t i = 0; i < count; ++i)
                m_table[library.track(static_cast<qsizetype>(i)).uniqueId - low] = static_cast<std::uint32_t>(i);
            return;
        }
        m_sorted.reserve(count);
        for (std::size_t i = 0; i < count; ++i)
            m_sorted.emplace_back(library.track(static_cast<qsizetype>(i)).uniqueId, static_cast<std::uint32_t>(i));
        std::sort(m_sorted.begin(), m_sorted.end());
    }

    // The index of the track with the id, or nothing.
    std::optional<std::uint32_t> find(std::uint32_t id) const
    {
        if (!m_table.empty()) {
            if (id < m_low || id - m_low >= m_table.size() || m_table[id - m_low] == kNone)
                return std::nullopt;
            return m_table[id - m_low];
        }
        const auto after = std::upper_bound(m_sorted.begin(), m_sorted.end(), std::pair{id, kNone});
        if (after == m_sorted.begin() || std::prev(after)->first != id)
            return std::nullopt;
        return std::prev(after)->second;
    }

private:
    static constexpr std::uint32_t kNone = ~std::uint32_t{0};
    std::uint32_t m_low = 0;
    std::vector<std::uint32_t> m_table;                             // index by id - m_low
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_sorted;  // (unique id, index)
};

std::vector<Playlist> resolvePlaylists(std::vector<ReadPlaylist> read, const Library &library)
{
    const TrackIds ids(library);
    std::vector<Playlist> playlists;
    playlists.reserve(read.size());
    for (ReadPlaylist &r : read) {
        std::vector<std::size_t> order(r.ids.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        // Players write the positions in order: then there is nothing to sort.
        if (r.everyPosition && !std::is_sorted(r.positions.begin(), r.positions.end()))
            std::stable_sort(order.begin(), order.end(),
                             [&](std::size_t a, std::size_t b) { return r.positions[a] < r.positions[b]; });
        r.playlist.tracks.reserve(order.size());
        for (const std::size_t i : order) {
            if (const std::optional<std::uint32_t> track = ids.find(r.ids[i]))
                r.playlist.tracks.push_back(*track);
        }
        playlists.push_back(std::move(r.playlist));
    }
    return playlists;
}

// Whole seconds of a play length, halves rounded to the even number.
std::uint32_t roundedSeconds(std::uint32_t milliseconds)
{
    std::uint32_t seconds = milliseconds / 1000;
    const std::uint32_t rest = milliseconds % 1000;
    if (rest > 500 || (rest == 500 && seconds % 2 == 1))
        ++seconds;
    return seconds;
}

QString secondsText(std::uint32_t seconds)
{
    const std::uint32_t part = seconds % 60;
    QString text = QString::number(seconds / 60);
    text += QLatin1Char(':');
    if (part < 10)
        text += QLatin1Char('0');
    text += QString::number(part);
    return text;
}

QString numberText(std::uint32_t number)
{
    return signBlank(number);
}

// Why a read ended early.
enum class Fault { None, Damaged, Ends, TooLarge };

// The database bytes seen through a window that slides forward over the source:
// only the bytes of the records being read are held, never the whole file.
//
// Given a ReadAhead, the next piece of the source is read on its thread while
// the parser works on the window: into a second buffer, after room for the tail
// of the window that a record straddles, so that moving on costs a copy of that
// tail only. The source is touched by one thread at a time: the parser's thread
// waits for the piece before it asks the source for anything. A failure met
// while reading ahead counts only once the parser needs the bytes behind it.
class ChunkBuffer
{
public:
    ChunkBuffer(DatabaseSource &source, qint64 chunkBytes)
        : m_source(source)
        , m_chunk(std::max<qint64>(chunkBytes, 1))
        , m_room(std::min(m_chunk, kTailRoom))
        , m_bound(source.sizeBound())
    {}
    ~ChunkBuffer() { readAheadOn(nullptr); }
    ChunkBuffer(const ChunkBuffer &) = delete;
    ChunkBuffer &operator=(const ChunkBuffer &) = delete;

    // The n bytes at pos, or nothing when the data ends before pos + n. Bytes before
    // pos may be dropped: positions asked for never go backwards.
    const unsigned char *get(qint64 pos, qint64 n)
    {
        if (pos >= m_start && n <= m_start + m_length - pos)
            return m_data + (pos - m_start);
        return fill(pos, n);
    }
    // True when the data reaches pos (holds at least pos bytes).
    bool reaches(qint64 pos) { return get(pos, 0) != nullptr; }
    qint64 sizeBound() const { return m_bound; }
    // True when the data can hold n bytes at pos; the source hears of it when not.
    bool fits(qint64 pos, qint64 n)
    {
        if (pos >= 0 && pos <= sizeBound() && n <= sizeBound() - pos)
            return true;
        settle();
        m_source.pastBound();
        m_failureMet = true;
        return false;
    }
    // From now on the next piece is read on `ahead`; nullptr stops that, once the
    // piece being read is in. Never throws: a piece that failed is dropped.
    void readAheadOn(ReadAhead *ahead) noexcept
    {
        try {
            settle();
        } catch (...) {
            m_aheadLength = 0;
            m_state = State::Failed;
        }
        m_ahead = ahead;
    }
    // Why reading the source failed, once the read needed the bytes it failed on.
    QString failure() const { return m_failureMet ? m_source.failure() : QString(); }

private:
    // What the source said last: it may have more, it ended, or reading it failed.
    enum class State { More, Ended, Failed };
    struct Buffer
    {
        std::unique_ptr<unsigned char[]> bytes;
        qint64 capacity = 0;
    };
    // Room kept in front of a piece read ahead for the window's tail: a record
    // that straddles the windows' edge is rarely longer than a string is kept.
    static constexpr qint64 kTailRoom = kMaxStringBytes;

    const unsigned char *fill(qint64 pos, qint64 n)
    {
        if (pos < m_start || !fits(pos, n))
            return nullptr;
        settle();
        if (!m_window.bytes) {
            m_window = newBuffer(m_chunk);
            m_data = m_window.bytes.get();
        }
        if (!moveTo(pos))
            return nullptr;
        while (m_length < n) {
            if (m_state != State::More) {
                m_failureMet = true;
                return nullptr;
            }
            makeRoom(n);
            const qint64 free = m_window.capacity - (m_data - m_window.bytes.get()) - m_length;
            const qint64 got = m_source.read(reinterpret_cast<char *>(m_data) + m_length, free);
            if (got <= 0)
                m_state = got < 0 ? State::Failed : State::Ended;
            else
                m_length += got;
        }
        startReadingAhead();
        return m_data;
    }

    // Moves the window's start to pos, taking in the piece read ahead; false when
    // the source could not pass over the bytes before pos.
    bool moveTo(qint64 pos)
    {
        const qint64 end = m_start + m_length;
        const qint64 aheadEnd = end + m_aheadLength;
        const qint64 ahead = std::exchange(m_aheadLength, 0);
        if (pos >= aheadEnd) {
            m_start = pos;
            m_length = 0;
            m_data = m_window.bytes.get();
            if (pos == aheadEnd)
                return true;
            if (!m_source.skip(pos - aheadEnd)) {
                m_failureMet = true;
                return false;
            }
            m_state = State::More;
            return true;
        }
        const qint64 tail = std::max<qint64>(end - pos, 0);
        const unsigned char *from = m_data + (pos - m_start);
        if (ahead > 0 && tail <= m_room) {
            // The usual case: the piece becomes the window, the tail copied in front of it.
            unsigned char *to = m_spare.bytes.get() + m_room - tail;
            if (tail > 0)
                std::memcpy(to, from, static_cast<std::size_t>(tail));
            std::swap(m_window, m_spare);
            m_data = to + (pos > end ? pos - end : 0);
            m_length = aheadEnd - pos;
        } else {
            // A long tail stays where it is, and the piece is copied after it.
            std::memmove(m_window.bytes.get(), from, static_cast<std::size_t>(tail));
            m_data = m_window.bytes.get();
            m_length = tail;
            makeRoom(tail + ahead);
            if (ahead > 0)
                std::memcpy(m_data + tail, m_spare.bytes.get() + m_room, static_cast<std::size_t>(ahead));
            m_length += ahead;
        }
        m_start = pos;
        return true;
    }

    // Makes the window's buffer hold n bytes from m_data on.
    void makeRoom(qint64 n)
    {
        const qint64 offset = m_data - m_window.bytes.get();
        if (offset + n <= m_window.capacity)
            return;
        if (n <= m_window.capacity) {
            std::memmove(m_window.bytes.get(), m_data, static_cast<std::size_t>(m_length));
        } else {
            Buffer grown = newBuffer(std::max(n, m_chunk));
            if (m_length > 0)
                std::memcpy(grown.bytes.get(), m_data, static_cast<std::size_t>(m_length));
            m_window = std::move(grown);
        }
        m_data = m_window.bytes.get();
    }

    Buffer newBuffer(qint64 bytes) const
    {
        const qint64 capacity = bytes + m_room;
        return Buffer{std::make_unique_for_overwrite<unsigned char[]>(static_cast<std::size_t>(capacity)), capacity};
    }

    // Has the piece after the window read on the other thread, into the spare
    // buffer after its room for the tail.
    void startReadingAhead()
    {
        if (!m_ahead || m_state != State::More)
            return;
        if (!m_spare.bytes)
            m_spare = newBuffer(m_chunk);
        m_reading = m_ahead->post([this] {
            char *to = reinterpret_cast<char *>(m_spare.bytes.get() + m_room);
            qint64 length = 0;
            while (length < m_chunk) {
                const qint64 got = m_source.read(to + length, m_chunk - length);
                if (got <= 0) {
                    m_state = got < 0 ? State::Failed : State::Ended;
                    break;
                }
                length += got;
            }
            m_aheadLength = length;
        });
        m_pending = true;
    }

    // Waits for the piece being read ahead.
    void settle()
    {
        if (std::exchange(m_pending, false))
            m_ahead->wait(m_reading);
    }

    DatabaseSource &m_source;
    qint64 m_chunk;
    qint64 m_room;   // bytes in front of a piece read ahead
    qint64 m_bound;  // the source's size bound, which does not change while it is read
    Buffer m_window;
    unsigned char *m_data = nullptr;  // the window's first byte, in m_window
    qint64 m_start = 0;               // position of m_data[0] in the data
    qint64 m_length = 0;              // bytes held from m_start on
    State m_state = State::More;
    bool m_failureMet = false;
    // Reading ahead. While a piece is pending, the other thread owns the source,
    // m_spare, m_aheadLength and m_state; the parser's thread waits before it
    // touches them.
    ReadAhead *m_ahead = nullptr;
    Buffer m_spare;
    qint64 m_aheadLength = 0;  // bytes read ahead, after m_room in m_spare: the data from m_start + m_length on
    ReadAhead::Ticket m_reading = 0;
    bool m_pending = false;
};

}  // namespace

QString lengthText(std::uint32_t milliseconds)
{
    return secondsText(roundedSeconds(milliseconds));
}

QString itunesDbPath(const QString &poddrive)
{
    return playerPath(poddrive, QStringLiteral("\\iPod_Control\\iTunes\\iTunesDB"));
}

QString itunesCdbPath(const QString &poddrive)
{
    return playerPath(poddrive, QStringLiteral("\\iPod_Control\\iTunes\\iTunesCDB"));
}

QString databaseFile(const QString &poddrive)
{
    const QString plain = itunesDbPath(poddrive);
    const QFileInfo info(plain);
    if (info.isFile() && info.size() > 0)
        return plain;
    const QString compressed = itunesCdbPath(poddrive);
    const QFileInfo compressedInfo(compressed);
    return compressedInfo.exists() || compressedInfo.isSymLink() ? compressed : plain;
}

bool holdsDatabase(const QString &poddrive)
{
    const QFileInfo plain(itunesDbPath(poddrive));
    return (plain.isFile() && plain.size() > 0) || QFileInfo(itunesCdbPath(poddrive)).isFile();
}

// One pass over the database, appending whole tracks to the pod's song list.
class iPod::Reader
{
public:
    Reader(iPod &pod, DatabaseSource &source, qint64 chunkBytes, ProgressSink &progress)
        : m_pod(pod)
        , m_list(pod.m_songList)
        , m_bytes(source, chunkBytes)
        , m_progress(progress)
        , m_budget(pod.m_byteBudget)
    {}

    // The parse runs here; the other core reads the file ahead of it and faults in the
    // memory it is about to fill. Every way out waits for that thread's work to end.
    ReadOutcome run()
    {
        const auto noBlockAhead = qScopeGuard([&] { m_list.keepBlockAhead(false); });
        ReadAhead ahead;
        const auto stopReading = qScopeGuard([&] { m_bytes.readAheadOn(nullptr); });
        m_bytes.readAheadOn(&ahead);
        m_list.keepBlockAhead(true);
        const FreshBulkWatch prefault([&ahead](void *memory, std::size_t bytes) {
            // In slices, so that reading the next piece never waits long behind them.
            constexpr std::size_t kSlice = std::size_t{2} << 20;
            for (std::size_t at = 0; at < bytes; at += kSlice) {
                char *slice = static_cast<char *>(memory) + at;
                ahead.postBackground([slice, size = std::min(kSlice, bytes - at)] { prefaultBulk(slice, size); });
            }
        });
        return readAll();
    }

private:
    ReadOutcome readAll()
    {
        const std::optional<qint64> trackList = findTrackList();
        if (!trackList)
            return ReadOutcome::Stopped;
        m_pos = *trackList;
        const unsigned char *list = record(m_pos, "mhlt", kTrackListHeaderMin);
        if (!list)
            return ReadOutcome::Stopped;
        m_pod.m_songtotal = getlong(list + 8);
        m_pos += getlong(list + 4);

        // The count comes from the file: reserve no more than the bytes left can hold.
        const qint64 room = std::min<qint64>({m_pod.m_songtotal, (m_bytes.sizeBound() - m_pos) / kTrackHeaderMin,
                                              m_budget / kTrackCost, kMaxReservedTracks});
        const qint64 lineRoom = std::min((m_bytes.sizeBound() - m_pos) / kStringHeader, m_budget / kLineCost);
        m_list.reserve(m_list.count() + std::min(room * 8, lineRoom), m_list.trackCount() + room);

        m_pod.m_library.reserve(m_pod.m_library.trackCount() + room);

        for (m_pod.m_songindex = 1; m_pod.m_songindex <= m_pod.m_songtotal; ++m_pod.m_songindex) {
            if (!readsong())
                return ReadOutcome::Stopped;
            if (m_pod.m_songindex % 100 == 0)
                m_progress.yield();
        }
        m_pod.m_dbloaded = true;
        readLaterDataSets();
        // Playlists past the budget are left out; the songs read stay.
        if (m_fault == Fault::TooLarge) {
            m_playlists.clear();
            m_fault = Fault::None;
        }
        m_pod.m_library.setPlaylists(resolvePlaylists(std::move(m_playlists), m_pod.m_library));
        return ReadOutcome::Complete;
    }

public:
    // Why run() stopped, after the name of what was read.
    QString whatWentWrong(const DatabaseSource &source) const
    {
        if (const QString failure = m_bytes.failure(); !failure.isEmpty())
            return QStringLiteral("cannot be read: %1").arg(failure);
        if (m_pod.m_songindex == 0) {
            if (source.sizeBound() == 0)
                return QStringLiteral("is empty");
            if (!m_pastHeader)
                return QStringLiteral("is not a track database");
            return QStringLiteral("is damaged: its track list cannot be found");
        }
        const QString where =
            m_fault == Fault::Ends ? QStringLiteral("ends inside track %1") : QStringLiteral("is damaged at track %1");
        return where.arg(m_pod.m_songindex)
            + QStringLiteral(": only %1 of %2 songs were read").arg(m_pod.songsstored()).arg(m_pod.m_songtotal);
    }

    static QString tooLarge() { return QStringLiteral("is too large to read"); }
    bool passedBudget() const { return m_fault == Fault::TooLarge; }

private:
    // Counts bytes against the budget; false once the read would pass it.
    bool spend(qint64 bytes)
    {
        m_budget -= bytes;
        if (m_budget >= 0)
            return true;
        m_fault = Fault::TooLarge;
        return false;
    }

    // The first bytes of the record with the given tag at pos, at least minLength of them,
    // when its header length (offset 4) is at least minLength and lies inside the data.
    const unsigned char *record(qint64 pos, const char (&tag)[5], qint64 minLength)
    {
        const unsigned char *p = m_bytes.get(pos, minLength);
        if (!p)
            return failed(Fault::Ends);
        if (std::memcmp(p, tag, 4) != 0 || getlong(p + 4) < minLength)
            return failed(Fault::Damaged);
        if (!m_bytes.fits(pos, getlong(p + 4)))
            return failed(Fault::Ends);
        return p;
    }
    const unsigned char *failed(Fault fault)
    {
        m_fault = fault;
        return nullptr;
    }

    // The track list: the first data set of type 1, after the database header.
    std::optional<qint64> findTrackList()
    {
        const unsigned char *header = record(0, "mhbd", kDatabaseHeaderMin);
        if (!header)
            return std::nullopt;
        m_pastHeader = true;
        qint64 pos = getlong(header + 4);
        for (;;) {
            const unsigned char *set = record(pos, "mhsd", kDataSetHeaderMin);
            if (!set)
                return std::nullopt;
            const qint64 headerLength = getlong(set + 4);
            const std::uint32_t type = getlong(set + 12);
            const qint64 total = getlong(set + 8);
            if (type == kTrackListType) {
                m_nextSet = total >= headerLength ? pos + total : -1;
                return pos + headerLength;
            }
            if (total < headerLength) {
                m_fault = Fault::Damaged;
                return std::nullopt;
            }
            readPlaylistSet(pos + headerLength, type);
            pos += total;
        }
    }

    // The data sets after the track list, for their playlists, until the data
    // ends or a data set is damaged; the tracks read stay as they are.
    void readLaterDataSets()
    {
        qint64 pos = m_nextSet;
        // The header's own bytes are asked for: asking whether the data reaches
        // its end would let the window pass over them.
        while (pos > 0 && m_bytes.get(pos, kDataSetHeaderMin)) {
            const unsigned char *set = record(pos, "mhsd", kDataSetHeaderMin);
            if (!set)
                return;
            const qint64 headerLength = getlong(set + 4);
            const std::uint32_t type = getlong(set + 12);
            const qint64 total = getlong(set + 8);
            if (total < headerLength)
                return;
            readPlaylistSet(pos + headerLength, type);
            pos += total;
        }
    }

    // Reads the playlist list at pos when the data set is one to take: the one of
    // type 3 when the database has it, else the one of type 2. A playlist that
    // ends at a bad record ends the list; the playlists before it stay.
    void readPlaylistSet(qint64 pos, std::uint32_t type)
    {
        if (type != kPodcastPlaylistsType && (type != kPlaylistsType || m_tookPodcastSet))
            return;
        m_tookPodcastSet = type == kPodcastPlaylistsType;
        m_playlists.clear();
        const unsigned char *list = record(pos, "mhlp", kPlaylistSetMin);
        if (!list)
            return;
        const std::uint32_t count = getlong(list + 8);
        pos += getlong(list + 4);
        for (std::uint32_t i = 0; i < count; ++i) {
            ReadPlaylist playlist;
            const qint64 next = readPlaylist(pos, playlist);
            if (next <= pos)
                return;
            m_playlists.push_back(std::move(playlist));
            pos = next;
        }
    }

    // Reads the playlist record at pos with its items; where the next one begins,
    // or -1 when a record is damaged or the data ends.
    qint64 readPlaylist(qint64 pos, ReadPlaylist &out)
    {
        const unsigned char *p = record(pos, "mhyp", kPlaylistMin);
        if (!p)
            return -1;
        const qint64 header = getlong(p + 4);
        const qint64 total = getlong(p + 8);
        const std::uint32_t records = getlong(p + 12);
        const std::uint32_t items = getlong(p + 16);
        out.playlist.master = p[20] == 1;
        out.playlist.podcast = qFromLittleEndian<std::uint16_t>(p + 42) == 1;
        if (total < header)
            return -1;
        qint64 at = walkSubRecords(pos + header, records, [&](qint64 from, const unsigned char *r, qint64 length) {
            if (getlong(r + 12) != Title || length < kStringHeader)
                return true;
            QStringView name;
            if (!decodeString(from, length, 0, name))
                return false;
            if (!name.isNull())
                out.playlist.name = m_list.keepWritten(name.size());
            return true;
        });
        if (at < 0)
            return -1;
        // The items fit in the data before them: reserve no more than that.
        const qint64 room = std::min<qint64>({items, (m_bytes.sizeBound() - at) / kItemMin, m_budget / kItemCost});
        out.ids.reserve(static_cast<std::size_t>(room));
        out.positions.reserve(static_cast<std::size_t>(room));
        for (std::uint32_t i = 0; i < items; ++i) {
            at = readItem(at, out);
            if (at < 0)
                return -1;
        }
        return pos + total;
    }

    // Reads the playlist item at pos; where the next item begins, or -1.
    qint64 readItem(qint64 pos, ReadPlaylist &out)
    {
        const unsigned char *p = record(pos, "mhip", kItemMin);
        if (!p)
            return -1;
        const qint64 header = getlong(p + 4);
        const qint64 total = getlong(p + 8);
        const std::uint32_t records = getlong(p + 12);
        const std::uint32_t id = getlong(p + 24);
        if (!spend(kItemCost))
            return -1;
        std::optional<std::uint32_t> position;
        const qint64 at =
            walkSubRecords(pos + header, records, [&](qint64 from, const unsigned char *r, qint64 length) {
                if (position || getlong(r + 12) != kPositionRecordType || length < kPositionRecordMin)
                    return true;
                if (const unsigned char *full = m_bytes.get(from, kPositionRecordMin))
                    position = getlong(full + 24);
                return true;
            });
        if (at < 0)
            return -1;
        out.ids.push_back(id);
        out.positions.push_back(position.value_or(0));
        out.everyPosition = out.everyPosition && position.has_value();
        // Older writers set the item's total length to its header length: then
        // the next item follows its records.
        if (total == header && records > 0)
            return at;
        return total >= header ? pos + total : -1;
    }

    // Walks the `count` string-like records from pos, giving each to visit as its
    // position, its first kStringRecordMin bytes and its total length. Where the
    // walk ends, or -1 when a record is not one, does not fit the data, or visit
    // gives false.
    template <typename Visit>
    qint64 walkSubRecords(qint64 pos, std::uint32_t count, Visit visit)
    {
        for (std::uint32_t i = 0; i < count; ++i) {
            const unsigned char *r = m_bytes.get(pos, kStringRecordMin);
            if (!r || std::memcmp(r, "mhod", 4) != 0)
                return -1;
            const qint64 total = getlong(r + 8);
            if (total < kStringRecordMin || !m_bytes.fits(pos, total) || !visit(pos, r, total))
                return -1;
            pos += total;
        }
        return pos;
    }

    // Reads the track record at m_pos and its string records. A whole track is appended to
    // the song list and m_pos moves past it; a track that ends at a bad record leaves no
    // trace and gives false.
    bool readsong()
    {
        const unsigned char *track = record(m_pos, "mhit", kTrackHeaderMin);
        if (!track)
            return false;
        const qint64 header = getlong(track + 4);
        const std::uint32_t strings = getlong(track + 12);
        const std::uint32_t seconds = roundedSeconds(getlong(track + 40));
        const std::uint32_t trackNumber = getlong(track + 44);
        const unsigned char *fields = m_bytes.get(m_pos, std::min(header, kTrackFieldsEnd));
        if (!fields) {
            m_fault = Fault::Ends;
            return false;
        }
        TrackRecord numbers = trackNumbers(fields, header);

        // The track number line is paid for with the track.
        if (!spend(kTrackCost + kRecordCost + (trackNumber != 0 ? kLineCost : 0)))
            return false;
        const SongList::Mark start = m_list.mark();
        const auto dropTrack = [&](Fault fault) {
            m_fault = fault;
            m_list.rollback(start);
            return false;
        };
        m_list.beginTrack();
        qint64 pos = m_pos + header;
        for (std::uint32_t i = 0; i < strings; ++i) {
            // Only a record whose own length is unusable ends the read.
            const unsigned char *r = m_bytes.get(pos, kStringRecordMin);
            const qint64 total = r ? getlong(r + 8) : 0;
            const bool tagged = r && std::memcmp(r, "mhod", 4) == 0 && total >= kStringRecordMin;
            if (!tagged || !m_bytes.fits(pos, total))
                return dropTrack(tagged || !r ? Fault::Ends : Fault::Damaged);
            const std::optional<StringKind> kind = stringKind(getlong(r + 12));
            if (kind && total >= kStringHeader && !readString(pos, total, *kind, seconds, numbers))
                return dropTrack(Fault::TooLarge);
            pos += total;
        }
        if (!m_bytes.reaches(pos))
            return dropTrack(Fault::Ends);
        if (trackNumber != 0)
            m_list.appendLine(SongField::TrackNumber, shared(m_numbers, trackNumber, numberText));
        m_pod.m_library.append(numbers);
        m_pos = pos;
        return true;
    }

    // Keeps the text of the string record at pos: for the song list's kinds as
    // its line(s), where the library finds it too, else in the track's record. A string that does not fit its
    // record is left out; the track keeps its other strings. False when the budget ends.
    bool readString(qint64 pos, qint64 total, const StringKind &kind, std::uint32_t seconds, TrackRecord &record)
    {
        const qint64 lines = !kind.line ? 0 : *kind.line == SongField::Title ? 2 : 1;
        QStringView written;
        if (!decodeString(pos, total, lines * kLineCost, written))
            return false;
        if (written.isNull())
            return true;
        const QStringView kept = keepShared(kind.text, written);
        if (!kind.line) {
            record.setOwnText(kind.text, kept);
            return true;
        }
        m_list.appendLine(*kind.line, kept);
        if (*kind.line == SongField::Title)
            m_list.appendLine(SongField::Length, shared(m_lengths, seconds, secondsText));
        return true;
    }

    // Writes the string of the string record at pos at the arena's end, without
    // keeping it (see SongList::room), into `written`; a null view when it does not
    // fit its record. A string longer than kMaxStringBytes is cut to that, on a
    // character boundary; a location's ':' become backslashes. The string and
    // `extraCost` more are paid for from the budget: false when it ends.
    bool decodeString(qint64 pos, qint64 total, qint64 extraCost, QStringView &written)
    {
        written = {};
        const unsigned char *r = m_bytes.get(pos, kStringHeader);
        if (!r)
            return true;
        const std::uint32_t type = getlong(r + 12);
        const bool utf8 = getlong(r + 24) == kUtf8Encoding;
        const qint64 claimed = getlong(r + 28);
        if (claimed > total - kStringHeader)
            return true;
        qint64 length = std::min(claimed, kMaxStringBytes);
        if (!spend(extraCost + length * kCharCost))
            return false;
        // One byte past a cut shows whether the cut splits a UTF-8 sequence.
        const unsigned char *bytes = m_bytes.get(pos + kStringHeader, length + (length < claimed ? 1 : 0));
        if (!bytes)
            return true;
        if (length < claimed) {
            if (utf8) {
                while (length > 0 && (bytes[length] & 0xC0) == 0x80)
                    --length;
            } else if (QChar::isHighSurrogate(qFromLittleEndian<char16_t>(bytes + length - 2))) {
                length -= 2;
            }
        }
        char16_t *to = m_list.room(utf8 ? m_utf8.requiredSpace(length) : length / 2);
        qsizetype chars = 0;
        if (utf8) {
            const QChar *end = m_utf8.appendToBuffer(reinterpret_cast<QChar *>(to),
                                                     QByteArrayView(reinterpret_cast<const char *>(bytes), length));
            chars = end - reinterpret_cast<QChar *>(to);
        } else {
            chars = length / 2;
            qFromLittleEndian<char16_t>(bytes, chars, to);
        }
        if (type == Location)
            std::replace(to, to + chars, u':', u'\\');
        written = QStringView(to, chars);
        return true;
    }

    // The text just written at the arena's end, kept once: a track whose text of the
    // same kind equals the track's before (the same album, artist, genre, file type)
    // shares it. A title or a location is a track's own, and is kept without looking.
    QStringView keepShared(TrackText field, QStringView written)
    {
        if (field == TrackText::Title || field == TrackText::Location || field == TrackText::SortTitle)
            return m_list.keepWritten(written.size());
        QStringView &previous = m_previous[static_cast<std::size_t>(field)];
        if (!previous.isNull() && previous.size() == written.size()
            && std::memcmp(previous.utf16(), written.utf16(), static_cast<std::size_t>(written.size()) * 2) == 0)
            return previous;
        previous = m_list.keepWritten(written.size());
        return previous;
    }

    // Length and track number texts are kept once per value: the common small
    // values in a table, the others in a map.
    struct SharedTexts
    {
        static constexpr std::uint32_t kTableSize = 4096;
        std::vector<QStringView> table = std::vector<QStringView>(kTableSize);
        std::unordered_map<std::uint32_t, QStringView> others;
    };
    template <typename Make>
    QStringView shared(SharedTexts &texts, std::uint32_t key, Make make)
    {
        if (key < SharedTexts::kTableSize) {
            QStringView &text = texts.table[key];
            if (text.isNull())
                text = m_list.keep(make(key));
            return text;
        }
        auto found = texts.others.find(key);
        if (found == texts.others.end())
            found = texts.others.emplace(key, m_list.keep(make(key))).first;
        return found->second;
    }

    iPod &m_pod;
    SongList &m_list;
    ChunkBuffer m_bytes;
    ProgressSink &m_progress;
    qint64 m_pos = 0;
    Fault m_fault = Fault::None;
    qint64 m_budget;  // bytes the read may still cost
    bool m_pastHeader = false;
    QStringDecoder m_utf8{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
    std::array<QStringView, static_cast<std::size_t>(TrackText::Count)> m_previous{};
    qint64 m_nextSet = -1;  // where the data set after the track list begins
    bool m_tookPodcastSet = false;
    std::vector<ReadPlaylist> m_playlists;
    SharedTexts m_lengths;  // by whole seconds
    SharedTexts m_numbers;  // track number texts
};

iPod::ReadOutcome iPod::readitunesdb(const PlayerLocator &locate, ProgressSink &progress)
{
    if (m_dbloaded)
        return ReadOutcome::AlreadyLoaded;
    m_errorText.clear();
    const std::optional<QString> root = locate ? locate() : std::nullopt;
    if (!root)
        return ReadOutcome::NoPlayer;
    m_poddrive = *root;

    const QString path = databaseFile(m_poddrive);
    const std::unique_ptr<FileSource> file = FileSource::open(path, m_errorText);
    if (!file)
        return ReadOutcome::Stopped;
    const DatabaseForm form = path == itunesCdbPath(m_poddrive) ? DatabaseForm::Compressed : DatabaseForm::Plain;
    const ReadOutcome outcome = readFrom(*file, form, path, progress, kChunkBytes);
    mergePlayCountsFile(m_library, playCountsPath(m_poddrive));
    return outcome;
}

iPod::ReadOutcome iPod::readDatabase(QByteArrayView bytes, ProgressSink &progress, qint64 chunkBytes, DatabaseForm form)
{
    if (m_dbloaded)
        return ReadOutcome::AlreadyLoaded;
    m_errorText.clear();
    MemorySource source(bytes, chunkBytes);
    return readFrom(source, form, QStringLiteral("the track database"), progress, chunkBytes);
}

iPod::ReadOutcome iPod::readFrom(DatabaseSource &source, DatabaseForm form, const QString &name, ProgressSink &progress,
                                 qint64 chunkBytes)
{
    std::optional<CompressedSource> inflated;
    if (form == DatabaseForm::Compressed)
        inflated.emplace(source);
    DatabaseSource &bytes = inflated ? static_cast<DatabaseSource &>(*inflated) : source;
    Reader reader(*this, bytes, chunkBytes, progress);
    ReadOutcome outcome = ReadOutcome::Stopped;
    bool tooLarge = false;
    try {
        outcome = reader.run();
        tooLarge = reader.passedBudget();
    } catch (const std::bad_alloc &) {
        tooLarge = true;
    }
    if (tooLarge) {
        // A database too large to read shows none of its songs, and its memory is given back.
        m_library = Library(m_songList);
        m_songList = SongList();
        m_errorText = name + QLatin1Char(' ') + Reader::tooLarge();
    } else if (outcome != ReadOutcome::Complete) {
        m_errorText = name + QLatin1Char(' ') + reader.whatWentWrong(bytes);
    }
    return outcome;
}

songinfo iPod::song(qsizetype track) const
{
    const TrackRecord &record = m_library.track(track);
    songinfo info;
    info.length = lengthText(record.lengthMs);
    info.tracknumber = record.trackNumber;
    for (qsizetype i = m_songList.trackStart(track); i < m_songList.trackEnd(track); ++i) {
        const SongList::Line line = m_songList.at(i);
        QString *field = nullptr;
        switch (line.field) {
        case SongField::Title: field = &info.title; break;
        case SongField::File: field = &info.file; break;
        case SongField::Album: field = &info.album; break;
        case SongField::Artist: field = &info.artist; break;
        case SongField::Genre: field = &info.genre; break;
        case SongField::FileType: field = &info.filetype; break;
        case SongField::Length:
        case SongField::TrackNumber: break;
        }
        if (field)
            *field = line.value.toString();
    }
    return info;
}

int iPod::lastsongindex() const
{
    return m_library.trackCount() == 0 ? 0 : static_cast<int>(m_library.trackCount()) - 1;
}
