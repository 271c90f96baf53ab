#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

// The kinds of labelled line the database reader writes for a track.
enum class SongField : std::uint8_t { Title, Length, File, Album, Artist, Genre, FileType, TrackNumber };

// The label that opens a line of the given kind, e.g. "TITLE:  ".
QStringView songLabel(SongField field);

// The song list: one labelled line per field of a track, track after track.
// Lines are stored as (kind, value) so the value strings can be shared with the
// track records; line(i) gives the full text "LABEL:  value".
// The list also records where each track's lines begin, so a consumer can give
// every track exactly one row whatever the order of its string records.
class SongList
{
public:
    struct Line
    {
        SongField field;
        QString value;
    };

    void beginTrack();  // the next appended line opens a new track
    void append(SongField field, const QString &value);

    qsizetype count() const { return static_cast<qsizetype>(m_lines.size()); }
    QString line(qsizetype i) const;
    const Line &at(qsizetype i) const { return m_lines[static_cast<std::size_t>(i)]; }

    qsizetype trackCount() const { return static_cast<qsizetype>(m_trackStarts.size()); }
    qsizetype trackStart(qsizetype track) const { return m_trackStarts[static_cast<std::size_t>(track)]; }
    qsizetype trackEnd(qsizetype track) const;  // one past the track's last line

    void reserve(qsizetype lines, qsizetype tracks);

private:
    std::vector<Line> m_lines;
    std::vector<qsizetype> m_trackStarts;
};
