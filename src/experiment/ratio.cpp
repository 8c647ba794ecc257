#include "experiment/ratio.h"

#include <charconv>
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
    // std::to_chars rounds correctly, like printf's "%.6e", at a fraction of
    // its cost: the nine ratio cells are rewritten every round.
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer - 1, static_cast<double>(q),
                                       std::chars_format::scientific, 6);
    *written.ptr = '\0';
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
    char text[32];
    char *end = std::to_chars(text, text + 24, thousandths / 1000).ptr;
    const long long fraction = thousandths % 1000;
    *end++ = '.';
    *end++ = static_cast<char>('0' + fraction / 100);
    *end++ = static_cast<char>('0' + fraction / 10 % 10);
    *end++ = static_cast<char>('0' + fraction % 10);
    return QString::fromLatin1(text, end - text);
}

QString ratioText(std::int16_t count, std::int16_t total) {
    return ratioText(ratioOf(count, total));
}

}  // namespace experiment
