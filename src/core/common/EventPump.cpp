#include "core/common/EventPump.h"

#include <QCoreApplication>

EventPump::EventPump(int intervalMs)
    : m_intervalMs(intervalMs)
{
    m_sinceLast.start();
}

void EventPump::maybeYield()
{
    if (m_sinceLast.elapsed() >= m_intervalMs)
        yieldNow();
}

void EventPump::yieldNow()
{
    QCoreApplication::processEvents();
    m_sinceLast.restart();
}
