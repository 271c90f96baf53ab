// The copy's progress line, driven by a clock the test moves, and end to end
// with standard error on a pseudo terminal.
#include "cli/CopyMeter.h"
#include "CopyTestSupport.h"
#include "ItunesDbWriter.h"
#include "ProgramRun.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A meter over real copies; each file takes `stepMs` on the test's clock.
struct MeterRig
{
    explicit MeterRig(bool shown, int columns = 200)
        : meter(storage, {shown, columns, [this](const QString &t) { terminal += t; }, [this] { return now; }},
                [this](const QString &t) { status << t; })
    {
        storage.beforeCopy = [this](int) { now += stepMs; };
    }
    // Copies `count` files of `size` bytes through the meter as the copy loop does.
    void copy(int count, int size)
    {
        meter.setProgressRange(0, count);
        meter.setStatusText(u"Copying files..."_s);
        for (int i = 0; i < count; ++i) {
            const QString location = player.addSong(u"F00"_s, u"S%1.mp3"_s.arg(i), size);
            const QString source = player.root() + QString(location).replace(u'\\', u'/');
            ASSERT_TRUE(meter.copyToStorage({source, target.filePath(u"Song %1.mp3"_s.arg(i))}).ok);
        }
        meter.setStatusText(u"Copying Done...! "_s);
    }
    // The texts the line showed, one per redraw.
    QStringList draws() const
    {
        QStringList shown = terminal.split(u'\r', Qt::SkipEmptyParts);
        for (QString &text : shown)
            text.remove(u"\x1b[K"_s);
        return shown;
    }

    PlayerFolder player;
    QTemporaryDir target;
    SteppingStorage storage;
    qint64 now = 1000;
    qint64 stepMs = 0;
    QString terminal;
    QStringList status;
    CopyMeter meter;
};

TEST(CopyMeterTest, TextsOfSizesRatesAndNames)
{
    EXPECT_EQ(CopyMeter::byteText(999), u"999 B"_s);
    EXPECT_EQ(CopyMeter::byteText(999'949), u"999.9 kB"_s);
    EXPECT_EQ(CopyMeter::byteText(999'999), u"1.0 MB"_s);
    EXPECT_EQ(CopyMeter::byteText(12'345'678'901), u"12.3 GB"_s);
    EXPECT_EQ(CopyMeter::meterText(2, 5, 3'500'000, 2000, u"Song.mp3"_s),
              u"2 of 5 files, 3.5 MB, 1.8 MB/s  Song.mp3"_s);
    EXPECT_EQ(CopyMeter::meterText(0, 5, 0, 0, {}), u"0 of 5 files, 0 B"_s);
}

TEST(CopyMeterTest, RedrawsAtMostTenTimesASecondFitTheTerminalAndEndTheirLineBeforeOtherTextOrAtAFailure)
{
    MeterRig rig(true);
    rig.stepMs = 30;  // a file every 30 ms: 20 files in 600 ms
    rig.copy(20, 100);
    // Status lines come whole; the meter line was ended before the last one.
    EXPECT_EQ(rig.status, texts(u"Copying files...|Copying Done...! "));
    ASSERT_TRUE(rig.terminal.endsWith(u'\n'));
    const QStringList draws = rig.draws();
    EXPECT_LE(draws.size(), 8);  // 600 ms: the first draw, one per 100 ms, the final state
    EXPECT_GE(draws.size(), 6);
    EXPECT_EQ(draws.constLast(), u"20 of 20 files, 2.0 kB, 3.3 kB/s  Song 19.mp3\n"_s);
    EXPECT_EQ(draws.constFirst(), u"0 of 20 files, 0 B  Song 0.mp3"_s);

    // Long names are cut to the terminal.
    MeterRig narrow(true, 30);
    narrow.copy(1, 10);
    for (const QString &draw : narrow.draws())
        EXPECT_LE(draw.trimmed().size(), 29) << draw.toStdString();

    // A failed file ends the line at once.
    MeterRig failing(true);
    failing.stepMs = 5;
    failing.meter.setProgressRange(0, 2);
    const CopyStorageResult failed =
        failing.meter.copyToStorage({failing.player.root() + u"/missing.mp3"_s, failing.target.filePath(u"x.mp3"_s)});
    EXPECT_FALSE(failed.ok);
    EXPECT_TRUE(failing.terminal.endsWith(u"0 of 2 files, 0 B  x.mp3\x1b[K\n"_s)) << failing.terminal.toStdString();
    // Nothing more is drawn or ended when the copy then finishes.
    const QString before = failing.terminal;
    failing.meter.finish();
    EXPECT_EQ(failing.terminal, before);
}

// Runs quillory-cli under script(1), which gives it a pseudo terminal;
// standard output goes to a file. Returns what the terminal received.
ProgramRun runOnTerminal(const QStringList &args, const QString &stdoutFile)
{
    QString command = u"exec '"_s + QStringLiteral(QUILLORY_CLI) + u'\'';
    for (const QString &arg : args)
        command += u" '"_s + arg + u'\'';
    return runProgram(u"script"_s, {u"-qec"_s, command + u" >'"_s + stdoutFile + u'\'', u"/dev/null"_s});
}

TEST(CopyMeterTest, TheProgramShowsTheLineOnATerminalUnlessQuiet)
{
    PlayerFolder player;
    QTemporaryDir target, scratch;
    itdb::Database db;
    for (int i = 0; i < 3; ++i) {
        db.tracks.emplace_back();
        db.tracks.back().title = u"Song %1"_s.arg(i);
        db.tracks.back().location = player.addSong(u"F01"_s, u"S%1.mp3"_s.arg(i), 2000);
    }
    writeBytes(player.root() + u"/iPod_Control/iTunes/iTunesDB"_s, itdb::write(db));
    const QString out = scratch.filePath(u"out.txt"_s);
    const QStringList copy{u"copy"_s, u"--player"_s, player.root(), u"--to"_s, target.path(), u"--all"_s};

    const ProgramRun run = runOnTerminal(copy, out);
    const QString &shown = run.out;
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(shown.startsWith(u"\r0 of 3 files, 0 B  Song 0.mp3"_s)) << shown.toStdString();
    // The rate follows only when the copy took measurable time, which depends
    // on the machine; the counts and bytes hold at any speed. The rate itself
    // is checked on the test's clock above.
    EXPECT_TRUE(shown.contains(u"\r3 of 3 files, 6.0 kB"_s)) << shown.toStdString();
    // The terminal turns LF into CR LF.
    EXPECT_TRUE(shown.endsWith(u"Song 2.mp3\x1b[K\r\n"_s)) << shown.toStdString();
    // Standard output is a file, and gets only the copy's messages.
    EXPECT_TRUE(readFile(out).startsWith(" 3 Files to Copy!\nCopying files..."));
    EXPECT_FALSE(readFile(out).contains("files, "));

    const ProgramRun quiet = runOnTerminal(copy + QStringList{u"--quiet"_s}, out);
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.out, QString());
}

}  // namespace
