// Starting the program without a display: one line that says how to run it,
// instead of the toolkit's abort.
#include "app/program.h"

#include <QProcess>
#include <QTest>

class TestProgram : public QObject {
    Q_OBJECT

private slots:
    void aDisplayIsFoundThroughAnyOfItsVariables() {
        for (const char *variable : {"", "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
                qputenv(name, qstrcmp(name, variable) == 0 ? "offscreen" : "");
            }
            QVERIFY2(app::displayAvailable() == (*variable != 0), variable);
        }
    }

    void withoutADisplayTheProgramSaysHowToRunIt() {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            env.remove(QString::fromLatin1(name));
        }
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(JANKEN_EXECUTABLE), {});
        QVERIFY(program.waitForFinished(10000));
        const QString message = QString::fromLocal8Bit(program.readAllStandardError());
        QCOMPARE(program.exitCode(), 1);
        QVERIFY2(message.count(u'\n') == 1 && message.contains(QLatin1String("xvfb-run")),
                 qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
