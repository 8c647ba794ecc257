// The draws: uniform and independent, within a round and between rounds,
// although the generator is reseeded with the same time of day before every
// draw. Each statistic is taken over a fixed sample of a million rounds, with
// a threshold that a sound generator exceeds less than once in 10^4 runs.
#include "experiment/judgement.h"
#include "experiment/random.h"
#include "support/fakes.h"

#include <QTest>

#include <array>
#include <cmath>
#include <map>
#include <vector>

namespace {

constexpr int kRounds = 1'000'000;

// The upper 10^-4 point of chi-square with df degrees of freedom, by
// Wilson-Hilferty: within 0.1% for df 26 and 728; at df 2 it gives 19.3
// against the exact 18.4, so a sound generator fails even more rarely.
double critical(int df) {
    constexpr double z = 3.7190;  // standard normal, upper 10^-4
    const double a = 2.0 / (9.0 * df);
    return df * std::pow(1.0 - a + z * std::sqrt(a), 3.0);
}

template <std::size_t N>
double chiSquare(const std::array<long, N> &observed, long total) {
    const double expected = static_cast<double>(total) / N;
    double chi = 0;
    for (long n : observed) {
        chi += (static_cast<double>(n) - expected) * (static_cast<double>(n) - expected) / expected;
    }
    return chi;
}

struct Statistics {
    double combinations;  // 27 cells, df 26
    double outcomes;      // draw / one alone wins / one alone loses, df 2
    double pairs;         // consecutive rounds, 27 x 27 cells, df 728
};

// Rounds drawn as the judgement draws them: before each of the three draws
// the generator is seeded with a clock that has not moved.
Statistics measure(experiment::RandomSource &source) {
    std::array<long, 27> combinations{};
    std::array<long, 3> outcomes{};
    std::vector<long> pairCells(27 * 27);
    int previous = -1;
    for (int round = 0; round < kRounds; ++round) {
        std::array<std::int16_t, 3> hands{};
        for (auto &hand : hands) {
            source.randomize(43200.0f);
            hand = experiment::handFromUniform(source.rnd());
        }
        const int cell = (hands[0] - 1) * 9 + (hands[1] - 1) * 3 + (hands[2] - 1);
        ++combinations[static_cast<std::size_t>(cell)];
        const auto *row =
            experiment::judge(experiment::handName(hands[0]), experiment::handName(hands[1]),
                              experiment::handName(hands[2]));
        const int outcome =
            row->tally == experiment::Tally::Aiko ? 0
            : (row->tally == experiment::Tally::A1Kati || row->tally == experiment::Tally::B1Kati ||
               row->tally == experiment::Tally::C1Kati)
                ? 1
                : 2;
        ++outcomes[static_cast<std::size_t>(outcome)];
        // Non-overlapping pairs keep the cells independent.
        if (round % 2 == 1) {
            ++pairCells[static_cast<std::size_t>(previous * 27 + cell)];
        }
        previous = cell;
    }
    std::array<long, 27 * 27> pairs{};
    std::copy(pairCells.begin(), pairCells.end(), pairs.begin());
    return {chiSquare(combinations, kRounds), chiSquare(outcomes, kRounds),
            chiSquare(pairs, kRounds / 2)};
}

// Broken generators the statistics must reject.
class Restarting final : public experiment::RandomSource {  // reseeding restarts it
public:
    void randomize(float seed) override {
        m_inner = experiment::HandGenerator(static_cast<std::uint64_t>(seed));
    }
    float rnd() override { return m_inner.rnd(); }

private:
    experiment::HandGenerator m_inner{1};
};

class Tied final : public experiment::RandomSource {  // B and C follow A
public:
    void randomize(float) override {}
    float rnd() override {
        const int step = m_step++ % 3;
        if (step == 0) {
            m_first = m_inner.rnd();
        }
        return std::fmod(m_first + static_cast<float>(step) / 3.0f, 1.0f);
    }

private:
    experiment::HandGenerator m_inner{2};
    float m_first = 0;
    int m_step = 0;
};

class Biased final : public experiment::RandomSource {  // rock a little too often
public:
    void randomize(float seed) override { m_inner.randomize(seed); }
    float rnd() override {
        const float r = m_inner.rnd();
        return r >= 2.0f / 3.0f && m_inner.rnd() < 0.1f ? r - 2.0f / 3.0f : r;
    }

private:
    experiment::HandGenerator m_inner{3};
};

class Sticky final : public experiment::RandomSource {  // 5% of rounds repeat the last
public:
    void randomize(float seed) override { m_inner.randomize(seed); }
    float rnd() override {
        const std::size_t step = m_step++ % 3;
        if (step == 0) {
            m_repeat = m_inner.rnd() < 0.05f;
        }
        if (!m_repeat) {
            m_last[step] = m_inner.rnd();
        }
        return m_last[step];
    }

private:
    experiment::HandGenerator m_inner{4};
    std::array<float, 3> m_last{};
    bool m_repeat = false;
    std::size_t m_step = 0;
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

    void soundDrawsPassEveryStatistic() {
        experiment::HandGenerator generator(20261206);
        const Statistics s = measure(generator);
        qInfo(
            "chi-square: combinations %.1f (limit %.1f), outcomes %.2f (limit %.1f), "
            "pairs %.1f (limit %.1f)",
            s.combinations, critical(26), s.outcomes, critical(2), s.pairs, critical(728));
        QVERIFY(s.combinations < critical(26));
        QVERIFY(s.outcomes < critical(2));
        QVERIFY(s.pairs < critical(728));
    }

    // Each broken generator fails at least one statistic, by a wide margin.
    void brokenGeneratorsAreCaught_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("repeating draws") << "restarting";
        QTest::newRow("draws tied together") << "tied";
        QTest::newRow("a biased third of the range") << "biased";
        QTest::newRow("rounds that repeat") << "sticky";
    }
    void brokenGeneratorsAreCaught() {
        QFETCH(QString, kind);
        Restarting restarting;
        Tied tied;
        Biased biased;
        Sticky sticky;
        const std::map<QString, experiment::RandomSource *> sources{
            {"restarting", &restarting}, {"tied", &tied}, {"biased", &biased}, {"sticky", &sticky}};
        experiment::RandomSource &source = *sources.at(kind);
        const Statistics s = measure(source);
        const double worst = std::max(
            {s.combinations / critical(26), s.outcomes / critical(2), s.pairs / critical(728)});
        QVERIFY2(worst > 2.0, qPrintable(QString::number(worst)));
    }

    // Through the window: rounds at a frozen clock still cover every
    // combination about equally often.
    void roundsAtAFrozenClockCoverEveryCombination() {
        testing::ScriptedForm t;
        t.form->setRandomSource(std::make_unique<experiment::HandGenerator>(99));
        std::array<long, 27> counts{};
        constexpr int kPlayed = 2700;
        for (int round = 0; round < kPlayed; ++round) {
            if (round % 900 == 0) {
                t.form->Form_Load();  // stay well below the limit
            }
            t.form->Command2_Click();
            ++counts[static_cast<std::size_t>((t.form->ahand - 1) * 9 + (t.form->bhand - 1) * 3 +
                                              (t.form->chand - 1))];
        }
        QVERIFY(chiSquare(counts, kPlayed) < critical(26));
    }
};

QTEST_MAIN(TestGenerator)
#include "tst_generator.moc"
