#include "experiment/history.h"

#include "experiment/ratio.h"

#include <algorithm>
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

std::u16string historyTable() {
    using namespace Module1;
    const std::array<std::pair<const RatioHistory *, int>, 3> curves{
        {{&aikorecord, aikocount},
         {&abc1katirecord, abc1katicount},
         {&abc1makerecord, abc1makecount}}};
    const int rows = std::min<int>(std::max({aikocount, abc1katicount, abc1makecount}), 1000);
    std::u16string table = u"回数\tあいこ\t一人勝ち\t一人負け\n";
    for (int k = 1; k <= rows; ++k) {
        table += decimal(k);
        for (const auto &[history, count] : curves) {
            table += u'\t';
            // An entry keeps only the quotient k / total. Its total is the whole
            // number nearest k / q: totals up to 3000 lie much further apart
            // than a float's error.
            const float q = (*history)[static_cast<std::size_t>(k)];
            const long total = q > 0 ? std::lround(float(k) / q) : 0;
            if (k <= count && total >= k && total <= 30000) {
                table += ratioText(std::int16_t(k), std::int16_t(total));
            }
        }
        table += u'\n';
    }
    return table;
}

}  // namespace experiment
