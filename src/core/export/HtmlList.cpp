#include "core/export/HtmlList.h"

#include "core/common/AppInfo.h"
#include "core/common/FileDialogService.h"
#include "core/common/MessageService.h"
#include "core/common/ProgressSink.h"
#include "core/common/UrlOpener.h"
#include "core/grid/GridModel.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr QStringView crlf = u"\r\n";
// Text gathered before it is encoded and written, in characters.
constexpr qsizetype chunkSize = 64 * 1024;

void appendEscaped(QString &out, QStringView text)
{
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&': out += u"&amp;"; break;
        case u'<': out += u"&lt;"; break;
        case u'>': out += u"&gt;"; break;
        case u'"': out += u"&quot;"; break;
        default: out += c;
        }
    }
}

// One table row: "<TR>", one line per column with the given tag, "</TR>", an empty line.
void appendRow(QString &out, const GridModel &grid, int row, QStringView open, QStringView close)
{
    out += u"<TR>";
    out += crlf;
    for (int c = 0; c < grid.cols(); ++c) {
        out += open;
        appendEscaped(out, grid.text(row, c));
        out += close;
        out += crlf;
    }
    out += u"</TR>";
    out += crlf;
    out += crlf;
}

class HtmlFile
{
public:
    explicit HtmlFile(const QString &path)
        : m_file(path)
    {
    }

    bool open() { return m_file.open(QIODevice::WriteOnly) && m_file.write("\xEF\xBB\xBF", 3) == 3; }
    // Encodes and writes what was gathered once there is enough of it (or always, when forced).
    bool flush(QString &text, bool force)
    {
        if (!force && text.size() < chunkSize)
            return true;
        const QByteArray bytes = text.toUtf8();
        text.clear();
        return m_file.write(bytes) == bytes.size();
    }
    bool commit() { return m_file.commit(); }
    QString errorString() const { return m_file.errorString(); }

private:
    QSaveFile m_file;
};

}  // namespace

QString htmlFileName(const QString &chosen)
{
    return chosen.endsWith(QLatin1String(".html")) ? chosen : chosen + QLatin1String(".html");
}

HtmlWriteResult writeHtmlList(GridModel &grid, const QString &path, ProgressSink &progress,
                              const std::function<void()> &yield)
{
    if (const QFileInfo info(path); info.exists() && !info.isFile())
        return {false, QStringLiteral("not a regular file")};
    HtmlFile file(path);
    if (!file.open())
        return {false, file.errorString()};
    progress.setStatusText(QStringLiteral("Please wait while HTML file is created..."));

    QString text;
    text.reserve(chunkSize + 4096);
    text += u"<HTML><HEAD></HEAD><BODY>";
    text += crlf;
    text += u"<TABLE BORDER=1  CELLPADDING=1>";
    text += crlf;
    appendRow(text, grid, 0, u"  <TH>", u"</TH>");
    bool written = file.flush(text, true);

    progress.setProgressRange(0, grid.rows());
    if (grid.rows() > 1)
        grid.setCol(0);
    for (int r = 1; r < grid.rows() && written; ++r) {
        if (yield)
            yield();
        appendRow(text, grid, r, u"  <TD>", u"</TD>");
        written = file.flush(text, false);
        progress.setProgressValue(r);
    }
    text += u"</BODY></HTML>";
    text += crlf;
    if (!written || !file.flush(text, true) || !file.commit())
        return {false, file.errorString()};
    return {true, {}};
}

HtmlOutcome createhtmlfile(const HtmlRequest &request)
{
    const QString chosen = request.dialog.getSaveFileName(QStringLiteral("HTML Files (*.html*)"));
    if (chosen.isEmpty())
        return HtmlOutcome::Cancelled;
    const QString path = htmlFileName(chosen);
    ProgressSink &progress = request.progress;

    const HtmlWriteResult written = writeHtmlList(request.grid, path, progress, request.yield);
    if (!written.ok) {
        progress.setProgressValue(0);
        progress.setStatusText(QString());
        request.messages.show(QStringLiteral("The HTML file %1 could not be written: %2").arg(path, written.errorText),
                              appTitle(), MessageButtons::Ok, MessageIcon::Critical);
        return HtmlOutcome::Failed;
    }
    progress.setStatusText(QStringLiteral("HTML file is created... Loading into Browser to view"));
    const bool opened = request.opener.openFile(path);
    progress.setStatusText(QStringLiteral("Finished.."));
    progress.setProgressValue(0);
    if (!opened) {
        request.messages.show(QStringLiteral("The HTML file %1 was written, but no program could be started to show it.")
                                  .arg(path),
                              appTitle(), MessageButtons::Ok, MessageIcon::Exclamation);
        return HtmlOutcome::NotOpened;
    }
    return HtmlOutcome::Opened;
}
