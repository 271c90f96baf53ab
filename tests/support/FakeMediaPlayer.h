#pragma once

#include "core/player/MediaPlayer.h"

#include <QStringList>

// Records what the code under test asks of the player; finishSong() plays the
// current song to its end.
class FakeMediaPlayer : public MediaPlayer
{
public:
    void setFileName(const QString &path) override
    {
        m_fileName = path;
        played.append(path);
    }
    QString fileName() const override { return m_fileName; }
    void setVolume(int hundredthsOfDecibel) override { m_volume = hundredthsOfDecibel; }
    int volume() const override { return m_volume; }
    void stop() override { ++stops; }

    void finishSong() { emit endOfStream(); }

    QStringList played;
    int stops = 0;

private:
    QString m_fileName;
    int m_volume = 0;
};
