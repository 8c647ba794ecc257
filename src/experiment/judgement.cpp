#include "experiment/judgement.h"

#include <cmath>

namespace experiment {

namespace {

constexpr auto D = Verdict::Draw;
constexpr auto W = Verdict::Wins;
constexpr auto L = Verdict::Loses;
constexpr std::int16_t g = kGuu;
constexpr std::int16_t s = kPii;
constexpr std::int16_t p = kPaa;

constexpr std::array<JudgementRow, 27> kTable{{
    {{g, g, g}, {D, D, D}, Tally::Aiko},   {{s, s, s}, {D, D, D}, Tally::Aiko},
    {{p, p, p}, {D, D, D}, Tally::Aiko},   {{g, s, p}, {D, D, D}, Tally::Aiko},
    {{g, p, s}, {D, D, D}, Tally::Aiko},   {{s, p, g}, {D, D, D}, Tally::Aiko},
    {{s, g, p}, {D, D, D}, Tally::Aiko},   {{p, g, s}, {D, D, D}, Tally::Aiko},
    {{p, s, g}, {D, D, D}, Tally::Aiko},   {{g, s, s}, {W, L, L}, Tally::A1Kati},
    {{s, p, p}, {W, L, L}, Tally::A1Kati}, {{p, g, g}, {W, L, L}, Tally::A1Kati},
    {{s, g, s}, {L, W, L}, Tally::B1Kati}, {{p, s, p}, {L, W, L}, Tally::B1Kati},
    {{g, p, g}, {L, W, L}, Tally::B1Kati}, {{s, s, g}, {L, L, W}, Tally::C1Kati},
    {{p, p, s}, {L, L, W}, Tally::C1Kati}, {{g, g, p}, {L, L, W}, Tally::C1Kati},
    {{g, p, p}, {L, W, W}, Tally::A1Make}, {{s, g, g}, {L, W, W}, Tally::A1Make},
    {{p, s, s}, {L, W, W}, Tally::A1Make}, {{p, g, p}, {W, L, W}, Tally::B1Make},
    {{g, s, g}, {W, L, W}, Tally::B1Make}, {{s, p, s}, {W, L, W}, Tally::B1Make},
    {{p, p, g}, {W, W, L}, Tally::C1Make}, {{g, g, s}, {W, W, L}, Tally::C1Make},
    {{s, s, p}, {W, W, L}, Tally::C1Make},
}};

}  // namespace

std::u16string_view handName(std::int16_t hand) {
    switch (hand) {
        case kGuu:
            return u"guu";
        case kPii:
            return u"pii";
        case kPaa:
            return u"paa";
        default:
            return {};
    }
}

std::int16_t handFromUniform(float r) {
    // Computed in double so that r just below 1 cannot round up to 4.
    return static_cast<std::int16_t>(std::floor(3.0 * static_cast<double>(r) + 1.0));
}

const JudgementRow *judge(std::u16string_view a, std::u16string_view b, std::u16string_view c) {
    // The table is matched on the name texts, row by row, first match wins.
    for (const JudgementRow &row : kTable) {
        if (a == handName(row.hands[0]) && b == handName(row.hands[1]) &&
            c == handName(row.hands[2])) {
            return &row;
        }
    }
    return nullptr;
}

std::u16string_view verdictCaption(Verdict verdict) {
    switch (verdict) {
        case Verdict::Draw:
            return u"あいこ";
        case Verdict::Wins:
            return u"勝ち";
        case Verdict::Loses:
            return u"負け";
    }
    return {};
}

int verdictPaletteIndex(Verdict verdict) {
    switch (verdict) {
        case Verdict::Draw:
            return 2;
        case Verdict::Wins:
            return 9;
        case Verdict::Loses:
            return 12;
    }
    return 0;
}

}  // namespace experiment
