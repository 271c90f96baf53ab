#pragma once

#include <QLatin1StringView>
#include <QString>

#include <optional>

class Library;

// The fields of a track as the command line's tracks listing and the library
// export name and format them are numbered by column, 0 to kTrackFieldCount - 1,
// each with its name and kind (trackFieldInfo). The text columns show a track's
// TrackText fields.
inline constexpr int kTrackFieldCount = 26;

// How a field's value is written.
enum class FieldKind {
    Text,     // the text as stored; a missing text is empty
    Number,   // decimal digits
    Date,     // ISO 8601 in UTC, e.g. 2011-09-29T12:33:44Z; null when never
    Boolean,  // "true" or "false"
};

struct TrackFieldInfo
{
    QLatin1StringView name;  // the column name and JSON key, e.g. "albumartist"
    FieldKind kind;
};

const TrackFieldInfo &trackFieldInfo(int column);

// The value of a column of track i, formatted as its kind says; nullopt for a
// date that is never (JSON null, an empty cell elsewhere). The location is the
// one the song list holds, with '\' between its parts.
std::optional<QString> trackFieldValue(const Library &library, qsizetype track, int column);

// ISO 8601 UTC text of a player date (seconds since 1904); nullopt for 0 (never).
std::optional<QString> playerDateText(std::uint32_t macSeconds);
