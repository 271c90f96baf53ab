#pragma once

class FGrid;
class FileListBox;
class GridModel;
class PictureBox;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QString;
class QTextEdit;
class QToolButton;
class QTreeView;
class QWidget;

// The main window's controls and menus as they are laid out: names,
// captions, help context numbers, fonts, ranges and starting state. Form1
// binds them to their commands; Form1Geometry gives them their places.
struct Form1Controls
{
    // Builds every control into window (the grid on the cells of grid, the
    // player's controls, when given, into the Mplayer box) and the menus.
    Form1Controls(QMainWindow *window, GridModel *grid, QWidget *playerControls);

    // A menu item by its name ("mnuexit", "mnutitlede", ...).
    QAction *item(const QString &name) const;

    QToolButton *command1;
    QLineEdit *text5;
    FGrid *fgrid;
    QGroupBox *infoFrame;
    QTextEdit *rbox1;
    QGroupBox *pictureFrame;
    QTreeView *dir1;
    FileListBox *file1;
    PictureBox *picture2;
    QWidget *mplayer;
    QCheckBox *check1;
    QScrollBar *hscroll4;
    QLabel *label1;
    QLineEdit *text4;
    QPushButton *command3;
    QProgressBar *pbar;
    QLabel *statusLabel;
    QMenu *mnugrid;  // the grid's pop-up menu, not on the menu bar

private:
    void buildMenus();
    QMainWindow *m_window;
};
