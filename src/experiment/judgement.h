#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace experiment {

// Hand codes: 1 rock ("guu"), 2 scissors ("pii"), 3 paper ("paa").
inline constexpr std::int16_t kGuu = 1;
inline constexpr std::int16_t kPii = 2;
inline constexpr std::int16_t kPaa = 3;

// The name text of a hand code; empty for anything else.
std::u16string_view handName(std::int16_t hand);

// The hand for a uniform draw r in [0, 1): floor(3r + 1), so 1, 2 or 3.
std::int16_t handFromUniform(float r);

enum class Verdict { Draw, Wins, Loses };

// The one counter a round increments.
enum class Tally { Aiko, A1Kati, B1Kati, C1Kati, A1Make, B1Make, C1Make };

struct JudgementRow {
    std::array<std::int16_t, 3> hands;  // A, B, C
    std::array<Verdict, 3> verdicts;    // hanntei1, hanntei2, hanntei3
    Tally tally;
};

// The first of the 27 rows (9 draws, 9 one-alone-wins, 9 one-alone-losses, in that order) whose
// three hand names equal the given ones, or nullptr when a name is not one of "guu", "pii",
// "paa".
const JudgementRow *judge(std::u16string_view a, std::u16string_view b, std::u16string_view c);

// "あいこ", "勝ち" or "負け".
std::u16string_view verdictCaption(Verdict verdict);

// Index into the classic 16-colour palette: 2 green, 9 light blue, 12 light red.
int verdictPaletteIndex(Verdict verdict);

}  // namespace experiment
