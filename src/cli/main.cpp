#include "cli/CliCommand.h"
#include "cli/CopyCommand.h"
#include "cli/GridCommand.h"
#include "cli/HtmlCommand.h"
#include "cli/ListCommand.h"
#include "cli/SearchCommand.h"
#include "cli/StatsCommand.h"

#include <QCoreApplication>

#include <iterator>

namespace {

// The commands, in the order the usage text shows them.
const CliCommand commands[] = {
    {"list", "list [--player DIR]\n      print the song list of the player (or of the player folder DIR)", runList},
    {"grid",
     "grid [--player DIR] [--sort COLUMN] [--descending]\n"
     "      print the song grid, tab-separated, header row first; COLUMN is one of\n"
     "      title, length, artist, album, genre, filetype, tracknumber",
     runGrid},
    {"copy",
     "copy [--player DIR] --to FOLDER (--all | --rows LIST)\n"
     "      copy the songs of the given grid rows (LIST such as 1-5,9) into FOLDER",
     runCopy},
    {"search",
     "search [--player DIR] [--sort COLUMN [--descending]] TEXT\n"
     "      print every cell that contains TEXT (letter case aside), column by column:\n"
     "      row number, column name and cell text, tab-separated; exit 1 when none does",
     runSearch},
    {"stats", "stats [--player DIR] [--sort COLUMN [--descending]]\n      print the statistics report", runStats},
    {"html",
     "html [--player DIR] [--sort COLUMN [--descending]] --out FILE\n"
     "      write the song grid as an HTML table into FILE (\".html\" appended unless it ends so)",
     runHtml},
};

int usageError()
{
    QString text = QStringLiteral("usage: quillory-cli COMMAND [ARGUMENTS]\ncommands:");
    for (const CliCommand &command : commands)
        text += QStringLiteral("\n  ") + QString::fromUtf8(command.usage);
    printError(text);
    return CliUsageError;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    if (args.size() < 2)
        return usageError();
    const QString name = args[1];
    args.remove(0, 2);
    for (const CliCommand &command : commands) {
        if (name == QLatin1String(command.name)) {
            const CliStatus status = command.run(args);
            if (status == CliNoMatch)
                return 1;
            return status == CliUsageError ? usageError() : status;
        }
    }
    return usageError();
}
