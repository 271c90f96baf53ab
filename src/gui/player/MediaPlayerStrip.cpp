#include "gui/player/MediaPlayerStrip.h"

#include "gui/player/QtMediaPlayer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

MediaPlayerStrip::MediaPlayerStrip(QtMediaPlayer &player, QWidget *parent)
    : QWidget(parent)
    , m_player(&player)
    , m_playPause(new QToolButton(this))
    , m_stop(new QToolButton(this))
    , m_position(new QSlider(Qt::Horizontal, this))
    , m_time(new QLabel(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_playPause);
    layout->addWidget(m_stop);
    layout->addWidget(m_position, 1);
    layout->addWidget(m_time);

    m_playPause->setAutoRaise(true);
    m_stop->setAutoRaise(true);
    m_stop->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    m_stop->setToolTip(tr("Stop"));
    m_position->setRange(0, 0);
    m_time->setText(timeText(0));
    m_time->setMinimumWidth(m_time->fontMetrics().horizontalAdvance(QStringLiteral("00:00")));

    QMediaPlayer *mp = m_player->mediaPlayer();
    connect(m_playPause, &QToolButton::clicked, this, [mp] {
        if (mp->playbackState() == QMediaPlayer::PlayingState)
            mp->pause();
        else
            mp->play();
    });
    connect(m_stop, &QToolButton::clicked, m_player, &QtMediaPlayer::stop);
    connect(m_position, &QSlider::sliderMoved, mp, [mp](int ms) { mp->setPosition(ms); });
    connect(mp, &QMediaPlayer::durationChanged, this,
            [this](qint64 ms) { m_position->setRange(0, static_cast<int>(qMin<qint64>(ms, INT_MAX))); });
    connect(mp, &QMediaPlayer::positionChanged, this, &MediaPlayerStrip::showPosition);
    connect(mp, &QMediaPlayer::playbackStateChanged, this, &MediaPlayerStrip::updateButtons);
    connect(mp, &QMediaPlayer::sourceChanged, this, &MediaPlayerStrip::updateButtons);
    updateButtons();
}

QSize MediaPlayerStrip::sizeHint() const
{
    return {222, 41};
}

QString MediaPlayerStrip::timeText(qint64 ms)
{
    const qint64 seconds = qMax<qint64>(ms, 0) / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void MediaPlayerStrip::updateButtons()
{
    QMediaPlayer *mp = m_player->mediaPlayer();
    const bool playing = mp->playbackState() == QMediaPlayer::PlayingState;
    m_playPause->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    m_playPause->setToolTip(playing ? tr("Pause") : tr("Play"));
    m_playPause->setEnabled(!mp->source().isEmpty());
    m_stop->setEnabled(mp->playbackState() != QMediaPlayer::StoppedState);
    if (mp->playbackState() == QMediaPlayer::StoppedState)
        showPosition(0);
}

void MediaPlayerStrip::showPosition(qint64 ms)
{
    if (!m_position->isSliderDown())
        m_position->setValue(static_cast<int>(qMin<qint64>(ms, INT_MAX)));
    m_time->setText(timeText(ms));
}
