#include "Form1Fixture.h"

#include "common/AppInfo.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

TEST_F(Form1Test, LoadSetsCaptionVolumeAndDesignState)
{
    Form1 &w = open();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Quillory   1. 0. 1"));
    EXPECT_EQ(child<QScrollBar>("HScroll4")->value(), 17);
    EXPECT_EQ(child<QScrollBar>("HScroll4")->minimum(), 1);
    EXPECT_EQ(child<QScrollBar>("HScroll4")->maximum(), 20);
    EXPECT_EQ(player.volume(), -75);

    EXPECT_EQ(child<QToolButton>("Command1")->text(), QStringLiteral("Connect"));
    EXPECT_FALSE(child<QToolButton>("Command1")->icon().isNull());
    EXPECT_EQ(child<QLineEdit>("Text5")->text(), QStringLiteral("Connect Your iPod Now"));
    EXPECT_EQ(child<QGroupBox>("InfoFrame")->title(), QStringLiteral(" iPod Info "));
    EXPECT_TRUE(child<QCheckBox>("Check1")->isChecked());
    EXPECT_EQ(child<QPushButton>("Command3")->text(), QStringLiteral("Search"));
    EXPECT_TRUE(child<QLineEdit>("Text4")->text().isEmpty());
    EXPECT_FALSE(child<QWidget>("FGrid")->isVisible());
    EXPECT_FALSE(child<QTreeView>("Dir1")->isEnabled());
    EXPECT_FALSE(child<QListView>("File1")->isEnabled());
    EXPECT_FALSE(child<QTimer>("Timer1")->isActive());
    EXPECT_EQ(child<QTimer>("Timer1")->interval(), 60);
    EXPECT_EQ(w.label6(), QStringLiteral("Label6"));
    EXPECT_FALSE(w.helpMode());

    // Client area 11,880 x 8,670 twips below the menu bar, status bar 300 twips along the bottom.
    EXPECT_EQ(w.centralWidget()->width(), 792);
    EXPECT_EQ(w.centralWidget()->height() + child<QStatusBar>("SBar")->height(), 578);
    EXPECT_EQ(child<QStatusBar>("SBar")->height(), 20);
    EXPECT_EQ(child<QWidget>("FGrid")->geometry(), QRect(5, 258, 781, 180));
}

TEST_F(Form1Test, MenusHaveTheirCaptionsAndHelpNumbers)
{
    open();
    QStringList barCaptions;
    for (QAction *a : window->menuBar()->actions())
        barCaptions << a->text();
    EXPECT_EQ(barCaptions, (QStringList{QStringLiteral("File"), QStringLiteral("Other"), QStringLiteral("?")}));

    struct Item { const char *name; const char *caption; int help; };
    const Item items[] = {
        {"mnuexit", "Exit", 1}, {"mnustatistics", "Statistics", 2}, {"mnucreatehtml", "Create HTML", 3},
        {"mnucredits", "Credits", 4}, {"mnuhelp", "?", 5}, {"mnuascending", "Ascending", 6},
        {"mnutitle", "Title", 7}, {"mnufiletype", "FileType", 12}, {"mnutracknumber", "Track Number", 13},
        {"mnudescending", "Descending", 0}, {"mnutitlede", "Title", 14}, {"mnufiletypede", "File Type", 19},
        {"mnutracknumberde", "Track Number", 20}, {"mnuplay", "Play", 21}, {"mnucopy", "Copy Selsected", 22},
        {"mnuUnSelectAll", "UNSelect All", 23}, {"mnuSelectAll", "Select All", 24},
        {"mnubublehelp", "Bubble Help", 0}, {"mnuon", "On", 0}, {"mnuoff", "Off", 0},
        {"mnudisclaimer", "Disclaimer", 0},
    };
    for (const Item &item : items) {
        QAction *action = child<QAction>(item.name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QLatin1String(item.caption)) << item.name;
        EXPECT_EQ(action->property(helpContextProperty).toInt(), item.help) << item.name;
    }

    // The grid menu is a pop-up only: sort submenus, a separator, then the commands.
    QMenu *grid = window->gridMenu();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->title(), QStringLiteral("Grid Menu"));
    EXPECT_FALSE(window->menuBar()->actions().contains(grid->menuAction()));
    QStringList gridItems;
    for (QAction *a : grid->actions())
        gridItems << a->objectName();
    EXPECT_EQ(gridItems, (QStringList{QStringLiteral("mnuascending"), QStringLiteral("mnudescending"),
                                      QStringLiteral("mnuline1"), QStringLiteral("mnuplay"),
                                      QStringLiteral("mnucopy"), QStringLiteral("mnuUnSelectAll"),
                                      QStringLiteral("mnuSelectAll")}));
    EXPECT_TRUE(child<QAction>("mnuline1")->isSeparator());
    EXPECT_EQ(child<QMenu>("mnuascending")->actions().size(), 7);
    EXPECT_EQ(child<QMenu>("mnudescending")->actions().size(), 7);
}

TEST_F(Form1Test, ConnectReadsThePlayerNamedOnTheCommandLine)
{
    makePlayer(playerDir.path(), 40);
    Form1 &w = open(playerDir.path());
    QTest::mouseClick(child<QToolButton>("Command1"), Qt::LeftButton);

    ASSERT_GE(statusTexts.size(), 2);
    EXPECT_EQ(statusTexts.mid(statusTexts.size() - 2),
              (QStringList{QStringLiteral("Parsing 40 songs..."), QStringLiteral("Finished....")}));
    EXPECT_EQ(w.statusText(), QStringLiteral("Finished...."));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(endCalls, 0);
    EXPECT_EQ(w.pod().songtotal(), 40);
    EXPECT_EQ(w.label6(), playerDir.path());
    EXPECT_TRUE(w.connectdone());
    EXPECT_FALSE(child<QToolButton>("Command1")->isEnabled());
    EXPECT_TRUE(child<QWidget>("FGrid")->isVisible());
    EXPECT_TRUE(child<QTreeView>("Dir1")->isEnabled());
    EXPECT_TRUE(child<QListView>("File1")->isEnabled());
    EXPECT_TRUE(child<QTimer>("Timer1")->isActive());

    // The timer keeps running but no longer touches the status bar.
    w.Timer1_Timer();
    EXPECT_EQ(w.statusText(), QStringLiteral("Finished...."));

    // One Connect per run: the disabled button does nothing.
    QTest::mouseClick(child<QToolButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(w.statusText(), QStringLiteral("Finished...."));
}

TEST_F(Form1Test, TimerShowsProgressWhileConnecting)
{
    Form1 &w = open();
    w.Timer1_Timer();
    EXPECT_EQ(w.statusText(), QStringLiteral("Starting"));
    EXPECT_TRUE(w.label6().isEmpty());
}

TEST_F(Form1Test, ConnectFindsTheFirstRemovableVolumeWithADatabase)
{
    QTemporaryDir fixed, removableEmpty, first, second;
    makePlayer(fixed.path(), 1);
    makePlayer(first.path(), 3);
    makePlayer(second.path(), 5);
    volumes.list = {{fixed.path(), false, false},
                    {removableEmpty.path(), true, false},
                    {first.path(), true, false},
                    {second.path(), true, false}};
    Form1 &w = open();
    QTest::mouseClick(child<QToolButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(w.label6(), first.path());
    EXPECT_EQ(w.pod().songtotal(), 3);
    EXPECT_EQ(endCalls, 0);
}

TEST_F(Form1Test, NoPlayerShowsTheMessageAndEndsTheProgram)
{
    QTemporaryDir fixed;
    makePlayer(fixed.path(), 2);
    volumes.list = {{fixed.path(), false, false}};
    Form1 &w = open();
    QTest::mouseClick(child<QToolButton>("Command1"), Qt::LeftButton);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("iPod not detected"));
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Quillory"));
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(endCalls, 1);
    // Nothing after the search ran.
    EXPECT_FALSE(w.connectdone());
    EXPECT_FALSE(child<QWidget>("FGrid")->isVisible());
    EXPECT_NE(w.statusText(), QStringLiteral("Finished...."));
}

TEST_F(Form1Test, PlayerFolderWithoutDatabaseIsNoPlayer)
{
    open(playerDir.path());
    QTest::mouseClick(child<QToolButton>("Command1"), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("iPod not detected"));
    EXPECT_EQ(endCalls, 1);
}

TEST_F(Form1Test, ConnectInHelpModeShowsItsSectionAndConnectsNothing)
{
    makePlayer(playerDir.path(), 4);
    writeHelp("HID:25\r\nPress Connect.\r\nHIDOVER:\r\n");
    Form1 &w = open(playerDir.path());
    enterHelpMode();
    EXPECT_TRUE(w.helpMode());
    EXPECT_EQ(w.cursor().shape(), Qt::WhatsThisCursor);

    QTest::mouseClick(child<QToolButton>("Command1"), Qt::LeftButton);
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_EQ(helpWindow()->helpText(), QStringLiteral("Press Connect.\n"));
    EXPECT_FALSE(w.helpMode());
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(child<QToolButton>("Command1")->isEnabled());
    EXPECT_FALSE(child<QTimer>("Timer1")->isActive());
    EXPECT_EQ(w.pod().songtotal(), 0);
    EXPECT_EQ(w.label6(), QStringLiteral("Label6"));
    EXPECT_TRUE(statusTexts.isEmpty());
}

TEST_F(Form1Test, HelpWindowShowsTheSectionOfTheItem)
{
    writeHelp("HID:20\r\nnot this\r\nHIDOVER:\r\nhid:21\r\nPlays the song.\r\nFrom the player.\r\n HidOver: \r\n");
    Form1 &w = open();
    helpOn("mnuplay");
    frmhelp *help = helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Quillory Help1"));
    EXPECT_EQ(help->findChild<QGroupBox *>(QStringLiteral("Frame1"))->title(), QStringLiteral("Quillory Help"));
    EXPECT_TRUE(help->findChild<QTextEdit *>(QStringLiteral("Text1"))->isReadOnly());
    EXPECT_EQ(help->helpText(), QStringLiteral("Plays the song.\nFrom the player.\n"));

    // Outside help mode nothing is looked up.
    writeHelp("HID:21\r\nchanged\r\nHIDOVER:\r\n");
    w.gethelpnow(child<QAction>("mnuplay"));
    EXPECT_EQ(help->helpText(), QStringLiteral("Plays the song.\nFrom the player.\n"));

    // A second lookup replaces the text of the open window.
    helpOn("mnuplay");
    EXPECT_EQ(helpWindow(), help);
    EXPECT_EQ(help->helpText(), QStringLiteral("changed\n"));

    // Close discards the window; the next lookup makes a new one.
    QTest::mouseClick(help->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(helpWindow(), nullptr);
}

TEST_F(Form1Test, MissingSectionOpensAnEmptyWindowMissingFileNothing)
{
    Form1 &w = open();
    helpOn("mnuplay");  // no help file at all
    EXPECT_EQ(helpWindow(), nullptr);
    EXPECT_FALSE(w.helpMode());

    writeHelp(" HID:21\r\nindented key\r\nHIDOVER:\r\n");
    helpOn("mnuplay");
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_TRUE(helpWindow()->helpText().isEmpty());
}

TEST_F(Form1Test, UnterminatedSectionAppearsBeforeTheNextOne)
{
    writeHelp("HID:1\r\nexit text\r\nHIDOVER:\r\nHID:2\r\nno end");
    Form1 &w = open();
    helpOn("mnustatistics");
    EXPECT_EQ(helpWindow(), nullptr);
    EXPECT_FALSE(w.helpMode());

    // Exit in help mode shows its own section, preceded by the leftover lines, and asks nothing.
    enterHelpMode();
    w.mnuexit_Click();
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_EQ(helpWindow()->helpText(), QStringLiteral("no end\nexit text\n"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(w.isVisible());
}

TEST_F(Form1Test, ClicksOnControlsWithoutClickSignalsShowTheirSections)
{
    writeHelp("HID:0\r\nzero\r\nHIDOVER:\r\nHID:36\r\nthirty-six\r\nHIDOVER:\r\nHID:29\r\npicture\r\nHIDOVER:\r\n"
              "HID:27\r\nfolders\r\nHIDOVER:\r\nHID:35\r\nsearch\r\nHIDOVER:\r\n");
    Form1 &w = open();
    child<QTreeView>("Dir1")->setEnabled(true);  // as Connect leaves it
    struct Click { QWidget *target; const char *text; };
    const Click clicks[] = {
        {child<QProgressBar>("PBar"), "thirty-six\n"},
        {child<QLineEdit>("Text4"), "thirty-six\n"},
        {child<QTextEdit>("RBox1")->viewport(), "zero\n"},
        {child<QWidget>("Picture2"), "picture\n"},
        {child<QTreeView>("Dir1")->viewport(), "folders\n"},
        {child<QPushButton>("Command3"), "search\n"},
    };
    for (const Click &click : clicks) {
        // Outside help mode the click shows nothing.
        QTest::mouseClick(click.target, Qt::LeftButton);
        EXPECT_EQ(helpWindow(), nullptr) << click.text;

        enterHelpMode();
        QTest::mouseClick(click.target, Qt::LeftButton);
        ASSERT_NE(helpWindow(), nullptr) << click.text;
        EXPECT_EQ(helpWindow()->helpText(), QLatin1String(click.text));
        EXPECT_FALSE(w.helpMode()) << click.text;
        helpWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(Form1Test, ContinuousToggleKeepsHelpMode)
{
    writeHelp("HID:0\r\nzero\r\nHIDOVER:\r\n");
    Form1 &w = open();
    enterHelpMode();
    auto *check = child<QCheckBox>("Check1");
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_FALSE(check->isChecked());
    EXPECT_TRUE(w.helpMode());
    EXPECT_EQ(helpWindow(), nullptr);
    enterHelpMode();  // choosing "?" again changes nothing
    EXPECT_TRUE(w.helpMode());
}

TEST_F(Form1Test, ExitNoChangesNothing)
{
    Form1 &w = open();
    QWidget other;
    other.show();
    messages.answer = MessageAnswer::No;
    w.mnuexit_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Exit Quillory Now?"));
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Exit..."));
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(other.isVisible());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(endCalls, 0);
}

TEST_F(Form1Test, ExitYesClosesEveryWindowAndEndsTheProgram)
{
    writeHelp("HID:5\r\nhelp\r\nHIDOVER:\r\n");
    Form1 &w = open();
    helpOn("mnuhelp");
    ASSERT_NE(helpWindow(), nullptr);
    QWidget other;
    other.show();
    messages.answer = MessageAnswer::Yes;
    w.mnuexit_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(other.isVisible());
    EXPECT_EQ(helpWindow(), nullptr);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(endCalls, 1);
}

TEST_F(Form1Test, ExitStopsAtAWindowThatRefusesToClose)
{
    Form1 &w = open();
    StubbornWindow copying;
    copying.show();
    messages.answer = MessageAnswer::Yes;
    w.mnuexit_Click();
    EXPECT_EQ(copying.closeRequests, 1);
    EXPECT_TRUE(copying.isVisible());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(endCalls, 0);
}
