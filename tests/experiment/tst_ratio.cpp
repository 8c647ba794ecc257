// The ratio labels' text: a single-precision quotient, cut to 7 significant
// digits, then rounded to thousandths with halves away from zero.
#include "experiment/ratio.h"

#include <QTest>

#include <cmath>
#include <cstdint>

namespace {

// Independent reference in exact integer arithmetic. q = m * 2^e exactly;
// round |q| to 7 significant digits (halves away), then that decimal to
// thousandths (halves away).
QString reference(float q) {
    if (q == 0.0f) {
        return QStringLiteral("0.000");
    }
    int e2 = 0;
    const float frac = std::frexp(q, &e2);                        // q = frac * 2^e2
    const auto m = static_cast<long long>(std::ldexp(frac, 24));  // 24-bit integer
    const int shift = 24 - e2;                                    // q = m / 2^shift
    // Decimal exponent d with 10^d <= q < 10^(d+1).
    int d = static_cast<int>(std::floor(std::log10(static_cast<double>(q))));
    auto digitsAt = [&](int dd) {
        // round(q * 10^(6 - dd)) with halves away from zero
        long long num = m;
        long long den = 1LL << shift;
        for (int i = 0; i < 6 - dd; ++i)
            num *= 10;
        for (int i = 0; i > 6 - dd; --i)
            den *= 10;
        return (2 * num + den) / (2 * den);
    };
    long long digits = digitsAt(d);
    if (digits < 1000000) {  // log10 overshot
        d -= 1;
        digits = digitsAt(d);
    } else if (digits >= 10000000) {
        d += 1;
        digits = digitsAt(d);
    }
    // value = digits * 10^(d - 6); thousandths = value * 1000.
    const int p = d - 6 + 3;
    long long th = digits;
    if (p >= 0) {
        for (int i = 0; i < p; ++i)
            th *= 10;
    } else {
        long long den = 1;
        for (int i = 0; i < -p; ++i)
            den *= 10;
        th = (2 * th + den) / (2 * den);
    }
    const auto t = static_cast<long long>(th);
    return QStringLiteral("%1.%2").arg(t / 1000).arg(t % 1000, 3, 10, QLatin1Char('0'));
}

}  // namespace

class TestRatio : public QObject {
    Q_OBJECT

private slots:
    void knownRatiosShowAsInTheClassroom_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("text");
        QTest::newRow("one in three") << 1 << 3 << "0.333";
        QTest::newRow("two in three") << 2 << 3 << "0.667";
        QTest::newRow("one in sixteen rounds half up") << 1 << 16 << "0.063";
        QTest::newRow("three in sixteen") << 3 << 16 << "0.188";
        QTest::newRow("five in sixteen") << 5 << 16 << "0.313";
        QTest::newRow("one in thirty-two") << 1 << 32 << "0.031";
        QTest::newRow("all") << 1 << 1 << "1.000";
        QTest::newRow("none") << 0 << 7 << "0.000";
        QTest::newRow("half") << 1 << 2 << "0.500";
        QTest::newRow("one in two thousand") << 1 << 2000 << "0.001";
        QTest::newRow("one in three thousand") << 1 << 3000 << "0.000";
        QTest::newRow("a full experiment") << 999 << 2997 << "0.333";
        QTest::newRow("after the extra round") << 1000 << 2998 << "0.334";
    }
    void knownRatiosShowAsInTheClassroom() {
        QFETCH(int, count);
        QFETCH(int, total);
        QFETCH(QString, text);
        QCOMPARE(experiment::ratioText(static_cast<std::int16_t>(count),
                                       static_cast<std::int16_t>(total)),
                 text);
    }

    void quotientIsSinglePrecision() {
        QCOMPARE(experiment::ratioOf(1, 3), 1.0f / 3.0f);
        QCOMPARE(experiment::ratioOf(2, 3), 2.0f / 3.0f);
        QCOMPARE(experiment::ratioOf(0, 5), 0.0f);
    }

    // Every pair the experiment can reach: no count above 1000, no more than
    // 3000 rounds.
    void everyReachablePairMatchesExactDecimalRounding() {
        int checked = 0;
        for (int total = 1; total <= 3000; ++total) {
            for (int count = 0; count <= std::min(total, 1000); ++count) {
                const float q = static_cast<float>(count) / static_cast<float>(total);
                const QString got = experiment::ratioText(static_cast<std::int16_t>(count),
                                                          static_cast<std::int16_t>(total));
                if (got != reference(q)) {
                    QFAIL(qPrintable(QStringLiteral("%1/%2: got %3, want %4")
                                         .arg(count)
                                         .arg(total)
                                         .arg(got, reference(q))));
                }
                ++checked;
            }
        }
        QCOMPARE(checked, 2'503'500);
    }
};

QTEST_MAIN(TestRatio)
#include "tst_ratio.moc"
