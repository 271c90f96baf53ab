#include "cli/CopyMeter.h"

#include "cli/CliCommand.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <memory>

#include <sys/ioctl.h>
#include <unistd.h>

namespace {

constexpr qint64 redrawIntervalMs = 100;  // at most ten times a second

}  // namespace

CopyMeter::CopyMeter(CopyStorage &storage, Terminal terminal, std::function<void(const QString &)> printStatus)
    : m_storage(storage)
    , m_terminal(std::move(terminal))
    , m_printStatus(std::move(printStatus))
{}

CopyMeter::Terminal CopyMeter::stderrTerminal(bool quiet)
{
    Terminal terminal;
    terminal.shown = !quiet && isatty(STDERR_FILENO) == 1;
    winsize size{};
    if (terminal.shown && ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        terminal.columns = size.ws_col;
    terminal.write = writeError;
    terminal.clockMs = [timer = std::make_shared<QElapsedTimer>()] {
        if (!timer->isValid())
            timer->start();
        return timer->elapsed();
    };
    return terminal;
}

QString CopyMeter::byteText(qint64 bytes)
{
    if (bytes < 1000)
        return QString::number(bytes) + QStringLiteral(" B");
    static const char *const units[] = {"kB", "MB", "GB", "TB"};
    double value = static_cast<double>(bytes) / 1000.0;
    std::size_t unit = 0;
    // Rounded to one decimal, 999.95 would show as 1000.0 of the smaller unit.
    while (value >= 999.95 && unit + 1 < std::size(units)) {
        value /= 1000.0;
        ++unit;
    }
    return QString::number(value, 'f', 1) + QLatin1Char(' ') + QLatin1String(units[unit]);
}

QString CopyMeter::meterText(int done, int total, qint64 bytes, qint64 elapsedMs, const QString &name)
{
    QString text = QStringLiteral("%1 of %2 files, %3").arg(done).arg(total).arg(byteText(bytes));
    if (elapsedMs > 0)
        text += QStringLiteral(", %1/s").arg(byteText(bytes * 1000 / elapsedMs));
    if (!name.isEmpty())
        text += QStringLiteral("  ") + name;
    return text;
}

void CopyMeter::setProgressRange(qint64, qint64 maximum)
{
    m_total = static_cast<int>(maximum);
}

void CopyMeter::setStatusText(const QString &text)
{
    finish();
    m_printStatus(text);
}

CopyStorageResult CopyMeter::copyToStorage(const CopyJob &job)
{
    if (m_startMs < 0 && m_terminal.shown)
        m_startMs = m_terminal.clockMs();
    m_name = QFileInfo(job.destination).fileName();
    m_dirty = true;
    draw(false);
    const CopyStorageResult result = m_storage.copyToStorage(job);
    if (!result.ok) {
        finish();
        return result;
    }
    ++m_done;
    m_total = std::max(m_total, m_done);
    m_bytes += QFileInfo(job.destination).size();
    m_dirty = true;
    draw(false);
    return result;
}

void CopyMeter::show(int done, int total, qint64 bytes, const QString &name)
{
    if (m_startMs < 0 && m_terminal.shown)
        m_startMs = m_terminal.clockMs();
    m_done = done;
    m_total = total;
    m_bytes = bytes;
    m_name = name;
    m_dirty = true;
    draw(false);
}

void CopyMeter::finish()
{
    if (m_dirty && m_lineOpen)
        draw(true);
    if (m_lineOpen)
        m_terminal.write(QStringLiteral("\n"));
    m_lineOpen = false;
    m_dirty = false;
}

void CopyMeter::draw(bool force)
{
    if (!m_terminal.shown)
        return;
    const qint64 now = m_terminal.clockMs();
    if (!force && m_lastDrawMs >= 0 && now - m_lastDrawMs < redrawIntervalMs)
        return;
    QString text = meterText(m_done, m_total, m_bytes, now - m_startMs, m_name);
    const qsizetype room = std::max(m_terminal.columns - 1, 10);
    if (text.size() > room)
        text = text.left(room - 3) + QStringLiteral("...");
    // Back to the line's start, the text, then clear what an older, longer text left.
    m_terminal.write(QLatin1Char('\r') + text + QStringLiteral("\x1b[K"));
    m_lastDrawMs = now;
    m_lineOpen = true;
    m_dirty = false;
}
