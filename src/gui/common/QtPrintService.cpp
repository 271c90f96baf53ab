#include "gui/common/QtPrintService.h"

#include <QFont>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

PrintService::Result QtPrintService::printText(const QString &text)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_pdfPath.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_pdfPath);
    }
    QPrintDialog dialog(&printer, m_dialogParent);
    if (dialog.exec() != QDialog::Accepted)
        return {Outcome::Cancelled, {}};
    if (!printer.isValid())
        return {Outcome::Failed, QStringLiteral("no printer is available")};

    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
    document.setPlainText(text);
    document.print(&printer);
    if (printer.printerState() == QPrinter::Error)
        return {Outcome::Failed, QStringLiteral("the printer reported an error")};
    return {Outcome::Printed, {}};
}
