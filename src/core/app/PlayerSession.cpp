#include "core/app/PlayerSession.h"

#include "core/device/PlayerDetection.h"
#include "core/grid/GridSort.h"

PlayerSession::Outcome PlayerSession::read(const iPod::PlayerLocator &locate, ProgressSink &progress)
{
    switch (m_pod.readitunesdb(locate, progress)) {
    case iPod::ReadOutcome::NoPlayer: m_outcome = Outcome::NoPlayer; break;
    case iPod::ReadOutcome::AlreadyLoaded:
    case iPod::ReadOutcome::Complete: m_outcome = Outcome::Complete; break;
    case iPod::ReadOutcome::Stopped:
        m_outcome = m_pod.songsstored() > 0 ? Outcome::Partial : Outcome::Unreadable;
        break;
    }
    return m_outcome;
}

PlayerSession::Outcome PlayerSession::connect(const iPod::PlayerLocator &locate, ProgressSink &progress,
                                              const std::function<void()> &afterRead)
{
    if (read(locate, progress) == Outcome::NoPlayer)
        return m_outcome;
    progress.yield();
    if (afterRead)
        afterRead();
    FILLGRID(m_grid, m_pod.songList(), m_pod.lastsongindex(), m_playTime, progress);
    return m_outcome;
}

void PlayerSession::sort(int column, bool descending)
{
    sortGrid(m_grid, column, descending);
}

QString PlayerSession::problem() const
{
    switch (m_outcome) {
    case Outcome::NoPlayer: return playerNotFound(std::nullopt);
    case Outcome::Complete: return {};
    case Outcome::Partial:
    case Outcome::Unreadable: break;
    }
    // The reader says what it found at the database path and where it stopped.
    return QStringLiteral("The track database could not be read completely: ") + m_pod.errorText();
}
