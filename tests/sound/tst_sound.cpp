// The chimes on the real sound device, in processes of their own: run with
// "--driver chimes" or "--driver exit", the test is the program under test.
// A chime that cannot be played (no file, no sound server) is silence that
// is said once, and the commands go on with their steps; and with a private
// PulseAudio server playing, ending while the exit chime plays is always clean.
#include "support/fakes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// 初期化 twice and HELP, each completing, then 終了 answered はい; or 終了
// answered はい at once. The status is 0 only on a normal return from main
// after the whole program has ended.
int drive(int argc, char **argv) {
    QApplication app(argc, argv);
    Form1 form;
    form.show();
    form.setQuestion([](QWidget *, const QString &, const QString &) { return 6; });
    bool whole = true;
    QTimer::singleShot(0, &form, [&] {
        for (int i = 0; qstrcmp(argv[2], "chimes") == 0 && i < 2; ++i) {
            form.Command4_Click();
            form.Command5_Click();
            whole = whole && form.helpWindow() &&
                    form.findChild<QLabel *>(QStringLiteral("hanntei1"))->text().isEmpty();
        }
        form.Command6_Click();
    });
    return QApplication::exec() + (whole ? 0 : 3) + (form.isVisible() ? 5 : 0);
}

struct Outcome {
    int status;
    qint64 ms;
    QString errors;
};

Outcome run(const QString &mode, const QString &folder, const QProcessEnvironment &env) {
    QProcess driver;
    driver.setProcessEnvironment(env);
    driver.setWorkingDirectory(folder);
    QElapsedTimer clock;
    clock.start();
    driver.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--driver"), mode});
    const bool ended = driver.waitForFinished(10000) && driver.exitStatus() == QProcess::NormalExit;
    const QStringList lines = QString::fromLocal8Bit(driver.readAllStandardError()).split(u'\n');
    return {ended ? driver.exitCode() : -1, clock.elapsed(),
            lines.filter(QStringLiteral("janken:")).join(u'\n')};
}

}  // namespace

class TestSound : public QObject {
    Q_OBJECT

    QTemporaryDir m_runtime;
    QProcess m_server;
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();

private slots:
    // A private PulseAudio server with a null sink, for the whole test.
    void initTestCase() {
        const QString pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (pulseaudio.isEmpty()) {
            QSKIP("pulseaudio is not installed (make test installs it)");
        }
        QFile::setPermissions(m_runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner);
        m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        m_env.insert(QStringLiteral("HOME"), m_runtime.path());
        m_env.remove(QStringLiteral("PULSE_SERVER"));
        m_server.setProcessEnvironment(m_env);
        m_server.start(pulseaudio, {"-n", "--daemonize=no", "--exit-idle-time=-1",
                                    "--load=module-null-sink sink_name=t",
                                    "--load=module-native-protocol-unix auth-anonymous=1"});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_runtime.filePath(QStringLiteral("pulse/native"))),
                                 10000);
    }
    void cleanupTestCase() {
        m_server.terminate();
        m_server.waitForFinished();
    }

    void silenceIsSaidOnceAndTheCommandsGoOn_data() {
        QTest::addColumn<QByteArray>("chime");  // what pinpon.wav and endpinpon.wav are
        QTest::addColumn<bool>("server");
        QTest::newRow("no chime files") << QByteArray() << true;
        QTest::newRow("not sound files") << QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16) << true;
        QTest::newRow("real chimes, no sound server") << QByteArray("chimes") << false;
    }
    void silenceIsSaidOnceAndTheCommandsGoOn() {
        QFETCH(QByteArray, chime);
        QFETCH(bool, server);
        QTemporaryDir folder;
        for (const char *name : {"pinpon.wav", "endpinpon.wav"}) {
            QFile file(folder.filePath(QLatin1String(name)));
            const QByteArray content =
                chime == "chimes"
                    ? QFile(QStringLiteral(JANKEN_APP_DIR "/") + QLatin1String(name)).readAll()
                    : chime;
            QVERIFY(chime.isNull() ||
                    (file.open(QIODevice::WriteOnly) && file.write(content) >= 0));
        }
        QProcessEnvironment env = m_env;
        if (!server) {
            env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
            env.insert(QStringLiteral("ALSA_CONFIG_PATH"),
                       folder.filePath(QStringLiteral("none")));  // nor ALSA
        }
        const Outcome outcome = run(QStringLiteral("chimes"), folder.path(), env);
        QCOMPARE(outcome.status, 0);
        QCOMPARE(outcome.errors.count(u'\n'), 0);
        QVERIFY2(outcome.errors.startsWith(QLatin1String("janken: the chimes are silent")),
                 qPrintable(outcome.errors));
    }

    void endingWhileTheExitChimePlaysIsClean() {
        for (int i = 0; i < 200; ++i) {
            const Outcome outcome =
                run(QStringLiteral("exit"), QStringLiteral(JANKEN_APP_DIR), m_env);
            QVERIFY2(outcome.status == 0 && outcome.ms < 2000 && outcome.errors.isEmpty(),
                     qPrintable(QStringLiteral("run %1: status %2 after %3 ms; %4")
                                    .arg(i)
                                    .arg(outcome.status)
                                    .arg(outcome.ms)
                                    .arg(outcome.errors)));
        }
    }
};

int main(int argc, char **argv) {
    if (argc == 3 && qstrcmp(argv[1], "--driver") == 0) {
        return drive(argc, argv);
    }
    QApplication app(argc, argv);
    TestSound test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sound.moc"
