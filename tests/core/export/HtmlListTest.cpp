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

// Each way the list can end: what is on disk, what was opened and what was said.
TEST_F(HtmlListTest, CancelRefusalAndFailureWriteAndOpenNothing)
{
    SongLibrary lib({{.title = u"New"_s}});
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"taken.html"_s));
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"player/iPod_Control/iTunes"_s));
    const QString older = dir.filePath(u"older.html"_s);
    writeBytes(older, QByteArray(100'000, 'x'));
    const struct
    {
        QString answer;
        HtmlOutcome outcome;
        const char16_t *said;  // the start of the one message shown, if any
    } cases[] = {
        {QString(), HtmlOutcome::Cancelled, nullptr},
        {dir.filePath(u"missing/list"_s), HtmlOutcome::Failed, u".html could not be written: "},
        {dir.filePath(u"taken"_s), HtmlOutcome::Failed, u".html could not be written: "},
        {dir.filePath(u"player/iPod_Control/songs"_s), HtmlOutcome::OnPlayer,
         u".html is not written: it would be on the iPod, which is only read."},
        // An older file is replaced; nothing can show it, which is said.
        {older, HtmlOutcome::NotOpened, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer.toStdString());
        messages.shown.clear();
        opener.opened.clear();
        opener.succeeds = c.outcome != HtmlOutcome::NotOpened;
        EXPECT_EQ(create(*lib.grid, c.answer, dir.filePath(u"player"_s)), c.outcome);
        EXPECT_TRUE(opener.opened.isEmpty() || c.outcome == HtmlOutcome::NotOpened);
        if (c.said) {
            ASSERT_EQ(messages.shown.size(), 1u);
            const QString prefix = u"The HTML file "_s + c.answer + QString::fromUtf16(c.said);
            EXPECT_TRUE(messages.shown[0].text.startsWith(prefix)) << messages.shown[0].text.toStdString();
            EXPECT_GE(messages.shown[0].text.size(), prefix.size() + (c.outcome == HtmlOutcome::Failed ? 1 : 0));
        } else {
            EXPECT_EQ(messages.shown.size(), c.outcome == HtmlOutcome::NotOpened ? 1u : 0u);
        }
    }
    EXPECT_EQ(fileLines(older).size(), 25);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"older.html"_s});
    EXPECT_FALSE(QFile::exists(dir.filePath(u"player/iPod_Control/songs.html"_s)));
    EXPECT_EQ(htmlFileName(u"LIST.HTML"_s), u"LIST.HTML.html"_s);
    EXPECT_EQ(htmlFileName(u"list.html"_s), u"list.html"_s);
}

}  // namespace
