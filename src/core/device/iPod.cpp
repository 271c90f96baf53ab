#include "core/device/iPod.h"

#include "core/common/AppInfo.h"
#include "core/common/PlayerPath.h"

#include <QFile>
#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace {

// Byte counts that a record must at least span so that every field read from it lies inside it.
constexpr qsizetype kDatabaseHeaderMin = 8;    // tag, header length
constexpr qsizetype kDataSetHeaderMin = 16;    // ..., total length, type
constexpr qsizetype kTrackListHeaderMin = 12;  // ..., number of tracks
constexpr qsizetype kTrackHeaderMin = 48;      // ..., play length at 40, track number at 44
constexpr qsizetype kStringRecordMin = 16;     // ..., total length, type
constexpr qsizetype kStringHeader = 40;        // the string itself starts here

constexpr std::uint32_t kTrackListType = 1;
constexpr std::uint32_t kUtf8Encoding = 2;

enum StringType : std::uint32_t { Title = 1, Location = 2, Album = 3, Artist = 4, Genre = 5, FileType = 6 };

// The database bytes with bounds-checked access.
class Bytes
{
public:
    explicit Bytes(QByteArrayView data)
        : m_data(data)
    {}

    qsizetype size() const { return m_data.size(); }
    bool contains(qsizetype pos, qsizetype length) const
    {
        return pos >= 0 && length >= 0 && pos <= size() && length <= size() - pos;
    }
    const unsigned char *at(qsizetype pos) const
    {
        return reinterpret_cast<const unsigned char *>(m_data.data()) + pos;
    }
    std::uint32_t u32(qsizetype pos) const { return getlong(at(pos)); }

    // The length field at lengthOffset of the record with the given tag at pos, when the
    // record is whole: at least minLength bytes long and ending inside the data.
    std::optional<qsizetype> recordLength(qsizetype pos, const char (&tag)[5], qsizetype lengthOffset,
                                          qsizetype minLength) const
    {
        if (!contains(pos, minLength) || std::memcmp(at(pos), tag, 4) != 0)
            return std::nullopt;
        const qsizetype length = u32(pos + lengthOffset);
        if (length < minLength || !contains(pos, length))
            return std::nullopt;
        return length;
    }

private:
    QByteArrayView m_data;
};

}  // namespace

namespace {

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

// One pass over the database bytes, appending whole tracks to the pod's lists.
class iPod::Reader
{
public:
    Reader(iPod &pod, QByteArrayView data, const Yield &yield)
        : m_pod(pod)
        , m_bytes(data)
        , m_yield(yield)
    {}

    ReadOutcome run()
    {
        const std::optional<qsizetype> trackList = findTrackList();
        if (!trackList)
            return ReadOutcome::Stopped;
        m_pos = *trackList;
        const std::optional<qsizetype> listHeader = m_bytes.recordLength(m_pos, "mhlt", 4, kTrackListHeaderMin);
        if (!listHeader)
            return ReadOutcome::Stopped;
        m_pod.m_songtotal = m_bytes.u32(m_pos + 8);
        m_pos += *listHeader;

        // The count comes from the file: reserve no more than the bytes left can hold.
        const qsizetype room = std::min<qint64>(m_pod.m_songtotal, (m_bytes.size() - m_pos) / kTrackHeaderMin);
        m_pod.m_songs.reserve(m_pod.m_songs.size() + static_cast<std::size_t>(room));
        m_pod.m_songList.reserve(m_pod.m_songList.count() + room * 8, m_pod.m_songList.trackCount() + room);

        for (m_pod.m_songindex = 1; m_pod.m_songindex <= m_pod.m_songtotal; ++m_pod.m_songindex) {
            if (!readsong())
                return ReadOutcome::Stopped;
            if (m_pod.m_songindex % 100 == 0 && m_yield)
                m_yield();
        }
        m_pod.m_dbloaded = true;
        return ReadOutcome::Complete;
    }

private:
    // The track list: the first data set of type 1, after the database header.
    std::optional<qsizetype> findTrackList() const
    {
        const std::optional<qsizetype> header = m_bytes.recordLength(0, "mhbd", 4, kDatabaseHeaderMin);
        if (!header)
            return std::nullopt;
        qsizetype pos = *header;
        for (;;) {
            const std::optional<qsizetype> setHeader = m_bytes.recordLength(pos, "mhsd", 4, kDataSetHeaderMin);
            if (!setHeader)
                return std::nullopt;
            if (m_bytes.u32(pos + 12) == kTrackListType)
                return pos + *setHeader;
            const std::optional<qsizetype> total = m_bytes.recordLength(pos, "mhsd", 8, *setHeader);
            if (!total)
                return std::nullopt;
            pos += *total;
        }
    }

    // The string of the string record at pos with the given total length, when it fits the record.
    std::optional<QString> stringAt(qsizetype pos, qsizetype total) const
    {
        if (total < kStringHeader)
            return std::nullopt;
        const qsizetype length = m_bytes.u32(pos + 28);
        if (length > total - kStringHeader)
            return std::nullopt;
        const unsigned char *text = m_bytes.at(pos + kStringHeader);
        if (m_bytes.u32(pos + 24) == kUtf8Encoding)
            return QString::fromUtf8(QByteArrayView(text, length));
        QString s(length / 2, Qt::Uninitialized);
        qFromLittleEndian<char16_t>(text, s.size(), s.data());
        return s;
    }

    // Reads the track record at m_pos and its string records. A whole track is appended to
    // the song list and the track records and m_pos moves past it; a track that ends at a
    // bad record leaves no trace and gives false.
    bool readsong()
    {
        const std::optional<qsizetype> header = m_bytes.recordLength(m_pos, "mhit", 4, kTrackHeaderMin);
        if (!header)
            return false;
        const std::uint32_t strings = m_bytes.u32(m_pos + 12);
        songinfo info;
        info.length = shared(m_lengths, roundedSeconds(m_bytes.u32(m_pos + 40)), secondsText);
        info.tracknumber = m_bytes.u32(m_pos + 44);

        m_lines.clear();
        qsizetype pos = m_pos + *header;
        for (std::uint32_t i = 0; i < strings; ++i) {
            const std::optional<qsizetype> total = m_bytes.recordLength(pos, "mhod", 8, kStringRecordMin);
            if (!total)
                return false;
            const std::uint32_t type = m_bytes.u32(pos + 12);
            if (type >= Title && type <= FileType) {
                std::optional<QString> s = stringAt(pos, *total);
                if (!s)
                    return false;
                addString(info, type, std::move(*s));
            }
            pos += *total;
        }
        if (info.tracknumber != 0)
            m_lines.push_back({SongField::TrackNumber, shared(m_numbers, info.tracknumber, signBlank)});

        m_pod.m_songList.beginTrack();
        for (const SongList::Line &line : m_lines)
            m_pod.m_songList.append(line.field, line.value);
        m_pod.m_songs.push_back(std::move(info));
        m_pos = pos;
        return true;
    }

    void addString(songinfo &info, std::uint32_t type, QString s)
    {
        switch (type) {
        case Title:
            keep(info.title, SongField::Title, std::move(s));
            m_lines.push_back({SongField::Length, info.length});
            break;
        case Location:
            s.replace(QLatin1Char(':'), QLatin1Char('\\'));
            keep(info.file, SongField::File, std::move(s));
            break;
        case Album: keep(info.album, SongField::Album, shared(std::move(s))); break;
        case Artist: keep(info.artist, SongField::Artist, shared(std::move(s))); break;
        case Genre: keep(info.genre, SongField::Genre, shared(std::move(s))); break;
        case FileType: keep(info.filetype, SongField::FileType, shared(std::move(s))); break;
        default: break;
        }
    }

    // Stores a track's text and its line; both hold the same string.
    void keep(QString &field, SongField kind, QString value)
    {
        field = std::move(value);
        m_lines.push_back({kind, field});
    }

    // Texts that many tracks have in common are kept once: the same artist, album,
    // genre, file type, length or track number shares one string.
    QString shared(QString s)
    {
        const auto found = m_texts.constFind(s);
        if (found != m_texts.constEnd())
            return *found;
        m_texts.insert(s);
        return s;
    }
    template <typename Make>
    static QString shared(std::unordered_map<std::uint32_t, QString> &texts, std::uint32_t key, Make make)
    {
        auto found = texts.find(key);
        if (found == texts.end())
            found = texts.emplace(key, make(key)).first;
        return found->second;
    }

    iPod &m_pod;
    Bytes m_bytes;
    const Yield &m_yield;
    qsizetype m_pos = 0;
    std::vector<SongList::Line> m_lines;  // the lines of the track being read
    QSet<QString> m_texts;
    std::unordered_map<std::uint32_t, QString> m_lengths;  // by whole seconds
    std::unordered_map<std::uint32_t, QString> m_numbers;  // track number texts
};

iPod::ReadOutcome iPod::readitunesdb(const PlayerLocator &locate, const Yield &yield)
{
    if (m_dbloaded)
        return ReadOutcome::AlreadyLoaded;
    const std::optional<QString> root = locate ? locate() : std::nullopt;
    if (!root)
        return ReadOutcome::NoPlayer;
    m_poddrive = *root;

    QFile file(itunesDbPath(m_poddrive));
    if (!file.open(QIODevice::ReadOnly))
        return ReadOutcome::Stopped;
    // Read into memory rather than mapped: the read yields to the event loop, and a
    // mapped file that shrinks meanwhile (a sync, an unplugged player) kills the process.
    return readDatabase(file.readAll(), yield);
}

iPod::ReadOutcome iPod::readDatabase(QByteArrayView bytes, const Yield &yield)
{
    if (m_dbloaded)
        return ReadOutcome::AlreadyLoaded;
    return Reader(*this, bytes, yield).run();
}

int iPod::lastsongindex() const
{
    return m_songs.empty() ? 0 : static_cast<int>(m_songs.size()) - 1;
}
