#pragma once

#include <QImage>
#include <QString>

namespace testing {

// Where two images first differ, for a failure message that points at the
// pixel; empty when they have the same size and the same opaque colours.
inline QString firstDifference(const QImage &actual, const QImage &expected) {
    if (actual.size() != expected.size()) {
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    }
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y) & RGB_MASK;
            const QRgb e = expected.pixel(x, y) & RGB_MASK;
            if (a != e) {
                return QStringLiteral("pixel (%1,%2) is #%3, expected #%4")
                    .arg(x)
                    .arg(y)
                    .arg(a, 6, 16, QLatin1Char('0'))
                    .arg(e, 6, 16, QLatin1Char('0'));
            }
        }
    }
    return {};
}

}  // namespace testing
