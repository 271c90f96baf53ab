#include "core/library/Library.h"

std::size_t TrackRecord::ownIndex(TrackText field)
{
    switch (field) {
    case TrackText::AlbumArtist: return 0;
    case TrackText::Composer: return 1;
    case TrackText::Comment: return 2;
    case TrackText::SortTitle: return 3;
    case TrackText::SortArtist: return 4;
    case TrackText::SortAlbum: return 5;
    case TrackText::SortAlbumArtist: return 6;
    default: return 7;  // TrackText::SortComposer
    }
}

QStringView Library::text(qsizetype i, TrackText field) const
{
    const std::optional<SongField> kind = songListField(field);
    if (!kind)
        return track(i).ownText(field);
    QStringView found;
    for (qsizetype line = m_songs->trackStart(i); line < m_songs->trackEnd(i); ++line) {
        const SongList::Line l = m_songs->at(line);
        if (l.field == *kind)
            found = l.value;
    }
    return found;
}
