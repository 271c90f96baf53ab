#pragma once

#include <QListView>

// A list of file names that reports a click as the old file lists did: a
// release of the left button over it, or the keyboard moving to another entry.
class FileListBox : public QListView
{
    Q_OBJECT

public:
    using QListView::QListView;

    // The selected entry, empty when there is none.
    QString selectedName() const;

signals:
    void click();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
