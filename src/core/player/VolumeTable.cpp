#include "core/player/VolumeTable.h"

#include <array>

namespace {
constexpr std::array<int, 20> volumeTable = {
    -3600, -3300, -3000, -2700, -2400, -2100, -1800, -1500, -1200, -1150,
    -1100, -1000, -900,  -800,  -600,  -400,  -200,  -100,  -50,   0,
};
}

std::optional<int> volumeForBar(int barValue)
{
    if (barValue < 1 || barValue > static_cast<int>(volumeTable.size()))
        return std::nullopt;
    return volumeTable[static_cast<std::size_t>(barValue - 1)];
}
