#include "cli/CliPlayer.h"

#include "cli/CliOptions.h"
#include "core/app/PlayerSession.h"
#include "core/device/PlayerDetection.h"
#include "core/device/SystemVolumeService.h"
#include "core/grid/Columns.h"

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

CliStatus connectSorted(const CliOptions &options, PlayerSession &session)
{
    std::optional<int> column;
    if (const auto name = options.value(QLatin1String("--sort"))) {
        column = columnByName(*name);
        if (!column || columnInfo(*column).sort == SortKind::None) {
            printError(QStringLiteral("unknown sort column: ") + *name);
            return CliUsageError;
        }
    } else if (options.has(QLatin1String("--descending"))) {
        printError(QStringLiteral("--descending needs --sort"));
        return CliUsageError;
    }
    const CliStatus status = connectPlayer(options.value(QLatin1String("--player")), session);
    if (status != CliNoPlayer && column)
        session.sort(*column, options.has(QLatin1String("--descending")));
    return status;
}
