#pragma once

#include <QString>

// The save-file and folder dialogs, behind an interface so tests can answer it.
class FileDialogService
{
public:
    virtual ~FileDialogService() = default;
    // Asks for the name of a file to write; filter is a Qt name filter such as
    // "HTML Files (*.html*)". An empty result means the user cancelled.
    virtual QString getSaveFileName(const QString &filter) = 0;
    // Asks for a folder, starting at start; empty when the user cancelled.
    virtual QString getExistingFolder(const QString &start) = 0;
};
