#include "SongGridSupport.h"

SongLibrary::SongLibrary(const std::vector<SongFields> &tracks)
{
    int index = 0;
    for (const SongFields &t : tracks) {
        songs.beginTrack();
        if (!t.title.isEmpty())
            songs.appendLine(SongField::Title, songs.keep(t.title));
        songs.appendLine(SongField::Length, songs.keep(t.length));
        const QString file =
            t.file.isEmpty() ? QStringLiteral("\\iPod_Control\\Music\\F00\\S%1.mp3").arg(index) : t.file;
        songs.appendLine(SongField::File, songs.keep(file));
        if (!t.album.isEmpty())
            songs.appendLine(SongField::Album, songs.keep(t.album));
        if (!t.artist.isEmpty())
            songs.appendLine(SongField::Artist, songs.keep(t.artist));
        if (!t.genre.isEmpty())
            songs.appendLine(SongField::Genre, songs.keep(t.genre));
        ++index;
    }
    FILLGRID(*grid, songs, tracks.empty() ? 0 : static_cast<int>(tracks.size()) - 1, total);
}
