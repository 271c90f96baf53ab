#include "gui/common/QtFileDialogService.h"

#include <QFileDialog>

QString QtFileDialogService::getSaveFileName(const QString &filter)
{
    // The program asks about replacing nothing: the command writes the name it is given.
    return QFileDialog::getSaveFileName(m_parent, QString(), QString(), filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}
