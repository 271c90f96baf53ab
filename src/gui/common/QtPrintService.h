#pragma once

#include "core/common/PrintService.h"

#include <QString>

class QWidget;

// The print dialog (QPrintDialog) and the printer chosen in it (QPrinter);
// the text is laid out by QTextDocument in a serif font.
class QtPrintService : public PrintService
{
public:
    explicit QtPrintService(QWidget *dialogParent = nullptr)
        : m_dialogParent(dialogParent)
    {}

    // Starts the dialog on PDF output into this file instead of the default printer.
    void setPdfOutput(const QString &path) { m_pdfPath = path; }

    Result printText(const QString &text) override;

private:
    QWidget *m_dialogParent;
    QString m_pdfPath;
};
