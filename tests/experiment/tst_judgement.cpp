// Every one of the 27 hand combinations: the verdicts shown, their colours and
// the one counter that grows.
#include "experiment/judgement.h"
#include "support/fakes.h"

#include <QLabel>
#include <QTest>

#include <cmath>
#include <set>

using experiment::Verdict;

namespace {

// The rule, written independently of the table: rock beats scissors,
// scissors beat paper, paper beats rock.
bool beats(int x, int y) {
    return (x == 1 && y == 2) || (x == 2 && y == 3) || (x == 3 && y == 1);
}

struct Expected {
    std::array<Verdict, 3> verdicts;
    QString counter;  // name of the counter that grows
};

Expected byRule(int a, int b, int c) {
    const std::array<int, 3> h{a, b, c};
    if ((a == b && b == c) || (a != b && b != c && a != c)) {
        return {{Verdict::Draw, Verdict::Draw, Verdict::Draw}, QStringLiteral("aikocount")};
    }
    const int odd = (a == b) ? 2 : (a == c) ? 1 : 0;
    const int shared = h[(odd + 1) % 3];
    const bool oddWins = beats(h[odd], shared);
    Expected e;
    for (int i = 0; i < 3; ++i) {
        const bool winner = (i == odd) == oddWins;
        e.verdicts[i] = winner ? Verdict::Wins : Verdict::Loses;
    }
    const char player = static_cast<char>('a' + odd);
    e.counter = QStringLiteral("%1%2count")
                    .arg(QLatin1Char(player))
                    .arg(oddWins ? QStringLiteral("1kati") : QStringLiteral("1make"));
    return e;
}

const char *kCaption[] = {"あいこ", "勝ち", "負け"};

}  // namespace

class TestJudgement : public QObject {
    Q_OBJECT

private slots:
    void tableCoversEachCombinationOnce() {
        std::set<std::array<std::int16_t, 3>> seen;
        for (const auto &row : experiment::judgementTable()) {
            QVERIFY(seen.insert(row.hands).second);
        }
        QCOMPARE(seen.size(), std::size_t{27});
    }

    void everyCombinationFollowsTheRule_data() { combinations(); }
    void everyCombinationFollowsTheRule() {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, c);
        const auto *row = experiment::judge(experiment::handName(static_cast<std::int16_t>(a)),
                                            experiment::handName(static_cast<std::int16_t>(b)),
                                            experiment::handName(static_cast<std::int16_t>(c)));
        QVERIFY(row);
        QCOMPARE(row->verdicts, byRule(a, b, c).verdicts);
    }

    void unknownNamesMatchNoRow() {
        QVERIFY(!experiment::judge(u"guu", u"pii", u""));
        QVERIFY(!experiment::judge(u"GUU", u"pii", u"paa"));
    }

    void drawBoundariesSplitTheUnitIntervalInThirds_data() {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("hand");
        const float third = 1.0f / 3.0f;
        const float twoThirds = 2.0f / 3.0f;
        QTest::newRow("0") << 0.0f << 1;
        QTest::newRow("just below 1/3") << std::nextafter(third, 0.0f) << 1;
        QTest::newRow("1/3") << third << 2;
        QTest::newRow("just below 2/3") << std::nextafter(twoThirds, 0.0f) << 2;
        QTest::newRow("2/3") << twoThirds << 3;
        QTest::newRow("largest below 1") << std::nextafter(1.0f, 0.0f) << 3;
    }
    void drawBoundariesSplitTheUnitIntervalInThirds() {
        QFETCH(float, r);
        QFETCH(int, hand);
        QCOMPARE(experiment::handFromUniform(r), hand);
    }

    void roundShowsAndCountsEachCombination_data() { combinations(); }
    void roundShowsAndCountsEachCombination() {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, c);
        const Expected expected = byRule(a, b, c);

        testing::ScriptedForm t;
        // Two earlier rounds so that growth is measured from non-zero counts.
        t.play(1, 2, 3);
        t.play(1, 2, 2);
        const auto before = counters(*t.form);
        t.play(static_cast<std::int16_t>(a), static_cast<std::int16_t>(b),
               static_cast<std::int16_t>(c));
        const auto after = counters(*t.form);

        for (int i = 0; i < 3; ++i) {
            auto *label = t.child<QLabel>(qPrintable(QStringLiteral("hanntei%1").arg(i + 1)));
            const int v = static_cast<int>(expected.verdicts[i]);
            QCOMPARE(label->text(), QString::fromUtf8(kCaption[v]));
            const QColor colour = label->palette().color(QPalette::WindowText);
            const QColor want[] = {QColor(0, 128, 0), QColor(0, 0, 255), QColor(255, 0, 0)};
            QCOMPARE(colour, want[v]);
        }
        for (auto it = after.cbegin(); it != after.cend(); ++it) {
            const bool grows = it.key() == expected.counter ||
                               (it.key() == QLatin1String("abc1katicount") &&
                                expected.counter.endsWith(QLatin1String("1katicount"))) ||
                               (it.key() == QLatin1String("abc1makecount") &&
                                expected.counter.endsWith(QLatin1String("1makecount")));
            QVERIFY2(it.value() == before.value(it.key()) + (grows ? 1 : 0), qPrintable(it.key()));
        }
        QCOMPARE(after[QStringLiteral("abc1katicount")], after[QStringLiteral("a1katicount")] +
                                                             after[QStringLiteral("b1katicount")] +
                                                             after[QStringLiteral("c1katicount")]);
        QCOMPARE(after[QStringLiteral("abc1makecount")], after[QStringLiteral("a1makecount")] +
                                                             after[QStringLiteral("b1makecount")] +
                                                             after[QStringLiteral("c1makecount")]);
        QCOMPARE(after[QStringLiteral("aikocount")] + after[QStringLiteral("abc1katicount")] +
                     after[QStringLiteral("abc1makecount")],
                 3);
        // The count label of the counter that grew shows its new value.
        QCOMPARE(t.child<QLabel>("aikolabel")->text(),
                 QString::number(after[QStringLiteral("aikocount")]));
        QCOMPARE(t.child<QLabel>("abc1katiLabel")->text(),
                 QString::number(after[QStringLiteral("abc1katicount")]));
        QCOMPARE(t.child<QLabel>("abc1makelabel")->text(),
                 QString::number(after[QStringLiteral("abc1makecount")]));
        // The drawn hands are shown and named.
        QCOMPARE((std::array<int, 3>{t.form->ahand, t.form->bhand, t.form->chand}),
                 (std::array<int, 3>{a, b, c}));
        QCOMPARE(t.form->ahandname, experiment::handName(static_cast<std::int16_t>(a)));
        QCOMPARE(t.form->chandname, experiment::handName(static_cast<std::int16_t>(c)));
    }

private:
    static void combinations() {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("c");
        const char *names[] = {"", "guu", "pii", "paa"};
        for (int a = 1; a <= 3; ++a) {
            for (int b = 1; b <= 3; ++b) {
                for (int c = 1; c <= 3; ++c) {
                    QTest::addRow("%s %s %s", names[a], names[b], names[c]) << a << b << c;
                }
            }
        }
    }

    static QMap<QString, int> counters(const Form1 &f) {
        return {
            {QStringLiteral("aikocount"), Module1::aikocount},
            {QStringLiteral("a1katicount"), f.a1katicount},
            {QStringLiteral("b1katicount"), f.b1katicount},
            {QStringLiteral("c1katicount"), f.c1katicount},
            {QStringLiteral("abc1katicount"), Module1::abc1katicount},
            {QStringLiteral("a1makecount"), f.a1makecount},
            {QStringLiteral("b1makecount"), f.b1makecount},
            {QStringLiteral("c1makecount"), f.c1makecount},
            {QStringLiteral("abc1makecount"), Module1::abc1makecount},
        };
    }
};

QTEST_MAIN(TestJudgement)
#include "tst_judgement.moc"
