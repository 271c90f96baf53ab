#pragma once

#include "core/common/ProgressSink.h"
#include "core/device/iPod.h"
#include "core/grid/GridFill.h"
#include "core/grid/GridModel.h"

#include <QString>

#include <functional>

// One player for the length of a run: finding it, reading its track database,
// filling and sorting the song grid. The window, the command line and the
// benchmarks all connect through it, so the sequence exists once.
class PlayerSession
{
public:
    // What a connect or read came to.
    enum class Outcome {
        NoPlayer,    // no player was found
        Complete,    // every song of the database was read
        Partial,     // the read stopped at damage; the songs before it were read
        Unreadable,  // the database could not be read at all: no song
    };

    // Finds the player and reads its database once, yielding through progress.
    Outcome read(const iPod::PlayerLocator &locate, ProgressSink &progress = noProgress());
    // Reads as read() does, then (unless no player was found) runs afterRead
    // (may be empty) and fills the grid: its layout, one row per song, the
    // total play time and the colours, with the fill's progress.
    Outcome connect(const iPod::PlayerLocator &locate, ProgressSink &progress = noProgress(),
                    const std::function<void()> &afterRead = {});
    // Orders the song rows by a column, as the sort commands do.
    void sort(int column, bool descending);

    // What the last read came to.
    Outcome outcome() const { return m_outcome; }
    // Why the last read was not complete, for the user; empty when it was.
    QString problem() const;

    iPod &pod() { return m_pod; }
    const iPod &pod() const { return m_pod; }
    // Every field of every track read, and the playlists.
    const Library &library() const { return m_pod.library(); }
    GridModel &grid() { return m_grid; }
    const GridModel &grid() const { return m_grid; }
    const PlayTimeBoxes &playTime() const { return m_playTime; }

private:
    iPod m_pod;
    GridModel m_grid;
    PlayTimeBoxes m_playTime;
    Outcome m_outcome = Outcome::NoPlayer;
};
