// Starting the program: without a display it explains itself in one line
// instead of letting the toolkit abort.
#include "experiment/form1.h"
#include "experiment/program.h"
#include "sound/deviceloader.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

class TestProgram : public QObject {
    Q_OBJECT

private slots:
    // Start-up maps only what the main window needs; the chime player, Qt
    // Multimedia and the image-format plugins wait for a later command.
    void theShownMainWindowHasLoadedNothingOnlyALaterCommandNeeds_data() {
        QTest::addColumn<QString>("library");
        QTest::newRow("chime player") << "libjanken_sound";
        QTest::newRow("Qt Multimedia") << "libQt6Multimedia";
        QTest::newRow("Qt Network") << "libQt6Network";
        QTest::newRow("sound server client") << "libpulse";
        QTest::newRow("image-format plugins") << "/imageformats/";
    }
    void theShownMainWindowHasLoadedNothingOnlyALaterCommandNeeds() {
        QFETCH(QString, library);
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QString mapped = QString::fromLocal8Bit(maps.readAll());
        QVERIFY(mapped.contains(QLatin1String("libQt6Widgets")));  // the check can see libraries
        QVERIFY2(!mapped.contains(library), qPrintable(library + QLatin1String(" is loaded")));
    }

    // This test program has no chime player beside it: the experiment goes
    // on in silence rather than failing.
    void withoutTheChimePlayerAChimeIsSilentNotFatal() {
        QVERIFY(!QFile::exists(QCoreApplication::applicationDirPath() +
                               QLatin1String("/libjanken_sound.so")));
        auto device = sound::createChimeDevice();
        QVERIFY(device);
        device->setFileName(QStringLiteral("pinpon.wav"));
        device->command(QStringLiteral("Open"));
        device->command(QStringLiteral("Sound"));
        QVERIFY(sound::createChimeDevice());  // asked again, still a device
    }

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

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
