#pragma once

#include "core/common/UrlOpener.h"

// Opens a file through QDesktopServices: the desktop's default handler for
// the file's type, reached without a shell.
class DesktopUrlOpener : public UrlOpener
{
public:
    bool openFile(const QString &path) override;
};
