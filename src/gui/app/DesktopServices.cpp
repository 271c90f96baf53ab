#include "gui/app/DesktopServices.h"

Form1Services DesktopServices::forWindow(QWidget *playerControls, std::optional<QString> playerRoot,
                                         std::function<void()> endProgram)
{
    return {.volumes = volumes,
            .messages = messages,
            .player = player,
            .copyStorage = copyStorage,
            .fileDialog = fileDialog,
            .urlOpener = urlOpener,
            .printer = printer,
            .playerControls = playerControls,
            .playerRoot = std::move(playerRoot),
            .endProgram = std::move(endProgram),
            .imageLoader = &images,
            .tagFiller = &tags};
}
