// What the model run cannot reach: every ratio text, and the draws' statistics.
#include "../mainwindow/model.h"
#include "experiment/judgement.h"
#include "experiment/random.h"
#include "experiment/ratio.h"

#include <QTest>

#include <numeric>

using namespace experiment;

class TestExperiment : public QObject {
    Q_OBJECT

private slots:
    // Every ratio to the limit, in the classroom's rounding; the total found again from a quotient.
    void ratiosShowAsInTheClassroom() {
        for (int total = 1; total <= 3000; ++total) {
            for (int count = 0; count <= total; ++count) {
                const QString shown =
                    QString::fromStdU16String(ratioText(std::int16_t(count), std::int16_t(total)));
                const float q = ratioOf(std::int16_t(count), std::int16_t(total));
                if (shown != model::ratioText(count, total) ||
                    (count > 0 && std::lround(float(count) / q) != total)) {
                    QFAIL(qPrintable(
                        QStringLiteral("%1/%2 shows %3").arg(count).arg(total).arg(shown)));
                }
            }
        }
    }

    // After the generator's known start, a million rounds drawn as the window draws them, reseeded
    // by a clock standing still: pairs of successive combinations uniform (chi-square, p 10^-4).
    void drawsAreUniformAndIndependent() {
        HandGenerator generator{12345};  // xoshiro256**, seeded by splitmix64: its reference output
        const std::array<std::uint64_t, 4> first{generator.next64(), generator.next64(),
                                                 generator.next64(), generator.next64()};
        QCOMPARE(first[3], 0x0c60048c4e96e033ULL);
        std::vector<double> pairs(27 * 27);
        for (int round = 0, previous = 0; round < 1'000'000; ++round) {
            int cell = 0;
            for (int player = 0; player < 3; ++player) {
                generator.randomize(43200.0f);
                cell = cell * 3 + handFromUniform(generator.rnd()) - 1;
            }
            ++pairs[std::size_t(std::exchange(previous, cell) * 27 + cell)];
        }
        const double e = 1e6 / 729.0;
        const double chi = std::transform_reduce(pairs.begin(), pairs.end(), 0.0, std::plus<>(),
                                                 [e](double n) { return (n - e) * (n - e) / e; });
        QVERIFY2(chi < 878.6, qPrintable(QStringLiteral("chi-square %1").arg(chi)));
    }
};

QTEST_APPLESS_MAIN(TestExperiment)
#include "tst_experiment.moc"
