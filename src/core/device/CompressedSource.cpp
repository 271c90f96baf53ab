#include "core/device/CompressedSource.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

constexpr qsizetype kFlagOffset = 0xA8;
constexpr qint64 kMaxRatio = 64;
constexpr qint64 kMaxInflated = qint64{2} << 30;
constexpr qsizetype kInputPiece = 1 << 16;

}  // namespace

CompressedSource::CompressedSource(DatabaseSource &compressed)
    : m_compressed(compressed)
    , m_limit(std::min(kMaxInflated, compressed.sizeBound() * kMaxRatio))
{}

CompressedSource::~CompressedSource()
{
    if (m_inflating)
        inflateEnd(&m_zlib);
}

qint64 CompressedSource::sizeBound() const
{
    // The header is at most the whole compressed data.
    return m_compressed.sizeBound() + m_limit;
}

void CompressedSource::pastBound()
{
    if (m_inflating)
        m_failure = tooLarge();
}

QString CompressedSource::tooLarge() const
{
    return QStringLiteral("the compressed data inflates to more than %1 bytes").arg(m_limit);
}

// Reads the database header: its tag and length, then the rest of it.
void CompressedSource::readHeader()
{
    m_started = true;
    const auto readUpTo = [this](qsizetype size) {
        while (m_header.size() < size) {
            const qsizetype had = m_header.size();
            m_header.resize(size);
            const qint64 got = m_compressed.read(m_header.data() + had, size - had);
            m_header.resize(had + std::max<qint64>(got, 0));
            if (got <= 0)
                return false;
        }
        return true;
    };
    if (!readUpTo(8) || !m_header.startsWith("mhbd"))
        return;
    const qint64 length = qFromLittleEndian<std::uint32_t>(m_header.constData() + 4);
    if (length <= kFlagOffset || length > m_compressed.sizeBound() || !readUpTo(length))
        return;
    if (m_header.at(kFlagOffset) != 1)
        return;
    m_input.resize(kInputPiece);
    m_inflating = inflateInit(&m_zlib) == Z_OK;
}

qint64 CompressedSource::read(char *to, qint64 max)
{
    if (!m_started)
        readHeader();
    if (m_headerGiven < m_header.size()) {
        const qint64 count = std::min<qint64>(max, m_header.size() - m_headerGiven);
        std::memcpy(to, m_header.constData() + m_headerGiven, static_cast<std::size_t>(count));
        m_headerGiven += count;
        return count;
    }
    if (!m_inflating) {
        const qint64 got = m_compressed.read(to, max);
        m_failure = m_compressed.failure();
        return got;
    }
    return inflateInto(to, max);
}

qint64 CompressedSource::inflateInto(char *to, qint64 max)
{
    if (m_ended || max <= 0)
        return 0;
    // One byte more than the limit allows shows a stream that goes beyond it.
    const qint64 room = std::min(max, m_limit - m_inflated + 1);
    m_zlib.next_out = reinterpret_cast<Bytef *>(to);
    m_zlib.avail_out = static_cast<uInt>(std::min<qint64>(room, 1 << 30));
    const uInt offered = m_zlib.avail_out;
    while (m_zlib.avail_out == offered) {
        if (m_zlib.avail_in == 0) {
            const qint64 got = m_compressed.read(m_input.data(), m_input.size());
            if (got < 0)
                return fail(m_compressed.failure());
            if (got == 0)
                return fail(QStringLiteral("the compressed data ends early"));
            m_zlib.next_in = reinterpret_cast<Bytef *>(m_input.data());
            m_zlib.avail_in = static_cast<uInt>(got);
        }
        const int result = inflate(&m_zlib, Z_NO_FLUSH);
        if (result == Z_STREAM_END) {
            m_ended = true;
            break;
        }
        if (result != Z_OK && result != Z_BUF_ERROR)
            return fail(QStringLiteral("the compressed data is damaged (%1)")
                            .arg(QString::fromLatin1(m_zlib.msg ? m_zlib.msg : "no details")));
    }
    const qint64 produced = offered - m_zlib.avail_out;
    m_inflated += produced;
    if (m_inflated > m_limit)
        return fail(tooLarge());
    return produced;
}

qint64 CompressedSource::fail(const QString &why)
{
    m_failure = why;
    m_ended = true;
    return -1;
}
