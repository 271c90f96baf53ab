#include "core/device/SongList.h"

QStringView songLabel(SongField field)
{
    switch (field) {
    case SongField::Title: return u"TITLE:  ";
    case SongField::Length: return u"LENGTH:  ";
    case SongField::File: return u"FILE:  ";
    case SongField::Album: return u"ALBUM:  ";
    case SongField::Artist: return u"ARTIST:  ";
    case SongField::Genre: return u"GENRE:  ";
    case SongField::FileType: return u"FILE TYPE:  ";
    case SongField::TrackNumber: return u"TRACK NUMBER:  ";
    }
    return {};
}

void SongList::beginTrack()
{
    m_trackStarts.push_back(count());
}

void SongList::append(SongField field, const QString &value)
{
    m_lines.push_back(Line{field, value});
}

QString SongList::line(qsizetype i) const
{
    const Line &l = at(i);
    QString text;
    const QStringView label = songLabel(l.field);
    text.reserve(label.size() + l.value.size());
    text.append(label).append(l.value);
    return text;
}

qsizetype SongList::trackEnd(qsizetype track) const
{
    const auto next = static_cast<std::size_t>(track) + 1;
    return next < m_trackStarts.size() ? m_trackStarts[next] : count();
}

void SongList::reserve(qsizetype lines, qsizetype tracks)
{
    m_lines.reserve(static_cast<std::size_t>(lines));
    m_trackStarts.reserve(static_cast<std::size_t>(tracks));
}
