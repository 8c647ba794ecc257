// The shuffle: each tick shows a player's next hand, rock -> scissors ->
// paper -> rock, and a new shuffle goes on where the last one stopped.
#include "support/fakes.h"

#include <QTest>
#include <QTimer>

using testing::ScriptedForm;

namespace {

// The hand a player's pictures show: 1 rock, 2 scissors, 3 paper; 0 when not
// exactly one of the three is visible.
int shownHand(const ScriptedForm &t, int player) {
    int shown = 0;
    int visible = 0;
    const char *names[] = {"guu", "pii", "paa"};
    for (int hand = 1; hand <= 3; ++hand) {
        const auto *picture = t.child<QWidget>(
            qPrintable(QStringLiteral("%1%2").arg(QLatin1String(names[hand - 1])).arg(player)));
        if (testing::pictureShown(picture)) {
            shown = hand;
            ++visible;
        }
    }
    return visible == 1 ? shown : 0;
}

void tickAll(ScriptedForm &t) {
    t.form->Timer1_Timer();
    t.form->Timer2_Timer();
    t.form->Timer3_Timer();
}

}  // namespace

class TestShuffle : public QObject {
    Q_OBJECT

private slots:
    void ticksCycleFromTheStartPictures_data() {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("c");
        QTest::newRow("start") << 0 << 1 << 2 << 3;
        QTest::newRow("first tick shows the start pictures") << 1 << 1 << 2 << 3;
        QTest::newRow("second") << 2 << 2 << 3 << 1;
        QTest::newRow("third") << 3 << 3 << 1 << 2;
        QTest::newRow("fourth as the first") << 4 << 1 << 2 << 3;
        QTest::newRow("fifth") << 5 << 2 << 3 << 1;
    }
    void ticksCycleFromTheStartPictures() {
        QFETCH(int, ticks);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, c);
        ScriptedForm t;
        t.form->Command1_Click();
        for (int i = 0; i < ticks; ++i) {
            tickAll(t);
        }
        QCOMPARE(shownHand(t, 1), a);
        QCOMPARE(shownHand(t, 2), b);
        QCOMPARE(shownHand(t, 3), c);
    }

    void openingARoundStartsTheThreeShuffleTimers() {
        ScriptedForm t;
        t.form->Command1_Click();
        for (const char *name : {"Timer1", "Timer2", "Timer3"}) {
            const auto *timer = t.child<QTimer>(name);
            QVERIFY(timer->isActive());
            QCOMPARE(timer->interval(), 50);
        }
        QVERIFY(!t.child<QTimer>("Timer4")->isActive());
        // Opening a round changes no picture and no variable.
        QCOMPARE(shownHand(t, 1), 1);
        QCOMPARE(t.form->ashow, 1);
    }

    void theJudgementStopsEachPictureOnItsDrawnHand_data() {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("c");
        QTest::newRow("paper rock scissors") << 3 << 1 << 2;
        QTest::newRow("all scissors") << 2 << 2 << 2;
        QTest::newRow("rock paper paper") << 1 << 3 << 3;
    }
    void theJudgementStopsEachPictureOnItsDrawnHand() {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, c);
        ScriptedForm t;
        t.form->Command1_Click();
        tickAll(t);
        tickAll(t);
        t.play(std::int16_t(a), std::int16_t(b), std::int16_t(c));
        for (const char *name : {"Timer1", "Timer2", "Timer3"}) {
            QVERIFY(!t.child<QTimer>(name)->isActive());
        }
        QCOMPARE(shownHand(t, 1), a);
        QCOMPARE(shownHand(t, 2), b);
        QCOMPARE(shownHand(t, 3), c);
    }

    // The drawn hand does not feed back: the next shuffle begins where the
    // last one stopped.
    void theNextShuffleGoesOnFromWhereTheLastStopped() {
        ScriptedForm t;
        t.form->Command1_Click();
        for (int i = 0; i < 4; ++i) {
            t.form->Timer1_Timer();
        }
        QCOMPARE(t.form->ashow, 2);
        t.play(3, 3, 3);
        QCOMPARE(t.form->ashow, 2);
        QCOMPARE(shownHand(t, 1), 3);
        t.form->Command1_Click();
        t.form->Timer1_Timer();
        QCOMPARE(shownHand(t, 1), 2);
        QCOMPARE(t.form->ashow, 3);
    }

    // Every draw stops its own player's timer first and reseeds just before
    // drawing: three seedings per round, each from the clock.
    void eachDrawIsSeededFromTheClock() {
        QList<float> seeds;
        ScriptedForm t;
        auto scripted = std::make_unique<testing::ScriptedRandom>(&seeds);
        scripted->pushHands(1, 2, 3);
        t.form->setRandomSource(std::move(scripted));
        float clock = 100.0f;
        t.form->setTimeOfDay([&clock] { return clock += 0.25f; });
        t.form->Command2_Click();
        QCOMPARE(seeds, (QList<float>{100.25f, 100.5f, 100.75f}));
    }
};

QTEST_MAIN(TestShuffle)
#include "tst_shuffle.moc"
