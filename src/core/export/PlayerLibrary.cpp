#include "core/export/PlayerLibrary.h"

#include "core/device/iPod.h"

namespace {

// "4:05" -> 245,000.
qint64 lengthMs(const QString &text)
{
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0)
        return 0;
    return (QStringView(text).first(colon).toLongLong() * 60 + QStringView(text).sliced(colon + 1).toLongLong()) * 1000;
}

}  // namespace

ExportLibrary playerLibrary(const iPod &pod)
{
    ExportLibrary library;
    library.songCount = pod.songsstored();
    library.song = [&pod](qsizetype i) {
        const songinfo info = pod.song(i);
        ExportSong song;
        song.title = info.title;
        song.artist = info.artist;
        song.album = info.album;
        song.genre = info.genre;
        song.location = info.file;
        song.track = static_cast<int>(info.tracknumber);
        song.lengthMs = lengthMs(info.length);
        return song;
    };
    library.fieldNames = {QStringLiteral("title"), QStringLiteral("artist"), QStringLiteral("album"),
                          QStringLiteral("genre"), QStringLiteral("length"), QStringLiteral("filetype"),
                          QStringLiteral("track"), QStringLiteral("file")};
    library.fieldValues = [&pod](qsizetype i) {
        const songinfo info = pod.song(i);
        return QStringList{info.title,
                           info.artist,
                           info.album,
                           info.genre,
                           info.length,
                           info.filetype,
                           QString::number(info.tracknumber),
                           info.file};
    };
    return library;
}
