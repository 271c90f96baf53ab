#pragma once

#include "core/common/FileDialogService.h"

class QWidget;

// The save-file and folder dialogs shown with QFileDialog over the given window.
class QtFileDialogService : public FileDialogService
{
public:
    explicit QtFileDialogService(QWidget *parent = nullptr)
        : m_parent(parent)
    {}
    QString getSaveFileName(const QString &filter) override;
    QString getExistingFolder(const QString &start) override;

private:
    QWidget *m_parent;
};
