#include "experiment/ratio.h"

namespace experiment {

float ratioOf(std::int16_t count, std::int16_t total) {
    return static_cast<float>(count) / static_cast<float>(total);
}

QString ratioText(std::int16_t count, std::int16_t total) {
    const int th = (2000 * count + total) / (2 * total);  // at most 1000: count <= total
    const char text[] = {char('0' + th / 1000), '.', char('0' + th / 100 % 10),
                         char('0' + th / 10 % 10), char('0' + th % 10)};
    return QString::fromLatin1(text, sizeof text);
}

}  // namespace experiment
