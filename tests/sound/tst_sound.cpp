// The chimes on the real sound device. No chime file, a broken one or no
// sound server never keeps a command from its other steps; and with a
// private PulseAudio server playing, the program always ends cleanly and at
// once, even while a chime is starting. Run with "--driver quit|exit", the
// test is the program under test: the reset's chime then a quit, or 終了
// answered はい at once with every window open.
#include "support/fakes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The chime player library's entry point, linked into this test.
extern "C" sound::SoundDevice *janken_create_sound_device();

class TestSound : public QObject {
    Q_OBJECT

private slots:
    void aBrokenChimeLeavesTheResetWhole_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a sound") << QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16);
        QTest::newRow("a folder") << QByteArray("/");
        QTest::newRow("a chime, no server") << QByteArray("chime");
    }
    void aBrokenChimeLeavesTheResetWhole() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pinpon.wav"));
        if (content == "/") {
            QVERIFY(QDir().mkdir(path));
        } else if (content == "chime") {
            QVERIFY(QFile::copy(QStringLiteral(JANKEN_APP_DIR "/pinpon.wav"), path));
        } else if (!content.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        }
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());
        testing::ScriptedForm t;
        t.child<MMControl>(QStringLiteral("MMControl1"))
            ->setDevice(std::unique_ptr<sound::SoundDevice>(janken_create_sound_device()));
        t.play(1, 1, 2);
        QElapsedTimer clock;
        clock.start();
        t.form->Command4_Click();
        t.form->Command4_Click();
        QDir::setCurrent(before);
        QVERIFY(clock.elapsed() < 2000);
        t.child<MMControl>(QStringLiteral("MMControl1"))
            ->setDevice({});  // settles, with the window still whole
        QVERIFY(Module1::abc1makecount == 0 &&
                t.child<QLabel>(QStringLiteral("abc1makew"))->text().isEmpty());
    }

    void endingWhileAChimeStartsIsClean_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("quit after the reset's chime") << "quit";
        QTest::newRow("はい at once") << "exit";
    }
    void endingWhileAChimeStartsIsClean() {
        QFETCH(QString, mode);
        const QString pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (pulseaudio.isEmpty()) {
            QSKIP("pulseaudio is not installed (make test installs it)");
        }
        QTemporaryDir runtime;
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("HOME"), runtime.path());
        env.remove(QStringLiteral("PULSE_SERVER"));
        QProcess server;
        server.setProcessEnvironment(env);
        server.start(pulseaudio, {"-n", "--daemonize=no", "--exit-idle-time=-1",
                                  "--load=module-null-sink sink_name=t",
                                  "--load=module-native-protocol-unix auth-anonymous=1"});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(runtime.filePath(QStringLiteral("pulse/native"))),
                                 10000);
        for (int run = 0; run < 20; ++run) {
            QProcess driver;
            driver.setProcessEnvironment(env);
            driver.setWorkingDirectory(QStringLiteral(JANKEN_APP_DIR));
            QElapsedTimer clock;
            clock.start();
            driver.start(QCoreApplication::applicationFilePath(),
                         {QStringLiteral("--driver"), mode});
            const bool ended = driver.waitForFinished(5000);
            QVERIFY2(ended && driver.exitStatus() == QProcess::NormalExit &&
                         driver.exitCode() == 0 && clock.elapsed() < 2000,
                     qPrintable(QStringLiteral("run %1: status %2 after %3 ms")
                                    .arg(run)
                                    .arg(driver.exitCode())
                                    .arg(clock.elapsed())));
        }
        server.terminate();
        server.waitForFinished();
    }
};

int main(int argc, char **argv) {
    if (argc == 3 && qstrcmp(argv[1], "--driver") == 0) {
        QApplication app(argc, argv);
        const bool exit = qstrcmp(argv[2], "exit") == 0;
        Form1 form;
        form.show();
        QTimer::singleShot(0, &form, [&form, exit] {
            if (exit) {
                form.Command8_Click();
                form.Command5_Click();
                form.setQuestion([](QWidget *, const QString &, const QString &) { return 6; });
                form.Command6_Click();  // はい ends the process
            } else {
                form.Command4_Click();
                QApplication::quit();
            }
        });
        return QApplication::exec() + (exit ? 5 : 0);  // はい must not come back here
    }
    QApplication app(argc, argv);
    TestSound test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sound.moc"
