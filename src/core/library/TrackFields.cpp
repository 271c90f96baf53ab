#include "core/library/TrackFields.h"

#include "core/library/Library.h"

#include <QDateTime>

#include <iterator>

namespace {

using namespace Qt::Literals::StringLiterals;

// A column: its name and kind, and where its value comes from: the track's
// text for a text column, a 32-bit member for a number or a date. The one
// number column without a 32-bit member is the 64-bit database id.
struct Column
{
    TrackFieldInfo info;
    TrackText text;
    std::uint32_t TrackRecord::*number;
};

constexpr Column textColumn(QLatin1StringView name, TrackText text)
{
    return {{name, FieldKind::Text}, text, nullptr};
}

constexpr Column numberColumn(QLatin1StringView name, FieldKind kind, std::uint32_t TrackRecord::*number)
{
    return {{name, kind}, TrackText::Count, number};
}

constexpr Column kColumns[] = {
    textColumn("title"_L1, TrackText::Title),
    textColumn("artist"_L1, TrackText::Artist),
    textColumn("albumartist"_L1, TrackText::AlbumArtist),
    textColumn("album"_L1, TrackText::Album),
    textColumn("genre"_L1, TrackText::Genre),
    textColumn("composer"_L1, TrackText::Composer),
    textColumn("comment"_L1, TrackText::Comment),
    textColumn("filetype"_L1, TrackText::FileType),
    numberColumn("tracknumber"_L1, FieldKind::Number, &TrackRecord::trackNumber),
    numberColumn("trackcount"_L1, FieldKind::Number, &TrackRecord::trackCount),
    numberColumn("discnumber"_L1, FieldKind::Number, &TrackRecord::discNumber),
    numberColumn("disccount"_L1, FieldKind::Number, &TrackRecord::discCount),
    numberColumn("year"_L1, FieldKind::Number, &TrackRecord::year),
    numberColumn("lengthms"_L1, FieldKind::Number, &TrackRecord::lengthMs),
    numberColumn("rating"_L1, FieldKind::Number, &TrackRecord::rating),
    numberColumn("playcount"_L1, FieldKind::Number, &TrackRecord::playCount),
    numberColumn("skipcount"_L1, FieldKind::Number, &TrackRecord::skipCount),
    numberColumn("lastplayed"_L1, FieldKind::Date, &TrackRecord::lastPlayed),
    numberColumn("dateadded"_L1, FieldKind::Date, &TrackRecord::dateAdded),
    numberColumn("bitrate"_L1, FieldKind::Number, &TrackRecord::bitrate),
    numberColumn("samplerate"_L1, FieldKind::Number, &TrackRecord::sampleRate),
    numberColumn("size"_L1, FieldKind::Number, &TrackRecord::size),
    {{"compilation"_L1, FieldKind::Boolean}, TrackText::Count, nullptr},
    numberColumn("mediatype"_L1, FieldKind::Number, &TrackRecord::mediaType),
    textColumn("location"_L1, TrackText::Location),
    {{"dbid"_L1, FieldKind::Number}, TrackText::Count, nullptr},
};
static_assert(std::size(kColumns) == kTrackFieldCount);

}  // namespace

const TrackFieldInfo &trackFieldInfo(int column)
{
    return kColumns[column].info;
}

std::optional<QString> playerDateText(std::uint32_t macSeconds)
{
    if (macSeconds == 0)
        return std::nullopt;
    return QDateTime::fromSecsSinceEpoch(unixTime(macSeconds), Qt::UTC).toString(Qt::ISODate);
}

std::optional<QString> trackFieldValue(const Library &library, qsizetype i, int column)
{
    const TrackRecord &t = library.track(i);
    const Column &c = kColumns[column];
    switch (c.info.kind) {
    case FieldKind::Text: return library.text(i, c.text).toString();
    case FieldKind::Number: return c.number ? QString::number(t.*c.number) : QString::number(t.dbid);
    case FieldKind::Date: return playerDateText(t.*c.number);
    case FieldKind::Boolean: return t.compilation ? u"true"_s : u"false"_s;
    }
    return QString();
}
