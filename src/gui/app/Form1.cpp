#include "gui/app/Form1.h"

#include "core/app/ConnectProgress.h"
#include "core/common/AppInfo.h"
#include "core/common/MessageService.h"
#include "core/device/DeviceInfo.h"
#include "core/device/PlayerDetection.h"
#include "core/export/HtmlList.h"
#include "core/export/PlayerLibrary.h"
#include "core/grid/GridModel.h"
#include "core/player/MediaPlayer.h"
#include "core/player/Playback.h"
#include "core/player/VolumeTable.h"
#include "core/stats/StatsReport.h"
#include "gui/about/frmCredits.h"
#include "gui/about/frmdisclaimer.h"
#include "gui/app/Form1Geometry.h"
#include "gui/common/BarProgress.h"
#include "gui/common/ShowWindow.h"
#include "gui/copy/frmCopy.h"
#include "gui/export/ExportDialog.h"
#include "gui/grid/FGrid.h"
#include "gui/help/ContextHelp.h"
#include "gui/help/modBallon.h"
#include "gui/photos/FileListBox.h"
#include "gui/photos/PhotoViewer.h"
#include "gui/photos/PictureBox.h"
#include "gui/stats/frmStats.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

Form1::Form1(Form1Services services, QWidget *parent)
    : QMainWindow(parent)
    , m_services(std::move(services))
    , m_help(new ContextHelp(this, m_services.helpDirs))
    , m_grid(&m_session.grid())
    , m_tagging(*m_grid)
    , m_search(*m_grid)
    , m_player(&m_services.player)
    , m_Timer1(new QTimer(this))
    , m_ui(this, m_grid, m_services.playerControls)
{
    setObjectName(QStringLiteral("Form1"));
    bindControls();
    bindMenus();
    watchForHelp();

    // The design size is the smallest; the window opens at it, centred.
    new Form1Geometry(centralWidget());
    resize(minimumSizeHint());
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

void Form1::bindControls()
{
    connect(m_ui.command1, &QToolButton::clicked, this, &Form1::Command1_Click);
    connect(m_ui.fgrid, &FGrid::cellDoubleClicked, this, [this] { m_playback->mnuplay_Click(); });
    connect(m_ui.fgrid, &FGrid::characterTyped, this, &Form1::FGrid_KeyPress);
    // The pop-up opens in help mode too: the item chosen then shows its own help.
    connect(m_ui.fgrid, &FGrid::rightButtonPressed, this, [this](QPoint at) { m_ui.mnugrid->popup(at); });
    connect(m_ui.file1, &FileListBox::click, this, &Form1::File1_Click);
    m_photos = new PhotoViewer(m_ui.dir1, m_ui.file1, m_ui.picture2, m_services.imageLoader, this);
    connect(m_photos, &PhotoViewer::statusText, this, &Form1::setStatusText);
    connect(m_ui.hscroll4, &QScrollBar::valueChanged, this, &Form1::HScroll4_Change);
    connect(m_ui.command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    m_progress = std::make_unique<BarProgress>(m_ui.pbar, [this](const QString &text) { setStatusText(text); });
    m_playback = new Playback(
        *m_grid, *m_player,
        {.playerRoot = [this] { return m_label6; }, .continuous = [this] { return m_ui.check1->isChecked(); }}, this);
    connect(m_playback, &Playback::nowPlaying, m_ui.label1, &QLabel::setText);
    m_Timer1->setObjectName(QStringLiteral("Timer1"));
    m_Timer1->setInterval(60);
    connect(m_Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
}

// The controls that take part in help mode. A click on any other control
// does what it always does, and help mode stays on.
void Form1::watchForHelp()
{
    struct HelpControl
    {
        QWidget *control;
        bool keys;                   // its keys count as clicks
        std::optional<int> section;  // none: its own help number
    };
    const HelpControl controls[] = {
        {m_ui.command1, true, {}},  {m_ui.command3, true, {}}, {m_ui.text4, false, {}}, {m_ui.fgrid, false, {}},
        {m_ui.hscroll4, true, {}},  {m_ui.mplayer, true, {}},  {m_ui.dir1, false, {}},  {m_ui.file1, true, {}},
        {m_ui.picture2, false, {}}, {m_ui.rbox1, false, {}},   {m_ui.pbar, false, 36},  // the bar always shows 36
    };
    for (const HelpControl &control : controls)
        m_help->watch(control.control, control.keys, control.section);
}

// Each menu command through the help hook, but for those that ignore help mode.
void Form1::bindMenus()
{
    const auto bind = [this](const char *name, auto command) {
        m_help->bind(m_ui.item(QLatin1String(name)), std::move(command));
    };
    bind("mnuexit", [this] { mnuexit_Click(); });
    bind("mnustatistics", [this] { mnustatistics_Click(); });
    bind("mnucreatehtml", [this] { mnucreatehtml_Click(); });
    bind("mnucredits", [this] { mnucredits_Click(); });
    bind("mnuplay", [this] { m_playback->mnuplay_Click(); });
    bind("mnucopy", [this] { mnucopy_Click(); });
    bind("mnuSelectAll", [this] { m_tagging.selectAll(); });
    bind("mnuUnSelectAll", [this] {
        if (m_tagging.unselectAll())
            m_ui.fgrid->setFocus();
    });
    for (const bool descending : {false, true}) {
        for (int column = GridColumn::Title; column <= GridColumn::TrackNumber; ++column) {
            const QString name =
                QLatin1String("mnu") + columnInfo(column).name + (descending ? QLatin1String("de") : QLatin1String());
            m_help->bind(m_ui.item(name), [this, column, descending] { mnusort_Click(column, descending); });
        }
    }
    const auto plain = [this](const char *name, auto command) {
        connect(m_ui.item(QLatin1String(name)), &QAction::triggered, this, std::move(command));
    };
    plain("mnuon", [this] { definebaloonhelp(centralWidget()); });
    plain("mnuoff", [this] { killmyballoontips(centralWidget()); });
    plain("mnudisclaimer", [this] { mnudisclaimer_Click(); });
    plain("mnuexport", [this] { mnuexport_Click(); });
    plain("mnuhelp", [this] { m_help->enter(); });
}

void Form1::Form_Load()
{
    setWindowTitle(mainWindowCaption());
    m_ui.hscroll4->setValue(17);
    m_player->setVolume(-75);
    definebaloonhelp(centralWidget());
}

bool Form1::helpMode() const
{
    return m_help->active();
}

void Form1::gethelpnow(QObject *whereat)
{
    m_help->gethelpnow(whereat);
}

QString Form1::statusText() const
{
    return m_ui.statusLabel->text();
}

void Form1::setStatusText(const QString &text)
{
    m_ui.statusLabel->setText(text);
    emit statusTextChanged(text);
}

void Form1::showPodInfo()
{
    const DeviceInfo info = getpodinfo(m_label6.trimmed());
    m_ui.rbox1->setPlainText(info.infoText);
    // A '&' from the player is shown as it is, never as a keyboard mnemonic.
    const auto literal = [](QString caption) { return caption.replace(QLatin1Char('&'), QLatin1String("&&")); };
    m_ui.infoFrame->setTitle(literal(info.infoFrameCaption));
    m_ui.pictureFrame->setTitle(literal(info.pictureFrameCaption));
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
    m_Timer1->start();
    m_ui.command1->setEnabled(false);
    const PlayerSession::Outcome outcome =
        m_session.connect([this] { return locatePlayer(m_services.playerRoot, m_services.volumes); }, *m_progress,
                          [this] { playerRead(); });
    if (outcome == PlayerSession::Outcome::NoPlayer) {
        m_services.messages.show(playerNotFound(m_services.playerRoot), appTitle(), MessageButtons::Ok,
                                 MessageIcon::Exclamation);
        QCoreApplication::processEvents();
        if (m_services.endProgram)
            m_services.endProgram();
        return;
    }
    QCoreApplication::processEvents();

    m_ui.fgrid->setVisible(true);
    setStatusText(progresstext(m_session.pod()));
    setStatusText(QStringLiteral("Finished...."));
    m_ui.dir1->setEnabled(true);
    m_ui.file1->setEnabled(true);
    m_connectdone = true;
    m_ui.fgrid->setFocus();
    m_grid->setCurrentCell(1, GridColumn::Title);
}

void Form1::Timer1_Timer()
{
    if (!m_connectdone)
        setStatusText(progresstext(m_session.pod()));
    m_label6 = m_session.pod().poddrive();
}

void Form1::FGrid_KeyPress(int charCode)
{
    if (m_tagging.keyPress(charCode))
        m_ui.fgrid->setFocus();
}

void Form1::HScroll4_Change(int value)
{
    if (const std::optional<int> volume = volumeForBar(value))
        m_player->setVolume(*volume);
}

void Form1::mnusort_Click(int column, bool descending)
{
    m_session.sort(column, descending);
}

void Form1::Command3_Click()
{
    m_search.press(m_ui.text4->text(), *m_progress);
}

void Form1::File1_Click()
{
    m_photos->showSelectedPicture();
}

ExportDialog *Form1::exportWindow() const
{
    return m_exportWindow;
}

void Form1::mnuexport_Click()
{
    if (!m_connectdone) {
        m_services.messages.show(QStringLiteral("Connect to the player first."), appTitle(), MessageButtons::Ok,
                                 MessageIcon::Information);
        return;
    }
    if (!m_exportWindow) {
        m_exportWindow = new ExportDialog(playerLibrary(m_session.library()), grid(), m_label6,
                                          {.storage = m_services.copyStorage,
                                           .tags = m_services.tagFiller,
                                           .opener = m_services.urlOpener,
                                           .dialogs = m_services.fileDialog,
                                           .messages = m_services.messages},
                                          this);
        m_exportWindow->setWindowFlag(Qt::Window);
        m_exportWindow->setAttribute(Qt::WA_DeleteOnClose);
    }
    showWindow(m_exportWindow);
}

void Form1::mnuexit_Click()
{
    if (m_services.messages.show(QStringLiteral("Exit ") + appTitle() + QStringLiteral(" Now?"),
                                 QStringLiteral("Exit..."), MessageButtons::YesNo, MessageIcon::Exclamation)
        != MessageAnswer::Yes)
        return;
    // A window that refuses stops Exit and the program keeps running: the
    // copy window answers "Wait!" while it copies, and the copy then finishes
    // rather than being cut off halfway.
    if (closeOtherWindows(this))
        close();
}

void Form1::mnucredits_Click()
{
    if (!m_credits)
        m_credits = new frmCredits(this);
    showWindow(m_credits);
}

// No help test: the agreement shows in help mode too.
void Form1::mnudisclaimer_Click()
{
    if (!m_disclaimer)
        m_disclaimer = new frmdisclaimer(m_services.messages, this);
    showWindow(m_disclaimer);
}

frmCopy *Form1::copyWindow() const
{
    // A closed copy window is only waiting to be deleted.
    frmCopy *form = m_copyWindow.data();
    return form && form->isVisible() ? form : nullptr;
}

bool Form1::connectedFor(const QString &notice)
{
    if (m_ui.fgrid->isVisibleTo(this))
        return true;
    m_services.messages.show(notice, appTitle());
    return false;
}

void Form1::mnucopy_Click()
{
    if (!connectedFor(QStringLiteral("Connect to iPod first...")))
        return;
    m_player->stop();
    if (!copyWindow())
        m_copyWindow =
            new frmCopy(*m_grid, m_label6.trimmed(), m_services.messages, m_services.volumes, m_services.copyStorage);
    showWindow(m_copyWindow);
}

frmStats *Form1::statsWindow() const
{
    // A closed statistics window is only waiting to be deleted.
    frmStats *form = m_statsWindow.data();
    return form && form->isVisible() ? form : nullptr;
}

void Form1::mnustatistics_Click()
{
    if (!connectedFor(QStringLiteral("Connect First...")))
        return;
    if (!statsWindow()) {
        m_statsWindow = new frmStats(m_services.messages, m_services.printer, this);
        m_statsWindow->Form_Load({.songs = pod().songList(),
                                  .grid = *m_grid,
                                  .totalMinutes = m_session.playTime().Text2,
                                  .infoFrameCaption = m_ui.infoFrame->title()},
                                 m_List2, *m_progress);
    }
    showWindow(m_statsWindow);
}

void Form1::mnucreatehtml_Click()
{
    if (!connectedFor(QStringLiteral("Connect First...")))
        return;
    createhtmlfile({.grid = *m_grid,
                    .dialog = m_services.fileDialog,
                    .opener = m_services.urlOpener,
                    .messages = m_services.messages,
                    .progress = *m_progress,
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
    // Closing the main window ends the program, whichever other windows are
    // open; a Connect, search or HTML list running meanwhile stops at its next step.
    event->accept();
    m_progress->cancel();
    if (m_services.endProgram)
        m_services.endProgram();
}
