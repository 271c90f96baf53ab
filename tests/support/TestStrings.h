#pragma once

#include <QStringList>

#include <ostream>

// Lets GoogleTest show QString values as text in failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// The parts of a text between '|' characters: a short way to write an expected list.
inline QStringList texts(const char16_t *joined)
{
    return QString::fromUtf16(joined).split(u'|');
}
