#include "core/library/PlayCounts.h"

#include "core/common/PlayerPath.h"
#include "core/common/RegularFile.h"
#include "core/library/Library.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

constexpr qsizetype kMaxFileBytes = qsizetype{16} << 20;
constexpr qint64 kHeaderMin = 0x60;
constexpr qint64 kEntryMin = 0x0C;
constexpr qint64 kEntryWithRating = 0x10;
constexpr qint64 kEntryWithSkips = 0x1C;
// An entry's rating of all ones means "not rated on the player".
constexpr std::uint32_t kNoRating = 0xFFFFFFFF;

std::uint32_t u32(const char *at)
{
    return qFromLittleEndian<std::uint32_t>(at);
}

}  // namespace

QString playCountsPath(const QString &poddrive)
{
    return playerPath(poddrive, QStringLiteral("\\iPod_Control\\iTunes\\Play Counts"));
}

bool mergePlayCounts(Library &library, QByteArrayView file)
{
    if (file.size() < kHeaderMin || std::memcmp(file.data(), "mhdp", 4) != 0)
        return false;
    const qint64 header = u32(file.data() + 4);
    const qint64 entry = u32(file.data() + 8);
    const qint64 count = u32(file.data() + 12);
    if (header < kHeaderMin || entry < kEntryMin || header > file.size() || count > (file.size() - header) / entry)
        return false;
    const qint64 merged = std::min<qint64>(count, library.trackCount());
    for (qint64 i = 0; i < merged; ++i) {
        const char *e = file.data() + header + i * entry;
        TrackRecord &track = library.trackToChange(i);
        track.playCount += u32(e);
        if (const std::uint32_t played = u32(e + 4); played != 0)
            track.lastPlayed = played;
        if (entry >= kEntryWithRating) {
            if (const std::uint32_t rating = u32(e + 12); rating != kNoRating)
                track.rating = rating;
        }
        if (entry >= kEntryWithSkips)
            track.skipCount += u32(e + 20);
    }
    library.setPlayCountsMerged();
    return true;
}

bool mergePlayCountsFile(Library &library, const QString &path)
{
    bool cut = false;
    const std::optional<QByteArray> bytes = readRegularFile(path, kMaxFileBytes, &cut);
    return bytes && !cut && mergePlayCounts(library, *bytes);
}
