// libFuzzer entry: feeds arbitrary bytes to the track database reader. Memory
// faults are caught by the sanitizers; the checks below catch reads that keep
// part of a track or report a broken database as complete.

#include "core/device/iPod.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    iPod pod;
    const iPod::ReadOutcome outcome = pod.readDatabase(QByteArrayView(data, static_cast<qsizetype>(size)));
    const SongList &list = pod.songList();
    if (list.trackCount() != pod.songsstored())
        std::abort();
    if (list.count() > 0 && list.trackStart(0) != 0)
        std::abort();
    const bool complete = outcome == iPod::ReadOutcome::Complete;
    if (complete != pod.dbloaded() || (complete && pod.songsstored() != pod.songtotal()))
        std::abort();
    return 0;
}
