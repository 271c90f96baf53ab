#pragma once

#include <optional>

// The volume bar runs from 1 (quietest) to 20 (loudest). Each position maps to
// a fixed player volume in hundredths of a decibel; the steps are uneven on
// purpose (finer near full volume). A value outside the bar's range has no
// entry, and the volume is then left as it is.
std::optional<int> volumeForBar(int barValue);
