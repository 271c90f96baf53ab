#include "core/common/CommandLineHelp.h"

#include <algorithm>

QCommandLineOption helpOption()
{
    return {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")};
}

QCommandLineOption versionOption()
{
    return {QStringLiteral("version"), QStringLiteral("Show the version and exit.")};
}

QString versionLine(const QString &program)
{
    return program
        + QStringLiteral(" %1.%2.%3")
              .arg(QUILLORY_VERSION_MAJOR)
              .arg(QUILLORY_VERSION_MINOR)
              .arg(QUILLORY_VERSION_PATCH);
}

QString helpText(const QCommandLineParser &parser, const QString &usage, const QString &description)
{
    // The parser's own text opens with a usage line built from the executable's path; ours replaces it.
    const QString generated = parser.helpText();
    QString text = QStringLiteral("Usage: ") + usage + QLatin1Char('\n');
    if (!description.isEmpty())
        text += description + QLatin1Char('\n');
    return text + generated.mid(generated.indexOf(QLatin1Char('\n')) + 1);
}

std::optional<QString> repeatedOption(const QCommandLineParser &parser, const QList<QCommandLineOption> &options)
{
    const QStringList found = parser.optionNames();
    for (const QCommandLineOption &option : options) {
        const QStringList names = option.names();
        const auto uses =
            std::count_if(found.begin(), found.end(), [&](const QString &n) { return names.contains(n); });
        if (uses > 1)
            return QStringLiteral("--") + names.constLast();
    }
    return std::nullopt;
}
