#include "core/library/TrackFields.h"

#include "core/library/Library.h"

#include <QDateTime>

#include <array>

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr std::array<TrackFieldInfo, kTrackFieldCount> kFields{{
    {"title"_L1, FieldKind::Text},        {"artist"_L1, FieldKind::Text},         {"albumartist"_L1, FieldKind::Text},
    {"album"_L1, FieldKind::Text},        {"genre"_L1, FieldKind::Text},          {"composer"_L1, FieldKind::Text},
    {"comment"_L1, FieldKind::Text},      {"filetype"_L1, FieldKind::Text},       {"tracknumber"_L1, FieldKind::Number},
    {"trackcount"_L1, FieldKind::Number}, {"discnumber"_L1, FieldKind::Number},   {"disccount"_L1, FieldKind::Number},
    {"year"_L1, FieldKind::Number},       {"lengthms"_L1, FieldKind::Number},     {"rating"_L1, FieldKind::Number},
    {"playcount"_L1, FieldKind::Number},  {"skipcount"_L1, FieldKind::Number},    {"lastplayed"_L1, FieldKind::Date},
    {"dateadded"_L1, FieldKind::Date},    {"bitrate"_L1, FieldKind::Number},      {"samplerate"_L1, FieldKind::Number},
    {"size"_L1, FieldKind::Number},       {"compilation"_L1, FieldKind::Boolean}, {"mediatype"_L1, FieldKind::Number},
    {"location"_L1, FieldKind::Text},     {"dbid"_L1, FieldKind::Number},
}};

QString text(QStringView value)
{
    return value.toString();
}

}  // namespace

const TrackFieldInfo &trackFieldInfo(TrackField field)
{
    return kFields[static_cast<std::size_t>(field)];
}

std::optional<QString> playerDateText(std::uint32_t macSeconds)
{
    if (macSeconds == 0)
        return std::nullopt;
    return QDateTime::fromSecsSinceEpoch(unixTime(macSeconds), Qt::UTC).toString(Qt::ISODate);
}

std::optional<QString> trackFieldValue(const Library &library, qsizetype i, TrackField field)
{
    const TrackRecord &t = library.track(i);
    switch (field) {
    case TrackField::Title: return text(t.get(TrackText::Title));
    case TrackField::Artist: return text(t.get(TrackText::Artist));
    case TrackField::AlbumArtist: return text(t.get(TrackText::AlbumArtist));
    case TrackField::Album: return text(t.get(TrackText::Album));
    case TrackField::Genre: return text(t.get(TrackText::Genre));
    case TrackField::Composer: return text(t.get(TrackText::Composer));
    case TrackField::Comment: return text(t.get(TrackText::Comment));
    case TrackField::FileType: return text(t.get(TrackText::FileType));
    case TrackField::TrackNumber: return QString::number(t.trackNumber);
    case TrackField::TrackCount: return QString::number(t.trackCount);
    case TrackField::DiscNumber: return QString::number(t.discNumber);
    case TrackField::DiscCount: return QString::number(t.discCount);
    case TrackField::Year: return QString::number(t.year);
    case TrackField::LengthMs: return QString::number(t.lengthMs);
    case TrackField::Rating: return QString::number(t.rating);
    case TrackField::PlayCount: return QString::number(t.playCount);
    case TrackField::SkipCount: return QString::number(t.skipCount);
    case TrackField::LastPlayed: return playerDateText(t.lastPlayed);
    case TrackField::DateAdded: return playerDateText(t.dateAdded);
    case TrackField::Bitrate: return QString::number(t.bitrate);
    case TrackField::SampleRate: return QString::number(t.sampleRate);
    case TrackField::Size: return QString::number(t.size);
    case TrackField::Compilation: return t.compilation ? u"true"_s : u"false"_s;
    case TrackField::MediaType: return QString::number(t.mediaType);
    case TrackField::Location: return text(t.get(TrackText::Location));
    case TrackField::DbId: return QString::number(t.dbid);
    case TrackField::Count: break;
    }
    return QString();
}
