#pragma once

#include "core/app/PlayerSession.h"
#include "core/copy/CopyStorage.h"
#include "core/grid/GridFill.h"
#include "core/grid/Search.h"
#include "core/grid/Tagging.h"
#include "core/help/HelpText.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class BarProgress;
class FGrid;
class FileListBox;
class FileDialogService;
class GridModel;
class ImageLoader;
class MediaPlayer;
class MessageService;
class PhotoViewer;
class PictureBox;
class Playback;
class PrintService;
class ExportDialog;
class TagFiller;
class UrlOpener;
class VolumeService;
class frmhelp;
class frmCopy;
class frmCredits;
class frmdisclaimer;
class frmStats;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QStatusBar;
class QTextEdit;
class QTimer;
class QToolButton;
class QTreeView;

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

// The main window: the controls and menus, start-up, Exit, Connect and the
// context-help mode.
//
// Help mode is the window's cursor: Qt::WhatsThisCursor while it is on, the
// default cursor otherwise. A handler that takes part first tests it and, in
// help mode, only shows the help section of its own control.
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

    bool helpMode() const;
    // In help mode, shows the section of whereat's help context number.
    void gethelpnow(QObject *whereat);
    // Looks the section up and shows it in the help window. Does nothing
    // unless mode is the help cursor; ends help mode otherwise, whatever follows.
    void showhelpsection(std::optional<int> section, const QString &fileName, Qt::CursorShape mode);

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
    FGrid *gridView() const { return m_FGrid; }

    // The grid's pop-up menu ("Grid Menu"), not shown on the menu bar.
    QMenu *gridMenu() const { return m_mnugrid; }

    PhotoViewer &photos() const { return *m_photos; }

signals:
    void statusTextChanged(const QString &text);

public slots:
    void Command1_Click();
    void Command3_Click();
    void Text4_Click();
    void RBox1_Click();
    void PBar_Click();
    void Dir1_Click();
    void File1_Click();
    void Picture2_Click();
    void mnuexit_Click();
    void mnucopy_Click();
    void mnustatistics_Click();
    void mnuexport_Click();
    void mnucreatehtml_Click();
    void mnuhelp_Click();
    void Timer1_Timer();
    void FGrid_Click();
    void FGrid_DblClick();
    void FGrid_KeyPress(int charCode);
    void mnuSelectAll_Click();
    void mnuUnSelectAll_Click();
    void mnuplay_Click();
    void Mplayer_Click();
    void HScroll4_Change(int value);
    void mnuon_Click();
    void mnuoff_Click();
    void mnucredits_Click();
    void mnudisclaimer_Click();

    void mnutitle_Click();
    void mnulength_Click();
    void mnuartist_Click();
    void mnualbum_Click();
    void mnugenre_Click();
    void mnufiletype_Click();
    void mnutracknumber_Click();
    void mnutitlede_Click();
    void mnulengthde_Click();
    void mnuartistde_Click();
    void mnualbumde_Click();
    void mnugenrede_Click();
    void mnufiletypede_Click();
    void mnutracknumberde_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void connectPlayer();
    QAction *addMenuItem(QMenu *menu, const char *name, const QString &caption, int helpNumber = 0);
    QMenu *addSubMenu(QMenu *parentMenu, const char *name, const QString &caption, int helpNumber = 0);
    void Form_Load();
    void showHelpWindow();
    void showPodInfo();
    void playerRead();
    // A sort menu command: the help test, then the sort by that column.
    void sortCommand(int column, bool descending);
    // The start of Statistics and Create HTML: the help test, then
    // "Connect First..." before Connect. True when the command goes on.
    bool reportCommandStarts(QAction *item);

    Form1Services m_services;
    // First of the members, so the grid it holds outlives everything that shows it.
    PlayerSession m_session;
    HelpText m_helpText;
    QString m_label6 = QStringLiteral("Label6");
    bool m_connectdone = false;
    QPointer<frmhelp> m_helpWindow;
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

    QToolButton *m_Command1 = nullptr;
    QLineEdit *m_Text5 = nullptr;
    FGrid *m_FGrid = nullptr;
    QGroupBox *m_InfoFrame = nullptr;
    QTextEdit *m_RBox1 = nullptr;
    QGroupBox *m_PictureFrame = nullptr;
    QTreeView *m_Dir1 = nullptr;
    FileListBox *m_File1 = nullptr;
    PictureBox *m_Picture2 = nullptr;
    PhotoViewer *m_photos = nullptr;
    QWidget *m_Mplayer = nullptr;
    QCheckBox *m_Check1 = nullptr;
    QScrollBar *m_HScroll4 = nullptr;
    QLabel *m_Label2 = nullptr;
    QLabel *m_Label1 = nullptr;
    QLineEdit *m_Text4 = nullptr;
    QPushButton *m_Command3 = nullptr;
    QProgressBar *m_PBar = nullptr;
    QStatusBar *m_SBar = nullptr;
    QLabel *m_statusLabel = nullptr;
    QTimer *m_Timer1 = nullptr;

    QMenu *m_mnugrid = nullptr;
    // The sort items by direction (ascending, descending) and key column.
    QAction *m_sortItems[2][GridColumn::TrackNumber + 1] = {};
    QAction *m_mnuplay = nullptr;
    QAction *m_mnuSelectAll = nullptr;
    QAction *m_mnuUnSelectAll = nullptr;
    QAction *m_mnuexit = nullptr;
    QAction *m_mnuexport = nullptr;
    QAction *m_mnucopy = nullptr;
    QAction *m_mnuhelp = nullptr;
    QAction *m_mnucredits = nullptr;
    QAction *m_mnustatistics = nullptr;
    QAction *m_mnucreatehtml = nullptr;
};
