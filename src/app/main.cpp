#include "core/app/CommandLine.h"
#include "core/common/CommandLineHelp.h"
#include "gui/app/DesktopServices.h"
#include "gui/player/MediaPlayerStrip.h"

#include <QApplication>

#include <cstdio>
#include <optional>

namespace {

const QString programName = QStringLiteral("quillory");

// Prints the help, the version or what was wrong with the command line and
// gives the exit status; nullopt when the window is to run.
std::optional<int> answerWithoutWindow(const CommandLine &commandLine)
{
    if (!commandLine.valid) {
        const QString text = programName + QStringLiteral(": ") + commandLine.errorText + QStringLiteral("\n\n")
            + usageText(programName);
        std::fputs(text.toLocal8Bit().constData(), stderr);
        return 64;
    }
    if (commandLine.showHelp || commandLine.showVersion) {
        const QString text =
            commandLine.showHelp ? usageText(programName) : versionLine(programName) + QLatin1Char('\n');
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    return std::nullopt;
}

}  // namespace

// The composition root: every real service is built here and handed to the window.
int main(int argc, char **argv)
{
    // --help and --version are answered before the window system starts, so
    // they work without a display. Other arguments wait for QApplication,
    // which takes its own options (such as -platform) out first.
    QStringList rawArguments;
    for (int i = 1; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine early = parseCommandLine(rawArguments);
    if (early.valid && (early.showHelp || early.showVersion))
        return *answerWithoutWindow(early);

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("quillory"));
    const CommandLine commandLine = parseCommandLine(QCoreApplication::arguments().mid(1));
    if (const auto status = answerWithoutWindow(commandLine))
        return *status;

    DesktopServices services;
    Form1 window(services.forWindow(new MediaPlayerStrip(services.player), commandLine.playerRoot,
                                    [] { QCoreApplication::quit(); }));
    window.show();
    return QApplication::exec();
}
