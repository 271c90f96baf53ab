#include "SongGridSupport.h"

SongLibrary::SongLibrary(const std::vector<SongFields> &tracks)
{
    int index = 0;
    for (const SongFields &t : tracks) {
        songs.beginTrack();
        if (!t.title.isEmpty())
            songs.append(SongField::Title, t.title);
        songs.append(SongField::Length, t.length);
        const QString file =
            t.file.isEmpty() ? QStringLiteral("\\iPod_Control\\Music\\F00\\S%1.mp3").arg(index) : t.file;
        songs.append(SongField::File, file);
        if (!t.album.isEmpty())
            songs.append(SongField::Album, t.album);
        if (!t.artist.isEmpty())
            songs.append(SongField::Artist, t.artist);
        if (!t.genre.isEmpty())
            songs.append(SongField::Genre, t.genre);
        ++index;
    }
    FILLGRID(*grid, songs, tracks.empty() ? 0 : static_cast<int>(tracks.size()) - 1, total);
}
