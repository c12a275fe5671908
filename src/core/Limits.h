#pragma once

// The largest values the program accepts for counts that size its work. Documents, the clipboard,
// the command line and the dialogs clamp to them, so a hostile or mistyped number cannot make a
// command allocate without end or overflow a count.

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace tervane {

/// Animation steps after the first: an animated scene compiles this many + 1 pictures.
inline constexpr std::int32_t kMaxAnimationFrames = 1000;
/// Animation speed in frames per second (the timer fires every 1000 / speed ms).
inline constexpr std::int32_t kMaxAnimationSpeed = 1000;
/// Intervals along one side of a graph's grid (a 10001 x 10001 grid takes 2 GB).
inline constexpr std::int32_t kMaxSteps = 10000;
/// Graphs in one document.
inline constexpr std::size_t kMaxGraphs = 1000;

/// A count clamped to 1..most.
[[nodiscard]] constexpr std::int32_t ClampCount(std::int32_t value, std::int32_t most) {
    return std::clamp<std::int32_t>(value, 1, most);
}

} // namespace tervane
