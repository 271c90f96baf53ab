#include "../common/TestStrings.h"

#include "grid/GridModel.h"
#include "player/MediaPlayerStrip.h"
#include "player/Playback.h"
#include "player/QtMediaPlayer.h"

#include <QAudioOutput>
#include <QFile>
#include <QLabel>
#include <QMediaPlayer>
#include <QProcess>
#include <QSignalSpy>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int endTimeoutMs = 20000;
// How long to watch for an end of stream that must not come.
constexpr int quietMs = 1500;

// Writes a mono 16-bit PCM WAV file holding a 440 Hz tone.
void writeWav(const QString &path, int milliseconds)
{
    constexpr int rate = 8000;
    const int samples = rate * milliseconds / 1000;
    QByteArray pcm(samples * 2, Qt::Uninitialized);
    for (int i = 0; i < samples; ++i) {
        const auto value = static_cast<qint16>(8000.0 * std::sin(2.0 * M_PI * 440.0 * i / rate));
        qToLittleEndian(value, pcm.data() + 2 * i);
    }
    QByteArray wav;
    auto put32 = [&wav](quint32 v) { char b[4]; qToLittleEndian(v, b); wav.append(b, 4); };
    auto put16 = [&wav](quint16 v) { char b[2]; qToLittleEndian(v, b); wav.append(b, 2); };
    wav.append("RIFF");
    put32(static_cast<quint32>(36 + pcm.size()));
    wav.append("WAVEfmt ");
    put32(16);
    put16(1);           // PCM
    put16(1);           // mono
    put32(rate);
    put32(rate * 2);    // bytes per second
    put16(2);           // block align
    put16(16);          // bits per sample
    wav.append("data");
    put32(static_cast<quint32>(pcm.size()));
    wav.append(pcm);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(wav), wav.size());
}

class QtMediaPlayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        shortWav = dir.filePath(QStringLiteral("short.wav"));
        writeWav(shortWav, 300);
    }

    // Plays the file to its end and checks that the end is reported exactly once.
    void expectPlaysToTheEnd(const QString &path)
    {
        QSignalSpy ends(&player, &MediaPlayer::endOfStream);
        player.setFileName(path);
        EXPECT_EQ(player.fileName(), path);
        ASSERT_TRUE(ends.wait(endTimeoutMs)) << qPrintable(path);
        QTest::qWait(300);
        EXPECT_EQ(ends.size(), 1);
    }

    void expectNoEnd()
    {
        QSignalSpy ends(&player, &MediaPlayer::endOfStream);
        EXPECT_FALSE(ends.wait(quietMs));
    }

    QTemporaryDir dir;
    QString shortWav;
    QtMediaPlayer player;
};

TEST_F(QtMediaPlayerTest, FilesThatCannotBePlayedAreDroppedQuietly)
{
    const QString missing = dir.filePath(QStringLiteral("no such folder/song.mp3"));
    player.setFileName(missing);
    EXPECT_EQ(player.fileName(), missing);
    expectNoEnd();

    const QString text = dir.filePath(QStringLiteral("notes.mp3"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("This is not a song.\r\n").repeated(200));
    file.close();
    player.setFileName(text);
    expectNoEnd();

    player.setFileName(QString());
    expectNoEnd();

    // The player still takes the next file.
    expectPlaysToTheEnd(shortWav);
}

TEST_F(QtMediaPlayerTest, VolumeInHundredthsOfDecibelBecomesLinearGain)
{
    const QAudioOutput *output = player.mediaPlayer()->audioOutput();
    ASSERT_NE(output, nullptr);
    EXPECT_FLOAT_EQ(output->volume(), 1.0f);
    for (const auto &[hundredths, gain] : {std::pair{-2000, 0.1f}, {-600, 0.501187f}, {-3600, 0.0158489f}, {0, 1.0f}}) {
        player.setVolume(hundredths);
        EXPECT_EQ(player.volume(), hundredths);
        EXPECT_NEAR(output->volume(), gain, 1e-5) << hundredths;
    }
}

// Continuous play assigns the next file from inside the end-of-stream
// notification; the real player must take it and go on.
TEST_F(QtMediaPlayerTest, ContinuousPlayRunsDownTheGridAndRepeatsTheLastRow)
{
    writeWav(dir.filePath(QStringLiteral("b.wav")), 300);
    GridModel grid;
    grid.setRows(3);
    grid.setText(1, 7, QStringLiteral(" \\short.wav"));
    grid.setText(2, 7, QStringLiteral(" \\B.WAV"));
    grid.setCurrentCell(1, 0);
    // Connected first: sees each file before continuous play assigns the next.
    QStringList played;
    QObject::connect(&player, &MediaPlayer::endOfStream, [&] { played.append(player.fileName()); });
    Playback playback(grid, player, {{}, [this] { return dir.path(); }, [] { return true; }});

    playback.mnuplay_Click();
    QTRY_COMPARE_WITH_TIMEOUT(played.size(), 3, endTimeoutMs);
    const QString b = dir.filePath(QStringLiteral("b.wav"));
    EXPECT_EQ(played, (QStringList{shortWav, b, b}));
    EXPECT_EQ(grid.row(), 2);
    player.stop();
}

// Runs a program with its output discarded; returns its exit code, or -1
// when it did not run to a normal end.
int runQuietly(const QString &program, const QStringList &args)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

// Compressed formats made with the GStreamer command-line tool, when it and
// the encoder are installed.
struct EncodedFormat {
    const char *name;
    const char *extension;
    std::vector<const char *> encoder;   // elements after the tone source
};

class EncodedFileTest : public QtMediaPlayerTest, public ::testing::WithParamInterface<EncodedFormat>
{
};

TEST_P(EncodedFileTest, PlaysToItsEndOnce)
{
    const EncodedFormat &format = GetParam();
    const QString launch = QStandardPaths::findExecutable(QStringLiteral("gst-launch-1.0"));
    const QString inspect = QStandardPaths::findExecutable(QStringLiteral("gst-inspect-1.0"));
    if (launch.isEmpty() || inspect.isEmpty())
        GTEST_SKIP() << "gst-launch-1.0 is not installed";
    for (const char *element : format.encoder) {
        if (runQuietly(inspect, {QString::fromLatin1(element)}) != 0)
            GTEST_SKIP() << "GStreamer element " << element << " is missing";
    }

    const QString path = dir.filePath(QStringLiteral("tone.") + QLatin1String(format.extension));
    QStringList args{QStringLiteral("-q"), QStringLiteral("audiotestsrc"), QStringLiteral("num-buffers=20"),
                     QStringLiteral("!"), QStringLiteral("audioconvert")};
    for (const char *element : format.encoder)
        args << QStringLiteral("!") << QString::fromLatin1(element);
    args << QStringLiteral("!") << QStringLiteral("filesink") << QStringLiteral("location=") + path;
    ASSERT_EQ(runQuietly(launch, args), 0);
    ASSERT_GT(QFile(path).size(), 0);

    expectPlaysToTheEnd(path);
}

INSTANTIATE_TEST_SUITE_P(Formats, EncodedFileTest,
                         ::testing::Values(EncodedFormat{"Mp3", "mp3", {"lamemp3enc"}},
                                           EncodedFormat{"M4a", "m4a", {"avenc_aac", "mp4mux"}}),
                         [](const auto &formatInfo) { return std::string(formatInfo.param.name); });

TEST(MediaPlayerStrip, EveryClickOnTheStripIsOneClick)
{
    MediaPlayerStrip strip;
    strip.resize(strip.sizeHint());
    strip.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&strip));
    EXPECT_EQ(strip.sizeHint(), QSize(222, 41));

    QSignalSpy clicks(&strip.player(), &MediaPlayer::clicked);
    const auto buttons = strip.findChildren<QToolButton *>();
    ASSERT_EQ(buttons.size(), 2);
    QTest::mouseClick(buttons[0], Qt::LeftButton);      // enabled or not, it is a click on the strip
    EXPECT_EQ(clicks.size(), 1);
    QTest::mouseClick(strip.findChild<QLabel *>(), Qt::LeftButton);
    EXPECT_EQ(clicks.size(), 2);
    QTest::mouseClick(strip.findChild<QSlider *>(), Qt::LeftButton);
    EXPECT_EQ(clicks.size(), 3);
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(clicks.size(), 4);
}

TEST(MediaPlayerStrip, StopButtonStopsTheSongWithoutAnEndOfStream)
{
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("long.wav"));
    writeWav(wav, 3000);
    MediaPlayerStrip strip;
    strip.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&strip));
    QMediaPlayer *mp = strip.player().mediaPlayer();
    QSignalSpy ends(&strip.player(), &MediaPlayer::endOfStream);

    strip.player().setFileName(wav);
    QTRY_COMPARE_WITH_TIMEOUT(mp->playbackState(), QMediaPlayer::PlayingState, endTimeoutMs);
    QToolButton *stop = nullptr;
    for (QToolButton *b : strip.findChildren<QToolButton *>())
        if (b->toolTip() == QStringLiteral("Stop"))
            stop = b;
    ASSERT_NE(stop, nullptr);
    ASSERT_TRUE(stop->isEnabled());
    QTest::mouseClick(stop, Qt::LeftButton);
    EXPECT_EQ(mp->playbackState(), QMediaPlayer::StoppedState);
    EXPECT_FALSE(stop->isEnabled());
    QTest::qWait(4000);
    EXPECT_EQ(ends.size(), 0);
}

TEST(MediaPlayerStrip, TimeText)
{
    for (const auto &[ms, text] : {std::pair{0, u"0:00"}, {65999, u"1:05"}, {600000, u"10:00"}, {-5, u"0:00"}})
        EXPECT_EQ(MediaPlayerStrip::timeText(ms), QString::fromUtf16(text));
}

}  // namespace
