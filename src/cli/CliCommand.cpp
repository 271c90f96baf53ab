#include "cli/CliCommand.h"

#include <algorithm>

#include <cstdio>

QCommandLineOption playerOption()
{
    return {QStringLiteral("player"),
            QStringLiteral("Use DIR as the player's root folder instead of searching the removable volumes."),
            QStringLiteral("DIR")};
}

std::optional<QString> playerDir(const QCommandLineParser &options)
{
    return options.isSet(playerOption()) ? std::optional<QString>(options.value(playerOption())) : std::nullopt;
}

void writeError(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
}

QString controlEscaped(QStringView text)
{
    const auto escaped = [](QChar ch) {
        const char16_t c = ch.unicode();
        return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || (c >= 0x7F && c <= 0x9F);
    };
    if (std::none_of(text.begin(), text.end(), escaped))
        return text.toString();
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar ch : text) {
        if (escaped(ch))
            out += QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += ch;
    }
    return out;
}

void printError(const QString &text)
{
    writeError(controlEscaped(text) + QLatin1Char('\n'));
}

CliStatus usageProblem(const QString &text)
{
    printError(QStringLiteral("quillory-cli: ") + text);
    return CliUsageError;
}

void printBytes(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

void printLines(qsizetype count, const std::function<QString(qsizetype)> &line, QByteArrayView lineEnd)
{
    constexpr qsizetype chunk = 1 << 16;
    QByteArray out;
    out.reserve(chunk + 1024);
    for (qsizetype i = 0; i < count; ++i) {
        out += line(i).toUtf8();
        out += lineEnd;
        if (out.size() >= chunk || i + 1 == count) {
            printBytes(out);
            out.clear();
        }
    }
}
