// libFuzzer entry: feeds arbitrary bytes to the track database reader, as a
// plain and as a compressed database. Memory faults are caught by the
// sanitizers; the checks below catch reads that keep part of a track, report a
// broken database as complete, or stop without saying why.

#include "core/device/iPod.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Small chunks, varied by the input's size, so records cross chunk edges.
    const qint64 chunk = 1 + static_cast<qint64>(size % 61);
    for (const iPod::DatabaseForm form : {iPod::DatabaseForm::Plain, iPod::DatabaseForm::Compressed}) {
        iPod pod;
        const iPod::ReadOutcome outcome =
            pod.readDatabase(QByteArrayView(data, static_cast<qsizetype>(size)), noProgress(), chunk, form);
        const SongList &list = pod.songList();
        if (list.trackCount() != pod.songsstored())
            std::abort();
        if (list.count() > 0 && list.trackStart(0) != 0)
            std::abort();
        const bool complete = outcome == iPod::ReadOutcome::Complete;
        if (complete != pod.dbloaded() || (complete && pod.songsstored() != pod.songtotal()))
            std::abort();
        if (complete == !pod.errorText().isEmpty())
            std::abort();
    }
    return 0;
}
