#pragma once

#include "core/common/ProgressSink.h"
#include "core/copy/CopyStorage.h"

#include <QString>

#include <functional>

// The progress of a copy on a terminal. As the copy's progress sink it
// prints the status texts as lines on standard output; standing between the
// copy and the real storage it sees every file, and, when shown, keeps one
// line on standard error with the files done of the total, the bytes copied,
// the rate and the name of the current file. That line is redrawn at most
// ten times a second and ended before any other text appears, so messages
// never land in the middle of it.
class CopyMeter : public ProgressSink, public CopyStorage
{
public:
    struct Terminal
    {
        bool shown = false;                          // false: no meter at all
        int columns = 80;                            // the meter line is kept shorter than this
        std::function<void(const QString &)> write;  // writes meter text as it is
        std::function<qint64()> clockMs;             // a steady clock in milliseconds
    };

    CopyMeter(CopyStorage &storage, Terminal terminal, std::function<void(const QString &)> printStatus);

    // Standard error when it is a terminal and quiet is false; else no meter.
    static Terminal stderrTerminal(bool quiet);

    // The meter text for a state, without the line control characters.
    static QString meterText(int done, int total, qint64 bytes, qint64 elapsedMs, const QString &name);
    // A byte count in B, kB, MB or GB (powers of 1000) with one decimal above bytes.
    static QString byteText(qint64 bytes);

    // ProgressSink: the maximum is the number of files
    void setProgressRange(qint64 minimum, qint64 maximum) override;
    void setProgressValue(qint64) override {}
    void setStatusText(const QString &text) override;

    // CopyStorage
    CopyStorageResult copyToStorage(const CopyJob &job) override;
    CopyComparison compareWithStorage(const CopyJob &job) override { return m_storage.compareWithStorage(job); }

    // Shows a state counted elsewhere (an export counts the songs already there too).
    void show(int done, int total, qint64 bytes, const QString &name);

    // Draws the last state if it was not drawn and ends the meter line.
    void finish();

private:
    void draw(bool force);

    CopyStorage &m_storage;
    Terminal m_terminal;
    std::function<void(const QString &)> m_printStatus;
    int m_total = 0;
    int m_done = 0;
    qint64 m_bytes = 0;
    QString m_name;
    qint64 m_startMs = -1;     // when the first file began
    qint64 m_lastDrawMs = -1;  // when the line was last drawn
    bool m_lineOpen = false;   // the meter line is on the terminal and not ended
    bool m_dirty = false;      // the state changed since the last draw
};
