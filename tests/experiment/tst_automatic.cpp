// Automatic play: two rounds a second between "自動開始" and "自動停止", each
// tick judging the round under way and opening the next.
#include "support/fakes.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using testing::ScriptedForm;

namespace {

const QString kIdle = QStringLiteral("10111101");
const QString kAutomatic = QStringLiteral("00000010");
const QString kClosed = QStringLiteral("00011101");

int rounds() {
    return Module1::aikocount + Module1::abc1katicount + Module1::abc1makecount;
}

}  // namespace

class TestAutomatic : public QObject {
    Q_OBJECT

private slots:
    // Steps: s = 自動開始, t = a tick of Timer4, x = 自動停止.
    void everyMomentHasItsButtonsAndTimers_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<QString>("running");
        QTest::addColumn<int>("automode");
        QTest::addColumn<int>("judged");
        QTest::newRow("started") << "s" << kAutomatic << "0001" << 1 << 0;
        QTest::newRow("after the first tick") << "st" << kAutomatic << "1111" << 1 << 1;
        QTest::newRow("between later ticks") << "sttt" << kAutomatic << "1111" << 1 << 3;
        QTest::newRow("stopped before the first tick") << "sx" << kIdle << "0000" << 0 << 0;
        QTest::newRow("stopped between ticks") << "sttx" << kIdle << "0000" << 0 << 2;
        QTest::newRow("started again") << "sttxs" << kAutomatic << "0001" << 1 << 2;
    }
    void everyMomentHasItsButtonsAndTimers() {
        QFETCH(QString, steps);
        QFETCH(QString, enabled);
        QFETCH(QString, running);
        QFETCH(int, automode);
        QFETCH(int, judged);
        ScriptedForm t;
        for (QChar step : steps) {
            switch (step.toLatin1()) {
                case 's':
                    t.form->Command3_Click();
                    break;
                case 't':
                    t.random->pushHands(1, 2, 2);
                    t.form->Timer4_Timer();
                    break;
                case 'x':
                    t.form->Command7_Click();
                    break;
            }
        }
        QCOMPARE(t.buttons(), enabled);
        QCOMPARE(t.timers(), running);
        QCOMPARE(t.form->automode, automode);
        QCOMPARE(rounds(), judged);
        QVERIFY(!t.child<QPushButton>("Command2")->isEnabled());  // never in automatic play
    }

    void timer4TicksEveryHalfSecondWithoutDrift() {
        ScriptedForm t;
        const auto *timer = t.child<QTimer>("Timer4");
        QCOMPARE(timer->interval(), 500);
        QCOMPARE(timer->timerType(), Qt::PreciseTimer);
        QVERIFY(!timer->isSingleShot());
    }

    // With the reset unusable while automatic play runs, nothing can turn
    // the flag off behind Timer4's back.
    void theResetCannotBePressedDuringAutomaticPlay() {
        ScriptedForm t;
        t.form->show();
        t.form->Command3_Click();
        auto *reset = t.child<QPushButton>("Command4");
        QTest::mouseClick(reset, Qt::LeftButton);
        QCOMPARE(t.form->automode, 1);
        QVERIFY(t.sound->settings.isEmpty());
        t.form->Timer4_Timer();
        QCOMPARE(t.buttons(), kAutomatic);
        QTest::mouseClick(reset, Qt::LeftButton);
        QCOMPARE(rounds(), 1);
        QVERIFY(t.sound->settings.isEmpty());
    }

    void theTickReachingTheLimitClosesWithNothingPending_data() {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("c");
        QTest::newRow("draws") << 1 << 1 << 1;
        QTest::newRow("one alone wins") << 3 << 1 << 1;
        QTest::newRow("one alone loses") << 1 << 3 << 3;
    }
    void theTickReachingTheLimitClosesWithNothingPending() {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, c);
        ScriptedForm t;
        Module1::aikocount = 998;
        t.form->a1katicount = Module1::abc1katicount = 998;
        t.form->a1makecount = Module1::abc1makecount = 998;
        t.form->Command3_Click();
        t.random->pushHands(std::int16_t(a), std::int16_t(b), std::int16_t(c));
        t.form->Timer4_Timer();
        QCOMPARE(Module1::recordfull, 1);
        QCOMPARE(t.buttons(), kClosed);
        QCOMPARE(t.timers(), QStringLiteral("0000"));
        QCOMPARE(t.form->automode, 0);
        QCOMPARE(rounds(), 3 * 998 + 1);
        const float full = 999.0f / float(3 * 998 + 1);
        QVERIFY(Module1::aikorecord[999] == full || Module1::abc1katirecord[999] == full ||
                Module1::abc1makerecord[999] == full);
        // Nothing is left to judge: "ポ　ン" stays unusable until a reset.
        QTest::mouseClick(t.child<QPushButton>("Command2"), Qt::LeftButton);
        QCOMPARE(rounds(), 3 * 998 + 1);
    }

    void afterStopThePicturesKeepTheShuffleAndTheLabelsTheLastRound() {
        ScriptedForm t;
        t.form->Command3_Click();
        t.random->pushHands(3, 3, 1);  // C alone loses
        t.form->Timer4_Timer();
        for (int i = 0; i < 2; ++i) {  // the next round's shuffle runs on
            t.form->Timer1_Timer();
            t.form->Timer2_Timer();
            t.form->Timer3_Timer();
        }
        t.form->Command7_Click();
        // The shuffle went on from 1, 2, 3: its second tick showed 2, 3, 1.
        QVERIFY(testing::pictureShown(t.child<QWidget>("pii1")));
        QVERIFY(testing::pictureShown(t.child<QWidget>("paa2")));
        QVERIFY(testing::pictureShown(t.child<QWidget>("guu3")));
        QCOMPARE(t.child<QLabel>("hanntei3")->text(), QStringLiteral(u"負け"));
        QCOMPARE(t.child<QLabel>("c1makelabel")->text(), QStringLiteral("1"));
        QCOMPARE(rounds(), 1);  // the abandoned round is not counted
        t.form->Command1_Click();
        t.form->Timer1_Timer();
        QVERIFY(testing::pictureShown(t.child<QWidget>("paa1")));
    }

    // Driven by the real timer for a few ticks: the rounds follow the ticks.
    void theRunningTimerPlaysRounds() {
        ScriptedForm t;
        t.form->Command3_Click();
        auto *timer = t.child<QTimer>("Timer4");
        for (int i = 0; i < 3; ++i) {
            QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
        }
        QCOMPARE(rounds(), 3);
    }
};

QTEST_MAIN(TestAutomatic)
#include "tst_automatic.moc"
