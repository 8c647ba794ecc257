// The chimes on the real sound device, in processes of their own: run with
// "--driver chimes" or "--driver exit", the test is the program under test.
// A chime that cannot be played (no file, no sound server) is silence said
// once, and the commands go on; with a private PulseAudio server playing,
// ending while the exit chime plays is always clean.
#include "mainwindow/form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestSound : public QObject {
    Q_OBJECT

    QTemporaryDir m_runtime;
    QProcess m_server;
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();

    // The driver's status, and what it said on standard error, in a folder.
    std::pair<int, QString> drive(const QString &mode, const QString &folder,
                                  const QProcessEnvironment &env) {
        QProcess driver;
        driver.setProcessEnvironment(env);
        driver.setWorkingDirectory(folder);
        QElapsedTimer clock;
        clock.start();
        driver.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--driver"), mode});
        const bool ended = driver.waitForFinished(10000) &&
                           driver.exitStatus() == QProcess::NormalExit && clock.elapsed() < 2000;
        const QStringList said = QString::fromLocal8Bit(driver.readAllStandardError())
                                     .split(u'\n')
                                     .filter(QStringLiteral("janken:"));
        return {ended ? driver.exitCode() : -1, said.join(u'\n')};
    }

private slots:
    void initTestCase() {  // a private PulseAudio server with a null sink
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty(),
                 "make test installs pulseaudio");
        QFile::setPermissions(m_runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner);
        m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        m_env.insert(QStringLiteral("HOME"), m_runtime.path());
        m_env.remove(QStringLiteral("PULSE_SERVER"));
        m_server.setProcessEnvironment(m_env);
        m_server.start(
            QStringLiteral("pulseaudio"),
            {"-n", "--daemonize=no", "--exit-idle-time=-1", "--load=module-null-sink sink_name=t",
             "--load=module-native-protocol-unix auth-anonymous=1"});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_runtime.filePath(QStringLiteral("pulse/native"))),
                                 10000);
    }
    void cleanupTestCase() { m_server.terminate(), m_server.waitForFinished(); }

    // Rows: what pinpon.wav and endpinpon.wav hold (none: not there), and
    // whether a sound server (or even ALSA) can be reached.
    void silenceIsSaidOnceAndTheCommandsGoOn() {
        for (const QString row : {"none|server", "RIFF0000WAVEfmt |server", "chimes|none"}) {
            QTemporaryDir folder;
            QProcessEnvironment env = m_env;
            for (const char *name : {"pinpon.wav", "endpinpon.wav"}) {
                QFile file(folder.filePath(QLatin1String(name)));
                QVERIFY(!row.startsWith(u'R') ||
                        (file.open(QIODevice::WriteOnly) && file.write(row.toLatin1().chopped(7))));
            }
            if (row.endsWith(u"none")) {
                env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
                env.insert(QStringLiteral("ALSA_CONFIG_PATH"),
                           folder.filePath(QStringLiteral("none")));
            }
            const auto [status, said] =
                drive(QStringLiteral("chimes"),
                      row.endsWith(u"none") ? JANKEN_APP_DIR : folder.path(), env);
            QVERIFY2(
                status == 0 && said.startsWith(QLatin1String("janken: the chimes are silent")) &&
                    !said.contains(u'\n'),
                qPrintable(row + QStringLiteral(": status %1, said %2").arg(status).arg(said)));
        }
    }

    void endingWhileTheExitChimePlaysIsClean() {
        for (int run = 0; run < 200; ++run) {
            const auto [status, said] =
                drive(QStringLiteral("exit"), QStringLiteral(JANKEN_APP_DIR), m_env);
            QVERIFY2(status == 0 && said.isEmpty(),
                     qPrintable(QStringLiteral("run %1: status %2 (-1: not within 2 s), said %3")
                                    .arg(run)
                                    .arg(status)
                                    .arg(said)));
        }
    }
};

// 初期化 twice and HELP, each whole, then 終了 answered はい; or 終了
// answered はい at once. Status 0 only for a normal return from main once the
// whole program has ended.
int main(int argc, char **argv) {
    QApplication app(argc, argv);
    if (argc != 3 || qstrcmp(argv[1], "--driver") != 0) {
        TestSound test;
        return QTest::qExec(&test, argc, argv);
    }
    Form1 form;
    form.show();
    form.setQuestion([](QWidget *, const QString &, const QString &) { return 6; });
    bool whole = true;
    QTimer::singleShot(0, &form, [&] {
        for (int i = 0; qstrcmp(argv[2], "chimes") == 0 && i < 2; ++i) {
            form.Command4_Click(), form.Command5_Click();
            whole = whole && form.helpWindow() &&
                    form.findChild<QLabel *>(QStringLiteral("hanntei1"))->text().isEmpty();
        }
        form.Command6_Click();
    });
    return QApplication::exec() + (whole ? 0 : 3) + (form.isVisible() ? 5 : 0);
}

#include "tst_sound.moc"
