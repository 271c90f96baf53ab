#pragma once

#include "core/grid/GridModel.h"

#include <QColor>
#include <QPalette>
#include <QPoint>
#include <QTableView>

// The colour an OLE colour number stands for: 0x00BBGGRR, or a system colour
// taken from the palette (15 button face, 5 window background, 8 window text).
QColor oleColor(OleColor color, const QPalette &palette);

// The song grid on screen: a table view over a GridModel. Grid row 0 is the
// horizontal header; the model's current cell and the view's current index
// follow each other both ways. Only the user's own moves and the model's
// first visible row scroll the view; the program moving the current cell
// (sort, Select All, a copy) leaves it where it is. The current cell is
// framed, keeping its colours.
class FGrid : public QTableView
{
    Q_OBJECT

public:
    explicit FGrid(GridModel *grid, QWidget *parent = nullptr);

signals:
    void rightButtonPressed(QPoint globalPos);  // the right button alone went down
    void cellClicked();
    void cellDoubleClicked();
    void characterTyped(int code);  // a key that produces a character: 32 space, 13 Enter ...

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void applyColumnLayout();
    void showModelCurrentCell();
    void showTopRow(int row);

    GridModel *m_grid;
    mutable bool m_extendsSelection = false;  // the view's last move extends the selection
    bool m_syncing = false;                   // a change from one side is being copied to the other
    bool m_doubleClicked = false;             // the release after a double click is no click
    bool m_keepView = false;                  // the program moves the current cell: no scrolling
};
