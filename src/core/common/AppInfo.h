#pragma once

#include <QString>

// The program's title, shown in message boxes and the main window caption.
inline QString appTitle()
{
    return QStringLiteral("Quillory");
}

// Writes a whole number with a blank in the place of the sign: 12 -> " 12", -3 -> "-3".
inline QString signBlank(long long n)
{
    return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n);
}

// Main window caption: the title, two blanks, and the version with a sign
// blank before each number ("Quillory   1. 0. 1").
inline QString mainWindowCaption()
{
    return appTitle() + QStringLiteral("  ") + signBlank(QUILLORY_VERSION_MAJOR) + QLatin1Char('.')
        + signBlank(QUILLORY_VERSION_MINOR) + QLatin1Char('.') + signBlank(QUILLORY_VERSION_PATCH);
}
