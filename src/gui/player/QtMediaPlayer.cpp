#include "gui/player/QtMediaPlayer.h"

#include <QAudio>
#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

QtMediaPlayer::QtMediaPlayer(QObject *parent)
    : MediaPlayer(parent)
    , m_player(new QMediaPlayer(this))
    , m_output(new QAudioOutput(this))
{
    m_player->setAudioOutput(m_output);
    setVolume(0);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status != QMediaPlayer::EndOfMedia)
            return;
        // Reported from the next pass of the event loop: a receiver that
        // assigns the next file at once must not do so inside the back end's
        // own status notification.
        const quint64 generation = m_generation;
        QMetaObject::invokeMethod(
            this,
            [this, generation] {
                if (generation == m_generation)
                    emit endOfStream();
            },
            Qt::QueuedConnection);
    });
}

void QtMediaPlayer::setFileName(const QString &path)
{
    ++m_generation;
    m_fileName = path;
    m_player->stop();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !info.isReadable()) {
        m_player->setSource(QUrl());
        return;
    }
    m_player->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    m_player->play();
}

void QtMediaPlayer::setVolume(int hundredthsOfDecibel)
{
    m_volume = hundredthsOfDecibel;
    const float gain = QAudio::convertVolume(static_cast<float>(hundredthsOfDecibel) / 100.0f,
                                             QAudio::DecibelVolumeScale, QAudio::LinearVolumeScale);
    m_output->setVolume(gain);
}

void QtMediaPlayer::stop()
{
    ++m_generation;
    m_player->stop();
}
