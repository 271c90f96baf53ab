#pragma once

#include <cstdint>

// The credits text scrolls up through its viewport. Positions are the text's
// top in twips relative to the viewport, held by a scroll bar whose range is
// minus the text's height up to the viewport's height (16-bit values).
namespace CreditsScroll {

inline constexpr std::int16_t ViewportHeight = 3015;  // twips
inline constexpr std::int16_t TextHeight = 6615;      // twips
inline constexpr std::int16_t Step = 12;              // twips a tick
inline constexpr std::int16_t WrapMargin = 20;        // twips of text kept below the viewport's top
inline constexpr int TickMs = 35;

inline constexpr std::int16_t Maximum = ViewportHeight;
inline constexpr std::int16_t Minimum = -TextHeight;

// The position after one tick: Step higher while the position is at least
// minimum + WrapMargin, otherwise back to the maximum (just below the
// viewport) to start the next pass.
int nextPosition(int position, int minimum = Minimum, int maximum = Maximum);

}  // namespace CreditsScroll
