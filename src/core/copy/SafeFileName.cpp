#include "core/copy/SafeFileName.h"

#include "core/common/AppInfo.h"
#include "core/common/Blanks.h"

namespace {

// Tested in this order; every occurrence becomes "_".
constexpr QStringView illegalCharacters = u"?[]/\\=+<>:;,\"*|";

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

}  // namespace

SafeName safeFileName(const QString &titleCell, const QString &fileCell)
{
    SafeName result;
    // Blanks only: other white space is replaced like any control character.
    result.name = trimBlanks(QString(titleCell + fileCell.right(4))).toString();
    for (QChar &c : result.name) {
        if (illegalCharacters.contains(c) || isControl(c)) {
            c = QLatin1Char('_');
            result.renamed = true;
        }
    }
    return result;
}

QString destinationFolder(const QString &dirPath)
{
    const QString path = trimBlanks(dirPath).toString();
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

QString renamedFilesMessage(int renamedCount)
{
    return signBlank(renamedCount)
        + QStringLiteral(" of your files were renamed using an underscore _ in the filename.\r\n"
                         "This is due to the file naming limitations of Windows and Dos.\r\n"
                         "You may remove the underscore _ in these filenames if you wish.");
}

QString DestinationNames::claim(const QString &name)
{
    // The extension starts at the last dot, unless that dot opens the name.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const qsizetype split = dot > 0 ? dot : name.size();
    QString candidate = name;
    for (int n = 2; m_taken.contains(candidate.toCaseFolded()); ++n)
        candidate = name.left(split) + QStringLiteral(" (%1)").arg(n) + name.mid(split);
    m_taken.insert(candidate.toCaseFolded());
    return candidate;
}
