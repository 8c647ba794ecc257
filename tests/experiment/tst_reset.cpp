// "初期化": the chime first, then a fresh, open experiment; the drawn hands,
// the judgement colours and the histories stay as they were.
#include "support/fakes.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using testing::ScriptedForm;

namespace {

const char *kResultLabels[] = {
    "aikolabel",   "a1katilabel", "b1katilabel",   "c1katilabel", "abc1katiLabel", "a1makelabel",
    "b1makelabel", "c1makelabel", "abc1makelabel", "aikow",       "a1katiw",       "b1katiw",
    "c1katiw",     "abc1katiw",   "a1makew",       "b1makew",     "c1makew",       "abc1makew"};

}  // namespace

class TestReset : public QObject {
    Q_OBJECT

private slots:
    void theChimeSoundsBeforeAnythingChanges() {
        ScriptedForm t;
        t.play(1, 2, 2);
        auto device = std::make_unique<testing::RecordingDevice>([&t] {
            return QStringLiteral("%1 %2 %3")
                .arg(Module1::abc1katicount)
                .arg(t.child<QLabel>("aikow")->text(), t.child<QLabel>("hanntei1")->text());
        });
        auto *recording = device.get();
        t.child<MMControl>("MMControl1")->setDevice(std::move(device));
        t.form->Command4_Click();
        QCOMPARE(recording->settings,
                 (QStringList{"Stop", "Close", "FileName=pinpon.wav", "Open", "Sound"}));
        const QString before = QStringLiteral(u"1 0.000 勝ち");
        QCOMPARE(recording->snapshots, QStringList(5, before));
    }

    void resetLeavesTheStartState() {
        ScriptedForm t;
        t.play(2, 1, 1);
        t.play(3, 3, 3);
        t.form->Command1_Click();
        for (int i = 0; i < 4; ++i) {
            t.form->Timer1_Timer();
            t.form->Timer2_Timer();
        }
        t.play(3, 1, 2);
        t.form->Command4_Click();

        QCOMPARE(t.buttons(), QStringLiteral("10111101"));
        QCOMPARE((std::array<int, 3>{t.form->ashow, t.form->bshow, t.form->cshow}),
                 (std::array<int, 3>{1, 2, 3}));
        QCOMPARE(t.form->automode, 0);
        QCOMPARE(Module1::recordfull, 0);
        QCOMPARE(Module1::aikocount + Module1::abc1katicount + Module1::abc1makecount, 0);
        QCOMPARE(t.form->a1makecount + t.form->b1katicount, 0);
        for (const char *name : kResultLabels) {
            QVERIFY2(t.child<QLabel>(name)->text().isEmpty(), name);
        }
        for (const char *name : {"hanntei1", "hanntei2", "hanntei3"}) {
            QVERIFY(t.child<QLabel>(name)->text().isEmpty());
        }
        // Start pictures: A rock, B scissors, C paper, and only those.
        for (const char *name : {"guu1", "pii2", "paa3"}) {
            QVERIFY(testing::pictureShown(t.child<QWidget>(name)));
        }
        for (const char *name : {"pii1", "paa1", "guu2", "paa2", "guu3", "pii3"}) {
            QVERIFY(!testing::pictureShown(t.child<QWidget>(name)));
        }
        // Kept: the drawn hands and the judgement labels' colours.
        QCOMPARE(t.form->ahand, 3);
        QCOMPARE(t.form->chandname, QStringLiteral("pii"));
        QCOMPARE(t.child<QLabel>("hanntei1")->palette().color(QPalette::WindowText),
                 QColor(0, 128, 0));
        // The next round shows numbers again and a fresh first ratio.
        t.play(1, 1, 2);
        QCOMPARE(t.child<QLabel>("c1makelabel")->text(), QStringLiteral("1"));
        QCOMPARE(t.child<QLabel>("c1makew")->text(), QStringLiteral("1.000"));
        QCOMPARE(t.child<QLabel>("aikolabel")->text(), QStringLiteral("0"));
    }

    void aResetAfterTheLimitReopensAndOldEntriesWaitToBeOverwritten() {
        ScriptedForm t;
        Module1::aikocount = 998;
        t.form->b1katicount = Module1::abc1katicount = 600;
        t.form->c1makecount = Module1::abc1makecount = 700;
        t.play(1, 1, 1);
        QCOMPARE(Module1::recordfull, 1);
        Module1::aikorecord[2] = 0.25f;  // stands for an entry of the old experiment

        t.form->Command4_Click();
        QCOMPARE(Module1::recordfull, 0);
        QVERIFY(t.child<QPushButton>("Command1")->isEnabled());
        QVERIFY(t.child<QPushButton>("Command3")->isEnabled());
        QCOMPARE(Module1::aikorecord[999], 999.0f / 2299.0f);  // kept

        t.play(2, 2, 2);
        QCOMPARE(Module1::aikorecord[1], 1.0f);
        QCOMPARE(Module1::aikorecord[2], 0.25f);  // not yet overwritten
        t.play(3, 3, 3);
        QCOMPARE(Module1::aikorecord[2], 1.0f);
    }

    void startUpPlaysNoChime() {
        ScriptedForm t;
        t.form->Form_Load();
        t.form->Form_Activate();
        QVERIFY(t.sound->settings.isEmpty());
    }
};

QTEST_MAIN(TestReset)
#include "tst_reset.moc"
