#include "cli/ConsoleMessageService.h"

#include "cli/CliCommand.h"

MessageAnswer ConsoleMessageService::show(const QString &text, const QString &, MessageButtons buttons, MessageIcon)
{
    QString lines = controlEscaped(text);
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    printLines(1, [&](qsizetype) { return lines; });
    return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}
