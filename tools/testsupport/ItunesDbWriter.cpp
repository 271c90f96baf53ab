#include "ItunesDbWriter.h"

#include <zlib.h>

namespace itdb {

namespace {

QByteArray header(const char *tag, std::uint32_t headerLength)
{
    QByteArray h(static_cast<qsizetype>(headerLength), '\0');
    for (qsizetype i = 0; i < 4; ++i)
        h[i] = tag[i];
    putU32(h, 4, headerLength);
    return h;
}

const QString *stringFor(const Track &t, std::uint32_t type)
{
    switch (type) {
    case Title: return &t.title;
    case Location: return &t.location;
    case Album: return &t.album;
    case Artist: return &t.artist;
    case Genre: return &t.genre;
    case FileType: return &t.fileType;
    case Comment: return &t.comment;
    default: return nullptr;
    }
}

QByteArray stringRecord(std::uint32_t type, const QString &s, bool utf8)
{
    QByteArray payload;
    if (utf8) {
        payload = s.toUtf8();
    } else {
        payload.reserve(s.size() * 2);
        for (QChar c : s) {
            payload.append(static_cast<char>(c.unicode() & 0xFF));
            payload.append(static_cast<char>(c.unicode() >> 8));
        }
    }
    QByteArray r = header("mhod", 24);
    r.resize(40);
    putU32(r, 8, static_cast<std::uint32_t>(40 + payload.size()));
    putU32(r, 12, type);
    putU32(r, 24, utf8 ? 2 : 1);
    putU32(r, 28, static_cast<std::uint32_t>(payload.size()));
    putU32(r, 32, 1);
    r.append(payload);
    return r;
}

// The 64-bit database id of the track with the given id: unique and never zero.
std::uint64_t databaseId(std::uint32_t id)
{
    return 0x5155494C00000000ull + id;
}

void putU64(QByteArray &bytes, qsizetype offset, std::uint64_t value)
{
    putU32(bytes, offset, static_cast<std::uint32_t>(value));
    putU32(bytes, offset + 4, static_cast<std::uint32_t>(value >> 32));
}

QByteArray trackRecord(const Track &t, std::uint32_t headerLength, std::uint32_t id)
{
    QByteArray strings;
    std::uint32_t count = 0;
    for (std::uint32_t type : t.order) {
        const QString *s = stringFor(t, type);
        if (s && s->isNull())
            continue;
        strings.append(stringRecord(type, s ? *s : QString(), t.utf8));
        ++count;
    }
    QByteArray r = header("mhit", headerLength);
    putU32(r, 8, static_cast<std::uint32_t>(headerLength + strings.size()));
    putU32(r, 12, count);
    putU32(r, 16, id);
    putU32(r, 40, t.lengthMs);
    putU32(r, 44, t.trackNumber);
    if (headerLength >= 0x78)
        putU64(r, 0x70, databaseId(id));
    r.append(strings);
    return r;
}

QByteArray dataSet(std::uint32_t type, const QByteArray &body)
{
    QByteArray d = header("mhsd", 96);
    putU32(d, 8, static_cast<std::uint32_t>(96 + body.size()));
    putU32(d, 12, type);
    d.append(body);
    return d;
}

QByteArray listHeader(const char *tag, std::uint32_t count)
{
    QByteArray l = header(tag, 92);
    putU32(l, 8, count);
    return l;
}

QByteArray playlistRecord(const Playlist &p, bool master)
{
    QByteArray items;
    for (std::size_t i = 0; i < p.ids.size(); ++i) {
        QByteArray item = header("mhip", 76);
        putU32(item, 24, p.ids[i]);
        if (i < p.positions.size()) {
            QByteArray position = header("mhod", 24);
            position.resize(44);
            putU32(position, 8, 44);
            putU32(position, 12, 100);
            putU32(position, 24, p.positions[i]);
            putU32(item, 12, 1);
            item.append(position);
        }
        putU32(item, 8, static_cast<std::uint32_t>(item.size()));
        items.append(item);
    }
    const QByteArray name = p.name.isNull() ? QByteArray() : stringRecord(Title, p.name, false);
    QByteArray playlist = header("mhyp", 108);
    putU32(playlist, 8, static_cast<std::uint32_t>(108 + name.size() + items.size()));
    putU32(playlist, 12, p.name.isNull() ? 0 : 1);  // string records
    putU32(playlist, 16, static_cast<std::uint32_t>(p.ids.size()));
    playlist[20] = master ? 1 : 0;
    playlist[42] = p.podcast ? 1 : 0;
    putU64(playlist, 28, databaseId(0));
    return playlist + name + items;
}

// The master playlist: every track, by its id, in file order, without positions.
QByteArray masterPlaylist(std::uint32_t tracks)
{
    Playlist master{.name = QStringLiteral("iPod"), .ids = {}, .positions = {}};
    for (std::uint32_t id = 1; id <= tracks; ++id)
        master.ids.push_back(id);
    return listHeader("mhlp", 1) + playlistRecord(master, true);
}

QByteArray playlistList(const std::vector<Playlist> &playlists)
{
    QByteArray list = listHeader("mhlp", static_cast<std::uint32_t>(playlists.size()));
    for (const Playlist &p : playlists)
        list.append(playlistRecord(p, false));
    return list;
}

}  // namespace

void putU32(QByteArray &bytes, qsizetype offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t getU32(const QByteArray &bytes, qsizetype offset)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    return v;
}

QByteArray write(const Database &db)
{
    QByteArray tracks = listHeader("mhlt", static_cast<std::uint32_t>(db.tracks.size()));
    std::uint32_t id = 1;
    for (const Track &t : db.tracks)
        tracks.append(trackRecord(t, db.trackHeaderLength, id++));

    QByteArray sets;
    std::uint32_t children = 1;
    if (db.albumListFirst) {
        sets.append(dataSet(4, listHeader("mhla", 0)));
        ++children;
    }
    sets.append(dataSet(1, tracks));
    if (db.playlistsAfter) {
        sets.append(dataSet(2, masterPlaylist(static_cast<std::uint32_t>(db.tracks.size()))));
        ++children;
    }
    for (const PlaylistSet &set : db.playlistSets) {
        sets.append(dataSet(set.type, playlistList(set.playlists)));
        ++children;
    }

    QByteArray out = header("mhbd", db.databaseHeaderLength);
    putU32(out, 8, static_cast<std::uint32_t>(db.databaseHeaderLength + sets.size()));
    putU32(out, 12, 1);
    putU32(out, 16, 0x19);
    putU32(out, 20, children);
    out.append(sets);
    return out;
}

QByteArray compressed(const QByteArray &plain)
{
    const qsizetype headerLength = getU32(plain, 4);
    Q_ASSERT(headerLength > 0xA8);
    const QByteArrayView rest = QByteArrayView(plain).sliced(headerLength);
    uLongf size = compressBound(static_cast<uLong>(rest.size()));
    QByteArray out = plain.first(headerLength);
    out[0xA8] = 1;
    out.resize(headerLength + static_cast<qsizetype>(size));
    compress2(reinterpret_cast<Bytef *>(out.data() + headerLength), &size, reinterpret_cast<const Bytef *>(rest.data()),
              static_cast<uLong>(rest.size()), Z_BEST_COMPRESSION);
    out.resize(headerLength + static_cast<qsizetype>(size));
    return out;
}

qsizetype firstTrackOffset(const QByteArray &bytes)
{
    qsizetype p = getU32(bytes, 4);
    while (p + 16 <= bytes.size() && getU32(bytes, p + 12) != 1)
        p += getU32(bytes, p + 8);
    p += getU32(bytes, p + 4);        // data set header
    return p + getU32(bytes, p + 4);  // track list header
}

}  // namespace itdb
