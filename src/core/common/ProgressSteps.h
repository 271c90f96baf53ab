#pragma once

#include <QtGlobal>

#include <functional>

// Drives a progress bar from a long loop: the bar is set only when the value
// it shows (a whole percent of the maximum) changes, so a loop of a million
// items sets it about a hundred times instead of a million.
class ProgressSteps
{
public:
    // setValue may be empty: then nothing is shown.
    ProgressSteps(std::function<void(int)> setValue, qint64 maximum);

    // The loop has reached position (0 .. maximum).
    void advance(qint64 position);

private:
    std::function<void(int)> m_setValue;
    qint64 m_maximum;
    qint64 m_shown = -1;    // the percent last shown
    qint64 m_position = 0;  // the position last shown
};
