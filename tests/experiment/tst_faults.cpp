// Hostile use: a storm of clicks, windows closed and reopened under automatic
// play, the limit reached with every window open, broken chime files. Each
// ends with every command's remaining steps done and no round lost.
#include "graph/canvas.h"
#include "graph/form2.h"
#include "help/form4.h"
#include "sound/effectdevice.h"
#include "sound/mmcontrol.h"
#include "support/fakes.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using testing::ScriptedForm;

namespace {

int rounds() {
    return Module1::aikocount + Module1::abc1katicount + Module1::abc1makecount;
}

void checkInvariants(const ScriptedForm &t) {
    const Form1 &f = *t.form;
    QCOMPARE(Module1::abc1katicount, f.a1katicount + f.b1katicount + f.c1katicount);
    QCOMPARE(Module1::abc1makecount, f.a1makecount + f.b1makecount + f.c1makecount);
    const bool full =
        Module1::aikocount >= 999 || Module1::abc1katicount >= 999 || Module1::abc1makecount >= 999;
    QCOMPARE(Module1::recordfull == 1, full);
    QVERIFY(f.automode == 0 || (f.automode == 1 && Module1::recordfull == 0));
    for (int show : {f.ashow, f.bshow, f.cshow}) {
        QVERIFY(show >= 1 && show <= 3);
    }
    QVERIFY(std::max({Module1::aikocount, Module1::abc1katicount, Module1::abc1makecount}) <= 999);
}

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class TestFaults : public QObject {
    Q_OBJECT

private slots:
    // A thousand clicks on every button, as fast as they come; 終了 is
    // answered いいえ. Every click on ポ　ン that found it enabled is one
    // round, no more and no less.
    void aStormOfClicksLosesNoRound() {
        ScriptedForm t;
        t.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.form.get()));
        t.form->setQuestion([](QWidget *, const QString &, const QString &) { return 7; });
        t.form->setProgramEnd([](int) { QFAIL("the program must not end"); });
        experiment::HandGenerator hands(5);
        int expected = 0;
        const char *order[] = {"Command1", "Command2", "Command3", "Command7",
                               "Command5", "Command8", "Command6", "Command4"};
        for (int i = 0; i < 1000; ++i) {
            for (const char *name : order) {
                auto *button = t.child<QPushButton>(name);
                if (qstrcmp(name, "Command2") == 0 && button->isEnabled()) {
                    ++expected;
                    for (int p = 0; p < 3; ++p) {
                        t.random->push(hands.rnd());
                    }
                }
                const int before = rounds();
                const bool resets = qstrcmp(name, "Command4") == 0 && button->isEnabled();
                QTest::mouseClick(button, Qt::LeftButton);
                if (resets) {
                    QCOMPARE(rounds(), 0);
                    expected = 0;
                } else if (qstrcmp(name, "Command2") != 0) {
                    QCOMPARE(rounds(), before);
                }
            }
            if (i % 100 == 99) {
                checkInvariants(t);
            }
            QCOMPARE(rounds(), expected);
        }
        checkInvariants(t);
        QCOMPARE(t.sound->settings.count(QStringLiteral("FileName=endpinpon.wav")), 1000);
        QCOMPARE(t.form->answer, 7.0);
        flushDeletes();
    }

    void theGraphClosedAndReopenedDuringAutomaticPlay() {
        ScriptedForm t;
        experiment::HandGenerator hands(8);
        const auto tick = [&] {
            for (int p = 0; p < 3; ++p) {
                t.random->push(hands.rnd());
            }
            t.form->Timer4_Timer();
        };
        t.form->Command8_Click();
        t.form->Command3_Click();
        for (int i = 0; i < 5; ++i) {
            tick();
        }
        t.form->graphWindow()->Form_Activate();
        t.form->graphWindow()->Command1_Click();
        flushDeletes();
        QVERIFY(!t.form->graphWindow());
        tick();
        t.form->Command8_Click();  // reopened between two ticks
        tick();
        tick();
        QCOMPARE(rounds(), 8);
        QCOMPARE(t.buttons(), QStringLiteral("00000010"));
        QCOMPARE(t.timers(), QStringLiteral("1111"));
        t.form->graphWindow()->Form_Activate();
        Form2 fresh;
        fresh.Form_Activate();
        QCOMPARE(t.form->graphWindow()->canvas()->snapshot(), fresh.canvas()->snapshot());
        checkInvariants(t);
    }

    void theLimitReachedWithTheGraphAndHelpOpen() {
        ScriptedForm t;
        t.form->Command8_Click();
        t.form->Command5_Click();
        Module1::aikocount = 998;
        t.form->b1makecount = Module1::abc1makecount = 500;
        t.form->Command3_Click();
        t.random->pushHands(2, 2, 2);
        t.form->Timer4_Timer();
        QCOMPARE(Module1::recordfull, 1);
        QCOMPARE(t.buttons(), QStringLiteral("00011101"));
        QCOMPARE(t.timers(), QStringLiteral("0000"));
        QVERIFY(t.form->graphWindow()->isVisible());
        QVERIFY(t.form->helpWindow()->isVisible());
        t.form->graphWindow()->Form_Activate();
        t.form->helpWindow()->Form_Activate();
        QCOMPARE(t.form->helpWindow()->canvas()->printedLines(), 29);
        checkInvariants(t);
        // Still usable: a reset reopens the experiment with both windows open.
        t.form->Command4_Click();
        QCOMPARE(t.buttons(), QStringLiteral("10111101"));
        QCOMPARE(rounds(), 0);
    }

    // Broken chime files: every command that chimes still does all the rest.
    void brokenChimesLeaveEveryCommandWhole_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("mode");
        for (const char *file : {"pinpon.wav", "endpinpon.wav"}) {
            QTest::addRow("%s missing", file) << file << QByteArray() << 0;
            QTest::addRow("%s empty", file) << file << QByteArray("") << 0;
            QTest::addRow("%s not a sound", file) << file << QByteArray("<html></html>") << 0;
            QTest::addRow("%s unreadable", file) << file << QByteArray("RIFF") << 0;
            QTest::addRow("%s a folder", file) << file << QByteArray() << 1;
        }
    }
    void brokenChimesLeaveEveryCommandWhole() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(int, mode);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(file);
        if (mode == 1) {
            QVERIFY(QDir().mkdir(path));
        } else if (!content.isNull()) {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(content);
            out.close();
            if (QTest::currentDataTag() &&
                QByteArray(QTest::currentDataTag()).endsWith("unreadable")) {
                out.setPermissions(QFileDevice::Permissions{});  // root reads it all the same
            }
        }
        const QString home = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        ScriptedForm t;
        t.child<MMControl>("MMControl1")->setDevice(std::make_unique<sound::EffectDevice>());
        int asked = 0;
        t.form->setQuestion([&asked](QWidget *, const QString &, const QString &) {
            ++asked;
            return 7;
        });
        t.play(1, 2, 2);
        t.form->Command5_Click();
        t.form->Command6_Click();
        t.form->Command4_Click();
        QDir::setCurrent(home);
        QVERIFY(t.form->helpWindow() && t.form->helpWindow()->isVisible());
        QCOMPARE(asked, 1);
        QCOMPARE(rounds(), 0);
        QVERIFY(t.child<QLabel>("abc1katiw")->text().isEmpty());
        flushDeletes();
    }
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
