#pragma once

#include "core/copy/CopyStorage.h"
#include "core/device/SystemVolumeService.h"
#include "gui/app/Form1.h"
#include "gui/common/DesktopUrlOpener.h"
#include "gui/common/QtFileDialogService.h"
#include "gui/common/QtMessageService.h"
#include "gui/common/QtPrintService.h"
#include "gui/photos/QtImageLoader.h"
#include "gui/player/QtMediaPlayer.h"
#include "tags/TagLibFiller.h"

#include <QString>

#include <functional>
#include <optional>

// Every real service the main window uses, built together: the program's
// main() and the window benchmark make one and hand it to Form1.
struct DesktopServices
{
    SystemVolumeService volumes;
    QtMessageService messages;
    // Dialogs open over the active window; without a parent they are centred on the screen.
    QtFileDialogService fileDialog;
    QtPrintService printer;
    DesktopUrlOpener urlOpener;
    QtMediaPlayer player;
    FileCopyStorage copyStorage;
    QtImageLoader images;
    TagLibFiller tags;

    // The window's view of them. playerControls (may be null) is shown in the
    // window's media player box, which then owns it.
    Form1Services forWindow(QWidget *playerControls, std::optional<QString> playerRoot,
                            std::function<void()> endProgram);
};
