// What the model run (tst_model) cannot reach: every ratio text a closed
// experiment can show, a name that is no hand, and the draws' statistics.
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
    // The model run judges every combination; a name that is no hand, none.
    void anUnknownHandIsNotJudged() { QCOMPARE(judge(u"guu", u"pii", u"choki"), nullptr); }

    // Every ratio a closed experiment reaches, against the classroom's rounding;
    // and the total that the graph's copy finds again from a history's quotient.
    void ratiosShowAsInTheClassroom() {
        for (int total = 1; total <= 3000; ++total) {
            for (int count = 0; count <= total; ++count) {
                const QString shown = ratioText(std::int16_t(count), std::int16_t(total));
                const float q = ratioOf(std::int16_t(count), std::int16_t(total));
                if (shown != model::ratioText(count, total) ||
                    (count > 0 && std::lround(float(count) / q) != total)) {
                    QFAIL(qPrintable(
                        QStringLiteral("%1/%2 shows %3").arg(count).arg(total).arg(shown)));
                }
            }
        }
    }

    // A million rounds drawn as the window draws them, reseeded by a clock that
    // stands still: combinations, outcomes and pairs of rounds are uniform
    // (chi-square below its 10^-4 point).
    void drawsAreUniformAndIndependent() {
        HandGenerator generator{12345};
        std::vector<long> combinations(27), outcomes(3), pairs(27 * 27);
        int previous = 0;
        for (int round = 0; round < 1'000'000; ++round) {
            QList<int> h{0, 0, 0};
            for (int &hand : h) {
                generator.randomize(43200.0f);
                hand = handFromUniform(generator.rnd());
            }
            const int cell = (h[0] - 1) * 9 + (h[1] - 1) * 3 + h[2] - 1;
            ++combinations[std::size_t(cell)];
            ++outcomes[std::size_t(model::judge(h).outcome())];
            ++pairs[std::size_t(std::exchange(previous, cell) * 27 + cell)];
        }
        const auto chiSquare = [](const std::vector<long> &observed) {
            const double expected = 1e6 / double(observed.size());
            return std::accumulate(observed.begin(), observed.end(), 0.0, [=](double chi, long n) {
                return chi + (double(n) - expected) * (double(n) - expected) / expected;
            });
        };
        const double c = chiSquare(combinations), o = chiSquare(outcomes), p = chiSquare(pairs);
        QVERIFY2(c < 61.9 && o < 18.4 && p < 878.6,
                 qPrintable(QStringLiteral("chi-square %1, %2, %3").arg(c).arg(o).arg(p)));
    }
};

QTEST_APPLESS_MAIN(TestExperiment)
#include "tst_experiment.moc"
