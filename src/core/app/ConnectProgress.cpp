#include "core/app/ConnectProgress.h"

#include "core/device/iPod.h"

namespace {

// index / total * 100 rounded to a whole number, halves to the even one.
// Integer arithmetic keeps exact halves exact.
long long percentHalfEven(long long index, long long total)
{
    const long long scaled = index * 100;
    long long quotient = scaled / total;
    const long long twiceRemainder = 2 * (scaled % total);
    if (twiceRemainder > total || (twiceRemainder == total && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

}  // namespace

QString progresstext(qint64 songindex, qint64 songtotal, bool dbloaded)
{
    if (songindex == 0)
        return QStringLiteral("Starting");
    if (songindex < songtotal)
        return QString::number(percentHalfEven(songindex, songtotal)) + QLatin1Char('%');
    if (dbloaded)
        return QStringLiteral("Parsing ") + QString::number(songtotal) + QStringLiteral(" songs...");
    return QStringLiteral("Sorting");
}

QString progresstext(const iPod &pod)
{
    return progresstext(pod.songindex(), pod.songtotal(), pod.dbloaded());
}
