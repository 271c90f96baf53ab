#include "gui/common/QtFileDialogService.h"

#include <QFileDialog>

QString QtFileDialogService::getSaveFileName(const QString &filter)
{
    // The program asks about replacing nothing: the command writes the name it is given.
    return QFileDialog::getSaveFileName(m_parent, QString(), QString(), filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString QtFileDialogService::getExistingFolder(const QString &start)
{
    return QFileDialog::getExistingDirectory(m_parent, QString(), start);
}
