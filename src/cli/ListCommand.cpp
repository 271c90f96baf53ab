#include "cli/ListCommand.h"

#include "common/PlayerPath.h"
#include "device/PlayerDetection.h"
#include "device/SystemVolumeService.h"
#include "device/iPod.h"

#include <cstdio>
#include <optional>

namespace {

void writeSongList(const SongList &list)
{
    constexpr qsizetype chunk = 1 << 16;
    QByteArray out;
    out.reserve(chunk + 1024);
    for (qsizetype i = 0; i < list.count(); ++i) {
        out += list.line(i).toUtf8();
        out += '\n';
        if (out.size() >= chunk || i + 1 == list.count()) {
            std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), stdout);
            out.clear();
        }
    }
    std::fflush(stdout);
}

}  // namespace

CliStatus runList(const QStringList &args)
{
    std::optional<QString> playerDir;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--player") && i + 1 < args.size() && !playerDir)
            playerDir = args[++i];
        else
            return CliUsageError;
    }

    const auto locate = [&]() -> std::optional<QString> {
        if (!playerDir)
            return findpod(SystemVolumeService());
        if (fileexists(itunesDbPath(*playerDir)))
            return playerDir;
        return std::nullopt;
    };
    iPod pod;
    const iPod::ReadOutcome outcome = pod.readitunesdb(locate);
    if (outcome == iPod::ReadOutcome::NoPlayer) {
        printError(QStringLiteral("iPod not detected"));
        return CliNoPlayer;
    }
    writeSongList(pod.songList());
    if (outcome != iPod::ReadOutcome::Complete) {
        printError(QStringLiteral("The track database could not be read completely; only %1 of %2 songs are listed.")
                       .arg(pod.songsstored())
                       .arg(pod.songtotal()));
        return CliReadFailed;
    }
    return CliOk;
}
