#pragma once

#include <QSet>
#include <QString>

// The file name a copied song gets: its title followed by the file's
// extension, with the characters that file systems refuse replaced by "_".
struct SafeName
{
    QString name;
    bool renamed = false;  // at least one character was replaced
};

// Name = title cell followed by the last four characters of the file cell
// (the whole cell when shorter), blanks trimmed from both ends of the whole;
// then ? [ ] / \ = + < > : ; , " * | and control characters become "_".
SafeName safeFileName(const QString &titleCell, const QString &fileCell);

// The destination folder with exactly one trailing separator added when it has none.
QString destinationFolder(const QString &dirPath);

// The message that tells how many copied files had characters replaced.
QString renamedFilesMessage(int renamedCount);

// Names handed out during one copy. A name already taken (compared without
// regard to case, as destination disks may be case-insensitive) gets
// " (2)", " (3)", ... before its extension.
class DestinationNames
{
public:
    QString claim(const QString &name);

private:
    QSet<QString> m_taken;  // case-folded
};
