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

CliStatus openSortedGrid(const QStringList &args, PlayerSession &session, CliOptions &options,
                         std::optional<QLatin1String> ownOption)
{
    const QLatin1String player("--player"), sort("--sort"), descending("--descending");
    const auto parsed = ownOption ? CliOptions::parse(args, {player, sort, *ownOption}, {descending})
                                  : CliOptions::parse(args, {player, sort}, {descending});
    if (!parsed)
        return CliUsageError;
    options = *parsed;
    std::optional<int> column;
    if (const auto name = options.value(sort)) {
        column = columnByName(*name);
        if (!column || columnInfo(*column).sort == SortKind::None) {
            printError(QStringLiteral("unknown sort column: ") + *name);
            return CliUsageError;
        }
    } else if (options.has(descending)) {
        printError(QStringLiteral("--descending needs --sort"));
        return CliUsageError;
    }
    const CliStatus status = connectPlayer(options.value(player), session);
    if (status != CliNoPlayer && column)
        session.sort(*column, options.has(descending));
    return status;
}
