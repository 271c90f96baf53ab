#include "gui/common/BarProgress.h"

#include <QProgressBar>

#include <algorithm>
#include <climits>

namespace {

std::function<void(int)> barSetter(QProgressBar *bar)
{
    return [bar](int value) { bar->setValue(value); };
}

}  // namespace

BarProgress::BarProgress(QProgressBar *bar, std::function<void(const QString &)> setStatus)
    : m_bar(bar)
    , m_setStatus(std::move(setStatus))
    , m_steps(barSetter(bar), bar->maximum())
{}

void BarProgress::setProgressRange(qint64 minimum, qint64 maximum)
{
    // A bar without a range turns into a busy indicator: such a range leaves it as it was.
    if (maximum <= minimum)
        return;
    m_bar->setRange(static_cast<int>(std::clamp<qint64>(minimum, 0, INT_MAX)),
                    static_cast<int>(std::clamp<qint64>(maximum, 1, INT_MAX)));
    m_steps = ProgressSteps(barSetter(m_bar), maximum);
}

void BarProgress::setProgressValue(qint64 value)
{
    m_steps.advance(value);
}

void BarProgress::setStatusText(const QString &text)
{
    m_setStatus(text);
}

void BarProgress::yield()
{
    m_pump.maybeYield();
}

bool BarProgress::cancelled() const
{
    return m_cancelled;
}

void BarProgress::cancel()
{
    m_cancelled = true;
}
