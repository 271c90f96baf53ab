#pragma once

#include <QString>

// The print dialog and the printer, behind an interface so tests can answer
// the dialog and print to a file.
class PrintService
{
public:
    enum class Outcome { Printed, Cancelled, Failed };
    struct Result
    {
        Outcome outcome = Outcome::Failed;
        QString errorText;  // why printing failed
    };

    virtual ~PrintService() = default;
    // Shows the print dialog and, when the user accepts it, prints the plain
    // text (lines separated by LF) as one print job.
    virtual Result printText(const QString &text) = 0;
};
