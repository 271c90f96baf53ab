#pragma once

#include <QString>
#include <QStringList>

// The pictures the photo viewer lists: JPEG and BMP files.
inline QString pictureFilePattern()
{
    return QStringLiteral("*.jpg;*.bmp");
}

// True when the file name matches one of the patterns of the list (patterns
// separated by semicolons, with * and ? as wildcards), without regard to case.
bool matchesFilePattern(const QString &fileName, const QString &patternList);

// The names of the files in the folder that match the pattern list, sorted
// without regard to case. Folders, hidden files and anything that is not a
// file (devices, pipes) are left out; a folder that cannot be read gives none.
QStringList listFiles(const QString &folder, const QString &patternList);
