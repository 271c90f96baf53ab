#pragma once

#include <QObject>
#include <QString>

#include <functional>

class GridModel;
class MediaPlayer;

// Plays the song of the grid's current row through the media player, and
// with continuous play on moves one row down each time a song ends.
//
// The window state this needs is read when it is needed, through callbacks:
// the player root (the trimmed caption of the root label) and whether
// "Continuous" is checked.
class Playback : public QObject
{
    Q_OBJECT

public:
    struct WindowState
    {
        std::function<QString()> playerRoot;
        std::function<bool()> continuous;
    };

    Playback(GridModel &grid, MediaPlayer &player, WindowState state, QObject *parent = nullptr);

    // The Play command: starts a new run from the current row.
    void mnuplay_Click();
    // Plays the current row, or the next one when the call continues a run.
    void goplaymusic();

signals:
    // The now-playing line: "Song:" + title cell + " - By:" + artist cell.
    void nowPlaying(const QString &text);

private:
    void onEndOfStream();

    GridModel &m_grid;
    MediaPlayer &m_player;
    WindowState m_state;
    int m_playcount = 0;
};
