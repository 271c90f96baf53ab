#pragma once

#include <QStringView>

// Removes leading and trailing blanks (spaces only; tabs and other white space stay).
inline QStringView trimBlanks(QStringView s)
{
    while (!s.isEmpty() && s.front() == u' ')
        s = s.sliced(1);
    while (!s.isEmpty() && s.back() == u' ')
        s.chop(1);
    return s;
}
