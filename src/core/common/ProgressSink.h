#pragma once

#include <QString>

// Where a long command shows its progress: the main window's progress bar
// and status text, or nothing (a terminal, a benchmark).
class ProgressSink
{
public:
    virtual ~ProgressSink() = default;
    // A maximum that is not above the minimum leaves the bar's range as it was.
    virtual void setProgressRange(qint64 minimum, qint64 maximum) = 0;
    virtual void setProgressValue(qint64 value) = 0;
    virtual void setStatusText(const QString &text) = 0;
};

// Shows nothing.
class NoProgress : public ProgressSink
{
public:
    void setProgressRange(qint64, qint64) override {}
    void setProgressValue(qint64) override {}
    void setStatusText(const QString &) override {}
};
