#pragma once

#include "core/common/EventPump.h"
#include "core/common/ProgressSink.h"
#include "core/common/ProgressSteps.h"

#include <atomic>
#include <functional>

class QProgressBar;

// Progress on a progress bar and a status text, with the window's events let
// run during the job. The bar is set only when the percent it shows changes,
// so a loop may report every item. cancel() stops the running job (and any
// later one) at its next item; it may be called from any thread.
class BarProgress : public ProgressSink
{
public:
    BarProgress(QProgressBar *bar, std::function<void(const QString &)> setStatus);

    void setProgressRange(qint64 minimum, qint64 maximum) override;
    void setProgressValue(qint64 value) override;
    void setStatusText(const QString &text) override;
    void yield() override;
    bool cancelled() const override;

    void cancel();

private:
    QProgressBar *m_bar;
    std::function<void(const QString &)> m_setStatus;
    ProgressSteps m_steps;
    EventPump m_pump;
    std::atomic_bool m_cancelled = false;
};
