#include "gui/app/Form1Controls.h"

#include "core/common/AppInfo.h"
#include "core/grid/Columns.h"
#include "core/help/HelpText.h"
#include "gui/app/Form1Geometry.h"
#include "gui/app/PlayerPicture.h"
#include "gui/grid/FGrid.h"
#include "gui/photos/FileListBox.h"
#include "gui/photos/PictureBox.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>

namespace {

template <typename T>
T *named(T *object, const QString &name, int helpNumber = 0)
{
    object->setObjectName(name);
    object->setProperty(helpContextProperty, helpNumber);
    return object;
}

template <typename T>
T *named(T *object, const char *name, int helpNumber = 0)
{
    return named(object, QString::fromLatin1(name), helpNumber);
}

QFont enlarged(QFont font, int points)
{
    font.setPointSize(points);
    font.setBold(true);
    return font;
}

QMenu *subMenu(QWidget *owner, QMenu *parentMenu, const char *name, const QString &caption, int helpNumber = 0)
{
    auto *menu = named(new QMenu(caption, parentMenu ? parentMenu : owner), name);
    named(menu->menuAction(), name, helpNumber);
    if (parentMenu)
        parentMenu->addMenu(menu);
    return menu;
}

QAction *menuItem(QMenu *menu, const char *name, const QString &caption, int helpNumber = 0)
{
    return named(menu->addAction(caption), name, helpNumber);
}

}  // namespace

Form1Controls::Form1Controls(QMainWindow *window, GridModel *grid, QWidget *playerControls)
    : m_window(window)
{
    window->setWindowIcon(QIcon(playerPicture(64)));
    auto *client = named(new QWidget(window), "client");
    window->setCentralWidget(client);

    command1 = named(new QToolButton(client), "Command1", 25);
    command1->setText(QStringLiteral("Connect"));
    command1->setIcon(QIcon(playerPicture(40)));
    command1->setIconSize(QSize(40, 40));
    command1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);

    // Decoration beside the Connect button.
    named(new QLabel(client), "Image1")->setPixmap(playerPicture(48));
    auto *label4 = named(new QLabel(appTitle(), client), "Label4");
    label4->setFont(enlarged(label4->font(), label4->font().pointSize() * 2));
    auto *line1 = named(new QFrame(client), "Line1");
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Sunken);

    // A notice, not an input: it takes no focus, so its text is never selected.
    text5 = named(new QLineEdit(QStringLiteral("Connect Your iPod Now"), client), "Text5");
    text5->setReadOnly(true);
    text5->setFocusPolicy(Qt::NoFocus);
    text5->setAlignment(Qt::AlignCenter);
    text5->setFont(enlarged(text5->font(), text5->font().pointSize() + 4));

    // Created after Text5 so that it covers it once shown.
    fgrid = named(new FGrid(grid, client), "FGrid");
    fgrid->hide();

    infoFrame = named(new QGroupBox(QStringLiteral(" iPod Info "), client), "InfoFrame");
    rbox1 = named(new QTextEdit(infoFrame), "RBox1");
    rbox1->setReadOnly(true);
    pictureFrame = named(new QGroupBox(client), "PictureFrame");
    dir1 = named(new QTreeView(pictureFrame), "Dir1", 27);
    dir1->setEnabled(false);
    // The picture list stays empty until the photo viewer lists the chosen folder.
    file1 = named(new FileListBox(pictureFrame), "File1", 28);
    file1->setEnabled(false);
    picture2 = named(new PictureBox(pictureFrame), "Picture2", 29);

    mplayer = named(new QWidget(client), "Mplayer");
    auto *playerLayout = new QHBoxLayout(mplayer);
    playerLayout->setContentsMargins(0, 0, 0, 0);
    if (playerControls)
        playerLayout->addWidget(playerControls);
    check1 = named(new QCheckBox(QStringLiteral("Continuous"), client), "Check1");
    check1->setChecked(true);
    hscroll4 = named(new QScrollBar(Qt::Horizontal, client), "HScroll4", 33);
    hscroll4->setRange(1, 20);
    hscroll4->setPageStep(1);  // a click in the trough moves one step
    named(new QLabel(QStringLiteral("Volume"), client), "Label2");
    label1 = named(new QLabel(QStringLiteral("Song:"), client), "Label1");
    label1->setTextFormat(Qt::PlainText);

    text4 = named(new QLineEdit(client), "Text4", 36);
    command3 = named(new QPushButton(QStringLiteral("Search"), client), "Command3", 35);
    pbar = named(new QProgressBar(client), "PBar");
    pbar->setRange(0, 100);
    pbar->setValue(0);
    pbar->setTextVisible(false);

    // A label in the status bar holds the status text: a temporary message
    // would be wiped by the menus' status tips.
    auto *bar = named(new QStatusBar(window), "SBar");
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(px(300));
    statusLabel = named(new QLabel(bar), "SBarText");
    statusLabel->setTextFormat(Qt::PlainText);
    bar->addWidget(statusLabel, 1);
    window->setStatusBar(bar);
    buildMenus();
}

void Form1Controls::buildMenus()
{
    QMenuBar *bar = m_window->menuBar();
    QMenu *mnufile = subMenu(m_window, nullptr, "mnufile", QStringLiteral("File"));
    bar->addMenu(mnufile);
    menuItem(mnufile, "mnuexport", QStringLiteral("Export Library..."));
    menuItem(mnufile, "mnuexit", QStringLiteral("Exit"), 1);

    QMenu *mnuother = subMenu(m_window, nullptr, "mnuother", QStringLiteral("Other"));
    bar->addMenu(mnuother);
    menuItem(mnuother, "mnustatistics", QStringLiteral("Statistics"), 2);
    menuItem(mnuother, "mnucreatehtml", QStringLiteral("Create HTML"), 3);
    QMenu *mnubublehelp = subMenu(m_window, mnuother, "mnubublehelp", QStringLiteral("Bubble Help"));
    menuItem(mnubublehelp, "mnuon", QStringLiteral("On"));
    menuItem(mnubublehelp, "mnuoff", QStringLiteral("Off"));
    menuItem(mnuother, "mnucredits", QStringLiteral("Credits"), 4);
    menuItem(mnuother, "mnudisclaimer", QStringLiteral("Disclaimer"));
    named(bar->addAction(QStringLiteral("?")), "mnuhelp", 5);

    // One sort item per key column and direction, named after the column
    // ("mnutitle", "mnutitlede") and numbered 7 to 13, then 14 to 20.
    mnugrid = subMenu(m_window, nullptr, "mnugrid", QStringLiteral("Grid Menu"));
    QMenu *sortMenus[] = {subMenu(m_window, mnugrid, "mnuascending", QStringLiteral("Ascending"), 6),
                          subMenu(m_window, mnugrid, "mnudescending", QStringLiteral("Descending"))};
    for (const int descending : {0, 1}) {
        for (int column = GridColumn::Title; column <= GridColumn::TrackNumber; ++column) {
            const ColumnInfo &info = columnInfo(column);
            const QString caption =
                !descending && column == GridColumn::FileType ? QStringLiteral("FileType") : info.header.toString();
            named(sortMenus[descending]->addAction(caption),
                  QLatin1String("mnu") + info.name + (descending ? QLatin1String("de") : QLatin1String()),
                  7 + column + 7 * descending);
        }
    }
    named(mnugrid->addSeparator(), "mnuline1");
    menuItem(mnugrid, "mnuplay", QStringLiteral("Play"), 21);
    menuItem(mnugrid, "mnucopy", QStringLiteral("Copy Selsected"), 22);
    menuItem(mnugrid, "mnuUnSelectAll", QStringLiteral("UNSelect All"), 23);
    menuItem(mnugrid, "mnuSelectAll", QStringLiteral("Select All"), 24);
}

QAction *Form1Controls::item(const QString &name) const
{
    return m_window->findChild<QAction *>(name);
}
