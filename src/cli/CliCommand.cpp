#include "cli/CliCommand.h"

#include <cstdio>

void printError(const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
}

void printLines(qsizetype count, const std::function<QString(qsizetype)> &line)
{
    constexpr qsizetype chunk = 1 << 16;
    QByteArray out;
    out.reserve(chunk + 1024);
    for (qsizetype i = 0; i < count; ++i) {
        out += line(i).toUtf8();
        out += '\n';
        if (out.size() >= chunk || i + 1 == count) {
            std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), stdout);
            out.clear();
        }
    }
    std::fflush(stdout);
}
