#pragma once

#include "core/common/BulkMemory.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <memory>
#include <vector>

// The kinds of labelled line the database reader writes for a track.
enum class SongField : std::uint8_t { Title, Length, File, Album, Artist, Genre, FileType, TrackNumber };

// The label that opens a line of the given kind, e.g. "TITLE:  ".
QStringView songLabel(SongField field);

// The song list: one labelled line per field of a track, track after track.
// Every text lives once in one arena of fixed blocks that never move; a line is
// its kind and a view of its value there, and line(i) makes the full text
// "LABEL:  value" on demand. The list also records where each track's lines
// begin, so a consumer can give every track exactly one row whatever the order
// of its string records.
class SongList
{
public:
    struct Line
    {
        SongField field;
        QStringView value;  // valid as long as the list lives
    };

    qsizetype count() const { return static_cast<qsizetype>(m_lines.size()); }
    QString line(qsizetype i) const;
    Line at(qsizetype i) const
    {
        const Stored &l = m_lines[static_cast<std::size_t>(i)];
        return {l.field, QStringView(l.text, static_cast<qsizetype>(l.length))};
    }

    qsizetype trackCount() const { return static_cast<qsizetype>(m_trackStarts.size()); }
    qsizetype trackStart(qsizetype track) const { return m_trackStarts[static_cast<std::size_t>(track)]; }
    qsizetype trackEnd(qsizetype track) const;  // one past the track's last line

    // Building, for the reader.
    void reserve(qsizetype lines, qsizetype tracks);
    void beginTrack();  // the next appended line opens a new track
    // Room for up to `chars` characters at the arena's end; write the text there,
    // then keep it with appendWritten or drop it by writing something else.
    char16_t *room(qsizetype chars);
    // Keeps the first `chars` characters written to room() and returns them.
    QStringView keepWritten(qsizetype chars);
    // Copies a text into the arena and returns where it is kept.
    QStringView keep(QStringView text);
    void appendLine(SongField field, QStringView value)
    {
        m_lines.push_back(Stored{value.utf16(), toLength(value), field});
    }

    // While on, the next arena block is allocated as soon as one is taken into use, so
    // that its pages can be faulted in ahead of the writes (see FreshBulkWatch); off
    // gives that block back.
    void keepBlockAhead(bool on);

    // A point of the list to return to: a track that turns out broken leaves no trace.
    struct Mark
    {
        std::size_t lines, tracks, blocks, used;
    };
    Mark mark() const { return {m_lines.size(), m_trackStarts.size(), m_blocks.size(), m_used}; }
    void rollback(const Mark &mark);

private:
    struct Stored
    {
        const char16_t *text;
        std::uint32_t length;
        SongField field;
    };
    static std::uint32_t toLength(QStringView v) { return static_cast<std::uint32_t>(v.size()); }

    struct BlockFree
    {
        std::size_t bytes;
        void operator()(char16_t *text) const noexcept { freeBulk(text, bytes); }
    };
    struct Block
    {
        std::unique_ptr<char16_t[], BlockFree> text;
        std::size_t size;
    };

    std::vector<Stored, BulkAllocator<Stored>> m_lines;
    std::vector<qsizetype> m_trackStarts;
    static Block newBlock(std::size_t size);

    std::vector<Block> m_blocks;
    std::size_t m_used = 0;  // characters used of the last block
    bool m_blockAhead = false;
    Block m_spare{{nullptr, BlockFree{0}}, 0};  // the next block, while keepBlockAhead is on
};
