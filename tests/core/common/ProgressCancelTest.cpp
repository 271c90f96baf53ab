#include "CopyTestSupport.h"
#include "ReportDoubles.h"
#include "SongGridSupport.h"
#include "TestStrings.h"
#include "core/copy/CopyFiles.h"
#include "core/export/HtmlList.h"
#include "core/grid/Search.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Every job that yields reads the stop flag at its next item: the work done
// before it stays, nothing after it is done, and no message is shown.
TEST(ProgressCancel, EveryJobStopsAtItsNextItemAndKeepsWhatItDid)
{
    // The copy: the first file is copied whole, the second row is never reached.
    PlayerFolder player;
    QTemporaryDir target;
    GridModel grid;
    fillGrid(grid,
             {{u"One"_s, player.addSong(u"F00"_s, u"A.mp3"_s, 300), true},
              {u"Two"_s, player.addSong(u"F00"_s, u"B.mp3"_s, 300), true}});
    ScriptedMessages messages;
    SteppingStorage storage;
    RecordingSink copyProgress;
    copyProgress.cancelAfter = 1;  // the second row's yield sees the stop
    const CopyReport copy = copyfiles({grid, player.root(), target.path(), messages, storage, copyProgress});
    EXPECT_EQ(copy.outcome, CopyOutcome::Cancelled);
    EXPECT_EQ(copy.copied, 1);
    EXPECT_EQ(storage.jobs.size(), 1u);
    EXPECT_EQ(readFile(target.filePath(u"One.mp3"_s)), player.bytes(grid.text(1, 7).trimmed()));
    EXPECT_EQ(copyProgress.values.back(), 0) << "the bar does not look busy after the stop";
    EXPECT_TRUE(copyButtonEnabledAfter(copy.outcome));

    // The fill: the rows before the stop hold their songs, the rest stay empty.
    SongList songs;
    for (const char *title : {"First", "Second", "Third"}) {
        songs.beginTrack();
        songs.appendLine(SongField::Title, songs.keep(QString::fromLatin1(title)));
    }
    GridModel filled;
    PlayTimeBoxes total;
    RecordingSink fillProgress;
    fillProgress.cancelAfter = 1;
    FILLGRID(filled, songs, 2, total, fillProgress);
    EXPECT_EQ(filled.rows(), 4);
    EXPECT_EQ(filled.text(1, GridColumn::Title), u"  First"_s);
    EXPECT_TRUE(filled.text(3, GridColumn::Title).isEmpty());
    EXPECT_EQ(fillProgress.values.back(), 0);

    // The search: a walk stopped before the match finds nothing; the next press goes on.
    SongLibrary lib({{.title = u"a"_s}, {.title = u"b"_s}, {.title = u"needle"_s}});
    GridSearch search(*lib.grid);
    RecordingSink searchProgress;
    searchProgress.cancelAfter = 1;
    EXPECT_FALSE(search.press(u"needle"_s, searchProgress).found);
    EXPECT_TRUE(search.press(u"needle"_s).found);

    // The HTML list: an older file of that name is kept and nothing is shown.
    const QString path = target.filePath(u"list.html"_s);
    writeBytes(path, "older list");
    FakeFileDialog dialog;
    dialog.answer = path;
    FakeUrlOpener opener;
    RecordingSink htmlProgress;
    htmlProgress.cancelAfter = 0;
    EXPECT_EQ(
        createhtmlfile(
            {.grid = *lib.grid, .dialog = dialog, .opener = opener, .messages = messages, .progress = htmlProgress}),
        HtmlOutcome::Cancelled);
    EXPECT_EQ(readFile(path), "older list");
    EXPECT_TRUE(opener.opened.isEmpty());
    EXPECT_EQ(messages.texts(), QStringList{u" 2 Files to Copy!"_s});
}
