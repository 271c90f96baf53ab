// The main window with doubles for its services: what its controls, menus
// and child windows do, and that the player's texts stay plain text.
#include "gui/app/Form1.h"
#include "core/about/AboutTexts.h"
#include "core/grid/GridModel.h"
#include "core/grid/Tagging.h"
#include "gui/about/frmCredits.h"
#include "gui/about/frmdisclaimer.h"
#include "gui/common/QtMessageService.h"
#include "gui/common/QtPrintService.h"
#include "gui/copy/frmCopy.h"
#include "gui/export/ExportDialog.h"
#include "gui/grid/FGrid.h"
#include "gui/help/frmhelp.h"
#include "gui/photos/FileListBox.h"
#include "gui/photos/PhotoViewer.h"
#include "gui/photos/PictureBox.h"
#include "gui/photos/QtImageLoader.h"
#include "gui/stats/frmStats.h"

#include "CopyTestSupport.h"
#include "FakeMediaPlayer.h"
#include "FakeVolumes.h"
#include "ItunesDbWriter.h"
#include "PhotoTestSupport.h"
#include "ReportDoubles.h"
#include "TestStrings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QProcess>
#include <QProcessEnvironment>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSemaphore>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

class Form1Test : public ::testing::Test
{
protected:
    void TearDown() override
    {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void writePlayer(const itdb::Database &db)
    {
        QDir(playerDir.path()).mkpath(u"iPod_Control/Music/F00"_s);
        QDir(playerDir.path()).mkpath(u"iPod_Control/iTunes"_s);
        writeBytes(playerDir.filePath(u"iPod_Control/iTunes/iTunesDB"_s), itdb::write(db));
    }

    // Writes the player's database with count songs: "Song 1" by "Artist 0"
    // in 1:00, "Song 2" by "Artist 1" in 1:01, ...
    void makePlayer(int count)
    {
        itdb::Database db;
        for (int i = 0; i < count; ++i) {
            itdb::Track t;
            t.title = u"Song %1"_s.arg(i + 1);
            t.location = u":iPod_Control:Music:F00:S%1.WAV"_s.arg(i);
            t.artist = u"Artist %1"_s.arg(i % 3);
            t.lengthMs = 1000u * static_cast<std::uint32_t>(60 + i);
            db.tracks.push_back(t);
        }
        writePlayer(db);
    }

    // The song file of a grid row as makePlayer stores it.
    QString songFile(int row) const { return playerDir.filePath(u"iPod_Control/Music/F00/S%1.WAV"_s.arg(row - 1)); }

    Form1 &open(std::optional<QString> playerRoot = std::nullopt)
    {
        window = std::make_unique<Form1>(Form1Services{.volumes = volumes,
                                                       .messages = messages,
                                                       .player = player,
                                                       .copyStorage = copies,
                                                       .fileDialog = fileDialog,
                                                       .urlOpener = urlOpener,
                                                       .printer = printService,
                                                       .playerRoot = std::move(playerRoot),
                                                       .endProgram = [this] { ++endCalls; },
                                                       .helpDirs = {helpDir.path()},
                                                       .imageLoader = &images});
        QObject::connect(window.get(), &Form1::statusTextChanged,
                         [this](const QString &text) { statusTexts.append(text); });
        window->show();
        return *window;
    }

    void clickConnect() { QTest::mouseClick(child<QToolButton>("Command1"), Qt::LeftButton); }

    // Opens the window on a player with that many songs and presses Connect.
    Form1 &openConnected(int songs)
    {
        makePlayer(songs);
        Form1 &w = open(playerDir.path());
        clickConnect();
        EXPECT_TRUE(w.connectdone());
        return w;
    }

    GridModel &grid() const { return window->grid(); }
    FGrid *view() const { return window->gridView(); }
    QPoint cellCenter(int gridRow, int col) const
    {
        return view()->visualRect(grid().index(gridRow - 1, col)).center();
    }

    template <typename T>
    T *child(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void enterHelpMode() { child<QAction>("mnuhelp")->trigger(); }
    frmhelp *helpWindow() const { return window->findChild<frmhelp *>(); }

    QTemporaryDir helpDir, playerDir;
    ScriptedMessages messages;
    FakeVolumes volumes;
    FakeMediaPlayer player;
    int endCalls = 0;
    SteppingStorage copies;
    QtImageLoader images;
    FakeFileDialog fileDialog;
    FakeUrlOpener urlOpener;
    QtPrintService printService;
    QStringList statusTexts;
    std::unique_ptr<Form1> window;
};

TEST_F(Form1Test, ConnectReadsThePlayerOnceAndFillsTheGrid)
{
    makePlayer(40);
    Form1 &w = open(playerDir.path());
    w.Timer1_Timer();
    EXPECT_EQ(w.statusText(), u"Starting"_s);

    clickConnect();
    EXPECT_EQ(statusTexts.last(), u"Finished...."_s);
    EXPECT_EQ(grid().rows(), 41);
    EXPECT_TRUE(view()->isVisible());
    EXPECT_FALSE(child<QToolButton>("Command1")->isEnabled());
    EXPECT_TRUE(child<QTimer>("Timer1")->isActive());

    // The timer keeps running but no longer touches the status bar.
    w.Timer1_Timer();
    EXPECT_EQ(w.statusText(), u"Finished...."_s);
}

TEST_F(Form1Test, NoPlayerShowsTheMessageAndEndsTheProgram)
{
    Form1 &w = open(playerDir.path());  // a folder without a database
    clickConnect();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, playerDir.path() + u" holds no iPod_Control/iTunes/iTunesDB or iTunesCDB"_s);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(endCalls, 1);
    EXPECT_FALSE(w.connectdone());
    EXPECT_FALSE(view()->isVisible());
}

TEST_F(Form1Test, ExitAsksAndOnYesClosesEveryWindow)
{
    Form1 &w = open();
    QWidget other;
    other.show();
    messages.answers = {MessageAnswer::No, MessageAnswer::Yes};

    w.mnuexit_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(other.isVisible() && w.isVisible());
    EXPECT_EQ(endCalls, 0);

    w.mnuexit_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(other.isVisible() || w.isVisible());
    EXPECT_EQ(endCalls, 1);
}

// Texts from the player that look like markup are shown as they are: in the
// now-playing label, in the grid's tooltips and in the frame captions.
TEST_F(Form1Test, PlayerTextsAreShownLiterallyNeverAsMarkup)
{
    itdb::Database db;
    itdb::Track song;
    song.title = u"<b>Bold</b> &amp; <img src=\"nowhere\">"_s;
    song.artist = u"<i>Artist</i>"_s;
    song.location = u":iPod_Control:Music:F00:S0.WAV"_s;
    song.lengthMs = 60000;
    db.tracks.push_back(song);
    writePlayer(db);
    writeBytes(playerDir.filePath(u"iPod_Control/iTunes/DeviceInfo"_s), "xRock & Roll\tpod");
    open(playerDir.path());
    clickConnect();

    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, cellCenter(1, 2));
    auto *label = child<QLabel>("Label1");
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(label->text(), u"Song:  "_s + song.title + u" - By:  "_s + song.artist);

    // A tooltip that is rich text, which shows the cell's text literally.
    const QString tip = grid().data(grid().index(0, GridColumn::Title), Qt::ToolTipRole).toString();
    EXPECT_TRUE(Qt::mightBeRichText(tip));
    QTextDocument shown;
    shown.setHtml(tip);
    EXPECT_EQ(shown.toPlainText(), grid().text(1, GridColumn::Title));

    auto *frame = child<QGroupBox>("InfoFrame");
    EXPECT_TRUE(QKeySequence::mnemonic(frame->title()).isEmpty()) << frame->title().toStdString();
    EXPECT_EQ(frame->title().replace(u"&&"_s, u"&"_s), u" Rock & Roll\t "_s);
}

TEST(QtMessages, TheTextIsPlainText)
{
    Qt::TextFormat format = Qt::AutoText;
    QString text;
    // Closes the box once it shows, after noting what it shows.
    QTimer::singleShot(0, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            format = box->textFormat();
            text = box->text();
            box->done(QMessageBox::Ok);
        }
    });
    QtMessageService messages;
    EXPECT_EQ(messages.show(u"Cannot open <b>x</b>.mp3"_s, u"Quillory"_s), MessageAnswer::Ok);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(text, u"Cannot open <b>x</b>.mp3"_s);
}

TEST_F(Form1Test, PlayFollowsTheRowsWhileContinuousIsCheckedAndVolumeTheBar)
{
    openConnected(8);
    auto *continuous = child<QCheckBox>("Check1");

    // Unchecked: a double click plays that row once.
    QTest::mouseClick(continuous, Qt::LeftButton);
    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, cellCenter(5, 2));
    player.finishSong();
    EXPECT_EQ(player.played, QStringList{songFile(5)});
    EXPECT_EQ(grid().row(), 5);

    // Checked: on down the rows; Play during the run starts again on the
    // current row; the last row repeats; unchecking ends the run.
    QTest::mouseClick(continuous, Qt::LeftButton);
    player.played.clear();
    child<QAction>("mnuplay")->trigger();
    player.finishSong();
    child<QAction>("mnuplay")->trigger();
    for (int i = 0; i < 3; ++i)
        player.finishSong();
    EXPECT_EQ(player.played,
              (QStringList{songFile(5), songFile(6), songFile(6), songFile(7), songFile(8), songFile(8)}));
    EXPECT_EQ(grid().row(), 8);
    QTest::mouseClick(continuous, Qt::LeftButton);
    player.finishSong();
    EXPECT_EQ(player.played.size(), 6);

    auto *bar = child<QScrollBar>("HScroll4");
    for (const auto &[position, volume] : {std::pair{1, -3600}, {10, -1150}, {17, -200}, {20, 0}}) {
        bar->setValue(position);
        EXPECT_EQ(player.volume(), volume) << position;
    }
}

// The grid hands Space, Return, Enter and letters to the tagging and shows
// where it leaves the current row; what each key does is the core's. The
// menu's Select All and Unselect All reach it too, the latter giving the grid
// the focus back; the search button walks the matches of the box's text.
TEST_F(Form1Test, GridKeysSelectMenuItemsAndSearchButtonReachTheCore)
{
    openConnected(20);
    const auto clickRow = [this](int row) {
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCenter(row, 1));
        ASSERT_EQ(grid().row(), row);
    };
    const auto press = [this](Qt::Key key) { QTest::keyClick(view(), key); };
    const struct
    {
        const char *what;
        std::function<void()> keys;
        QList<int> tagged;
        int row;
    } steps[] = {
        {"space", [&] { clickRow(5), press(Qt::Key_Space); }, {5}, 6},
        {"range",
         [&] { press(Qt::Key_Down), press(Qt::Key_Down), press(Qt::Key_Down), press(Qt::Key_Return); },
         {5, 6, 7, 8, 9},
         9},
        {"keypad Enter", [&] { press(Qt::Key_Enter); }, {5}, 9},
        {"letters", [&] { clickRow(10), QTest::keyClicks(view(), u"k7!"_s); }, {5}, 13},
    };
    const auto taggedRows = [this] {
        QList<int> rows;
        for (int r = 1; r < grid().rows(); ++r) {
            if (isTagged(grid(), r))
                rows << r;
        }
        return rows;
    };
    for (const auto &step : steps) {
        step.keys();
        EXPECT_EQ(taggedRows(), step.tagged) << step.what;
        EXPECT_EQ(grid().row(), step.row) << step.what;
    }

    child<QAction>("mnuSelectAll")->trigger();
    EXPECT_EQ(taggedRows().size(), 20);
    auto *box = child<QLineEdit>("Text4");
    box->setFocus();
    child<QAction>("mnuUnSelectAll")->trigger();
    EXPECT_TRUE(taggedRows().isEmpty());
    EXPECT_EQ(window->focusWidget(), view());

    QTest::keyClicks(box, u"SONG 1"_s);
    QList<int> tops;
    for (int click = 0; click < 2; ++click) {
        QTest::mouseClick(child<QPushButton>("Command3"), Qt::LeftButton);
        tops << grid().topRow();
    }
    EXPECT_EQ(tops, QList<int>({1, 10}));
}

// The grid's menu opens on the right button only; its sort items run the sort, which clears every tag.
TEST_F(Form1Test, GridMenuOpensOnTheRightButtonAndItsSortItemsReorderAndUntag)
{
    openConnected(6);
    QMenu *menu = window->gridMenu();
    const QPoint at = cellCenter(3, 2);
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(menu->isVisible());
    QTest::mousePress(view()->viewport(), Qt::RightButton, {}, at);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->geometry().contains(view()->viewport()->mapToGlobal(at) + QPoint(1, 1)));
    menu->close();
    QTest::mouseRelease(view()->viewport(), Qt::RightButton, {}, at);

    child<QAction>("mnuSelectAll")->trigger();
    child<QAction>("mnutitlede")->trigger();
    EXPECT_EQ(grid().text(1, 0), u"  Song 6"_s);
    for (int r = 1; r < grid().rows(); ++r)
        EXPECT_FALSE(isTagged(grid(), r)) << r;
}

// The design size is the smallest; a larger window gives its room to the
// grid, and the strip below the grid follows the bottom edge.
TEST_F(Form1Test, TheWindowResizesAndTheGridTakesTheRoom)
{
    Form1 &w = openConnected(3);
    const QSize design = w.size();
    const auto place = [this](const char *name) { return child<QWidget>(name)->geometry(); };
    const QRect grid0 = place("FGrid"), info0 = place("InfoFrame"), photos0 = place("PictureFrame");
    const QRect search0 = place("Text4"), bar0 = place("PBar");
    EXPECT_EQ(grid0, QRect(5, 258, 781, 180));  // the design place, in pixels at 96 dpi

    // File Name shows its usual text.
    QHeaderView *header = view()->horizontalHeader();
    EXPECT_GE(header->sectionSize(GridColumn::FileName),
              view()->fontMetrics().horizontalAdvance(u"  \\iPod_Control\\Music\\F00\\ABCD.mp3"_s));

    // Wider than all its columns, the grid's last column reaches its right edge.
    w.resize(design + QSize(900, 300));
    EXPECT_EQ(place("FGrid"), grid0.adjusted(0, 0, 900, 300));
    EXPECT_EQ(place("InfoFrame"), info0);
    EXPECT_EQ(place("PictureFrame"), photos0);
    EXPECT_EQ(place("Text4"), search0.translated(0, 300));
    EXPECT_EQ(place("PBar"), bar0.translated(0, 300).adjusted(0, 0, 900, 0));
    EXPECT_EQ(header->sectionViewportPosition(7) + header->sectionSize(7), view()->viewport()->width());

    w.resize(200, 200);
    EXPECT_EQ(w.size(), design);
}

TEST_F(Form1Test, StatisticsOpenOnceAndComputeAgainAfterExitAndHtmlOpensWhatItWrote)
{
    openConnected(6);
    child<QAction>("mnustatistics")->trigger();
    frmStats *form = window->statsWindow();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->reportText().contains(u"Total Songs:  6"_s));

    // The real print dialog: cancelled, nothing is printed; accepted, the
    // report goes to the chosen printer, here a PDF file.
    QTemporaryDir out;
    const QString pdf = out.filePath(u"stats.pdf"_s);
    printService.setPdfOutput(pdf);
    for (const bool accept : {false, true}) {
        messages.answers = {MessageAnswer::Yes};
        bool seen = false;
        QTimer poll;  // answers the dialog once it shows
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget())) {
                poll.stop();
                seen = true;
                accept ? dialog->accept() : dialog->reject();
            }
        });
        poll.start(10);
        form->findChild<QPushButton *>(u"Command2"_s)->click();
        EXPECT_TRUE(seen);
        EXPECT_EQ(QFileInfo::exists(pdf), accept);
    }

    // Open again: the same report, not computed again; after Exit it is.
    child<QAction>("mnustatistics")->trigger();
    EXPECT_EQ(window->statsWindow(), form);
    EXPECT_EQ(statusTexts.count(u"Stats complete..."_s), 1);
    form->findChild<QPushButton *>(u"Command1"_s)->click();
    EXPECT_EQ(window->statsWindow(), nullptr);
    child<QAction>("mnustatistics")->trigger();
    ASSERT_NE(window->statsWindow(), nullptr);
    EXPECT_EQ(statusTexts.count(u"Stats complete..."_s), 2);

    // Create HTML writes where the file dialog says and opens the file.
    const std::size_t shown = messages.shown.size();
    fileDialog.answer = out.filePath(u"songs"_s);
    child<QAction>("mnucreatehtml")->trigger();
    EXPECT_EQ(urlOpener.opened, QStringList{out.filePath(u"songs.html"_s)});
    EXPECT_TRUE(readFile(out.filePath(u"songs.html"_s)).contains("Song 6"));
    EXPECT_EQ(messages.shown.size(), shown);

    // The printed text read back, where pdftotext is installed.
    const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed: the printed text is not read back";
    QProcess extract;
    extract.start(pdftotext, {pdf, u"-"_s});
    ASSERT_TRUE(extract.waitForFinished(30'000));
    EXPECT_TRUE(QString::fromUtf8(extract.readAllStandardOutput()).simplified().contains(u"Total Songs: 6"_s));
}

// A report that ends early shows "Error!" in a window that opens without its text.
TEST_F(Form1Test, StatisticsOfAnEmptyPlayerEndEarly)
{
    openConnected(0);
    child<QAction>("mnustatistics")->trigger();
    ASSERT_NE(window->statsWindow(), nullptr);
    EXPECT_TRUE(window->statsWindow()->isVisible());
    EXPECT_FALSE(window->statsWindow()->findChild<QPlainTextEdit *>(u"stats"_s)->isVisible());
    EXPECT_EQ(messages.texts(), QStringList{u"Error!"_s});
}

// Before Connect the copy and the reports only ask for the player. The copy
// window offers the volumes and folders to copy to and copies the tagged
// songs; Exit and the main window's close button meanwhile get "Wait!", and
// the copy finishes.
TEST_F(Form1Test, CopyWindowCopiesTheTaggedSongsAndHoldsExitOffUntilDone)
{
    makePlayer(3);
    for (int row = 1; row <= 3; ++row)
        writeBytes(songFile(row), QByteArray(100 + row, static_cast<char>('a' + row)));
    Form1 &w = open(playerDir.path());
    for (const char *item : {"mnucopy", "mnustatistics", "mnucreatehtml"})
        child<QAction>(item)->trigger();
    EXPECT_EQ(w.copyWindow(), nullptr);
    EXPECT_EQ(w.statsWindow(), nullptr);
    EXPECT_TRUE(fileDialog.filters.isEmpty());
    clickConnect();
    grid().setBackColor(1, 0, GridColors::TagMark);
    grid().setBackColor(3, 0, GridColors::TagMark);

    // The copy window opens in the current folder, which lies on "/" and on
    // an inner volume: the inner one is shown. The player's drive and one
    // without a medium are refused.
    QTemporaryDir target;
    volumes.list = {{u"/"_s, false, false},
                    {target.path(), true, false},
                    {playerDir.path(), true, false},
                    {u"/nonexistent-quillory-volume"_s, true, false},
                    {QDir::currentPath(), false, false}};
    child<QAction>("mnucopy")->trigger();
    QPointer<frmCopy> copy = w.copyWindow();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(player.stops, 1);
    auto *drives = copy->findChild<QComboBox *>(u"Drive1"_s);
    auto *status = copy->findChild<QLineEdit *>(u"Text1"_s);
    auto *copyButton = copy->findChild<QPushButton *>(u"Command2"_s);
    EXPECT_EQ(drives->currentIndex(), 4);
    for (const int drive : {2, 3, 1})
        drives->setCurrentIndex(drive);
    EXPECT_EQ(copy->dirPath(), target.path());
    EXPECT_EQ(status->text(), u"Copy to: "_s + target.path());
    EXPECT_FALSE(copy->setDirPath(target.filePath(u"missing"_s)));

    copies.beforeCopy = [&](int file) {
        if (file != 1)
            return;
        messages.answers = {MessageAnswer::Yes};
        w.mnuexit_Click();
        EXPECT_FALSE(w.close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(w.copyWindow(), copy);  // still open
        EXPECT_EQ(endCalls, 0);
    };
    copyButton->click();
    EXPECT_EQ(QDir(target.path()).entryList(QDir::Files, QDir::Name), texts(u"Song 1.WAV|Song 3.WAV"));
    ASSERT_TRUE(copy);
    EXPECT_EQ(status->text(), u"Copying Done...! "_s);

    // Into the player the copy is refused and the button stays off.
    ASSERT_TRUE(copy->setDirPath(playerDir.filePath(u"iPod_Control"_s)));
    EXPECT_TRUE(copyButton->isEnabled());
    copyButton->click();
    EXPECT_FALSE(copyButton->isEnabled());
    EXPECT_EQ(messages.texts(),
              texts(u"Connect to iPod first...|Connect First...|Connect First...|Can't copy to "
                    u"iPod Drive|Drive Error...| 2 Files to Copy!|Exit Quillory Now?|Wait!|Wait!| 2 "
                    u"Files to Copy!|Can't copy to iPod.."));

    // After the copy, closing the main window takes the copy window along and ends the program.
    EXPECT_TRUE(w.close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(copy);
    EXPECT_EQ(endCalls, 1);
}

// Before Connect the export only asks for the player. It runs off the main
// thread through the window's copy storage; Cancel stops it with only whole copies.
TEST_F(Form1Test, ExportRunsOffTheMainThreadAndCancelLeavesOnlyWholeCopies)
{
    makePlayer(5);
    for (int row = 1; row <= 5; ++row)
        writeBytes(songFile(row), QByteArray(100'000 + row, static_cast<char>('a' + row)));
    Form1 &w = open(playerDir.path());
    child<QAction>("mnuexport")->trigger();
    EXPECT_EQ(w.exportWindow(), nullptr);
    EXPECT_EQ(messages.texts(), QStringList{u"Connect to the player first."_s});
    clickConnect();
    child<QAction>("mnuexport")->trigger();
    ExportDialog *dialog = w.exportWindow();
    ASSERT_NE(dialog, nullptr);
    const auto button = [dialog](const QString &text) {
        const auto buttons = dialog->findChildren<QPushButton *>();
        return *std::ranges::find_if(buttons, [&text](QPushButton *b) { return b->text() == text; });
    };

    QTemporaryDir destination;
    dialog->findChild<QLineEdit *>(u"destination"_s)->setText(destination.path());
    dialog->findChild<QLineEdit *>(u"template"_s)->setText(u"{title}"_s);
    EXPECT_EQ(dialog->preview().value(1), QDir(destination.path()).filePath(u"Song 2.wav"_s));
    dialog->findChild<QLineEdit *>(u"template"_s)->clear();

    // The worker waits inside the second copy while the window takes the click.
    std::atomic<int> entered = 0;
    QSemaphore release;
    std::vector<QThread *> threads;  // read once the export has ended
    copies.beforeCopy = [&](int file) {
        threads.push_back(QThread::currentThread());
        entered = file;
        if (file == 2)
            release.acquire();
    };
    QSignalSpy finished(dialog, &ExportDialog::exportFinished);
    QTest::mouseClick(button(u"Export"_s), Qt::LeftButton);
    QTRY_COMPARE(entered.load(), 2);
    EXPECT_TRUE(dialog->running());
    QTest::mouseClick(button(u"Cancel"_s), Qt::LeftButton);
    release.release();
    ASSERT_TRUE(finished.wait(30'000));

    EXPECT_FALSE(dialog->running());
    ASSERT_EQ(threads.size(), 2u);
    EXPECT_TRUE(std::ranges::none_of(threads, [](QThread *t) { return t == QThread::currentThread(); }));
    EXPECT_TRUE(dialog->summary().startsWith(u"Cancelled"_s)) << dialog->summary().toStdString();
    QList<QByteArray> copied;
    QDirIterator it(destination.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        copied << readFile(it.next());
    std::ranges::sort(copied);
    EXPECT_EQ(copied, (QList<QByteArray>{readFile(songFile(1)), readFile(songFile(2))}));
    EXPECT_TRUE(button(u"Open Folder"_s)->isEnabled());
}

// In help mode every control and menu item that takes part shows its own
// section and does nothing else; the help window ends help mode.
TEST_F(Form1Test, InHelpModeEachControlShowsItsSectionAndDoesNothingElse)
{
    QByteArray help;
    for (const int id : {0, 1, 2, 3, 4, 14, 21, 22, 24, 25, 27, 28, 29, 33, 35, 36})
        help += "HID:" + QByteArray::number(id) + "\r\nsection " + QByteArray::number(id) + "\r\nHIDOVER:\r\n";
    writeBytes(helpDir.filePath(helpFileName()), help);
    ASSERT_TRUE(QDir(playerDir.path()).mkpath(u"Photos"_s));
    writePicture(playerDir.filePath(u"Photos/a.jpg"_s), 20, 20);
    makePlayer(6);
    Form1 &w = open(playerDir.path());
    const auto showsSection = [&](int id, const std::function<void()> &act) {
        enterHelpMode();
        act();
        ASSERT_NE(helpWindow(), nullptr) << id;
        EXPECT_EQ(helpWindow()->helpText(), u"section %1\n"_s.arg(id));
        EXPECT_FALSE(w.helpMode()) << id;
    };

    // Continuous play toggles and keeps help mode; Connect, clicked or by
    // its key, then only shows its section.
    enterHelpMode();
    EXPECT_EQ(w.cursor().shape(), Qt::WhatsThisCursor);
    auto *check = child<QCheckBox>("Check1");
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_FALSE(check->isChecked());
    EXPECT_TRUE(w.helpMode());
    EXPECT_EQ(helpWindow(), nullptr);
    showsSection(25, [this] { clickConnect(); });
    showsSection(25, [this] { QTest::keyClick(child<QToolButton>("Command1"), Qt::Key_Space); });
    EXPECT_EQ(w.pod().songtotal(), 0);

    clickConnect();
    ASSERT_TRUE(w.connectdone());
    statusTexts.clear();
    grid().setCurrentCell(4, 2);
    const int top = grid().topRow();
    QSignalSpy viewed(&w.photos(), &PhotoViewer::viewed);
    auto *files = child<FileListBox>("File1");
    auto *box = child<QLineEdit>("Text4");
    QTest::keyClicks(box, u"Song"_s);

    // Every control of the window's one table with the click it takes, then
    // the menu items through the one hook on their commands.
    const auto click = [](QWidget *widget, QPoint at = {}) {
        return
            [widget, at] { QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at); };
    };
    const auto trigger = [this](const char *name) { return [this, name] { child<QAction>(name)->trigger(); }; };
    auto *bar = child<QScrollBar>("HScroll4");
    const std::pair<int, std::function<void()>> controls[] = {
        {35, click(child<QPushButton>("Command3"))},
        {36, click(box)},
        {0, click(view()->viewport(), cellCenter(1, 0))},
        {33, click(bar, QPoint(bar->width() - 3, bar->height() / 2))},
        {0, click(child<QWidget>("Mplayer"))},
        {27, click(child<QTreeView>("Dir1")->viewport(), QPoint(5, 5))},
        {28, click(files->viewport(), files->visualRect(files->model()->index(0, 0)).center())},
        {29, click(child<PictureBox>("Picture2"))},
        {0, click(child<QTextEdit>("RBox1")->viewport())},
        {36, click(child<QProgressBar>("PBar"))},
        {1, trigger("mnuexit")},
        {2, trigger("mnustatistics")},
        {3, trigger("mnucreatehtml")},
        {4, trigger("mnucredits")},
        {14, trigger("mnutitlede")},
        {21, trigger("mnuplay")},
        {22, trigger("mnucopy")},
        {24, trigger("mnuSelectAll")},
    };
    for (const auto &[id, act] : controls)
        showsSection(id, act);

    QTest::qWait(100);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(w.statsWindow(), nullptr);
    EXPECT_EQ(w.copyWindow(), nullptr);
    EXPECT_TRUE(w.findChildren<frmCredits *>().isEmpty());
    EXPECT_TRUE(fileDialog.filters.isEmpty());
    EXPECT_EQ(grid().text(1, 0), u"  Song 1"_s);
    EXPECT_FALSE(isTagged(grid(), 3));
    EXPECT_EQ(std::pair(grid().row(), grid().col()), std::pair(4, 2));
    EXPECT_TRUE(player.played.isEmpty());
    EXPECT_EQ(bar->value(), 17);
    EXPECT_EQ(grid().topRow(), top);
    EXPECT_EQ(viewed.size(), 0);
    EXPECT_EQ(w.photos().dir1Path(), playerDir.filePath(u"Photos"_s));
    EXPECT_TRUE(statusTexts.isEmpty());

    // Out of help mode the search text, the bar and the picture show no help.
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::mouseClick(child<QProgressBar>("PBar"), Qt::LeftButton);
    QTest::mouseClick(child<PictureBox>("Picture2"), Qt::LeftButton);
    EXPECT_EQ(helpWindow()->helpText(), u"section 24\n"_s);
}

// Connect points the photo viewer at the player's photos folder; a click on
// the file list shows a picture, and a folder activated in the folder list is
// listed. Balloons are on from the start, over the items of the lists and the
// grid too; the menu switches them, and without them a grid cell shows its own text, escaped.
TEST_F(Form1Test, PhotoListsAndBalloonsOverListsAndGridWhichTheMenuSwitches)
{
    const QDir photos(playerDir.filePath(u"Photos"_s));
    ASSERT_TRUE(photos.mkpath(u"More"_s));
    writePicture(photos.filePath(u"HOLIDAY.JPG"_s), 40, 30);
    writePicture(photos.filePath(u"More/inner.jpg"_s), 20, 20);
    Form1 &w = openConnected(3);
    QSignalSpy viewed(&w.photos(), &PhotoViewer::viewed);
    auto *files = child<QAbstractItemView>("File1");
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualRect(files->model()->index(0, 0)).center());
    ASSERT_TRUE(viewed.wait(5000));
    EXPECT_EQ(w.photos().Picture1().size(), QSize(40, 30));

    const auto restOnFirstItem = [](QAbstractItemView *view) {
        const QPoint onItem = view->visualRect(view->model()->index(0, 0, view->rootIndex())).center();
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 3000));
        QHelpEvent event(QEvent::ToolTip, onItem, view->viewport()->mapToGlobal(onItem));
        QCoreApplication::sendEvent(view->viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    const QString gridTip = view()->toolTip();
    for (const char *name : {"FGrid", "Dir1", "File1"}) {
        auto *list = child<QAbstractItemView>(name);
        EXPECT_TRUE(list->toolTip().contains(u"<b>"_s)) << name;
        EXPECT_EQ(restOnFirstItem(list), list->toolTip()) << name;
    }
    // "Off" twice, then "On" once, brings them back as they were.
    child<QAction>("mnuoff")->trigger();
    child<QAction>("mnuoff")->trigger();
    EXPECT_TRUE(view()->toolTip().isEmpty());
    EXPECT_EQ(restOnFirstItem(view()), u"<p style=\"white-space:pre\">  Song 1</p>"_s);
    child<QAction>("mnuon")->trigger();
    EXPECT_EQ(view()->toolTip(), gridTip);

    auto *folders = child<QTreeView>("Dir1");
    auto *model = qobject_cast<QFileSystemModel *>(folders->model());
    ASSERT_NE(model, nullptr);
    emit folders->activated(model->index(photos.filePath(u"More"_s)));
    EXPECT_EQ(w.photos().file1Names(), QStringList{u"inner.jpg"_s});
}

// Credits and agreement open once: the menu again brings the open window
// forward, the credits keeping their scroll and the agreement showing no
// second notice, even in help mode; after closing they start afresh. The
// credits wait hidden until the first tick moves them, 15 twips a pixel.
TEST_F(Form1Test, AboutWindowsOpenOnceAndStartAfreshAfterClosing)
{
    Form1 &w = open();
    const auto credits = [&w] { return w.findChildren<frmCredits *>(); };
    const auto agreements = [&w] { return w.findChildren<frmdisclaimer *>(); };
    const auto scroll = [&] { return credits().value(0)->findChild<QScrollBar *>(u"VScroll1"_s)->value(); };
    child<QAction>("mnucredits")->trigger();
    ASSERT_EQ(credits().size(), 1);
    auto *text = credits()[0]->findChild<QLabel *>(u"Text1"_s);
    EXPECT_FALSE(text->isVisible());
    const int start = scroll();
    credits()[0]->Timer1_Timer();
    EXPECT_TRUE(text->isVisible());
    EXPECT_EQ(text->y(), qRound(scroll() / 15.0));
    enterHelpMode();
    child<QAction>("mnudisclaimer")->trigger();
    EXPECT_TRUE(w.helpMode());
    for (int again = 0; again < 2; ++again) {
        child<QAction>("mnucredits")->trigger();
        child<QAction>("mnudisclaimer")->trigger();
    }
    EXPECT_EQ(credits().size(), 1);
    EXPECT_LT(scroll(), start);
    ASSERT_EQ(agreements().size(), 1);
    EXPECT_EQ(messages.texts(), QStringList{agreementNotice()});
    EXPECT_EQ(agreements()[0]->agreement(), agreementText().replace(u"\r\n"_s, u"\n"_s));

    credits()[0]->close();
    QTest::mouseClick(agreements()[0]->findChild<QPushButton *>(u"Command1"_s), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(credits().isEmpty() && agreements().isEmpty());
    child<QAction>("mnucredits")->trigger();
    child<QAction>("mnudisclaimer")->trigger();
    ASSERT_EQ(credits().size(), 1);
    EXPECT_EQ(scroll(), start);
    EXPECT_EQ(messages.shown.size(), 2u);
}

// The window program's command line, run as a user runs it, without a display.
struct ProgramRun
{
    int exitCode = -1;
    QString out, err;
};

ProgramRun runProgram(const QStringList &args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &name : texts(u"DISPLAY|WAYLAND_DISPLAY|QT_QPA_PLATFORM"))
        env.remove(name);
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QUILLORY_APP), args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// Which arguments are refused is the parser's own test; here that help needs
// no display, that Qt's own options are taken out before the program's are
// read, and that a refusal exits with the usage.
TEST(ProgramCommandLineTest, HelpAndVersionNeedNoDisplayAndRefusalsShowTheUsage)
{
    const ProgramRun help = runProgram({u"--player"_s, u"/somewhere"_s, u"--help"_s});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(u"Usage: quillory [OPTIONS]\n"_s)) << help.out.toStdString();
    const ProgramRun version = runProgram(texts(u"-platform|offscreen|--version"));
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, u"quillory 1.0.1\n"_s);

    const ProgramRun refused = runProgram(texts(u"-platform|offscreen|--player|a|b"));
    EXPECT_EQ(refused.exitCode, 64);
    EXPECT_TRUE(refused.err.contains(u"\n\nUsage: quillory [OPTIONS]\n"_s)) << refused.err.toStdString();
    EXPECT_EQ(refused.out, QString());
}

}  // namespace
