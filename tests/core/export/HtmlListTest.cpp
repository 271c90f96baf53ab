#include "core/export/HtmlList.h"

#include "CopyTestSupport.h"
#include "ReportDoubles.h"
#include "SongGridSupport.h"
#include "TestStrings.h"
#include "core/grid/GridSort.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray bom("\xEF\xBB\xBF");

class HtmlListTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    HtmlOutcome create(GridModel &grid, const QString &answer, const QString &playerRoot = {})
    {
        dialog.answer = answer;
        return createhtmlfile({.grid = grid,
                               .dialog = dialog,
                               .opener = opener,
                               .messages = messages,
                               .progress = progress,
                               .playerRoot = playerRoot});
    }

    // The file's lines after the byte-order mark; each must end in CR LF.
    QStringList fileLines(const QString &path)
    {
        QByteArray bytes = readFile(path);
        EXPECT_TRUE(bytes.startsWith(bom));
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        const QString text = QString::fromUtf8(bytes.mid(bom.size()));
        EXPECT_FALSE(QString(text).remove(u"\r\n"_s).contains(u'\n')) << "no LF without CR";
        QStringList lines = text.split(u"\r\n"_s);
        lines.removeLast();
        return lines;
    }

    QTemporaryDir dir;
    FakeFileDialog dialog;
    FakeUrlOpener opener;
    ScriptedMessages messages;
    RecordingSink progress;
};

TEST_F(HtmlListTest, WritesTheTableOpensItAndReportsEachStep)
{
    SongLibrary lib({
        {.title = u"Zebra"_s, .length = u"4:05"_s, .artist = u"Tom & Jerry"_s, .album = u"<Live>"_s},
        {.title = u"Say \"Ah\""_s, .length = u"0:30"_s, .artist = u"Anna"_s, .album = u"Été"_s},
    });
    sortGrid(*lib.grid, GridColumn::Artist, false);
    const QString chosen = dir.filePath(u"songs"_s);
    EXPECT_EQ(create(*lib.grid, chosen), HtmlOutcome::Opened);
    const QString path = chosen + u".html"_s;
    EXPECT_EQ(dialog.filters, texts(u"HTML Files (*.html*)"));
    EXPECT_EQ(opener.opened, QStringList{path});
    EXPECT_TRUE(messages.shown.empty());

    const QStringList lines = fileLines(path);
    ASSERT_EQ(lines.size(), 36);
    EXPECT_EQ(lines.mid(0, 4),
              texts(u"<HTML><HEAD></HEAD><BODY>|<TABLE BORDER=1  CELLPADDING=1>|<TR>|  <TH>Title</TH>"));
    EXPECT_EQ(lines.mid(10, 4), texts(u"  <TH>File Name</TH>|</TR>||<TR>"));
    // Rows in the grid's order (by artist), cells with their blanks, special characters escaped.
    EXPECT_EQ(lines.mid(14, 4),
              texts(u"  <TD>  Say &quot;Ah&quot;</TD>|  <TD>  0:30</TD>|  <TD>  Anna</TD>|  <TD>  Été</TD>"));
    EXPECT_EQ(lines.mid(25, 4),
              texts(u"  <TD>  Zebra</TD>|  <TD>  4:05</TD>|  <TD>  Tom &amp; Jerry</TD>|  <TD>  &lt;Live&gt;</TD>"));
    EXPECT_EQ(lines.mid(32), texts(u"  <TD>  \\iPod_Control\\Music\\F00\\S0.mp3</TD>|</TR>||</BODY></HTML>"));

    EXPECT_EQ(progress.statuses,
              texts(u"Please wait while HTML file is created...|"
                    u"HTML file is created... Loading into Browser to view|Finished.."));
    EXPECT_EQ(progress.maximum, 3);
    EXPECT_EQ(progress.values, (std::vector<qint64>{1, 2, 0}));
    EXPECT_EQ(lib.grid->col(), 0) << "the rows are written from column 0";
}

TEST_F(HtmlListTest, GridWithoutSongsGivesFourteenLines)
{
    SongLibrary lib({});
    lib.grid->setRows(1);
    const QString path = dir.filePath(u"empty.html"_s);
    ASSERT_TRUE(writeHtmlList(*lib.grid, path, progress).ok);
    EXPECT_EQ(fileLines(path).size(), 14);
}

TEST_F(HtmlListTest, EveryTitleSurvivesAsUtf8AndWhatHtmlDisallowsBecomesAReplacement)
{
    const QString title = u"Ωmega \U0001F3B5 \u6771\u4EAC é\u00A0"_s;
    // Controls (C0 but tab, DEL, C1), noncharacters in and beyond the first plane.
    const QString controls = u"a\x01"
                             u"b\x1b[2J\x7f\u0085\u009F\uFDD0\uFFFE\uFFFF\U0001FFFE\tc"_s;
    SongLibrary lib({{.title = title},
                     {.title = u"half "_s + QChar(0xD800) + u" pair "_s + QChar(0xDC00)},
                     {.title = controls + QChar(0) + u"z"_s}});
    const QString path = dir.filePath(u"utf8.html"_s);
    ASSERT_TRUE(writeHtmlList(*lib.grid, path, progress).ok);
    const QStringList lines = fileLines(path);
    EXPECT_EQ(lines[14], u"  <TD>  "_s + title + u"</TD>"_s);
    EXPECT_EQ(lines[25], u"  <TD>  half \uFFFD pair \uFFFD</TD>"_s);
    EXPECT_EQ(lines[36], u"  <TD>  a\uFFFDb\uFFFD[2J\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\tc\uFFFDz</TD>"_s);
}

TEST_F(HtmlListTest, NameGetsHtmlUnlessItEndsInExactlyThat)
{
    EXPECT_EQ(htmlFileName(u"LIST.HTML"_s), u"LIST.HTML.html"_s);
    EXPECT_EQ(htmlFileName(u"list.html"_s), u"list.html"_s);
}

TEST_F(HtmlListTest, CancelWritesAndOpensNothing)
{
    SongLibrary lib({{.title = u"A"_s}});
    EXPECT_EQ(create(*lib.grid, QString()), HtmlOutcome::Cancelled);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(opener.opened.isEmpty() && progress.statuses.isEmpty() && messages.shown.empty());
}

TEST_F(HtmlListTest, FileThatCannotBeWrittenShowsWhyAndOpensNothing)
{
    SongLibrary lib({{.title = u"A"_s}});
    // A folder that does not exist, and a name that is a folder.
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"taken.html"_s));
    for (const QString &name : {dir.filePath(u"missing/list"_s), dir.filePath(u"taken"_s)}) {
        messages.shown.clear();
        EXPECT_EQ(create(*lib.grid, name), HtmlOutcome::Failed);
        ASSERT_EQ(messages.shown.size(), 1u);
        const QString prefix = u"The HTML file "_s + name + u".html could not be written: "_s;
        EXPECT_TRUE(messages.shown[0].text.startsWith(prefix));
        EXPECT_GT(messages.shown[0].text.size(), prefix.size()) << "the reason follows";
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    }
    EXPECT_TRUE(opener.opened.isEmpty());
    EXPECT_FALSE(progress.statuses.contains(u"Finished.."_s));
}

TEST_F(HtmlListTest, AFileOnThePlayerIsNeitherWrittenNorOpened)
{
    SongLibrary lib({{.title = u"A"_s}});
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"iPod_Control/iTunes"_s));
    const QString path = dir.filePath(u"iPod_Control/songs"_s);
    EXPECT_EQ(create(*lib.grid, path, dir.path()), HtmlOutcome::OnPlayer);
    EXPECT_FALSE(QFile::exists(path + u".html"_s));
    EXPECT_EQ(messages.texts(),
              QStringList{u"The HTML file "_s + path
                          + u".html is not written: it would be on the iPod, which is only read."_s});
    EXPECT_TRUE(opener.opened.isEmpty());
}

TEST_F(HtmlListTest, ReplacesAnExistingFileAndSaysSoWhenNothingCanShowIt)
{
    SongLibrary lib({{.title = u"New"_s}});
    const QString path = dir.filePath(u"list.html"_s);
    writeBytes(path, QByteArray(100'000, 'x'));
    opener.succeeds = false;
    EXPECT_EQ(create(*lib.grid, path), HtmlOutcome::NotOpened);
    EXPECT_EQ(fileLines(path).size(), 25);
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts()[0].contains(path));
    EXPECT_EQ(progress.statuses.last(), u"Finished.."_s);
}

}  // namespace
