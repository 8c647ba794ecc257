// "HELP", "グラフ表示" and "終了": one window each, the chime first, and the
// end of the program on はい only.
#include "graph/form2.h"
#include "help/form4.h"
#include "support/fakes.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using testing::ScriptedForm;

namespace {

// Everything a user can see of the experiment, as one string.
QString visibleState(const ScriptedForm &t) {
    QString s;
    for (QObject *child : t.form->children()) {
        if (auto *label = qobject_cast<QLabel *>(child)) {
            s += label->text() + QLatin1Char('|');
        } else if (auto *button = qobject_cast<QPushButton *>(child)) {
            s += button->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        } else if (auto *image = qobject_cast<mainwindow::ImageControl *>(child)) {
            s += image->isShown() ? QLatin1Char('v') : QLatin1Char('h');
        } else if (auto *widget = qobject_cast<QWidget *>(child)) {
            s += widget->isVisibleTo(t.form.get()) ? QLatin1Char('v') : QLatin1Char('h');
        }
    }
    return s + QStringLiteral("%1/%2/%3")
                   .arg(Module1::aikocount)
                   .arg(Module1::abc1katicount)
                   .arg(Module1::abc1makecount);
}

int topLevelCount(const char *className) {
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        n += w->inherits(className) && w->isVisible();
    }
    return n;
}

}  // namespace

class TestCommands : public QObject {
    Q_OBJECT

private slots:
    void eachButtonKeepsOneWindowHoweverOftenPressed() {
        ScriptedForm t;
        t.form->Command8_Click();
        Form2 *graph = t.form->graphWindow();
        t.form->Command8_Click();
        t.form->Command8_Click();
        QCOMPARE(t.form->graphWindow(), graph);
        QCOMPARE(topLevelCount("Form2"), 1);

        t.form->Command5_Click();
        Form4 *help = t.form->helpWindow();
        t.form->Command5_Click();
        QCOMPARE(t.form->helpWindow(), help);
        QCOMPARE(topLevelCount("Form4"), 1);
        // "HELP" chimes every time, "グラフ表示" never.
        QCOMPARE(t.sound->settings.count(QStringLiteral("FileName=pinpon.wav")), 2);
        QCOMPARE(t.sound->settings.size(), 10);
    }

    void aClosedWindowIsMadeAfreshNextTime() {
        ScriptedForm t;
        t.form->Command8_Click();
        QPointer<Form2> first = t.form->graphWindow();
        first->Command1_Click();
        QTRY_VERIFY(!first);
        QVERIFY(!t.form->graphWindow());
        t.form->Command8_Click();
        QVERIFY(t.form->graphWindow());
        QVERIFY(t.form->graphWindow()->isVisible());
    }

    void theChimeSoundsBeforeTheHelpWindowShows() {
        ScriptedForm t;
        auto device = std::make_unique<testing::RecordingDevice>([&t] {
            const Form4 *help = t.form->helpWindow();
            return help && help->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden");
        });
        auto *recording = device.get();
        t.child<MMControl>("MMControl1")->setDevice(std::move(device));
        t.form->Command5_Click();
        QCOMPARE(recording->settings,
                 (QStringList{"Stop", "Close", "FileName=pinpon.wav", "Open", "Sound"}));
        QCOMPARE(recording->snapshots, QStringList(5, QStringLiteral("hidden")));
    }

    void noLeavesEverythingAsItWas() {
        ScriptedForm t;
        t.play(1, 2, 2);
        t.play(3, 3, 3);
        int ended = 0;
        t.form->setProgramEnd([&ended](int) { ++ended; });
        QStringList asked;
        t.form->setQuestion([&](QWidget *, const QString &text, const QString &title) {
            asked << t.sound->settings.join(QLatin1Char(',')) << text << title;
            return 7;
        });
        const QString before = visibleState(t);
        t.form->Command6_Click();
        QCOMPARE(asked, (QStringList{"Stop,Close,FileName=endpinpon.wav,Open,Sound",
                                     QStringLiteral(u"終了していいですか？"),
                                     QStringLiteral(u"じゃんけん")}));
        QCOMPARE(t.form->answer, 7.0);
        QCOMPARE(ended, 0);
        QCOMPARE(visibleState(t), before);
    }

    void yesEndsTheProgramWithEveryWindowClosed() {
        ScriptedForm t;
        t.form->show();
        t.form->Command8_Click();
        t.form->Command5_Click();
        QList<int> ended;
        t.form->setProgramEnd([&ended](int status) { ended << status; });
        t.form->setQuestion([](QWidget *, const QString &, const QString &) { return 6; });
        t.form->Command6_Click();
        QCOMPARE(t.form->answer, 6.0);
        QCOMPARE(ended, QList<int>{0});
        QVERIFY(!t.form->isVisible());
        QVERIFY(!t.form->graphWindow()->isVisible());
        QVERIFY(!t.form->helpWindow()->isVisible());
        for (const QTimer *timer : t.form->findChildren<QTimer *>()) {
            QVERIFY(!timer->isActive());
        }
    }

    void closingTheMainWindowEndsTheProgramWithoutAsking() {
        ScriptedForm t;
        t.form->show();
        t.form->Command8_Click();
        QList<int> ended;
        t.form->setProgramEnd([&ended](int status) { ended << status; });
        bool asked = false;
        t.form->setQuestion([&asked](QWidget *, const QString &, const QString &) {
            asked = true;
            return 6;
        });
        t.form->close();
        QCOMPARE(ended, QList<int>{0});
        QVERIFY(!asked);
        QVERIFY(t.sound->settings.isEmpty());
        QVERIFY(!t.form->graphWindow()->isVisible());
    }

    // The real thing, in a child process with no sound server: はい with the
    // graph and help windows open ends the process at once with status 0.
    void yesEndsTheProcess() {
        QProcess driver;
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent/janken-test"));
        driver.setProcessEnvironment(env);
        driver.setWorkingDirectory(QStringLiteral(JANKEN_APP_DIR));
        driver.start(QStringLiteral(CHIME_DRIVER), {QStringLiteral("exit")});
        QVERIFY(driver.waitForFinished(5000));
        QCOMPARE(driver.exitStatus(), QProcess::NormalExit);
        QCOMPARE(driver.exitCode(), 0);
    }
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
