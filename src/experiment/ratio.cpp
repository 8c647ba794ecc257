#include "experiment/ratio.h"

#include <cstdio>
#include <cstdlib>

namespace experiment {

float ratioOf(std::int16_t count, std::int16_t total) {
    return static_cast<float>(count) / static_cast<float>(total);
}

QString ratioText(float q) {
    // Stage 2: seven significant digits, as "d.dddddde±x". The rounding to
    // thousandths is then done on these decimal digits in integers, so that a
    // decimal half such as 0.0625 rounds up instead of being decided by the
    // binary value nearest to it.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6e", static_cast<double>(q));
    long long mantissa = buffer[0] - '0';
    for (int i = 2; i <= 7; ++i) {
        mantissa = mantissa * 10 + (buffer[i] - '0');
    }
    const int exponent = std::atoi(buffer + 9);

    // value = mantissa * 10^(exponent - 6); thousandths = value * 1000.
    int shift = exponent - 6 + 3;
    long long thousandths = mantissa;
    if (shift >= 0) {
        while (shift-- > 0) {
            thousandths *= 10;
        }
    } else if (shift >= -7) {
        long long divisor = 1;
        while (shift++ < 0) {
            divisor *= 10;
        }
        thousandths = (mantissa + divisor / 2) / divisor;  // halves away from zero
    } else {
        thousandths = 0;  // below 0.0005 by many decades
    }
    return QStringLiteral("%1.%2")
        .arg(thousandths / 1000)
        .arg(thousandths % 1000, 3, 10, QLatin1Char('0'));
}

QString ratioText(std::int16_t count, std::int16_t total) {
    return ratioText(ratioOf(count, total));
}

}  // namespace experiment
