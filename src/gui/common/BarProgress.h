#pragma once

#include "core/common/ProgressSink.h"

#include <functional>

class QProgressBar;

// Progress on a progress bar and a status text. The bar is set only when the
// value it shows moves by a visible step (a thousandth of its range), so a
// loop may report every item.
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
    qint64 m_step = 0;
    qint64 m_shown = 0;
};
