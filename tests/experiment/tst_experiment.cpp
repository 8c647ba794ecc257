// The rules of the experiment where a table is the truth, the 27 hand
// combinations and the ratio text (the limit is the model's, in tst_model);
// and the draws, which must pass the statistics that broken generators fail.
#include "../mainwindow/model.h"
#include "experiment/judgement.h"
#include "experiment/random.h"
#include "experiment/ratio.h"

#include <QTest>

#include <bit>
#include <numeric>

using namespace experiment;

namespace {

// The program's generator, or one with a fault: 1 restarted by every
// seeding, 2 biased to rock, 3 B now and then copying A, 4 sticky hands.
struct Generator final : RandomSource {
    void randomize(float seed) override {
        fault == 1 ? void(inner = HandGenerator(std::bit_cast<std::uint32_t>(seed)))
                   : inner.randomize(seed);
    }
    float rnd() override {
        const float r = inner.rnd(), extra = inner.rnd();
        const bool faulty =
            extra < 0.02f && (fault == 2 || fault == 4 || (fault == 3 && ++draws % 3 == 2));
        return faulty ? (fault == 2 ? 0.1f : last) : (last = r);
    }
    int fault = 0;
    HandGenerator inner{12345};
    long draws = 0;
    float last = 0;
};

}  // namespace

class TestExperiment : public QObject {
    Q_OBJECT

private slots:
    // Hands A B C (g rock, s scissors, p paper), each one's verdict (Draw, Wins,
    // Loses), the counter that grows: 0 draws, 1-3 A, B, C alone wins, 4-6 loses.
    void everyCombinationIsJudged() {
        const QStringList rows =
            QStringLiteral(
                "gggDDD0 sssDDD0 pppDDD0 gspDDD0 gpsDDD0 spgDDD0 sgpDDD0 pgsDDD0 psgDDD0 gssWLL1 "
                "sppWLL1 pggWLL1 sgsLWL2 pspLWL2 gpgLWL2 ssgLLW3 ppsLLW3 ggpLLW3 gppLWW4 sggLWW4 "
                "pssLWW4 pgpWLW5 gsgWLW5 spsWLW5 ppgWWL6 ggsWWL6 sspWWL6")
                .split(u' ');
        QCOMPARE(rows.size(), 27);
        for (const QString &row : rows) {
            const auto name = [&row](int i) {
                return handName(std::int16_t(QStringLiteral("gsp").indexOf(row[i]) + 1));
            };
            const JudgementRow *judged = judge(name(0), name(1), name(2));
            QVERIFY2(judged, qPrintable(row));
            QString verdicts;
            for (Verdict v : judged->verdicts) {
                const auto i =
                    QStringLiteral(u"あいこ 勝ち 負け").split(u' ').indexOf(verdictCaption(v));
                verdicts += QStringLiteral("DWL").at(i);
                QCOMPARE(verdictPaletteIndex(v), QList<int>({2, 9, 12}).at(i));
            }
            QCOMPARE(verdicts + QString::number(int(judged->tally)), row.mid(3));
        }
        QCOMPARE(judge(u"guu", u"pii", u"choki"), nullptr);
    }

    void ratiosShowAsInTheClassroom() {
        for (const QString row :
             {"1/16=0.063", "1/3=0.333", "2/3=0.667", "999/1000=0.999", "0/7=0.000", "1/1=1.000",
              "1/2000=0.001", "1/2001=0.000", "999/2997=0.333", "5/8=0.625", "1000/1001=0.999"}) {
            const auto count = std::int16_t(row.section(u'/', 0, 0).toInt()),
                       total = std::int16_t(row.section(u'/', 1).section(u'=', 0, 0).toInt());
            QCOMPARE(ratioText(count, total), row.section(u'=', 1));
            QCOMPARE(ratioOf(count, total), float(count) / float(total));
        }
        // Every ratio a closed experiment can reach, against exact rounding.
        for (int total = 1; total <= 3000; ++total) {
            for (int count = 0; count <= total; ++count) {
                const QString shown = ratioText(std::int16_t(count), std::int16_t(total));
                if (shown != model::ratioText(count, total)) {
                    QFAIL(qPrintable(
                        QStringLiteral("%1/%2 shows %3").arg(count).arg(total).arg(shown)));
                }
            }
        }
    }

    // A million rounds drawn as the window draws them, reseeded by a clock that
    // stands still: combinations, outcomes and pairs of rounds are uniform
    // (chi-square below its 10^-4 point); a generator with any fault fails.
    void drawsAreUniformAndIndependent() {
        for (int fault = 0; fault <= 4; ++fault) {
            Generator generator;
            generator.fault = fault;
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
                return std::accumulate(
                    observed.begin(), observed.end(), 0.0, [=](double chi, long n) {
                        return chi + (double(n) - expected) * (double(n) - expected) / expected;
                    });
            };
            const double c = chiSquare(combinations), o = chiSquare(outcomes), p = chiSquare(pairs);
            QVERIFY2((c < 61.9 && o < 18.4 && p < 878.6) == (fault == 0),
                     qPrintable(QStringLiteral("fault %1: chi-square %2, %3, %4")
                                    .arg(fault)
                                    .arg(c)
                                    .arg(o)
                                    .arg(p)));
        }
    }
};

QTEST_APPLESS_MAIN(TestExperiment)
#include "tst_experiment.moc"
