#include "gui/common/BarProgress.h"

#include <QProgressBar>

#include <algorithm>
#include <climits>

BarProgress::BarProgress(QProgressBar *bar, std::function<void(const QString &)> setStatus)
    : m_bar(bar)
    , m_setStatus(std::move(setStatus))
{}

void BarProgress::setProgressRange(qint64 minimum, qint64 maximum)
{
    // A bar without a range turns into a busy indicator: such a range leaves it as it was.
    if (maximum <= minimum)
        return;
    m_bar->setRange(static_cast<int>(std::clamp<qint64>(minimum, 0, INT_MAX)),
                    static_cast<int>(std::clamp<qint64>(maximum, 1, INT_MAX)));
    m_step = (maximum - minimum) / 1000;
    m_shown = m_bar->value();
}

void BarProgress::setProgressValue(qint64 value)
{
    const qint64 last = m_bar->maximum();
    if (value != 0 && value < last && std::abs(value - m_shown) <= m_step)
        return;
    m_shown = std::clamp<qint64>(value, m_bar->minimum(), last);
    m_bar->setValue(static_cast<int>(m_shown));
}

void BarProgress::setStatusText(const QString &text)
{
    m_setStatus(text);
}
