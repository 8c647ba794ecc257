#pragma once

#include <QString>

#include <cstdint>

namespace experiment {

// count / total as a single-precision quotient: the value the histories keep.
float ratioOf(std::int16_t count, std::int16_t total);

// The text a ratio label shows: the single-precision quotient, cut to 7
// significant digits, then written as "0.000" with halves rounded away from
// zero on that 7-digit decimal (1/16 gives "0.063", 2/3 "0.667").
QString ratioText(std::int16_t count, std::int16_t total);

// The same for a quotient already computed; q must lie in [0, 1000).
QString ratioText(float q);

}  // namespace experiment
