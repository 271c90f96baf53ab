#include "core/common/TextFile.h"

#include "core/common/RegularFile.h"

#include <QStringDecoder>

namespace {

// Bytes cut at a bound may end inside a UTF-8 sequence; without that
// fragment a UTF-8 text is still recognised as one.
void chopPartialUtf8(QByteArray &bytes)
{
    const qsizetype n = bytes.size();
    for (qsizetype back = 1; back <= 3 && back <= n; ++back) {
        const auto byte = static_cast<unsigned char>(bytes[n - back]);
        if ((byte & 0xC0) == 0x80)
            continue;  // a continuation byte: look further back for the lead
        const qsizetype length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        if (length > back)
            bytes.chop(back);
        return;
    }
}

std::optional<QByteArray> readBounded(const QString &path, qsizetype bound)
{
    bool cut = false;
    std::optional<QByteArray> bytes = readRegularFile(path, bound, &cut);
    if (bytes && cut)
        chopPartialUtf8(*bytes);
    return bytes;
}

}  // namespace

namespace TextFile {

QString decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] != QLatin1Char('\r'))
            continue;
        lines.append(text.mid(start, i - start));
        if (i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

std::optional<QStringList> readLines(const QString &path)
{
    const std::optional<QByteArray> bytes = readBounded(path, wholeFileBound);
    if (!bytes)
        return std::nullopt;
    return splitLines(decode(*bytes));
}

std::optional<QString> readFirstLine(const QString &path)
{
    std::optional<QByteArray> bytes = readBounded(path, firstLineBound);
    if (!bytes || bytes->isEmpty())
        return std::nullopt;
    // Only the first line is decoded: the bytes after its end play no part.
    const qsizetype end = bytes->indexOf('\r');
    if (end >= 0)
        bytes->truncate(end);
    return decode(*bytes);
}

}  // namespace TextFile
