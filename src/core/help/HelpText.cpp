#include "core/help/HelpText.h"

#include "core/common/Blanks.h"
#include "core/common/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <utility>

namespace {

bool isClosingLine(const QString &line)
{
    return trimBlanks(line).toString().toUpper() == QLatin1String("HIDOVER:");
}

}  // namespace

QString helpKey(std::optional<int> section)
{
    QString key = QStringLiteral("HID:");
    if (section)
        key += QString::number(*section);
    key.remove(QLatin1Char(' '));
    return key.toUpper();
}

QStringList defaultHelpDirs()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    return {appDir, QStringLiteral(QUILLORY_DATADIR), QDir::cleanPath(appDir + QStringLiteral("/../share/quillory"))};
}

QString findHelpFile(const QStringList &dirs, const QString &fileName)
{
    for (const QString &dir : dirs) {
        const QString path = QDir(dir).filePath(fileName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

HelpText::Lookup HelpText::readSection(const QString &path, std::optional<int> section)
{
    const std::optional<QStringList> lines = path.isEmpty() ? std::nullopt : TextFile::readLines(path);
    if (!lines)
        return Lookup::FileMissing;
    const QString key = helpKey(section);
    for (qsizetype i = 0; i < lines->size(); ++i) {
        if (lines->at(i).toUpper() != key)
            continue;
        for (qsizetype j = i + 1; j < lines->size(); ++j) {
            if (isClosingLine(lines->at(j)))
                return Lookup::Found;
            m_pending += lines->at(j) + QStringLiteral("\r\n");
        }
        return Lookup::Unterminated;
    }
    return Lookup::NotFound;
}

QString HelpText::takePending()
{
    return std::exchange(m_pending, QString());
}
