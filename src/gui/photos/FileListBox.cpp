#include "gui/photos/FileListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>

QString FileListBox::selectedName() const
{
    return currentIndex().data().toString();
}

void FileListBox::mouseReleaseEvent(QMouseEvent *event)
{
    QListView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit click();
}

void FileListBox::keyPressEvent(QKeyEvent *event)
{
    const QPersistentModelIndex before = currentIndex();
    QListView::keyPressEvent(event);
    if (currentIndex().isValid() && currentIndex() != before)
        emit click();
}
