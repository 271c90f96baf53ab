#include "core/player/Playback.h"

#include "core/common/PlayerPath.h"
#include "core/grid/Columns.h"
#include "core/grid/GridModel.h"
#include "core/player/MediaPlayer.h"

Playback::Playback(GridModel &grid, MediaPlayer &player, WindowState state, QObject *parent)
    : QObject(parent)
    , m_grid(grid)
    , m_player(player)
    , m_state(std::move(state))
{
    connect(&m_player, &MediaPlayer::endOfStream, this, &Playback::onEndOfStream);
}

void Playback::mnuplay_Click()
{
    m_playcount = 0;
    goplaymusic();
}

void Playback::goplaymusic()
{
    ++m_playcount;
    // Continuing a run: the next row. The grid refuses a move past its last
    // row, so the last song then plays again.
    if (m_playcount >= 2)
        m_grid.setRow(m_grid.row() + 1);

    const int row = m_grid.row();
    const QString root = m_state.playerRoot ? m_state.playerRoot().trimmed() : QString();
    const QString path = playerPath(root, m_grid.text(row, GridColumn::FileName).trimmed());
    emit nowPlaying(QStringLiteral("Song:") + m_grid.text(row, GridColumn::Title) + QStringLiteral(" - By:")
                    + m_grid.text(row, GridColumn::Artist));
    m_grid.setCol(GridColumn::Title);
    m_player.setFileName(path);
}

void Playback::onEndOfStream()
{
    if (m_state.continuous && m_state.continuous())
        goplaymusic();
    else
        m_playcount = 0;
}
