#include "core/copy/SafeFileName.h"

#include "core/common/AppInfo.h"
#include "core/common/Blanks.h"

#include <QFile>
#include <QTextBoundaryFinder>

#include <unistd.h>

namespace {

// Tested in this order; every occurrence becomes "_".
constexpr QStringView illegalCharacters = u"?[]/\\=+<>:;,\"*|";

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

// Bytes of the text in UTF-8, the encoding of file names (a lone surrogate
// becomes a three-byte replacement character).
qsizetype utf8Size(QStringView text)
{
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80)
            bytes += 1;
        else if (c < 0x800)
            bytes += 2;
        else if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            bytes += 4;
            ++i;
        } else
            bytes += 3;
    }
    return bytes;
}

// The name of the song's own file: the last part of its stored location.
QStringView locationFileName(QStringView fileCell)
{
    const QStringView location = trimBlanks(fileCell);
    const qsizetype slash = std::max(location.lastIndexOf(u'\\'), location.lastIndexOf(u'/'));
    return trimBlanks(location.sliced(slash + 1));
}

}  // namespace

SafeName safeFileName(const QString &titleCell, const QString &fileCell)
{
    SafeName result;
    const QStringView ownName = locationFileName(fileCell);
    if (trimBlanks(titleCell).isEmpty() && !ownName.isEmpty()) {
        result.name = ownName.toString();
        const qsizetype dot = result.name.lastIndexOf(QLatin1Char('.'));
        result.extensionSize = dot > 0 ? result.name.size() - dot : 0;
    } else {
        const QString extension = fileCell.right(4);
        // Blanks only: other white space is replaced like any control character.
        result.name = trimBlanks(QString(titleCell + extension)).toString();
        result.extensionSize = std::min(trimBlanks(extension).size(), result.name.size());
    }
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

qsizetype fileNameLimit(const QString &folder)
{
    const long limit = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    return limit > 0 ? limit : 255;
}

QString renamedFilesMessage(int renamedCount)
{
    return signBlank(renamedCount)
        + QStringLiteral(" of your files were renamed using an underscore _ in the filename.\r\n"
                         "This is due to the file naming limitations of Windows and Dos.\r\n"
                         "You may remove the underscore _ in these filenames if you wish.");
}

QString fitToBytes(QStringView text, qsizetype maxBytes)
{
    if (utf8Size(text) <= maxBytes)
        return text.toString();
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text.constData(), text.size());
    qsizetype keep = 0;
    qsizetype bytes = 0;
    for (qsizetype at = characters.toNextBoundary(); at > 0; at = characters.toNextBoundary()) {
        bytes += utf8Size(text.sliced(keep, at - keep));
        if (bytes > maxBytes)
            break;
        keep = at;
    }
    return text.first(keep).toString();
}

// The stem cut so that it and the end fit in the limit, followed by the end.
QString DestinationNames::fitted(QStringView stem, const QString &end) const
{
    return fitToBytes(stem, m_maxBytes - utf8Size(end)) + end;
}

QString DestinationNames::claim(const SafeName &safe)
{
    const QString &name = safe.name;
    qsizetype split = name.size() - safe.extensionSize;
    // An extension that leaves no room for the title is cut like the rest.
    if (utf8Size(QStringView(name).sliced(split)) > m_maxBytes / 2)
        split = name.size();
    const QStringView stem = QStringView(name).first(split);
    const QString extension = name.sliced(split);

    // Number 1 is the name itself; the numbers a name has used are not tried again.
    int &next = m_nextNumber[name.toCaseFolded()];
    for (int n = std::max(next, 1);; ++n) {
        const QString candidate = fitted(stem, n == 1 ? extension : QStringLiteral(" (%1)").arg(n) + extension);
        const QString folded = candidate.toCaseFolded();
        if (m_taken.contains(folded))
            continue;
        m_taken.insert(folded);
        next = n + 1;
        return candidate;
    }
}
