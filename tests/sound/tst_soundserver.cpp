// The chime against a real sound server: a private PulseAudio server with a
// null sink. Heard when asked for, and the program's end never crashes or
// hangs, even while the chime's file is still loading.
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestSoundServer : public QObject {
    Q_OBJECT

    QTemporaryDir m_runtime;
    QProcess m_server;
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();

    // Runs the driver from the folder that holds the chimes.
    std::pair<int, qint64> runDriver(const QString &mode) {
        QProcess driver;
        driver.setProcessEnvironment(m_env);
        driver.setWorkingDirectory(QStringLiteral(JANKEN_APP_DIR));
        QElapsedTimer clock;
        clock.start();
        driver.start(QStringLiteral(CHIME_DRIVER), {mode});
        if (!driver.waitForFinished(10000)) {
            driver.kill();
            driver.waitForFinished();
            return {-1, clock.elapsed()};
        }
        const int code = driver.exitStatus() == QProcess::NormalExit ? driver.exitCode() : -2;
        return {code, clock.elapsed()};
    }

private slots:
    void initTestCase() {
        const QString pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (pulseaudio.isEmpty()) {
            QSKIP(
                "pulseaudio is not installed (make test installs it); sound-server tests skipped");
        }
        QVERIFY(m_runtime.isValid());
        QDir(m_runtime.path()).mkdir(QStringLiteral("home"));
        m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        m_env.insert(QStringLiteral("HOME"), m_runtime.filePath(QStringLiteral("home")));
        m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_env.remove(QStringLiteral("PULSE_SERVER"));
        QFile::setPermissions(m_runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner);
        m_server.setProcessEnvironment(m_env);
        m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_server.start(pulseaudio,
                       {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                        QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--disallow-exit"),
                        QStringLiteral("--load=module-null-sink sink_name=t"),
                        QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1")});
        const QString socket = m_runtime.filePath(QStringLiteral("pulse/native"));
        QElapsedTimer clock;
        clock.start();
        while (!QFile::exists(socket) && clock.elapsed() < 10000 &&
               m_server.state() != QProcess::NotRunning) {
            m_server.waitForFinished(50);
        }
        if (!QFile::exists(socket)) {
            QSKIP("the private PulseAudio server did not start; sound-server tests skipped");
        }
    }

    void cleanupTestCase() {
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            if (!m_server.waitForFinished(5000)) {
                m_server.kill();
                m_server.waitForFinished();
            }
        }
    }

    void theResetChimeStartsPlaying() {
        const auto [code, ms] = runDriver(QStringLiteral("listen"));
        QCOMPARE(code, 0);
        Q_UNUSED(ms);
    }

    // quit: the reset's chime, then the event loop left at once;
    // exit: "終了" answered はい at once, with the graph and help windows open.
    void endingWhileTheChimeLoadsNeverCrashesOrHangs_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("quit after the reset") << "quit";
        QTest::newRow("はい at once") << "exit";
    }
    void endingWhileTheChimeLoadsNeverCrashesOrHangs() {
        QFETCH(QString, mode);
        for (int run = 0; run < 20; ++run) {
            const auto [code, ms] = runDriver(mode);
            QVERIFY2(code == 0, qPrintable(QStringLiteral("run %1: exit %2").arg(run).arg(code)));
            QVERIFY2(ms < 2000, qPrintable(QStringLiteral("run %1 took %2 ms").arg(run).arg(ms)));
        }
    }
};

QTEST_GUILESS_MAIN(TestSoundServer)
#include "tst_soundserver.moc"
