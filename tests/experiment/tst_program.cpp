// Starting the program: without a display it explains itself in one line
// instead of letting the toolkit abort.
#include "experiment/program.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

class TestProgram : public QObject {
    Q_OBJECT

private slots:
    void aDisplayIsFoundThroughAnyOfItsVariables_data() {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<bool>("found");
        QTest::newRow("none") << QString() << false;
        QTest::newRow("X11") << "DISPLAY" << true;
        QTest::newRow("Wayland") << "WAYLAND_DISPLAY" << true;
        QTest::newRow("chosen platform") << "QT_QPA_PLATFORM" << true;
    }
    void aDisplayIsFoundThroughAnyOfItsVariables() {
        QFETCH(QString, variable);
        QFETCH(bool, found);
        const QByteArray saved[] = {qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"),
                                    qgetenv("QT_QPA_PLATFORM")};
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            qunsetenv(name);
        }
        if (!variable.isEmpty()) {
            qputenv(variable.toLatin1().constData(), "x");
        }
        const bool available = experiment::displayAvailable();
        qunsetenv(variable.toLatin1().constData());
        int i = 0;
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            if (!saved[i].isEmpty()) {
                qputenv(name, saved[i]);
            }
            ++i;
        }
        QCOMPARE(available, found);
    }

    void withoutADisplayTheProgramSaysHowToRunIt() {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(JANKEN_EXECUTABLE), {});
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        const QString message = QString::fromLocal8Bit(program.readAllStandardError());
        QCOMPARE(message.count(QLatin1Char('\n')), 1);
        QVERIFY2(message.contains(QLatin1String("xvfb-run")), qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
