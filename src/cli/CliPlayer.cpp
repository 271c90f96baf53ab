#include "cli/CliPlayer.h"

#include "core/app/PlayerSession.h"
#include "core/device/PlayerDetection.h"
#include "core/device/SystemVolumeService.h"

namespace {

iPod::PlayerLocator locator(const std::optional<QString> &playerDir)
{
    return [playerDir] { return locatePlayer(playerDir, SystemVolumeService()); };
}

CliStatus statusOf(const PlayerSession &session)
{
    const QString problem = session.problem();
    if (!problem.isEmpty())
        printError(problem);
    switch (session.outcome()) {
    case PlayerSession::Outcome::NoPlayer: return CliNoPlayer;
    case PlayerSession::Outcome::Complete: return CliOk;
    case PlayerSession::Outcome::Partial:
    case PlayerSession::Outcome::Unreadable: break;
    }
    return CliReadFailed;
}

}  // namespace

CliStatus readPlayer(const std::optional<QString> &playerDir, PlayerSession &session)
{
    session.read(locator(playerDir));
    return statusOf(session);
}

CliStatus connectPlayer(const std::optional<QString> &playerDir, PlayerSession &session)
{
    session.connect(locator(playerDir));
    return statusOf(session);
}
