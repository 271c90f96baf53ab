#include "core/device/iPod.h"

#include "core/common/AppInfo.h"
#include "core/common/PlayerPath.h"
#include "core/device/CompressedSource.h"
#include "core/device/DatabaseSource.h"

#include <QFileInfo>
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

// Room reserved ahead for tracks at most; a larger list grows as it is read.
constexpr qint64 kMaxReservedTracks = qint64{1} << 20;

// A string is kept up to this many bytes; no title comes near it.
constexpr qint64 kMaxStringBytes = qint64{64} << 10;

// What a read costs in memory, counted against the byte budget: a track's facts and line start
// plus the eight cells of the grid row that shows it; a line plus the text of its grid cell;
// a character, kept in the song list and copied into the grid.
constexpr qint64 kTrackCost = 16 + 8 * 32;
constexpr qint64 kLineCost = 16 + 32;
constexpr qint64 kCharCost = 4;

constexpr std::uint32_t kTrackListType = 1;
constexpr std::uint32_t kUtf8Encoding = 2;

enum StringType : std::uint32_t { Title = 1, Location = 2, Album = 3, Artist = 4, Genre = 5, FileType = 6 };

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
class ChunkBuffer
{
public:
    ChunkBuffer(DatabaseSource &source, qint64 chunkBytes)
        : m_source(source)
        , m_chunk(std::max<qint64>(chunkBytes, 1))
    {}

    // The n bytes at pos, or nothing when the data ends before pos + n. Bytes before
    // pos may be dropped: positions asked for never go backwards.
    const unsigned char *get(qint64 pos, qint64 n)
    {
        if (pos >= m_start && n <= m_start + m_length - pos)
            return m_bytes.get() + (pos - m_start);
        return fill(pos, n);
    }
    // True when the data reaches pos (holds at least pos bytes).
    bool reaches(qint64 pos) { return get(pos, 0) != nullptr; }
    qint64 sizeBound() const { return m_source.sizeBound(); }
    // True when the data can hold n bytes at pos; the source hears of it when not.
    bool fits(qint64 pos, qint64 n)
    {
        if (pos >= 0 && pos <= sizeBound() && n <= sizeBound() - pos)
            return true;
        m_source.pastBound();
        return false;
    }

private:
    const unsigned char *fill(qint64 pos, qint64 n)
    {
        if (pos < m_start || !fits(pos, n))
            return nullptr;
        const qint64 end = m_start + m_length;
        if (pos >= end) {
            if (!m_source.skip(pos - end))
                return nullptr;
            m_length = 0;
        } else {
            m_length = end - pos;
            std::memmove(m_bytes.get(), m_bytes.get() + (pos - m_start), static_cast<std::size_t>(m_length));
        }
        m_start = pos;
        const qint64 capacity = std::max(n, m_chunk);
        if (capacity > m_capacity) {
            auto grown = std::make_unique_for_overwrite<unsigned char[]>(static_cast<std::size_t>(capacity));
            if (m_length > 0)
                std::memcpy(grown.get(), m_bytes.get(), static_cast<std::size_t>(m_length));
            m_bytes = std::move(grown);
            m_capacity = capacity;
        }
        while (m_length < n) {
            const qint64 got = m_source.read(reinterpret_cast<char *>(m_bytes.get()) + m_length, m_capacity - m_length);
            if (got <= 0)
                return nullptr;
            m_length += got;
        }
        return m_bytes.get();
    }

    DatabaseSource &m_source;
    qint64 m_chunk;
    std::unique_ptr<unsigned char[]> m_bytes;
    qint64 m_capacity = 0;
    qint64 m_start = 0;   // position of m_bytes[0] in the data
    qint64 m_length = 0;  // bytes held from m_start on
};

}  // namespace

QString lengthText(std::uint32_t milliseconds)
{
    return secondsText(roundedSeconds(milliseconds));
}

std::uint32_t getlong(const unsigned char *bytes)
{
    return qFromLittleEndian<std::uint32_t>(bytes);
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
    Reader(iPod &pod, DatabaseSource &source, qint64 chunkBytes, const Yield &yield)
        : m_pod(pod)
        , m_list(pod.m_songList)
        , m_bytes(source, chunkBytes)
        , m_yield(yield)
        , m_budget(pod.m_byteBudget)
    {}

    ReadOutcome run()
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
        m_pod.m_tracks.reserve(m_pod.m_tracks.size() + static_cast<std::size_t>(room));
        const qint64 lineRoom = std::min((m_bytes.sizeBound() - m_pos) / kStringHeader, m_budget / kLineCost);
        m_list.reserve(m_list.count() + std::min(room * 8, lineRoom), m_list.trackCount() + room);

        for (m_pod.m_songindex = 1; m_pod.m_songindex <= m_pod.m_songtotal; ++m_pod.m_songindex) {
            if (!readsong())
                return ReadOutcome::Stopped;
            if (m_pod.m_songindex % 100 == 0 && m_yield)
                m_yield();
        }
        m_pod.m_dbloaded = true;
        return ReadOutcome::Complete;
    }

    // Why run() stopped, after the name of what was read.
    QString whatWentWrong(const DatabaseSource &source) const
    {
        if (!source.failure().isEmpty())
            return QStringLiteral("cannot be read: %1").arg(source.failure());
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
            if (getlong(set + 12) == kTrackListType)
                return pos + headerLength;
            const qint64 total = getlong(set + 8);
            if (total < headerLength) {
                m_fault = Fault::Damaged;
                return std::nullopt;
            }
            pos += total;
        }
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
        const TrackFacts facts{roundedSeconds(getlong(track + 40)), getlong(track + 44)};

        // The track number line is paid for with the track.
        if (!spend(kTrackCost + (facts.tracknumber != 0 ? kLineCost : 0)))
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
            const std::uint32_t type = getlong(r + 12);
            if (type >= Title && type <= FileType && total >= kStringHeader
                && !readString(pos, total, type, facts.seconds))
                return dropTrack(Fault::TooLarge);
            pos += total;
        }
        if (!m_bytes.reaches(pos))
            return dropTrack(Fault::Ends);
        if (facts.tracknumber != 0)
            m_list.appendLine(SongField::TrackNumber, shared(m_numbers, facts.tracknumber, numberText));
        m_pod.m_tracks.push_back(facts);
        m_pos = pos;
        return true;
    }

    // Appends the line(s) of the string record at pos. A string that does not fit its
    // record is left out; the track keeps its other strings. A string longer than
    // kMaxStringBytes is cut to that, on a character boundary. False when the budget ends.
    bool readString(qint64 pos, qint64 total, std::uint32_t type, std::uint32_t seconds)
    {
        const unsigned char *r = m_bytes.get(pos, kStringHeader);
        if (!r)
            return true;
        const bool utf8 = getlong(r + 24) == kUtf8Encoding;
        const qint64 claimed = getlong(r + 28);
        if (claimed > total - kStringHeader)
            return true;
        qint64 length = std::min(claimed, kMaxStringBytes);
        if (!spend((type == Title ? 2 : 1) * kLineCost + length * kCharCost))
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

        static constexpr std::array<SongField, 7> kFields{SongField::Title,   SongField::Title,  SongField::File,
                                                          SongField::Album,   SongField::Artist, SongField::Genre,
                                                          SongField::FileType};
        const SongField field = kFields[type];
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
        m_list.appendLine(field, keepShared(field, QStringView(to, chars)));
        if (type == Title)
            m_list.appendLine(SongField::Length, shared(m_lengths, seconds, secondsText));
        return true;
    }

    // The text just written at the arena's end, kept once: a track whose text of the
    // same kind equals the track's before (the same album, artist, genre, file type)
    // shares it.
    QStringView keepShared(SongField field, QStringView written)
    {
        QStringView &previous = m_previous[static_cast<std::size_t>(field)];
        if (!previous.isNull() && previous == written)
            return previous;
        previous = m_list.keepWritten(written.size());
        return previous;
    }

    // Length and track number texts are kept once per value.
    template <typename Make>
    QStringView shared(std::unordered_map<std::uint32_t, QStringView> &texts, std::uint32_t key, Make make)
    {
        auto found = texts.find(key);
        if (found == texts.end())
            found = texts.emplace(key, m_list.keep(make(key))).first;
        return found->second;
    }

    iPod &m_pod;
    SongList &m_list;
    ChunkBuffer m_bytes;
    const Yield &m_yield;
    qint64 m_pos = 0;
    Fault m_fault = Fault::None;
    qint64 m_budget;  // bytes the read may still cost
    bool m_pastHeader = false;
    QStringDecoder m_utf8{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
    std::array<QStringView, 8> m_previous{};
    std::unordered_map<std::uint32_t, QStringView> m_lengths;  // by whole seconds
    std::unordered_map<std::uint32_t, QStringView> m_numbers;  // track number texts
};

iPod::ReadOutcome iPod::readitunesdb(const PlayerLocator &locate, const Yield &yield)
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
    return readFrom(*file, form, path, yield, kChunkBytes);
}

iPod::ReadOutcome iPod::readDatabase(QByteArrayView bytes, const Yield &yield, qint64 chunkBytes, DatabaseForm form)
{
    if (m_dbloaded)
        return ReadOutcome::AlreadyLoaded;
    m_errorText.clear();
    MemorySource source(bytes, chunkBytes);
    return readFrom(source, form, QStringLiteral("the track database"), yield, chunkBytes);
}

iPod::ReadOutcome iPod::readFrom(DatabaseSource &source, DatabaseForm form, const QString &name, const Yield &yield,
                                 qint64 chunkBytes)
{
    std::optional<CompressedSource> inflated;
    if (form == DatabaseForm::Compressed)
        inflated.emplace(source);
    DatabaseSource &bytes = inflated ? static_cast<DatabaseSource &>(*inflated) : source;
    Reader reader(*this, bytes, chunkBytes, yield);
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
        m_tracks = {};
        m_songList = SongList();
        m_errorText = name + QLatin1Char(' ') + Reader::tooLarge();
    } else if (outcome != ReadOutcome::Complete) {
        m_errorText = name + QLatin1Char(' ') + reader.whatWentWrong(bytes);
    }
    return outcome;
}

songinfo iPod::song(qsizetype track) const
{
    const TrackFacts &facts = m_tracks[static_cast<std::size_t>(track)];
    songinfo info;
    info.length = secondsText(facts.seconds);
    info.tracknumber = facts.tracknumber;
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
    return m_tracks.empty() ? 0 : static_cast<int>(m_tracks.size()) - 1;
}
