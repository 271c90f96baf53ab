#pragma once

#include "core/player/MediaPlayer.h"

class QAudioOutput;
class QMediaPlayer;

// The media player on Qt Multimedia. Assigning a file name loads the file and
// starts playing it at once. A file that cannot be played is dropped quietly:
// no message, no end of stream, and the player takes the next file as usual.
class QtMediaPlayer : public MediaPlayer
{
    Q_OBJECT

public:
    explicit QtMediaPlayer(QObject *parent = nullptr);

    void setFileName(const QString &path) override;
    QString fileName() const override { return m_fileName; }
    void setVolume(int hundredthsOfDecibel) override;
    int volume() const override { return m_volume; }
    void stop() override;

    // The underlying player, for the control strip's buttons and slider.
    QMediaPlayer *mediaPlayer() const { return m_player; }

private:
    QMediaPlayer *m_player;
    QAudioOutput *m_output;
    QString m_fileName;
    int m_volume = 0;
    // Counts file assignments, so an end of media reported for an earlier
    // file is never taken as the end of the current one.
    quint64 m_generation = 0;
};
