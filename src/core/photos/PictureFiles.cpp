#include "core/photos/PictureFiles.h"

#include <QDir>
#include <QRegularExpression>

namespace {

QList<QRegularExpression> patternExpressions(const QString &patternList)
{
    QList<QRegularExpression> expressions;
    for (const QString &pattern : patternList.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        expressions.append(QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern.trimmed()),
                                              QRegularExpression::CaseInsensitiveOption));
    }
    return expressions;
}

bool matchesAny(const QList<QRegularExpression> &expressions, const QString &fileName)
{
    for (const QRegularExpression &expression : expressions) {
        if (expression.match(fileName).hasMatch())
            return true;
    }
    return false;
}

}  // namespace

bool matchesFilePattern(const QString &fileName, const QString &patternList)
{
    return matchesAny(patternExpressions(patternList), fileName);
}

QStringList listFiles(const QString &folder, const QString &patternList)
{
    if (folder.isEmpty())
        return {};
    const QList<QRegularExpression> expressions = patternExpressions(patternList);
    QStringList names;
    for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        if (matchesAny(expressions, name))
            names.append(name);
    }
    return names;
}
