#include "core/stats/StatsReport.h"

#include "CopyTestSupport.h"
#include "ReportDoubles.h"
#include "SongGridSupport.h"
#include "TestStrings.h"
#include "core/grid/GridSort.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

StatsReport report(SongLibrary &lib, QStringList &List2, ProgressSink &progress)
{
    return getinfo(
        {.songs = lib.songs, .grid = *lib.grid, .totalMinutes = lib.total.Text2, .infoFrameCaption = u" My Player "_s},
        List2, progress);
}

StatsReport report(SongLibrary &lib)
{
    QStringList List2;
    NoProgress progress;
    return report(lib, List2, progress);
}

QStringList lines(const StatsReport &r)
{
    return r.text.split(u"\r\n"_s);
}

TEST(StatsReport, KnownLibraryLineByLine)
{
    // 'Blue Cats' and 'BLUE CATS' are one artist under the first spelling;
    // 'Red' ties with it at first but is met later. The two 65:00 songs tie
    // for the longest, the two 2:00 songs for the shortest: the upper row wins.
    SongLibrary lib({
        {.title = u"Opening"_s, .length = u"3:05"_s, .artist = u"Blue Cats"_s, .album = u"First"_s},
        {.title = u"Red Song"_s, .length = u"2:00"_s, .artist = u"Red"_s, .album = u"Colours"_s},
        {.title = u"Epic"_s, .length = u"65:00"_s, .artist = u"BLUE CATS"_s, .album = u"Second"_s},
        {.title = u"Also Epic"_s, .length = u"65:00"_s, .artist = u"Red"_s, .album = u"Colours"_s},
        {.title = u"Short"_s, .length = u"2:00"_s, .artist = u"Blue Cats "_s, .album = u"Third"_s},
        {.title = u"No Artist"_s, .length = u"4:58"_s},
    });
    EXPECT_EQ(lib.total.Text2, u"142"_s);
    const StatsReport r = report(lib);
    ASSERT_TRUE(r.complete);
    EXPECT_EQ(lines(r),
              QStringList({
                  u"Stats for:  My Player "_s,
                  u""_s,
                  u"Artist with most songs: Blue Cats with:  2 songs"_s,
                  u""_s,
                  u"Longest Song is: "_s,
                  u"    Epic by BLUE CATS,  65:00 long on the Second album."_s,
                  u""_s,
                  u"Shortest Song is: "_s,
                  u"    Red Song by Red,  2:00 long on the Colours album."_s,
                  u""_s,
                  u"Total Songs:  6"_s,
                  u"Total Play Time:  .1 Days"_s,
                  u"Unique Artist:  3"_s,
                  u""_s,
                  u"**** Total Songs Per Artist: ****"_s,
                  u"Blue Cats:  2"_s,
                  u"Red:  2"_s,
                  u"Blue Cats :  1"_s,
              }));
    // The rows were read through the current cell: it ends on the shortest song's length.
    EXPECT_EQ(lib.grid->row(), 2);
    EXPECT_EQ(lib.grid->col(), GridColumn::Length);
}

// Lines of the report (2: most songs, 5: longest, 8: shortest, 12: unique
// artists, -1: the last) for libraries that test one rule each.
TEST(StatsReport, TiesLabelsAndMissingValues)
{
    const struct
    {
        const char *what;
        std::vector<SongFields> songs;
        std::vector<std::pair<int, const char16_t *>> lines;
    } cases[] = {
        {"ties follow the grid's present order, sorted backwards here",
         {{.title = u"A"_s, .length = u"5:00"_s, .artist = u"X"_s},
          {.title = u"B"_s, .length = u"5:00"_s, .artist = u"X"_s}},
         {{5, u"    B by X,  5:00 long on the  album."}, {8, u"    B by X,  5:00 long on the  album."}}},
        {"the label is removed from artist names only",
         {{.title = u"Say ARTIST:  Now"_s,
           .length = u"1:00"_s,
           .artist = u"ARTIST:  Twice"_s,
           .album = u"The ARTIST:  Album"_s}},
         {{2, u"Artist with most songs: ARTIST:  Twice with:  1 songs"},
          {5, u"    Say ARTIST:  Now by ARTIST:  Twice,  1:00 long on the The ARTIST:  Album album."},
          {-1, u"ARTIST:  Twice:  1"}}},
        {"no artist and every length 0: no artist with most songs, no longest song",
         {{.title = u"Silence"_s, .length = u"0:00"_s}},
         {{2, u"Artist with most songs: - with:  - songs"},
          {5, u"    -"},
          {8, u"    Silence by ,  0:00 long on the  album."},
          {12, u"Unique Artist:  0"},
          {-1, u"**** Total Songs Per Artist: ****"}}},
        {"every length 200000 or more: no shortest song",
         {{.title = u"Drone"_s, .length = u"2000:00"_s, .artist = u"Hum"_s}},
         {{5, u"    Drone by Hum,  2000:00 long on the  album."}, {8, u"    -"}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SongLibrary lib(c.songs);
        sortGrid(*lib.grid, GridColumn::Title, true);
        const QStringList l = lines(report(lib));
        for (const auto &[index, text] : c.lines)
            EXPECT_EQ(index < 0 ? l.last() : l.value(index), QString::fromUtf16(text));
    }
}

TEST(StatsReport, PhasesAndArtistListKeptAcrossReports)
{
    SongLibrary lib({
        {.title = u"One"_s, .artist = u"Zed"_s},
        {.title = u"Two"_s, .artist = u"alpha"_s},
        {.title = u"Three"_s, .artist = u"ALPHA"_s},
    });
    QStringList List2{u"ARTIST:  Alpha"_s};  // left by an earlier report with another spelling
    RecordingSink progress;
    const StatsReport first = report(lib, List2, progress);
    EXPECT_EQ(List2, texts(u"ARTIST:  Alpha|ARTIST:  Zed"));
    EXPECT_EQ(lines(first).mid(15), texts(u"Alpha:  2|Zed:  1"));
    EXPECT_EQ(lines(first)[2], u"Artist with most songs: Alpha with:  2 songs"_s);
    EXPECT_EQ(progress.statuses,
              texts(u"Getting Unique Artist..|Getting Songs Per Artist..|Getting Longest Song..|"
                    u"Getting Shortest Song..|Stats complete..."));
    EXPECT_EQ(progress.values.back(), 0);
    EXPECT_EQ(progress.maximum, lib.grid->rows());

    const StatsReport second = report(lib, List2, progress);
    EXPECT_EQ(second.text, first.text);
    EXPECT_EQ(List2.size(), 2);
}

TEST(StatsReport, DaysRoundToTwoDecimalsHalvesToEven)
{
    const struct
    {
        long long minutes;
        const char16_t *days;
    } cases[] = {
        {180, u" .12"},    // .125: the tie goes to the even 2
        {108, u" .08"},    // .075: to the even 8
        {1500, u" 1.04"},  // 1.0416..
        {0, u" 0"},       {144, u" .1"}, {14400, u" 10"}, {1441, u" 1"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(daysText(c.minutes), QString::fromUtf16(c.days)) << c.minutes;
}

TEST(PrintReport, AsksFirstAndSaysDoneOnlyWhenPrinted)
{
    const QString report = u"Stats for:  P \r\n\r\nArtist with most songs: A with:  1 songs"_s;
    const struct
    {
        MessageAnswer answer;
        PrintService::Outcome outcome;
        int printed;
        const char16_t *shown;
    } cases[] = {
        {MessageAnswer::No, PrintService::Outcome::Printed, 0, u"Print Stats Now?"},
        {MessageAnswer::Yes, PrintService::Outcome::Printed, 1, u"Print Stats Now?|Done Printing..."},
        {MessageAnswer::Yes, PrintService::Outcome::Cancelled, 1, u"Print Stats Now?"},
        {MessageAnswer::Yes, PrintService::Outcome::Failed, 1,
         u"Print Stats Now?|The report could not be printed: out of paper"},
    };
    for (const auto &c : cases) {
        ScriptedMessages messages;
        messages.answers = {c.answer};
        FakePrinter printer;
        printer.answer = {c.outcome, u"out of paper"_s};
        printReport(report, messages, printer);
        EXPECT_EQ(messages.texts(), texts(c.shown));
        ASSERT_EQ(printer.asked.size(), c.printed);
        if (c.printed) {
            EXPECT_EQ(printer.asked[0], u"Stats for:  P \n\nArtist with most songs: A with:  1 songs"_s);
        }
    }
}

}  // namespace
