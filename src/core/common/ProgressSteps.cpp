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
    if (percent == m_shown)
        return;
    m_shown = percent;
    m_setValue(static_cast<int>(position));
}
