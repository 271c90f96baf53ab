#include "core/app/CommandLine.h"
#include "core/device/SystemVolumeService.h"
#include "gui/app/Form1.h"
#include "gui/common/DesktopUrlOpener.h"
#include "gui/common/QtFileDialogService.h"
#include "gui/common/QtMessageService.h"
#include "gui/common/QtPrintService.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("quillory"));
    const CommandLine commandLine = parseCommandLine(QCoreApplication::arguments().mid(1));
    if (!commandLine.valid) {
        std::fputs(usageText(QStringLiteral("quillory")).toLocal8Bit().constData(), stderr);
        return 1;
    }

    SystemVolumeService volumes;
    QtMessageService messages;
    // Dialogs open over the active window; without a parent they are centred on the screen.
    QtFileDialogService fileDialog;
    QtPrintService printer;
    DesktopUrlOpener urlOpener;
    // No player given: the window shows its own control strip with a Qt Multimedia player.
    Form1 window({.volumes = volumes,
                  .messages = messages,
                  .playerRoot = commandLine.playerRoot,
                  .endProgram = [] { QCoreApplication::quit(); },
                  .fileDialog = &fileDialog,
                  .urlOpener = &urlOpener,
                  .printer = &printer});
    window.show();
    return QApplication::exec();
}
