#pragma once

#include <QWidget>

class QLabel;
class QSlider;
class QToolButton;
class QtMediaPlayer;

// The visible media player control: play/pause, stop, a position slider and
// the elapsed time, driving the QtMediaPlayer it is given.
class MediaPlayerStrip : public QWidget
{
    Q_OBJECT

public:
    explicit MediaPlayerStrip(QtMediaPlayer &player, QWidget *parent = nullptr);

    QtMediaPlayer &player() const { return *m_player; }
    QSize sizeHint() const override;

    // The elapsed-time text: whole minutes, ":", two-digit seconds.
    static QString timeText(qint64 ms);

private:
    void updateButtons();
    void showPosition(qint64 ms);

    QtMediaPlayer *m_player;
    QToolButton *m_playPause;
    QToolButton *m_stop;
    QSlider *m_position;
    QLabel *m_time;
};
