#pragma once

#include <QElapsedTimer>

// Lets the event loop run during a long loop on the user-interface thread,
// at most once every few tens of milliseconds so the loop does not pay for a
// yield per item. yieldNow() always runs pending events.
class EventPump
{
public:
    explicit EventPump(int intervalMs = 25);
    void maybeYield();
    void yieldNow();

private:
    QElapsedTimer m_sinceLast;
    int m_intervalMs;
};
