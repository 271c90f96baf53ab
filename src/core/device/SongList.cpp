#include "core/device/SongList.h"

#include <algorithm>
#include <cstring>

namespace {

// Characters per arena block: large enough that the unused tail of a block is
// negligible, small enough that the last block wastes little; a block is one
// huge page where the system has them (see BulkMemory.h).
constexpr std::size_t kBlockChars = std::size_t{1} << 20;

}  // namespace

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

QString SongList::line(qsizetype i) const
{
    const Line l = at(i);
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

char16_t *SongList::room(qsizetype chars)
{
    const auto need = static_cast<std::size_t>(chars);
    if (m_blocks.empty() || m_blocks.back().size - m_used < need) {
        // A text never spans two blocks; one longer than a block gets a block of its own.
        if (need <= kBlockChars && m_spare.text)
            m_blocks.push_back(std::move(m_spare));
        else
            m_blocks.push_back(newBlock(std::max(kBlockChars, need)));
        m_used = 0;
        if (m_blockAhead && !m_spare.text)
            m_spare = newBlock(kBlockChars);
    }
    return m_blocks.back().text.get() + m_used;
}

SongList::Block SongList::newBlock(std::size_t size)
{
    const std::size_t bytes = size * sizeof(char16_t);
    return Block{{static_cast<char16_t *>(allocateBulk(bytes)), BlockFree{bytes}}, size};
}

void SongList::keepBlockAhead(bool on)
{
    m_blockAhead = on;
    if (!on)
        m_spare = Block{{nullptr, BlockFree{0}}, 0};
}

QStringView SongList::keepWritten(qsizetype chars)
{
    const char16_t *start = m_blocks.back().text.get() + m_used;
    m_used += static_cast<std::size_t>(chars);
    return QStringView(start, chars);
}

QStringView SongList::keep(QStringView text)
{
    char16_t *to = room(text.size());
    std::memcpy(to, text.utf16(), static_cast<std::size_t>(text.size()) * sizeof(char16_t));
    return keepWritten(text.size());
}

void SongList::rollback(const Mark &mark)
{
    m_lines.resize(mark.lines);
    m_trackStarts.resize(mark.tracks);
    m_blocks.resize(mark.blocks);
    m_used = mark.used;
}
