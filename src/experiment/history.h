#pragma once

#include "experiment/module1.h"

#include <cstdint>
#include <string>
#include <vector>

namespace experiment {

// The counter value at which an outcome closes the experiment.
inline constexpr std::int16_t kLimit = 999;

// Writes count / total at index count: each history is indexed by its own
// outcome's counter, so entry k ends up holding the ratio of the last round at
// which that counter stood at k. The limit keeps count within 0..1000.
void recordRatio(Module1::RatioHistory &history, std::int16_t count, std::int16_t total);

// True once any outcome has reached the limit.
bool limitReached(std::int16_t aiko, std::int16_t kati, std::int16_t make);

// 16-bit counter arithmetic. The limit keeps every counter at or below 1000,
// so these never leave the range; the checks guard that invariant.
std::int16_t add16(std::int16_t a, std::int16_t b);

// The three histories as a table for a spreadsheet: a heading row, then one
// row per index from 1 to the largest counter, with each ratio as its label
// shows it; past its own counter a history's cell is empty, as what lies
// there is from an earlier experiment.
std::vector<std::vector<std::u16string>> historyTable();

// The rounds counted and the three outcomes' ratios as the table shows them,
// to be read out: "30 回。あいこ 0.333、一人勝ち 0.367、一人負け 0.300".
std::u16string ratiosSpoken();

}  // namespace experiment
