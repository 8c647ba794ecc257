// The draws: uniform and independent over the 27 combinations even though the
// generator is reseeded with the same time of day before each of them.
#include "experiment/judgement.h"
#include "experiment/random.h"
#include "support/fakes.h"

#include <QTest>

#include <array>
#include <cmath>

namespace {

constexpr int kRounds = 27'000;
// Chi-square with 26 degrees of freedom: P(X > 54.05) = 0.001.
constexpr double kCritical = 54.05;

// Counts the 27 combinations over kRounds rounds, seeding with an unchanged
// value before every draw as the round judgement does, and returns the
// chi-square statistic against the uniform distribution.
double chiSquare(experiment::RandomSource &source) {
    std::array<int, 27> counts{};
    for (int round = 0; round < kRounds; ++round) {
        int index = 0;
        for (int player = 0; player < 3; ++player) {
            source.randomize(43200.0f);
            index = index * 3 + (experiment::handFromUniform(source.rnd()) - 1);
        }
        ++counts[static_cast<std::size_t>(index)];
    }
    const double expected = kRounds / 27.0;
    double chi = 0;
    for (int n : counts) {
        chi += (n - expected) * (n - expected) / expected;
    }
    return chi;
}

// Broken generators the statistic must reject.
class Restarting final : public experiment::RandomSource {
public:
    void randomize(float seed) override {
        m_inner = experiment::HandGenerator(static_cast<std::uint64_t>(seed));
    }
    float rnd() override { return m_inner.rnd(); }

private:
    experiment::HandGenerator m_inner{1};
};

class Tied final : public experiment::RandomSource {
public:
    void randomize(float) override {}
    float rnd() override {
        // B and C follow A: one hand later each.
        if (m_step++ % 3 == 0) {
            m_first = m_inner.rnd();
            return m_first;
        }
        return std::fmod(m_first + static_cast<float>(m_step % 3 == 2 ? 1 : 2) / 3.0f, 1.0f);
    }

private:
    experiment::HandGenerator m_inner{2};
    float m_first = 0;
    int m_step = 0;
};

}  // namespace

class TestGenerator : public QObject {
    Q_OBJECT

private slots:
    void valuesLieInTheUnitIntervalOnTheSinglePrecisionGrid() {
        experiment::HandGenerator generator(7);
        float lowest = 1, highest = 0;
        for (int i = 0; i < 1'000'000; ++i) {
            const float r = generator.rnd();
            QVERIFY(r >= 0.0f && r < 1.0f);
            QCOMPARE(std::ldexp(r, 24), std::floor(std::ldexp(r, 24)));
            lowest = std::min(lowest, r);
            highest = std::max(highest, r);
        }
        QVERIFY(lowest < 1e-5f);
        QVERIFY(highest > 1.0f - 1e-5f);
    }

    void reseedingWithTheSameTimeDoesNotRepeatTheDraw() {
        experiment::HandGenerator generator(11);
        int repeats = 0;
        float previous = -1;
        for (int i = 0; i < 10'000; ++i) {
            generator.randomize(1234.5f);
            const float r = generator.rnd();
            repeats += (r == previous);
            previous = r;
        }
        QCOMPARE(repeats, 0);
    }

    void theSeedChangesTheSequence() {
        experiment::HandGenerator a(5), b(5);
        a.randomize(1.0f);
        b.randomize(2.0f);
        QVERIFY(a.rnd() != b.rnd());
    }

    void combinationsAreUniformUnderAnUnchangedSeed_data() {
        QTest::addColumn<quint64>("state");
        for (quint64 s : {1ULL, 20261206ULL, 0xDEADBEEFULL}) {
            QTest::addRow("state %llu", s) << s;
        }
    }
    void combinationsAreUniformUnderAnUnchangedSeed() {
        QFETCH(quint64, state);
        experiment::HandGenerator generator(state);
        const double chi = chiSquare(generator);
        QVERIFY2(chi < kCritical, qPrintable(QString::number(chi)));
    }

    void theTestRejectsBrokenGenerators() {
        Restarting restarting;
        Tied tied;
        QVERIFY(chiSquare(restarting) > 100 * kCritical);
        QVERIFY(chiSquare(tied) > 100 * kCritical);
    }

    // Through the window: many judged rounds at a frozen clock still give
    // every combination about equally often.
    void roundsAtAFrozenClockCoverEveryCombination() {
        testing::ScriptedForm t;
        t.form->setRandomSource(std::make_unique<experiment::HandGenerator>(99));
        std::array<int, 27> counts{};
        constexpr int kPlayed = 2700;
        for (int round = 0; round < kPlayed; ++round) {
            if (round % 900 == 0) {
                t.form->Form_Load();  // stay well below the limit
            }
            t.form->Command2_Click();
            ++counts[static_cast<std::size_t>((t.form->ahand - 1) * 9 + (t.form->bhand - 1) * 3 +
                                              (t.form->chand - 1))];
        }
        double chi = 0;
        for (int n : counts) {
            chi += (n - 100.0) * (n - 100.0) / 100.0;
        }
        QVERIFY2(chi < kCritical, qPrintable(QString::number(chi)));
    }
};

QTEST_MAIN(TestGenerator)
#include "tst_generator.moc"
