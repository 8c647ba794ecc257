#include "experiment/ratio.h"

namespace experiment {

float ratioOf(std::int16_t count, std::int16_t total) {
    return static_cast<float>(count) / static_cast<float>(total);
}

std::u16string ratioText(std::int16_t count, std::int16_t total) {
    const int th = (2000 * count + total) / (2 * total);  // at most 1000: count <= total
    return {char16_t(u'0' + th / 1000), u'.', char16_t(u'0' + th / 100 % 10),
            char16_t(u'0' + th / 10 % 10), char16_t(u'0' + th % 10)};
}

std::u16string decimal(int value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

}  // namespace experiment
