#include "experiment/history.h"

#include "experiment/ratio.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <limits>

namespace experiment {

void recordRatio(Module1::RatioHistory &history, std::int16_t count, std::int16_t total) {
    history.at(static_cast<std::size_t>(count)) = ratioOf(count, total);
}

bool limitReached(std::int16_t aiko, std::int16_t kati, std::int16_t make) {
    return aiko > kLimit - 1 || kati > kLimit - 1 || make > kLimit - 1;
}

std::int16_t add16(std::int16_t a, std::int16_t b) {
    const int sum = int{a} + int{b};
    assert(sum >= std::numeric_limits<std::int16_t>::min() &&
           sum <= std::numeric_limits<std::int16_t>::max());
    return static_cast<std::int16_t>(sum);
}

std::vector<std::vector<std::u16string>> historyTable() {
    using namespace Module1;
    const std::array<std::pair<const RatioHistory *, int>, 3> curves{
        {{&aikorecord, aikocount},
         {&abc1katirecord, abc1katicount},
         {&abc1makerecord, abc1makecount}}};
    const int rows = std::min<int>(std::max({aikocount, abc1katicount, abc1makecount}), 1000);
    std::vector<std::vector<std::u16string>> table{{u"回数", u"あいこ", u"一人勝ち", u"一人負け"}};
    for (int k = 1; k <= rows; ++k) {
        std::vector<std::u16string> &row = table.emplace_back(1, decimal(k));
        for (const auto &[history, count] : curves) {
            std::u16string &cell = row.emplace_back();
            // An entry keeps only the quotient k / total. Its total is the whole
            // number nearest k / q: totals up to 3000 lie much further apart
            // than a float's error.
            const float q = (*history)[static_cast<std::size_t>(k)];
            const long total = q > 0 ? std::lround(float(k) / q) : 0;
            if (k <= count && total >= k && total <= 30000) {
                cell = ratioText(std::int16_t(k), std::int16_t(total));
            }
        }
    }
    return table;
}

std::u16string ratiosSpoken() {
    using namespace Module1;
    const std::int16_t total = add16(add16(aikocount, abc1katicount), abc1makecount);
    std::u16string text = decimal(total) + u" 回";
    if (total == 0) {
        return text;  // no ratio yet
    }
    const std::array<std::pair<const char16_t *, std::int16_t>, 3> outcomes{
        {{u"。あいこ ", aikocount},
         {u"、一人勝ち ", abc1katicount},
         {u"、一人負け ", abc1makecount}}};
    for (const auto &[name, count] : outcomes) {
        text += name + ratioText(count, total);
    }
    return text;
}

}  // namespace experiment
