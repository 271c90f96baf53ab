#include "core/app/CommandLine.h"
#include "core/copy/CopyStorage.h"
#include "core/device/SystemVolumeService.h"
#include "gui/app/Form1.h"
#include "gui/common/DesktopUrlOpener.h"
#include "gui/common/QtFileDialogService.h"
#include "gui/common/QtMessageService.h"
#include "gui/common/QtPrintService.h"
#include "gui/player/MediaPlayerStrip.h"
#include "gui/player/QtMediaPlayer.h"

#include <QApplication>

#include <cstdio>

// The composition root: every real service is built here and handed to the window.
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
    QtMediaPlayer player;
    FileCopyStorage copyStorage;
    // The window takes the strip into its Mplayer box and owns it from then on.
    auto *playerControls = new MediaPlayerStrip(player);
    Form1 window({.volumes = volumes,
                  .messages = messages,
                  .player = player,
                  .copyStorage = copyStorage,
                  .fileDialog = fileDialog,
                  .urlOpener = urlOpener,
                  .printer = printer,
                  .playerControls = playerControls,
                  .playerRoot = commandLine.playerRoot,
                  .endProgram = [] { QCoreApplication::quit(); }});
    window.show();
    return QApplication::exec();
}
