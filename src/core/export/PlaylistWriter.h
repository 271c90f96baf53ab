#pragma once

#include <QByteArray>
#include <QString>

// An M3U8 playlist: UTF-8, "#EXTM3U", then per song "#EXTINF:<seconds>,<artist> - <title>"
// and the song's path, with CR LF and LF kept out of the texts (a line break
// in a title would start a line of its own).
class PlaylistWriter
{
public:
    PlaylistWriter();
    void add(qint64 lengthMs, const QString &artist, const QString &title, const QString &path);
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};
