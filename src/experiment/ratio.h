#pragma once

#include <cstdint>
#include <string>

namespace experiment {

// count / total as a single-precision quotient: the value the histories keep.
float ratioOf(std::int16_t count, std::int16_t total);

// The text a ratio label shows, "0.000": count / total in thousandths with
// halves rounded up (1/16 gives "0.063", 2/3 "0.667"). It is the classroom's
// rounding of the single-precision quotient cut to seven digits: for totals up
// to 3000 a ratio that is not a half lies further from one than that cut
// moves it, so whole numbers give the same text without a float.
std::u16string ratioText(std::int16_t count, std::int16_t total);

// An integer as decimal text: no leading blank or zeros, no thousands separator.
std::u16string decimal(int value);

}  // namespace experiment
