#include "gui/player/QtMediaPlayer.h"
#include "CopyTestSupport.h"
#include "core/grid/GridModel.h"
#include "core/player/Playback.h"
#include "gui/player/MediaPlayerStrip.h"

#include <QAudioOutput>
#include <QDataStream>
#include <QFile>
#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

// The real Qt Multimedia player on generated song files.
namespace {

constexpr int endTimeoutMs = 20000;
constexpr int quietMs = 1500;  // how long to watch for an end of stream that must not come

// Writes a mono 16-bit PCM WAV file holding a 440 Hz tone.
void writeWav(const QString &path, int milliseconds)
{
    constexpr quint32 rate = 8000;
    const quint32 samples = rate * static_cast<quint32>(milliseconds) / 1000;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32{36 + 2 * samples};
    out.writeRawData("WAVEfmt ", 8);
    // PCM, mono, rate, bytes per second, block align, bits per sample
    out << quint32{16} << quint16{1} << quint16{1} << rate << rate * 2 << quint16{2} << quint16{16};
    out.writeRawData("data", 4);
    out << quint32{2 * samples};
    for (quint32 i = 0; i < samples; ++i)
        out << static_cast<qint16>(8000.0 * std::sin(2.0 * M_PI * 440.0 * i / rate));
}

class QtMediaPlayerTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QtMediaPlayer player;
};

TEST_F(QtMediaPlayerTest, SkipsUnplayableFilesAndRunsDownTheGridOnWavs)
{
    const QString text = dir.filePath(QStringLiteral("notes.mp3"));
    writeBytes(text, QByteArray("This is not a song.\r\n").repeated(200));
    for (const QString &path : {dir.filePath(QStringLiteral("no such folder/song.mp3")), text}) {
        QSignalSpy ends(&player, &MediaPlayer::endOfStream);
        player.setFileName(path);
        EXPECT_FALSE(ends.wait(quietMs)) << qPrintable(path);
    }

    // Continuous play assigns the next file from inside the end-of-stream
    // notification; the player must take it and go on, the last row repeating.
    writeWav(dir.filePath(QStringLiteral("a.wav")), 300);
    writeWav(dir.filePath(QStringLiteral("b.wav")), 300);
    GridModel grid;
    grid.setRows(3);
    grid.setText(1, 7, QStringLiteral(" \\a.wav"));
    grid.setText(2, 7, QStringLiteral(" \\B.WAV"));
    grid.setCurrentCell(1, 0);
    QStringList played;  // connected first: sees each file before the next is assigned
    QObject::connect(&player, &MediaPlayer::endOfStream, [&] { played.append(player.fileName()); });
    Playback playback(grid, player, {[this] { return dir.path(); }, [] { return true; }});
    playback.mnuplay_Click();
    QTRY_COMPARE_WITH_TIMEOUT(played.size(), 3, endTimeoutMs);
    const QString b = dir.filePath(QStringLiteral("b.wav"));
    EXPECT_EQ(played, (QStringList{dir.filePath(QStringLiteral("a.wav")), b, b}));
    player.stop();
}

TEST_F(QtMediaPlayerTest, VolumeInHundredthsOfDecibelBecomesLinearGain)
{
    const QAudioOutput *output = player.mediaPlayer()->audioOutput();
    for (const auto &[hundredths, gain] : {std::pair{-2000, 0.1f}, {-600, 0.501187f}, {0, 1.0f}}) {
        player.setVolume(hundredths);
        EXPECT_EQ(player.volume(), hundredths);
        EXPECT_NEAR(output->volume(), gain, 1e-5) << hundredths;
    }
}

TEST_F(QtMediaPlayerTest, StripStopEndsNoStream)
{
    const QString wav = dir.filePath(QStringLiteral("long.wav"));
    writeWav(wav, 1000);
    MediaPlayerStrip strip(player);
    strip.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&strip));

    QMediaPlayer *mp = player.mediaPlayer();
    QSignalSpy ends(&player, &MediaPlayer::endOfStream);
    player.setFileName(wav);
    QTRY_COMPARE_WITH_TIMEOUT(mp->playbackState(), QMediaPlayer::PlayingState, endTimeoutMs);
    const auto buttons = strip.findChildren<QToolButton *>();
    const auto stop = std::ranges::find_if(buttons, [](QToolButton *b) { return b->toolTip() == u"Stop"; });
    ASSERT_NE(stop, buttons.end());
    QTest::mouseClick(*stop, Qt::LeftButton);
    EXPECT_EQ(mp->playbackState(), QMediaPlayer::StoppedState);
    EXPECT_FALSE(ends.wait(quietMs));

    for (const auto &[ms, time] : {std::pair{0, u"0:00"}, {65999, u"1:05"}, {600000, u"10:00"}, {-5, u"0:00"}})
        EXPECT_EQ(MediaPlayerStrip::timeText(ms), QString::fromUtf16(time));
}

}  // namespace
