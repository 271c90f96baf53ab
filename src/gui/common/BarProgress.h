#pragma once

#include "core/common/ProgressSink.h"
#include "core/common/ProgressSteps.h"

#include <functional>

class QProgressBar;

// Progress on a progress bar and a status text. The bar is set only when the
// percent it shows changes, so a loop may report every item.
class BarProgress : public ProgressSink
{
public:
    BarProgress(QProgressBar *bar, std::function<void(const QString &)> setStatus);

    void setProgressRange(qint64 minimum, qint64 maximum) override;
    void setProgressValue(qint64 value) override;
    void setStatusText(const QString &text) override;

private:
    QProgressBar *m_bar;
    std::function<void(const QString &)> m_setStatus;
    ProgressSteps m_steps;
};
