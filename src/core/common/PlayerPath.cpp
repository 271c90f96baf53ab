#include "core/common/PlayerPath.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The entry of dir whose name equals component, exactly or else without regard to case.
QString matchComponent(const QString &dir, const QString &component)
{
    if (QFileInfo::exists(dir + QLatin1Char('/') + component))
        return component;
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(component, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return component;
}

}  // namespace

QString playerPath(const QString &root, const QString &location)
{
    QString path = root;
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    QString rest = location;
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList components = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &component : components) {
        // A stored location never leaves the player: "." and ".." are dropped.
        if (component == QLatin1String(".") || component == QLatin1String(".."))
            continue;
        const QString base = path.isEmpty() ? QStringLiteral(".") : path;
        const QString name = matchComponent(base, component);
        path = path == QLatin1String("/") ? path + name : path + QLatin1Char('/') + name;
    }
    return path;
}

bool fileexists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}
