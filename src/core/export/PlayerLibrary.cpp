#include "core/export/PlayerLibrary.h"

#include "core/common/Blanks.h"
#include "core/grid/GridFill.h"
#include "core/grid/GridModel.h"
#include "core/grid/Tagging.h"
#include "core/library/Library.h"
#include "core/library/TrackFields.h"

#include <QHash>

ExportLibrary playerLibrary(const Library &library)
{
    ExportLibrary result;
    result.songCount = library.trackCount();
    result.song = [&library](qsizetype i) {
        const TrackRecord &track = library.track(i);
        const auto text = [&](TrackText field) { return library.text(i, field).toString(); };
        ExportSong song;
        song.title = text(TrackText::Title);
        song.artist = text(TrackText::Artist);
        song.albumArtist = text(TrackText::AlbumArtist);
        song.album = text(TrackText::Album);
        song.genre = text(TrackText::Genre);
        song.composer = text(TrackText::Composer);
        song.location = text(TrackText::Location);
        song.year = static_cast<int>(track.year);
        song.track = static_cast<int>(track.trackNumber);
        song.disc = static_cast<int>(track.discNumber);
        song.discCount = static_cast<int>(track.discCount);
        song.compilation = track.compilation;
        song.lengthMs = track.lengthMs;
        song.size = track.size > 0 ? qint64{track.size} : -1;
        return song;
    };
    for (int column = 0; column < kTrackFieldCount; ++column)
        result.fieldNames << QString(trackFieldInfo(column).name);
    result.fieldValues = [&library](qsizetype i) {
        QStringList values;
        for (int column = 0; column < kTrackFieldCount; ++column)
            values << trackFieldValue(library, i, column).value_or(QString());
        return values;
    };
    for (const Playlist &playlist : library.playlists()) {
        if (playlist.master)
            continue;
        ExportPlaylist exported{playlist.name.isNull() ? QStringLiteral("Playlist") : playlist.name.toString(), {}};
        exported.songs.assign(playlist.tracks.begin(), playlist.tracks.end());
        result.playlists.push_back(std::move(exported));
    }
    return result;
}

std::vector<bool> taggedSongs(const GridModel &grid, const ExportLibrary &library)
{
    QHash<QString, std::vector<qsizetype>> byLocation;
    for (qsizetype i = 0; i < library.songCount; ++i)
        byLocation[library.song(i).location].push_back(i);
    std::vector<bool> tagged(static_cast<std::size_t>(library.songCount), false);
    for (int row = 1; row < grid.rows(); ++row) {
        if (!isTagged(grid, row))
            continue;
        const auto found = byLocation.constFind(trimBlanks(grid.text(row, GridColumn::FileName)).toString());
        if (found == byLocation.cend())
            continue;
        for (const qsizetype i : *found)
            tagged[static_cast<std::size_t>(i)] = true;
    }
    return tagged;
}
