// A judged round's bookkeeping: the labels, the three histories indexed by
// their own counters, the limit that closes the experiment, and the window's
// mode (enabled buttons, running timers) after each handler.
#include "experiment/history.h"
#include "support/fakes.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using testing::ScriptedForm;

namespace {

constexpr std::int16_t G = 1, S = 2, P = 3;

// Modes: Command1..Command8 enabled flags.
const QString kIdle = QStringLiteral("10111101");
const QString kManualShuffle = QStringLiteral("01000000");
const QString kClosed = QStringLiteral("00011101");

// Puts the form into an experiment with the given per-player counters, the
// sums kept consistent.
void preset(Form1 &f, std::int16_t aiko, std::int16_t a1kati, std::int16_t a1make) {
    Module1::aikocount = aiko;
    f.a1katicount = a1kati;
    Module1::abc1katicount = a1kati;
    f.a1makecount = a1make;
    Module1::abc1makecount = a1make;
}

}  // namespace

class TestRound : public QObject {
    Q_OBJECT

private slots:
    void startsEmptyAndIdle() {
        ScriptedForm t;
        QCOMPARE(t.buttons(), kIdle);
        QCOMPARE(t.timers(), QStringLiteral("0000"));
        QCOMPARE(Module1::recordfull, 0);
        QCOMPARE(t.form->automode, 0);
        QCOMPARE((std::array<int, 3>{t.form->ashow, t.form->bshow, t.form->cshow}),
                 (std::array<int, 3>{1, 2, 3}));
        for (const char *name : {"hanntei1", "aikolabel", "abc1makew"}) {
            QVERIFY(t.child<QLabel>(name)->text().isEmpty());
        }
    }

    void firstDrawShowsOneAndZeroes() {
        ScriptedForm t;
        t.play(G, S, P);
        QCOMPARE(t.child<QLabel>("aikolabel")->text(), QStringLiteral("1"));
        QCOMPARE(t.child<QLabel>("aikow")->text(), QStringLiteral("1.000"));
        for (const char *name : {"a1katilabel", "b1katilabel", "c1katilabel", "abc1katiLabel",
                                 "a1makelabel", "b1makelabel", "c1makelabel", "abc1makelabel"}) {
            QCOMPARE(t.child<QLabel>(name)->text(), QStringLiteral("0"));
        }
        for (const char *name : {"a1katiw", "b1katiw", "c1katiw", "abc1katiw", "a1makew", "b1makew",
                                 "c1makew", "abc1makew"}) {
            QCOMPARE(t.child<QLabel>(name)->text(), QStringLiteral("0.000"));
        }
    }

    void ratioLabelsFollowEachCounter() {
        ScriptedForm t;
        t.play(G, S, S);  // A alone wins
        t.play(S, G, G);  // A alone loses
        t.play(G, G, G);  // draw
        QCOMPARE(t.child<QLabel>("a1katiw")->text(), QStringLiteral("0.333"));
        QCOMPARE(t.child<QLabel>("a1makew")->text(), QStringLiteral("0.333"));
        QCOMPARE(t.child<QLabel>("aikow")->text(), QStringLiteral("0.333"));
        t.play(G, S, P);  // draw: 2 of 4
        QCOMPARE(t.child<QLabel>("aikow")->text(), QStringLiteral("0.500"));
        QCOMPARE(t.child<QLabel>("b1katiw")->text(), QStringLiteral("0.000"));
    }

    // Entry k of a history holds the ratio at the last round at which its own
    // counter stood at k.
    void historiesAreIndexedByTheirOwnCounters() {
        ScriptedForm t;
        t.play(G, S, P);  // draw
        QCOMPARE(Module1::aikorecord[1], 1.0f);
        QCOMPARE(Module1::abc1katirecord[0], 0.0f);
        QCOMPARE(Module1::abc1makerecord[0], 0.0f);
        t.play(G, S, S);  // one alone wins: entry 1 of the draws overwritten
        QCOMPARE(Module1::aikorecord[1], 0.5f);
        QCOMPARE(Module1::abc1katirecord[1], 0.5f);
        QCOMPARE(Module1::abc1makerecord[0], 0.0f);
        t.play(P, S, G);  // draw
        QCOMPARE(Module1::aikorecord[2], 2.0f / 3.0f);
        QCOMPARE(Module1::aikorecord[1], 0.5f);
        QCOMPARE(Module1::abc1katirecord[1], 1.0f / 3.0f);
        QCOMPARE(Module1::abc1makerecord[0], 0.0f);
        QCOMPARE(Module1::aikorecord[3], 0.0f);
    }

    void theRoundReachingTheLimitIsRecordedThenClosesTheExperiment_data() {
        QTest::addColumn<int>("aiko");
        QTest::addColumn<int>("kati");
        QTest::addColumn<int>("make");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("c");
        QTest::newRow("draws") << 998 << 500 << 700 << 1 << 1 << 1;
        QTest::newRow("one alone wins") << 600 << 998 << 900 << 1 << 2 << 2;
        QTest::newRow("one alone loses") << 0 << 0 << 998 << 2 << 1 << 1;
    }
    void theRoundReachingTheLimitIsRecordedThenClosesTheExperiment() {
        QFETCH(int, aiko);
        QFETCH(int, kati);
        QFETCH(int, make);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, c);
        ScriptedForm t;
        preset(*t.form, std::int16_t(aiko), std::int16_t(kati), std::int16_t(make));
        Module1::aikorecord[1000] = Module1::abc1katirecord[1000] = Module1::abc1makerecord[1000] =
            -1.0f;
        t.form->automode = 1;  // reached during automatic play as well
        t.child<QTimer>("Timer4")->start();
        t.form->Command1_Click();
        t.play(std::int16_t(a), std::int16_t(b), std::int16_t(c));

        const int total = aiko + kati + make + 1;
        const int top = std::max(
            {int(Module1::aikocount), int(Module1::abc1katicount), int(Module1::abc1makecount)});
        QCOMPARE(top, 999);
        auto &history = Module1::aikocount == 999       ? Module1::aikorecord
                        : Module1::abc1katicount == 999 ? Module1::abc1katirecord
                                                        : Module1::abc1makerecord;
        QCOMPARE(history[999], 999.0f / float(total));
        QCOMPARE(Module1::recordfull, 1);
        QCOMPARE(t.form->automode, 0);
        QCOMPARE(t.timers(), QStringLiteral("0000"));
        QCOMPARE(t.buttons(), kClosed);
        QCOMPARE(Module1::aikorecord[1000], -1.0f);
        QCOMPARE(Module1::abc1katirecord[1000], -1.0f);
        QCOMPARE(Module1::abc1makerecord[1000], -1.0f);
    }

    // The round that can still follow a limit reached in automatic play is
    // counted and shown but leaves every history as it was.
    void aRoundAfterTheLimitIsCountedButNotRecorded() {
        ScriptedForm t;
        preset(*t.form, 998, 400, 400);
        t.play(P, P, P);
        QCOMPARE(Module1::recordfull, 1);
        const auto green = Module1::aikorecord;
        const auto blue = Module1::abc1katirecord;
        const auto red = Module1::abc1makerecord;
        t.form->Command1_Click();  // the tick's opening of the next round
        QCOMPARE(t.buttons(), kManualShuffle);
        t.play(S, S, S);
        QCOMPARE(Module1::aikocount, 1000);
        QCOMPARE(t.child<QLabel>("aikolabel")->text(), QStringLiteral("1000"));
        QVERIFY(Module1::aikorecord == green);
        QVERIFY(Module1::abc1katirecord == blue);
        QVERIFY(Module1::abc1makerecord == red);
        QCOMPARE(t.buttons(), kClosed);
        QCOMPARE(t.timers(), QStringLiteral("0000"));
    }

    void justBelowTheLimitStaysOpen() {
        ScriptedForm t;
        preset(*t.form, 997, 998, 998);
        t.play(G, G, G);
        QCOMPARE(Module1::aikocount, 998);
        QCOMPARE(Module1::recordfull, 0);
        QCOMPARE(t.buttons(), kIdle);
        QVERIFY(!experiment::limitReached(998, 998, 998));
        QVERIFY(experiment::limitReached(998, 999, 0));
    }

    // The window's mode after each handler, manual and automatic.
    void eachHandlerLeavesItsMode_data() {
        QTest::addColumn<int>("automode");
        QTest::addColumn<QString>("steps");  // 1: Command1_Click, 2: Command2_Click
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<QString>("running");
        QTest::newRow("manual: ジャンケン") << 0 << "1" << kManualShuffle << "1110";
        QTest::newRow("manual: ジャンケン, ポン") << 0 << "12" << kIdle << "0000";
        QTest::newRow("manual: two rounds") << 0 << "1212" << kIdle << "0000";
        QTest::newRow("automatic: judged") << 1 << "2"
                                           << "10111111"
                                           << "0000";
        QTest::newRow("automatic: judged, opened") << 1 << "21"
                                                   << "00000010"
                                                   << "1110";
    }
    void eachHandlerLeavesItsMode() {
        QFETCH(int, automode);
        QFETCH(QString, steps);
        QFETCH(QString, enabled);
        QFETCH(QString, running);
        ScriptedForm t;
        t.form->automode = static_cast<std::int16_t>(automode);
        for (QChar step : steps) {
            if (step == QLatin1Char('1')) {
                t.form->Command1_Click();
            } else {
                t.play(G, S, S);
            }
        }
        QCOMPARE(t.buttons(), enabled);
        QCOMPARE(t.timers(), running);
    }

    void aLaterActivationChangesNothing() {
        ScriptedForm t;
        t.form->Command1_Click();
        t.form->Timer1_Timer();
        t.form->Timer1_Timer();  // A now shows scissors
        t.form->Form_Activate();
        QCOMPARE(t.buttons(), kManualShuffle);
        QVERIFY(testing::pictureShown(t.child<QWidget>("pii1")));
        QVERIFY(!testing::pictureShown(t.child<QWidget>("guu1")));
    }

    void aReloadZeroesTheCountsButKeepsHandsAndHistories() {
        ScriptedForm t;
        t.play(S, P, P);
        t.form->automode = 1;
        t.form->Form_Load();
        QCOMPARE(Module1::aikocount + Module1::abc1katicount + Module1::abc1makecount, 0);
        QCOMPARE(t.form->a1katicount, 0);
        QCOMPARE(t.form->automode, 0);
        QCOMPARE(t.form->ahandname, QStringLiteral("pii"));
        QCOMPARE(Module1::abc1katirecord[1], 1.0f);
        QVERIFY(t.child<QLabel>("hanntei1")->text().isEmpty());
    }
};

QTEST_MAIN(TestRound)
#include "tst_round.moc"
