#pragma once

#include <QHash>
#include <QSet>
#include <QString>

// The file name a copied song gets: its title followed by the file's
// extension, with the characters that file systems refuse replaced by "_".
struct SafeName
{
    QString name;
    qsizetype extensionSize = 0;  // the extension at the end of name: numbers and cuts go before it
    bool renamed = false;         // at least one character was replaced
};

// Name = title cell followed by the last four characters of the file cell
// (the whole cell when shorter; they are the extension), blanks trimmed from
// both ends of the whole. A title that is empty or blanks only would leave
// a hidden file named after the extension: the name of the song's own file
// (the last part of the file cell) is taken instead. Then ? [ ] / \ = + < >
// : ; , " * | and control characters become "_".
SafeName safeFileName(const QString &titleCell, const QString &fileCell);

// The destination folder with exactly one trailing separator added when it has none.
QString destinationFolder(const QString &dirPath);

// The longest file name, in bytes, that the file system of the folder takes
// (255 where it does not tell).
qsizetype fileNameLimit(const QString &folder);

// The text cut at a character boundary (a letter with its accents stays
// whole) so that it takes at most maxBytes bytes of UTF-8.
QString fitToBytes(QStringView text, qsizetype maxBytes);

// The message that tells how many copied files had characters replaced.
QString renamedFilesMessage(int renamedCount);

// Names handed out during one copy. A name already taken (compared without
// regard to case, as destination disks may be case-insensitive) gets
// " (2)", " (3)", ... before its extension. A name longer than the file
// system takes is cut before its extension and number, on a character
// boundary, to fit in maxBytes bytes of UTF-8.
class DestinationNames
{
public:
    explicit DestinationNames(qsizetype maxBytes = 255)
        : m_maxBytes(maxBytes)
    {}
    QString claim(const SafeName &name);

private:
    QString fitted(QStringView stem, const QString &end) const;

    qsizetype m_maxBytes;
    QSet<QString> m_taken;             // case-folded
    QHash<QString, int> m_nextNumber;  // case-folded name -> the first number not yet tried
};
