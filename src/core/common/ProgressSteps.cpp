#include "core/common/ProgressSteps.h"

ProgressSteps::ProgressSteps(std::function<void(int)> setValue, qint64 maximum)
    : m_setValue(std::move(setValue))
    , m_maximum(maximum)
{}

void ProgressSteps::advance(qint64 position)
{
    if (!m_setValue || m_maximum <= 0)
        return;
    const qint64 percent = position * 100 / m_maximum;
    // Back to 0 always shows: a job that ends early within its first percent
    // must not leave the bar looking busy.
    if (percent == m_shown && (position != 0 || m_position == 0))
        return;
    m_shown = percent;
    m_position = position;
    m_setValue(static_cast<int>(position));
}
