#include "core/export/HtmlList.h"

#include "core/common/AppInfo.h"
#include "core/common/FileDialogService.h"
#include "core/common/MessageService.h"
#include "core/common/ProgressSink.h"
#include "core/common/UrlOpener.h"
#include "core/copy/CopyFiles.h"
#include "core/grid/GridModel.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cstring>

namespace {

// Bytes gathered before they are written.
constexpr qsizetype chunkSize = 256 * 1024;

// Appends the text as UTF-8 with &, <, > and " escaped, and U+FFFD in place
// of each character that HTML does not allow: a control character other than
// tab, LF and CR, a noncharacter, or a lone half of a surrogate pair. One pass
// straight into the buffer: the list holds hundreds of thousands of cells.
void appendEscaped(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    // The longest entity takes six bytes; no UTF-16 unit needs more as UTF-8.
    out.resize(start + text.size() * 6);
    auto *p = reinterpret_cast<unsigned char *>(out.data() + start);
    const auto put = [&p](const char *bytes, std::size_t n) {
        std::memcpy(p, bytes, n);
        p += n;
    };
    const auto putReplacement = [&put] { put("\xEF\xBF\xBD", 3); };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char32_t c = text[i].unicode();
        if (c < 0x80) {
            switch (c) {
            case u'&': put("&amp;", 5); break;
            case u'<': put("&lt;", 4); break;
            case u'>': put("&gt;", 4); break;
            case u'"': put("&quot;", 6); break;
            case u'\t':
            case u'\n':
            case u'\r': *p++ = static_cast<unsigned char>(c); break;
            default:
                if (c < 0x20 || c == 0x7F)
                    putReplacement();
                else
                    *p++ = static_cast<unsigned char>(c);
            }
        } else if (c <= 0x9F) {
            putReplacement();
        } else if (c < 0x800) {
            *p++ = static_cast<unsigned char>(0xC0 | (c >> 6));
            *p++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            const char32_t u = QChar::surrogateToUcs4(static_cast<char16_t>(c), text[++i].unicode());
            if ((u & 0xFFFE) == 0xFFFE) {
                putReplacement();  // the last two code points of every plane are noncharacters
                continue;
            }
            *p++ = static_cast<unsigned char>(0xF0 | (u >> 18));
            *p++ = static_cast<unsigned char>(0x80 | ((u >> 12) & 0x3F));
            *p++ = static_cast<unsigned char>(0x80 | ((u >> 6) & 0x3F));
            *p++ = static_cast<unsigned char>(0x80 | (u & 0x3F));
        } else if (QChar::isSurrogate(c) || (c >= 0xFDD0 && c <= 0xFDEF) || c >= 0xFFFE) {
            putReplacement();
        } else {
            *p++ = static_cast<unsigned char>(0xE0 | (c >> 12));
            *p++ = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
            *p++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
        }
    }
    out.resize(reinterpret_cast<char *>(p) - out.data());
}

// One table row: "<TR>", one line per column with the given tag, "</TR>", an empty line.
void appendRow(QByteArray &out, const GridModel &grid, int row, QByteArrayView open, QByteArrayView close)
{
    out += "<TR>\r\n";
    for (int c = 0; c < grid.cols(); ++c) {
        out += open;
        appendEscaped(out, grid.text(row, c));
        out += close;
        out += "\r\n";
    }
    out += "</TR>\r\n\r\n";
}

class HtmlFile
{
public:
    explicit HtmlFile(const QString &path)
        : m_file(path)
    {}

    bool open() { return m_file.open(QIODevice::WriteOnly) && m_file.write("\xEF\xBB\xBF", 3) == 3; }
    // Writes what was gathered once there is enough of it (or always, when forced).
    bool flush(QByteArray &bytes, bool force)
    {
        if (!force && bytes.size() < chunkSize)
            return true;
        const bool ok = m_file.write(bytes) == bytes.size();
        bytes.resize(0);
        return ok;
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

HtmlWriteResult writeHtmlList(GridModel &grid, const QString &path, ProgressSink &progress)
{
    if (const QFileInfo info(path); info.exists() && !info.isFile())
        return {false, false, QStringLiteral("not a regular file")};
    HtmlFile file(path);
    if (!file.open())
        return {false, false, file.errorString()};
    progress.setStatusText(QStringLiteral("Please wait while HTML file is created..."));

    QByteArray text;
    text.reserve(2 * chunkSize);
    text += "<HTML><HEAD></HEAD><BODY>\r\n<TABLE BORDER=1  CELLPADDING=1>\r\n";
    appendRow(text, grid, 0, "  <TH>", "</TH>");
    bool written = file.flush(text, true);

    progress.setProgressRange(0, grid.rows());
    if (grid.rows() > 1)
        grid.setCol(0);
    for (int r = 1; r < grid.rows() && written; ++r) {
        progress.yield();
        if (progress.cancelled())
            return {false, true, {}};
        appendRow(text, grid, r, "  <TD>", "</TD>");
        written = file.flush(text, false);
        progress.setProgressValue(r);
    }
    text += "</BODY></HTML>\r\n";
    if (!written || !file.flush(text, true) || !file.commit())
        return {false, false, file.errorString()};
    return {true, false, {}};
}

QString htmlOnPlayerRefusal(const QString &path, const QString &playerRoot)
{
    if (playerRoot.trimmed().isEmpty() || !liesOnPlayer(QFileInfo(path).absolutePath(), playerRoot.trimmed()))
        return {};
    return QStringLiteral("The HTML file %1 is not written: it would be on the iPod, which is only read.").arg(path);
}

HtmlOutcome createhtmlfile(const HtmlRequest &request)
{
    const QString chosen = request.dialog.getSaveFileName(QStringLiteral("HTML Files (*.html*)"));
    if (chosen.isEmpty())
        return HtmlOutcome::Cancelled;
    const QString path = htmlFileName(chosen);
    if (const QString refusal = htmlOnPlayerRefusal(path, request.playerRoot); !refusal.isEmpty()) {
        request.messages.show(refusal, appTitle(), MessageButtons::Ok, MessageIcon::Exclamation);
        return HtmlOutcome::OnPlayer;
    }
    ProgressSink &progress = request.progress;

    const HtmlWriteResult written = writeHtmlList(request.grid, path, progress);
    if (!written.ok) {
        progress.setProgressValue(0);
        progress.setStatusText(QString());
        if (written.cancelled)
            return HtmlOutcome::Cancelled;
        request.messages.show(QStringLiteral("The HTML file %1 could not be written: %2").arg(path, written.errorText),
                              appTitle(), MessageButtons::Ok, MessageIcon::Critical);
        return HtmlOutcome::Failed;
    }
    progress.setStatusText(QStringLiteral("HTML file is created... Loading into Browser to view"));
    const bool opened = request.opener.openFile(path);
    progress.setStatusText(QStringLiteral("Finished.."));
    progress.setProgressValue(0);
    if (!opened) {
        request.messages.show(
            QStringLiteral("The HTML file %1 was written, but no program could be started to show it.").arg(path),
            appTitle(), MessageButtons::Ok, MessageIcon::Exclamation);
        return HtmlOutcome::NotOpened;
    }
    return HtmlOutcome::Opened;
}
