#include "gui/app/Form1.h"

#include "core/app/ConnectProgress.h"
#include "core/common/AppInfo.h"
#include "core/common/EventPump.h"
#include "core/common/MessageService.h"
#include "core/device/DeviceInfo.h"
#include "core/device/PlayerDetection.h"
#include "core/export/HtmlList.h"
#include "core/grid/GridModel.h"
#include "core/grid/GridSort.h"
#include "core/player/MediaPlayer.h"
#include "core/player/Playback.h"
#include "core/player/VolumeTable.h"
#include "core/stats/StatsReport.h"
#include "gui/about/frmCredits.h"
#include "gui/about/frmdisclaimer.h"
#include "gui/common/BarProgress.h"
#include "gui/copy/frmCopy.h"
#include "gui/grid/FGrid.h"
#include "gui/help/frmhelp.h"
#include "gui/help/modBallon.h"
#include "gui/photos/FileListBox.h"
#include "gui/photos/PhotoViewer.h"
#include "gui/photos/PictureBox.h"
#include "gui/stats/frmStats.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

namespace {

// Layout sizes are given in twips: 15 twips make one pixel at 96 dpi.
int px(int twips)
{
    return (twips + 7) / 15;
}

QRect twipRect(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

constexpr int ClientWidthTwips = 11880;
constexpr int ClientHeightTwips = 8670;
constexpr int StatusBarTwips = 300;

// The player drawn as the program's picture: a light body, a dark screen and a click wheel.
QPixmap playerPicture(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size * 0.62;
    const QRectF body((size - w) / 2, size * 0.04, w, size * 0.92);
    QLinearGradient shine(body.topLeft(), body.bottomRight());
    shine.setColorAt(0, QColor(250, 250, 252));
    shine.setColorAt(1, QColor(196, 200, 208));
    p.setPen(QPen(QColor(90, 94, 104), qMax(1.0, size / 32.0)));
    p.setBrush(shine);
    p.drawRoundedRect(body, w * 0.16, w * 0.16);
    const QRectF screen(body.left() + w * 0.12, body.top() + w * 0.14, w * 0.76, body.height() * 0.36);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 70, 120));
    p.drawRoundedRect(screen, w * 0.05, w * 0.05);
    const qreal wheel = w * 0.62;
    const QPointF centre(body.center().x(), body.bottom() - body.height() * 0.27);
    p.setBrush(QColor(150, 154, 164));
    p.drawEllipse(centre, wheel / 2, wheel / 2);
    p.setBrush(shine);
    p.drawEllipse(centre, wheel / 5, wheel / 5);
    return pixmap;
}

void setHelpNumber(QObject *object, int helpNumber)
{
    object->setProperty(helpContextProperty, helpNumber);
}

// Names a control after its role and gives it its help context number.
template <typename W>
W *named(W *widget, const char *name, int helpNumber = 0)
{
    widget->setObjectName(QLatin1String(name));
    setHelpNumber(widget, helpNumber);
    return widget;
}

}  // namespace

Form1::Form1(Form1Services services, QWidget *parent)
    : QMainWindow(parent)
    , m_services(std::move(services))
    , m_grid(&m_session.grid())
    , m_tagging(*m_grid)
    , m_search(*m_grid)
    , m_player(&m_services.player)
{
    setObjectName(QStringLiteral("Form1"));
    buildControls();
    buildMenus();
    connectPlayer();

    // The client area below the menu bar is fixed; the status bar is its bottom strip.
    setFixedSize(px(ClientWidthTwips), menuBar()->sizeHint().height() + px(ClientHeightTwips));
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    Form_Load();
}

// The copy window has no owner but reads this window's grid: it goes with it.
Form1::~Form1()
{
    delete m_copyWindow.data();
}

void Form1::buildControls()
{
    setWindowIcon(QIcon(playerPicture(64)));
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    m_Command1 = named(new QToolButton(client), "Command1", 25);
    m_Command1->setText(QStringLiteral("Connect"));
    m_Command1->setIcon(QIcon(playerPicture(40)));
    m_Command1->setIconSize(QSize(40, 40));
    m_Command1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_Command1->setGeometry(twipRect(120, 240, 885, 1080));
    connect(m_Command1, &QToolButton::clicked, this, &Form1::Command1_Click);

    // Decoration beside the Connect button.
    auto *image1 = named(new QLabel(client), "Image1");
    image1->setPixmap(playerPicture(48));
    image1->setGeometry(twipRect(1200, 240, 720, 720));
    auto *label4 = named(new QLabel(appTitle(), client), "Label4");
    QFont titleFont = label4->font();
    titleFont.setPointSize(titleFont.pointSize() * 2);
    titleFont.setBold(true);
    label4->setFont(titleFont);
    label4->setGeometry(twipRect(2040, 300, 3000, 600));
    auto *line1 = named(new QFrame(client), "Line1");
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Sunken);
    line1->setGeometry(twipRect(1200, 1080, 3960, 60));

    m_Text5 = named(new QLineEdit(QStringLiteral("Connect Your iPod Now"), client), "Text5");
    m_Text5->setReadOnly(true);
    m_Text5->setAlignment(Qt::AlignCenter);
    QFont bigFont = m_Text5->font();
    bigFont.setPointSize(bigFont.pointSize() + 4);
    bigFont.setBold(true);
    m_Text5->setFont(bigFont);
    m_Text5->setGeometry(twipRect(2280, 4695, 7320, 465));

    // Created after Text5 so that it covers it once shown.
    m_FGrid = named(new FGrid(m_grid, client), "FGrid");
    m_FGrid->setGeometry(twipRect(75, 3870, 11715, 2700));
    m_FGrid->hide();
    connect(m_FGrid, &FGrid::cellClicked, this, &Form1::FGrid_Click);
    connect(m_FGrid, &FGrid::cellDoubleClicked, this, &Form1::FGrid_DblClick);
    connect(m_FGrid, &FGrid::characterTyped, this, &Form1::FGrid_KeyPress);
    // The pop-up opens in help mode too: the item chosen then shows its own help.
    connect(m_FGrid, &FGrid::rightButtonPressed, m_FGrid, [this](QPoint at) { m_mnugrid->popup(at); });

    m_InfoFrame = named(new QGroupBox(QStringLiteral(" iPod Info "), client), "InfoFrame");
    m_InfoFrame->setGeometry(twipRect(105, 1365, 5085, 2460));
    m_RBox1 = named(new QTextEdit(m_InfoFrame), "RBox1");
    m_RBox1->setReadOnly(true);
    m_RBox1->setGeometry(twipRect(135, 240, 4815, 2100));
    m_RBox1->viewport()->installEventFilter(this);

    m_PictureFrame = named(new QGroupBox(client), "PictureFrame");
    m_PictureFrame->setGeometry(twipRect(5280, 165, 6645, 3660));
    m_Dir1 = named(new QTreeView(m_PictureFrame), "Dir1", 27);
    m_Dir1->setGeometry(twipRect(120, 240, 2280, 1620));
    m_Dir1->setEnabled(false);
    m_Dir1->viewport()->installEventFilter(this);
    // The picture list stays empty until the photo viewer lists the chosen folder.
    m_File1 = named(new FileListBox(m_PictureFrame), "File1", 28);
    m_File1->setGeometry(twipRect(120, 1920, 2280, 1620));
    m_File1->setEnabled(false);
    connect(m_File1, &FileListBox::click, this, &Form1::File1_Click);
    m_Picture2 = named(new PictureBox(m_PictureFrame), "Picture2", 29);
    m_Picture2->setGeometry(twipRect(2520, 240, 3960, 3300));
    connect(m_Picture2, &PictureBox::clicked, this, &Form1::Picture2_Click);
    m_photos = new PhotoViewer(m_Dir1, m_File1, m_Picture2, m_services.imageLoader, this);
    connect(m_photos, &PhotoViewer::statusText, this, &Form1::setStatusText);

    m_Mplayer = named(new QWidget(client), "Mplayer");
    m_Mplayer->setGeometry(twipRect(75, 6705, 3330, 615));
    auto *playerLayout = new QHBoxLayout(m_Mplayer);
    playerLayout->setContentsMargins(0, 0, 0, 0);
    if (m_services.playerControls)
        playerLayout->addWidget(m_services.playerControls);

    m_Check1 = named(new QCheckBox(QStringLiteral("Continuous"), client), "Check1");
    m_Check1->setChecked(true);
    m_Check1->setGeometry(twipRect(135, 7650, 1305, 195));
    m_Check1->adjustSize();

    m_HScroll4 = named(new QScrollBar(Qt::Horizontal, client), "HScroll4", 33);
    m_HScroll4->setRange(1, 20);
    m_HScroll4->setGeometry(twipRect(120, 7365, 3180, 180));
    connect(m_HScroll4, &QScrollBar::valueChanged, this, &Form1::HScroll4_Change);
    m_Label2 = named(new QLabel(QStringLiteral("Volume"), client), "Label2");
    m_Label2->setGeometry(twipRect(3390, 7410, 660, 225));
    m_Label1 = named(new QLabel(QStringLiteral("Song:"), client), "Label1");
    m_Label1->setTextFormat(Qt::PlainText);  // titles are never markup
    m_Label1->setGeometry(twipRect(4290, 7380, 7845, 225));

    m_Text4 = named(new QLineEdit(client), "Text4", 36);
    m_Text4->setGeometry(twipRect(5145, 7020, 2775, 285));
    m_Text4->installEventFilter(this);
    m_Command3 = named(new QPushButton(QStringLiteral("Search"), client), "Command3", 35);
    m_Command3->setGeometry(twipRect(4200, 7035, 900, 255));
    connect(m_Command3, &QPushButton::clicked, this, &Form1::Command3_Click);

    m_PBar = named(new QProgressBar(client), "PBar");
    m_PBar->setRange(0, 100);
    m_PBar->setValue(0);
    m_PBar->setTextVisible(false);
    m_PBar->setGeometry(twipRect(1515, 7650, 8865, 240));
    m_PBar->installEventFilter(this);
    m_progress = std::make_unique<BarProgress>(m_PBar, [this](const QString &text) { setStatusText(text); });

    // A label in the status bar holds the status text: a temporary message
    // would be wiped by the menus' status tips.
    m_SBar = named(new QStatusBar(this), "SBar");
    m_SBar->setSizeGripEnabled(false);
    m_SBar->setFixedHeight(px(StatusBarTwips));
    m_statusLabel = new QLabel(m_SBar);
    m_statusLabel->setObjectName(QStringLiteral("SBarText"));
    m_statusLabel->setTextFormat(Qt::PlainText);
    m_SBar->addWidget(m_statusLabel, 1);
    setStatusBar(m_SBar);

    m_Timer1 = new QTimer(this);
    m_Timer1->setObjectName(QStringLiteral("Timer1"));
    m_Timer1->setInterval(60);
    connect(m_Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
}

QAction *Form1::addMenuItem(QMenu *menu, const char *name, const QString &caption, int helpNumber)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    setHelpNumber(action, helpNumber);
    return action;
}

QMenu *Form1::addSubMenu(QMenu *parentMenu, const char *name, const QString &caption, int helpNumber)
{
    auto *menu = new QMenu(caption, parentMenu ? static_cast<QWidget *>(parentMenu) : this);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    setHelpNumber(menu->menuAction(), helpNumber);
    if (parentMenu)
        parentMenu->addMenu(menu);
    return menu;
}

void Form1::buildMenus()
{
    QMenuBar *bar = menuBar();

    QMenu *mnufile = addSubMenu(nullptr, "mnufile", QStringLiteral("File"));
    bar->addMenu(mnufile);
    m_mnuexit = addMenuItem(mnufile, "mnuexit", QStringLiteral("Exit"), 1);
    connect(m_mnuexit, &QAction::triggered, this, &Form1::mnuexit_Click);

    QMenu *mnuother = addSubMenu(nullptr, "mnuother", QStringLiteral("Other"));
    bar->addMenu(mnuother);
    m_mnustatistics = addMenuItem(mnuother, "mnustatistics", QStringLiteral("Statistics"), 2);
    connect(m_mnustatistics, &QAction::triggered, this, &Form1::mnustatistics_Click);
    m_mnucreatehtml = addMenuItem(mnuother, "mnucreatehtml", QStringLiteral("Create HTML"), 3);
    connect(m_mnucreatehtml, &QAction::triggered, this, &Form1::mnucreatehtml_Click);
    QMenu *mnubublehelp = addSubMenu(mnuother, "mnubublehelp", QStringLiteral("Bubble Help"));
    connect(addMenuItem(mnubublehelp, "mnuon", QStringLiteral("On")), &QAction::triggered, this, &Form1::mnuon_Click);
    connect(addMenuItem(mnubublehelp, "mnuoff", QStringLiteral("Off")), &QAction::triggered, this,
            &Form1::mnuoff_Click);
    m_mnucredits = addMenuItem(mnuother, "mnucredits", QStringLiteral("Credits"), 4);
    connect(m_mnucredits, &QAction::triggered, this, &Form1::mnucredits_Click);
    connect(addMenuItem(mnuother, "mnudisclaimer", QStringLiteral("Disclaimer")), &QAction::triggered, this,
            &Form1::mnudisclaimer_Click);

    m_mnuhelp = bar->addAction(QStringLiteral("?"));
    m_mnuhelp->setObjectName(QStringLiteral("mnuhelp"));
    setHelpNumber(m_mnuhelp, 5);
    connect(m_mnuhelp, &QAction::triggered, this, &Form1::mnuhelp_Click);

    // The grid's pop-up menu: never on the menu bar.
    m_mnugrid = addSubMenu(nullptr, "mnugrid", QStringLiteral("Grid Menu"));
    QMenu *mnuascending = addSubMenu(m_mnugrid, "mnuascending", QStringLiteral("Ascending"), 6);
    QMenu *mnudescending = addSubMenu(m_mnugrid, "mnudescending", QStringLiteral("Descending"));
    // One entry per key column, in column order.
    struct SortItem
    {
        const char *ascending, *descending, *caption, *captionDe;
        void (Form1::*ascendingClick)();
        void (Form1::*descendingClick)();
    };
    static constexpr SortItem sortItems[] = {
        {"mnutitle", "mnutitlede", "Title", "Title", &Form1::mnutitle_Click, &Form1::mnutitlede_Click},
        {"mnulength", "mnulengthde", "Length", "Length", &Form1::mnulength_Click, &Form1::mnulengthde_Click},
        {"mnuartist", "mnuartistde", "Artist", "Artist", &Form1::mnuartist_Click, &Form1::mnuartistde_Click},
        {"mnualbum", "mnualbumde", "Album", "Album", &Form1::mnualbum_Click, &Form1::mnualbumde_Click},
        {"mnugenre", "mnugenrede", "Genre", "Genre", &Form1::mnugenre_Click, &Form1::mnugenrede_Click},
        {"mnufiletype", "mnufiletypede", "FileType", "File Type", &Form1::mnufiletype_Click,
         &Form1::mnufiletypede_Click},
        {"mnutracknumber", "mnutracknumberde", "Track Number", "Track Number", &Form1::mnutracknumber_Click,
         &Form1::mnutracknumberde_Click},
    };
    static_assert(std::size(sortItems) == std::extent_v<decltype(m_sortItems), 1>);
    for (std::size_t column = 0; column < std::size(sortItems); ++column) {
        const SortItem &item = sortItems[column];
        const int helpNumber = 7 + static_cast<int>(column);
        m_sortItems[0][column] = addMenuItem(mnuascending, item.ascending, QLatin1String(item.caption), helpNumber);
        m_sortItems[1][column] =
            addMenuItem(mnudescending, item.descending, QLatin1String(item.captionDe), helpNumber + 7);
        connect(m_sortItems[0][column], &QAction::triggered, this, item.ascendingClick);
        connect(m_sortItems[1][column], &QAction::triggered, this, item.descendingClick);
    }
    QAction *mnuline1 = m_mnugrid->addSeparator();
    mnuline1->setObjectName(QStringLiteral("mnuline1"));
    setHelpNumber(mnuline1, 0);
    m_mnuplay = addMenuItem(m_mnugrid, "mnuplay", QStringLiteral("Play"), 21);
    connect(m_mnuplay, &QAction::triggered, this, &Form1::mnuplay_Click);
    m_mnucopy = addMenuItem(m_mnugrid, "mnucopy", QStringLiteral("Copy Selsected"), 22);
    connect(m_mnucopy, &QAction::triggered, this, &Form1::mnucopy_Click);
    m_mnuUnSelectAll = addMenuItem(m_mnugrid, "mnuUnSelectAll", QStringLiteral("UNSelect All"), 23);
    connect(m_mnuUnSelectAll, &QAction::triggered, this, &Form1::mnuUnSelectAll_Click);
    m_mnuSelectAll = addMenuItem(m_mnugrid, "mnuSelectAll", QStringLiteral("Select All"), 24);
    connect(m_mnuSelectAll, &QAction::triggered, this, &Form1::mnuSelectAll_Click);
}

void Form1::connectPlayer()
{
    m_playback = new Playback(*m_grid, *m_player,
                              {.helpMode = [this] { return helpMode(); },
                               .playerRoot = [this] { return m_label6; },
                               .continuous = [this] { return m_Check1->isChecked(); }},
                              this);
    connect(m_playback, &Playback::nowPlaying, m_Label1, &QLabel::setText);
    connect(m_playback, &Playback::helpRequested, this, [this] { gethelpnow(m_mnuplay); });
    connect(m_player, &MediaPlayer::clicked, this, &Form1::Mplayer_Click);
}

void Form1::Form_Load()
{
    setWindowTitle(mainWindowCaption());
    m_HScroll4->setValue(17);
    m_player->setVolume(-75);
    definebaloonhelp(centralWidget());
}

bool Form1::helpMode() const
{
    return cursor().shape() == Qt::WhatsThisCursor;
}

void Form1::gethelpnow(QObject *whereat)
{
    if (!helpMode())
        return;
    std::optional<int> section;
    const QVariant number = whereat ? whereat->property(helpContextProperty) : QVariant();
    bool isNumber = false;
    const int value = number.toInt(&isNumber);
    if (number.isValid() && isNumber)
        section = value;
    showhelpsection(section, helpFileName(), cursor().shape());
}

void Form1::showhelpsection(std::optional<int> section, const QString &fileName, Qt::CursorShape mode)
{
    if (mode != Qt::WhatsThisCursor)
        return;
    unsetCursor();
    const QString path = findHelpFile(m_services.helpDirs, fileName);
    switch (m_helpText.readSection(path, section)) {
    case HelpText::Lookup::Found:
    case HelpText::Lookup::NotFound: showHelpWindow(); break;
    case HelpText::Lookup::Unterminated:  // its lines wait for the next section shown
    case HelpText::Lookup::FileMissing: break;
    }
}

void Form1::showHelpWindow()
{
    if (!m_helpWindow)
        m_helpWindow = new frmhelp(this);
    m_helpWindow->setHelpText(m_helpText.takePending());
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}

void Form1::mnuhelp_Click()
{
    setCursor(Qt::WhatsThisCursor);
}

QString Form1::statusText() const
{
    return m_statusLabel->text();
}

void Form1::setStatusText(const QString &text)
{
    m_statusLabel->setText(text);
    emit statusTextChanged(text);
}

void Form1::showPodInfo()
{
    const DeviceInfo info = getpodinfo(m_label6.trimmed());
    m_RBox1->setPlainText(info.infoText);
    // A '&' from the player is shown as it is, never as a keyboard mnemonic.
    const auto literal = [](QString caption) { return caption.replace(QLatin1Char('&'), QLatin1String("&&")); };
    m_InfoFrame->setTitle(literal(info.infoFrameCaption));
    m_PictureFrame->setTitle(literal(info.pictureFrameCaption));
    // Without a photos folder the list stays where it was.
    if (!info.photosFolder.isEmpty())
        m_photos->setDir1Path(info.photosFolder);
}

// Connect's steps between reading the database and filling the grid: the
// root label, the device information, and the cause when no song was read.
void Form1::playerRead()
{
    m_label6 = m_session.pod().poddrive();
    showPodInfo();
    if (m_session.outcome() == PlayerSession::Outcome::Unreadable)
        m_services.messages.show(m_session.problem(), appTitle(), MessageButtons::Ok, MessageIcon::Exclamation);
}

void Form1::Command1_Click()
{
    if (helpMode()) {
        gethelpnow(m_Command1);
        return;
    }
    m_Timer1->start();
    m_Command1->setEnabled(false);

    EventPump pump;
    const PlayerSession::Outcome outcome =
        m_session.connect([this] { return locatePlayer(m_services.playerRoot, m_services.volumes); },
                          {.yield = [&pump] { pump.maybeYield(); },
                           .afterRead = [this] { playerRead(); },
                           .setProgressMaximum = [this](int lines) { m_PBar->setMaximum(lines); },
                           .setProgressValue = [this](int line) { m_PBar->setValue(line); }});
    if (outcome == PlayerSession::Outcome::NoPlayer) {
        m_services.messages.show(playerNotFound(m_services.playerRoot), appTitle(), MessageButtons::Ok,
                                 MessageIcon::Exclamation);
        QCoreApplication::processEvents();
        if (m_services.endProgram)
            m_services.endProgram();
        return;
    }
    pump.yieldNow();

    m_FGrid->setVisible(true);
    setStatusText(progresstext(m_session.pod()));
    setStatusText(QStringLiteral("Finished...."));
    m_Dir1->setEnabled(true);
    m_File1->setEnabled(true);
    m_connectdone = true;
    m_FGrid->setFocus();
    m_grid->setCurrentCell(1, GridColumn::Title);
}

void Form1::Timer1_Timer()
{
    if (!m_connectdone)
        setStatusText(progresstext(m_session.pod()));
    m_label6 = m_session.pod().poddrive();
}

void Form1::FGrid_Click()
{
    gethelpnow(m_FGrid);
}

void Form1::FGrid_DblClick()
{
    mnuplay_Click();
}

void Form1::FGrid_KeyPress(int charCode)
{
    if (m_tagging.keyPress(charCode))
        m_FGrid->setFocus();
}

void Form1::mnuSelectAll_Click()
{
    if (helpMode()) {
        gethelpnow(m_mnuSelectAll);
        return;
    }
    m_tagging.selectAll();
}

void Form1::mnuUnSelectAll_Click()
{
    if (helpMode()) {
        gethelpnow(m_mnuUnSelectAll);
        return;
    }
    if (m_tagging.unselectAll())
        m_FGrid->setFocus();
}

// The help test sits in the playback: a run that goes on in help mode shows it too.
void Form1::mnuplay_Click()
{
    m_playback->mnuplay_Click();
}

void Form1::Mplayer_Click()
{
    gethelpnow(m_Mplayer);
}

void Form1::HScroll4_Change(int value)
{
    if (helpMode()) {
        gethelpnow(m_HScroll4);
        return;
    }
    if (const std::optional<int> volume = volumeForBar(value))
        m_player->setVolume(*volume);
}

void Form1::sortCommand(int column, bool descending)
{
    QAction *item = m_sortItems[descending ? 1 : 0][column];
    if (helpMode()) {
        gethelpnow(item);
        return;
    }
    m_session.sort(column, descending);
}

void Form1::mnutitle_Click()
{
    sortCommand(GridColumn::Title, false);
}
void Form1::mnulength_Click()
{
    sortCommand(GridColumn::Length, false);
}
void Form1::mnuartist_Click()
{
    sortCommand(GridColumn::Artist, false);
}
void Form1::mnualbum_Click()
{
    sortCommand(GridColumn::Album, false);
}
void Form1::mnugenre_Click()
{
    sortCommand(GridColumn::Genre, false);
}
void Form1::mnufiletype_Click()
{
    sortCommand(GridColumn::FileType, false);
}
void Form1::mnutracknumber_Click()
{
    sortCommand(GridColumn::TrackNumber, false);
}
void Form1::mnutitlede_Click()
{
    sortCommand(GridColumn::Title, true);
}
void Form1::mnulengthde_Click()
{
    sortCommand(GridColumn::Length, true);
}
void Form1::mnuartistde_Click()
{
    sortCommand(GridColumn::Artist, true);
}
void Form1::mnualbumde_Click()
{
    sortCommand(GridColumn::Album, true);
}
void Form1::mnugenrede_Click()
{
    sortCommand(GridColumn::Genre, true);
}
void Form1::mnufiletypede_Click()
{
    sortCommand(GridColumn::FileType, true);
}
void Form1::mnutracknumberde_Click()
{
    sortCommand(GridColumn::TrackNumber, true);
}

void Form1::Command3_Click()
{
    if (helpMode()) {
        gethelpnow(m_Command3);
        return;
    }
    EventPump pump;
    m_search.press(
        m_Text4->text(),
        {.yield = [&pump] { pump.maybeYield(); }, .setStatus = [this](const QString &text) { setStatusText(text); }});
}

void Form1::Text4_Click()
{
    gethelpnow(m_Text4);
}

void Form1::RBox1_Click()
{
    gethelpnow(m_RBox1);
}

void Form1::PBar_Click()
{
    // The progress bar always shows section 36, whatever its own number.
    showhelpsection(36, helpFileName(), cursor().shape());
}

void Form1::Dir1_Click()
{
    gethelpnow(m_Dir1);
}

void Form1::File1_Click()
{
    if (helpMode()) {
        gethelpnow(m_File1);
        return;
    }
    m_photos->showSelectedPicture();
}

void Form1::Picture2_Click()
{
    gethelpnow(m_Picture2);
}

void Form1::mnuexit_Click()
{
    if (helpMode()) {
        gethelpnow(m_mnuexit);
        return;
    }
    if (m_services.messages.show(QStringLiteral("Exit ") + appTitle() + QStringLiteral(" Now?"),
                                 QStringLiteral("Exit..."), MessageButtons::YesNo, MessageIcon::Exclamation)
        != MessageAnswer::Yes)
        return;

    // Every other open window is asked to close once. A window that refuses
    // stops Exit here and the program keeps running: the copy window answers
    // "Wait!" while it copies, and the copy then finishes rather than being cut
    // off halfway; asking again and again could loop for as long as it refuses.
    QList<QPointer<QWidget>> others;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible())
            others.append(window);
    }
    for (const QPointer<QWidget> &window : others) {
        // Closing one window may already have closed or deleted another.
        if (window.isNull())
            continue;
        if (!window->close())
            return;
    }
    close();
}

void Form1::mnuon_Click()
{
    definebaloonhelp(centralWidget());
}

void Form1::mnuoff_Click()
{
    killmyballoontips(centralWidget());
}

void Form1::mnucredits_Click()
{
    if (helpMode()) {
        gethelpnow(m_mnucredits);
        return;
    }
    if (!m_credits)
        m_credits = new frmCredits(this);
    m_credits->show();
    m_credits->raise();
    m_credits->activateWindow();
}

// No help test: the agreement shows in help mode too.
void Form1::mnudisclaimer_Click()
{
    if (!m_disclaimer)
        m_disclaimer = new frmdisclaimer(m_services.messages, this);
    m_disclaimer->show();
    m_disclaimer->raise();
    m_disclaimer->activateWindow();
}

frmCopy *Form1::copyWindow() const
{
    // A closed copy window is only waiting to be deleted.
    frmCopy *form = m_copyWindow.data();
    return form && form->isVisible() ? form : nullptr;
}

void Form1::mnucopy_Click()
{
    if (helpMode()) {
        gethelpnow(m_mnucopy);
        return;
    }
    if (!m_FGrid->isVisibleTo(this)) {
        m_services.messages.show(QStringLiteral("Connect to iPod first..."), appTitle());
        return;
    }
    m_player->stop();
    frmCopy *form = copyWindow();
    if (!form) {
        form =
            new frmCopy(*m_grid, m_label6.trimmed(), m_services.messages, m_services.volumes, m_services.copyStorage);
        m_copyWindow = form;
    }
    form->show();
    form->raise();
    form->activateWindow();
}

frmStats *Form1::statsWindow() const
{
    // A closed statistics window is only waiting to be deleted.
    frmStats *form = m_statsWindow.data();
    return form && form->isVisible() ? form : nullptr;
}

bool Form1::reportCommandStarts(QAction *item)
{
    if (helpMode()) {
        gethelpnow(item);
        return false;
    }
    if (!m_FGrid->isVisibleTo(this)) {
        m_services.messages.show(QStringLiteral("Connect First..."), appTitle());
        return false;
    }
    return true;
}

void Form1::mnustatistics_Click()
{
    if (!reportCommandStarts(m_mnustatistics))
        return;
    frmStats *form = statsWindow();
    if (!form) {
        form = new frmStats(m_services.messages, m_services.printer, this);
        m_statsWindow = form;
        form->Form_Load({.songs = pod().songList(),
                         .grid = *m_grid,
                         .totalMinutes = m_session.playTime().Text2,
                         .infoFrameCaption = m_InfoFrame->title()},
                        m_List2, *m_progress);
    }
    form->show();
    form->raise();
    form->activateWindow();
}

void Form1::mnucreatehtml_Click()
{
    if (!reportCommandStarts(m_mnucreatehtml))
        return;
    EventPump pump;
    createhtmlfile({.grid = *m_grid,
                    .dialog = m_services.fileDialog,
                    .opener = m_services.urlOpener,
                    .messages = m_services.messages,
                    .progress = *m_progress,
                    .yield = [&pump] { pump.maybeYield(); },
                    .playerRoot = m_label6});
}

void Form1::closeEvent(QCloseEvent *event)
{
    // The copy window reads this window's grid, so it closes first. While it
    // copies it refuses ("Wait!") and this window stays open as well: the
    // grid must outlive the copy.
    if (frmCopy *form = m_copyWindow.data(); form && !form->close()) {
        event->ignore();
        return;
    }
    // Closing the main window ends the program, whichever other windows are open.
    event->accept();
    if (m_services.endProgram)
        m_services.endProgram();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == m_Text4)
            Text4_Click();
        else if (watched == m_RBox1->viewport())
            RBox1_Click();
        else if (watched == m_PBar)
            PBar_Click();
        else if (watched == m_Dir1->viewport())
            Dir1_Click();
    }
    return QMainWindow::eventFilter(watched, event);
}
