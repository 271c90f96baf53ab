#include "cli/CliPlayer.h"

#include "core/app/PlayerSession.h"
#include "core/device/PlayerDetection.h"
#include "core/device/SystemVolumeService.h"
#include "core/grid/Columns.h"

namespace {

iPod::PlayerLocator locator(const std::optional<QString> &playerDir)
{
    return [playerDir] { return locatePlayer(playerDir, SystemVolumeService()); };
}

CliStatus statusOf(const PlayerSession &session, const std::optional<QString> &playerDir)
{
    const QString problem =
        session.outcome() == PlayerSession::Outcome::NoPlayer ? playerNotFound(playerDir) : session.problem();
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
    return statusOf(session, playerDir);
}

CliStatus connectPlayer(const std::optional<QString> &playerDir, PlayerSession &session)
{
    session.connect(locator(playerDir));
    return statusOf(session, playerDir);
}

namespace {

const QCommandLineOption sortOption{
    QStringLiteral("sort"),
    QStringLiteral("Sort by COLUMN: title, length, artist, album, genre, filetype, tracknumber or filename."),
    QStringLiteral("COLUMN")};
const QCommandLineOption descendingOption{QStringLiteral("descending"),
                                          QStringLiteral("Sort from the highest value down.")};

}  // namespace

QList<QCommandLineOption> sortOptions()
{
    return {sortOption, descendingOption};
}

CliStatus openSortedGrid(const QCommandLineParser &options, PlayerSession &session)
{
    std::optional<int> column;
    if (options.isSet(sortOption)) {
        column = columnByName(options.value(sortOption));
        if (!column)
            return usageProblem(QStringLiteral("unknown sort column: ") + options.value(sortOption));
    } else if (options.isSet(descendingOption)) {
        return usageProblem(QStringLiteral("--descending needs --sort"));
    }
    const CliStatus status = connectPlayer(playerDir(options), session);
    if (status != CliNoPlayer && column)
        session.sort(*column, options.isSet(descendingOption));
    return status;
}
