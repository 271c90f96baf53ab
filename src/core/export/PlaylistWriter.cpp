#include "core/export/PlaylistWriter.h"

namespace {

// Every control character (line breaks among them) as a blank.
QString oneLine(QString text)
{
    for (QChar &c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control
            || c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph)
            c = u' ';
    }
    return text;
}

}  // namespace

PlaylistWriter::PlaylistWriter()
    : m_bytes(QByteArrayLiteral("#EXTM3U\n"))
{}

void PlaylistWriter::add(qint64 lengthMs, const QString &artist, const QString &title, const QString &path)
{
    m_bytes += "#EXTINF:" + QByteArray::number((lengthMs + 500) / 1000) + ','
        + oneLine(artist + QStringLiteral(" - ") + title).toUtf8() + '\n' + oneLine(path).toUtf8() + '\n';
}
