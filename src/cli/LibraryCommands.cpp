#include "cli/LibraryCommands.h"

#include "cli/CliPlayer.h"
#include "cli/SongTable.h"
#include "core/app/PlayerSession.h"
#include "core/library/Library.h"
#include "core/library/TrackFields.h"

namespace {

QStringList trackFieldNames()
{
    QStringList names;
    for (int f = 0; f < kTrackFieldCount; ++f)
        names << QString(trackFieldInfo(f).name);
    return names;
}

QString joinedNames(OutputFormat format, const QStringList &names)
{
    TableRow header;
    for (const QString &name : names)
        header.push_back({name});
    return tableLine(format, names, header);
}

TableRow trackRow(const Library &library, qsizetype track)
{
    TableRow row;
    row.reserve(kTrackFieldCount);
    for (int f = 0; f < kTrackFieldCount; ++f) {
        const std::optional<QString> value = trackFieldValue(library, track, f);
        const FieldKind kind = trackFieldInfo(f).kind;
        if (!value)
            row.push_back({QStringLiteral("null"), true});
        else
            row.push_back({*value, kind == FieldKind::Number || kind == FieldKind::Boolean});
    }
    return row;
}

// Text: a block of "name: value" lines for each track, escaped as tsv cells
// are, with a blank line between tracks; a date that is never is "never".
QString trackBlock(const QStringList &names, const TableRow &row, bool last)
{
    QString block;
    for (std::size_t f = 0; f < row.size(); ++f) {
        if (f > 0)
            block += QLatin1Char('\n');
        const bool never = row[f].bare && row[f].text == QLatin1String("null");
        block += names.at(static_cast<qsizetype>(f)) + QStringLiteral(": ")
            + (never ? QStringLiteral("never") : tsvEscaped(row[f].text));
    }
    if (!last)
        block += QLatin1Char('\n');
    return block;
}

// A player for the library commands: read without filling the grid.
CliStatus readLibrary(const QCommandLineParser &options, PlayerSession &session, std::optional<OutputFormat> &format)
{
    format = chosenFormat(options);
    if (!format)
        return CliUsageError;
    return readPlayer(playerDir(options), session);
}

CliStatus runTracks(const QCommandLineParser &options)
{
    PlayerSession session;
    std::optional<OutputFormat> format;
    const CliStatus status = readLibrary(options, session, format);
    if (endsCommand(status))
        return status;
    const Library &library = session.library();
    static const QStringList names = trackFieldNames();
    const qsizetype count = library.trackCount();
    if (*format == OutputFormat::Text) {
        printLines(count, [&](qsizetype i) { return trackBlock(names, trackRow(library, i), i + 1 == count); });
        return status;
    }
    // Never-dates are empty cells in tsv and csv, null in json.
    const auto line = [&](qsizetype i) {
        TableRow row = trackRow(library, i);
        if (*format != OutputFormat::Json) {
            for (TableCell &cell : row) {
                if (cell.bare && cell.text == QLatin1String("null"))
                    cell.text.clear();
            }
        }
        return tableLine(*format, names, row);
    };
    printRecords(*format, count, joinedNames(*format, names), line);
    return status;
}

QString trueFalse(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

CliStatus runPlaylists(const QCommandLineParser &options)
{
    PlayerSession session;
    std::optional<OutputFormat> format;
    const CliStatus status = readLibrary(options, session, format);
    if (endsCommand(status))
        return status;
    const std::vector<Playlist> &playlists = session.library().playlists();
    const qsizetype count = static_cast<qsizetype>(playlists.size());
    static const QStringList names{QStringLiteral("name"), QStringLiteral("master"), QStringLiteral("podcast"),
                                   QStringLiteral("tracks")};
    const auto row = [&](qsizetype i) {
        const Playlist &p = playlists[static_cast<std::size_t>(i)];
        QString tracks;
        const QChar separator = *format == OutputFormat::Json ? QLatin1Char(',') : QLatin1Char(' ');
        for (std::size_t t = 0; t < p.tracks.size(); ++t) {
            if (t > 0)
                tracks += separator;
            tracks += QString::number(p.tracks[t]);
        }
        if (*format == OutputFormat::Json)
            tracks = QLatin1Char('[') + tracks + QLatin1Char(']');
        return TableRow{{p.name.toString()}, {trueFalse(p.master), true}, {trueFalse(p.podcast), true}, {tracks, true}};
    };
    if (*format == OutputFormat::Text) {
        // One line a playlist: its name, what it is, its track count and the tracks.
        printLines(count, [&](qsizetype i) {
            const Playlist &p = playlists[static_cast<std::size_t>(i)];
            QString kind = p.master ? QStringLiteral(" (master)")
                : p.podcast         ? QStringLiteral(" (podcasts)")
                                    : QString();
            return tsvEscaped(p.name) + kind + QStringLiteral(": %1 tracks").arg(p.tracks.size())
                + (p.tracks.empty() ? QString() : QLatin1Char(' ') + row(i).back().text);
        });
        return status;
    }
    printRecords(*format, count, joinedNames(*format, names),
                 [&](qsizetype i) { return tableLine(*format, names, row(i)); });
    return status;
}

}  // namespace

CliCommand tracksCommand()
{
    return {QStringLiteral("tracks"),
            QStringLiteral("Print every field of every track."),
            QStringLiteral("Prints every track in database order with all its fields: title, artist, albumartist,\n"
                           "album, genre, composer, comment, filetype, tracknumber, trackcount, discnumber,\n"
                           "disccount, year, lengthms, rating (stars x 20), playcount, skipcount, lastplayed,\n"
                           "dateadded, bitrate, samplerate, size, compilation, mediatype, location, dbid. Play and\n"
                           "skip counts, the last play and the rating include what was done on the player since\n"
                           "the last sync. Dates are ISO 8601 in UTC (2011-09-29T12:33:44Z), or null (empty in tsv\n"
                           "and csv, \"never\" in text) when never; compilation is true or false; the location is\n"
                           "the song list's, with \\ between its parts. Text prints a \"name: value\" block a track."),
            {playerOption(), formatOption()},
            runTracks};
}

CliCommand playlistsCommand()
{
    return {QStringLiteral("playlists"),
            QStringLiteral("Print every playlist with its tracks."),
            QStringLiteral("Prints every playlist in database order: its name, whether it is the master playlist\n"
                           "and whether it is the podcasts list, and its tracks in play order as 0-based indices\n"
                           "into the order of \"tracks\" (separated by blanks in tsv, csv and text, a JSON array\n"
                           "in json). Text prints one line a playlist."),
            {playerOption(), formatOption()},
            runPlaylists};
}
