#pragma once

#include <array>
#include <cstdint>

// The experiment state that the graph window reads as well as the main
// window. Plain variables, written only by the main window's handlers on the
// user-interface thread.
namespace Module1 {

// Ratio history of one outcome, indexed by that outcome's own counter (0..1000).
using RatioHistory = std::array<float, 1001>;

extern RatioHistory aikorecord;      // draws (green)
extern RatioHistory abc1katirecord;  // one player alone wins (blue)
extern RatioHistory abc1makerecord;  // one player alone loses (red)

extern std::int16_t aikocount;
extern std::int16_t abc1katicount;
extern std::int16_t abc1makecount;

// 1 once an outcome has reached 999: the experiment is closed, the histories frozen.
extern std::int16_t recordfull;

}  // namespace Module1
