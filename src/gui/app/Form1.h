#pragma once

#include "core/app/PlayerSession.h"
#include "core/copy/CopyStorage.h"
#include "core/grid/Search.h"
#include "core/grid/Tagging.h"
#include "core/help/HelpText.h"
#include "gui/app/Form1Controls.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class BarProgress;
class ContextHelp;
class FGrid;
class FileDialogService;
class GridModel;
class ImageLoader;
class MediaPlayer;
class MessageService;
class PhotoViewer;
class Playback;
class PrintService;
class ExportDialog;
class TagFiller;
class UrlOpener;
class VolumeService;
class frmCopy;
class frmCredits;
class frmdisclaimer;
class frmStats;
class QMenu;
class QTimer;

// The outside world as the main window meets it. main() builds the real
// services; tests pass doubles.
struct Form1Services
{
    VolumeService &volumes;
    MessageService &messages;
    MediaPlayer &player;
    CopyStorage &copyStorage;
    FileDialogService &fileDialog;  // the save-file dialog (Create HTML)
    UrlOpener &urlOpener;           // opens the HTML file in the desktop's browser
    PrintService &printer;          // the print dialog and the printer (statistics)
    // The visible controls of the media player (play, stop, position); the
    // window shows it in the Mplayer box. Null: no controls are shown.
    QWidget *playerControls = nullptr;
    std::optional<QString> playerRoot;         // --player DIR: this folder instead of a volume search
    std::function<void()> endProgram;          // ends the program (the event loop) when called
    QStringList helpDirs = defaultHelpDirs();  // where the help file is looked for
    ImageLoader *imageLoader = nullptr;        // decodes the photos; null: every photo shows "No Preview Available"
    TagFiller *tagFiller = nullptr;            // fills tags into exported copies; null: the export cannot
};

// The main window: builds the controls and menus and binds them to the
// logic; start-up, Exit and Connect. Context help (ContextHelp) takes the
// clicks of help mode before any handler here sees them; the places of the
// controls are Form1Geometry's.
//
// Controls that are never shown are kept as data, not widgets: the song
// list lives in the session's iPod object (pod().songList()), the play-time
// texts are the session's Text1-Text3 boxes, the unique-artist list comes
// with the statistics report, the player root is the string label6(), and
// the photo viewer keeps the picture it loaded (Picture1).
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form1(Form1Services services, QWidget *parent = nullptr);
    ~Form1() override;

    ContextHelp &help() const { return *m_help; }
    bool helpMode() const;
    // In help mode, shows the section of whereat's help context number.
    void gethelpnow(QObject *whereat);

    iPod &pod() { return m_session.pod(); }
    const iPod &pod() const { return m_session.pod(); }
    // The player root once Connect has found it.
    const QString &label6() const { return m_label6; }
    bool connectdone() const { return m_connectdone; }
    // The copy window while it is open, null otherwise.
    frmCopy *copyWindow() const;
    // The statistics window while it is open, null otherwise.
    frmStats *statsWindow() const;
    // The export window while it is open, null otherwise.
    ExportDialog *exportWindow() const;
    // The unique-artist list, kept for the run.
    const QStringList &list2() const { return m_List2; }

    QString statusText() const;
    void setStatusText(const QString &text);

    // The song grid: its cells and the view on them (hidden until Connect).
    GridModel &grid() { return *m_grid; }
    const GridModel &grid() const { return *m_grid; }
    const PlayerSession &session() const { return m_session; }
    FGrid *gridView() const { return m_ui.fgrid; }

    // The grid's pop-up menu ("Grid Menu"), not shown on the menu bar.
    QMenu *gridMenu() const { return m_ui.mnugrid; }

    PhotoViewer &photos() const { return *m_photos; }

signals:
    void statusTextChanged(const QString &text);

public slots:
    void Command1_Click();
    void Command3_Click();
    void File1_Click();
    void mnuexit_Click();
    void mnucopy_Click();
    void mnustatistics_Click();
    void mnuexport_Click();
    void mnucreatehtml_Click();
    void Timer1_Timer();
    void FGrid_KeyPress(int charCode);
    void HScroll4_Change(int value);
    void mnucredits_Click();
    void mnudisclaimer_Click();
    // The sort commands of the grid menu.
    void mnusort_Click(int column, bool descending);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void bindControls();
    void bindMenus();
    void watchForHelp();
    void Form_Load();
    void showPodInfo();
    void playerRead();
    // "Connect First..." before Connect; true when the command goes on.
    bool connectedFor(const QString &notice);

    Form1Services m_services;
    // First of the members, so the grid it holds outlives everything that shows it.
    PlayerSession m_session;
    QString m_label6 = QStringLiteral("Label6");
    bool m_connectdone = false;
    ContextHelp *m_help;
    QPointer<frmCopy> m_copyWindow;
    QPointer<frmCredits> m_credits;
    QPointer<frmdisclaimer> m_disclaimer;
    GridModel *m_grid;
    Tagging m_tagging;
    GridSearch m_search;
    QStringList m_List2;
    QPointer<frmStats> m_statsWindow;
    QPointer<ExportDialog> m_exportWindow;
    std::unique_ptr<BarProgress> m_progress;  // the progress bar and status text as the commands report to them
    MediaPlayer *m_player;
    Playback *m_playback = nullptr;
    QTimer *m_Timer1;
    PhotoViewer *m_photos = nullptr;

    Form1Controls m_ui;
};
