#pragma once

#include <QString>

// How a long job reports and is steered: a progress bar (range and value), a
// status text, the event loop it lets run, and a stop the user asked for.
// The window shows it on its progress bar and status text; a terminal or a
// benchmark shows what it needs. Connect, the copy, search, the HTML list,
// the statistics report and the export all take one.
class ProgressSink
{
public:
    virtual ~ProgressSink() = default;
    // A maximum that is not above the minimum leaves the bar's range as it was.
    virtual void setProgressRange(qint64 minimum, qint64 maximum) = 0;
    virtual void setProgressValue(qint64 value) = 0;
    virtual void setStatusText(const QString &text) = 0;
    // Lets the event loop run. Jobs call it once per item, so an implementation
    // that runs events throttles itself.
    virtual void yield() {}
    // True once the user asked the job to stop; the job reads it once per item
    // and ends at the next one, keeping the work already done.
    virtual bool cancelled() const { return false; }
};

// Shows nothing, runs no events and is never cancelled.
class NoProgress : public ProgressSink
{
public:
    void setProgressRange(qint64, qint64) override {}
    void setProgressValue(qint64) override {}
    void setStatusText(const QString &) override {}
};

// One shared sink that shows nothing, for calls that report to no one.
inline ProgressSink &noProgress()
{
    static NoProgress none;
    return none;
}
