#pragma once

#include <QString>

// Opens a file with the desktop's default handler for its type (an HTML file
// in the browser), without a shell or a command line.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    // False when no handler could be started.
    virtual bool openFile(const QString &path) = 0;
};
