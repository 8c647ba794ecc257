// Starting the program: its options, answered before any window and without
// a display (a chosen platform counts as one); one line that says how to run
// it when there is none; one version, the project's, in program and package.
#include <QFile>
#include <QProcess>
#include <QTest>

class TestProgram : public QObject {
    Q_OBJECT

private slots:
    // Rows: arguments | status | what standard output and standard error begin with.
    void theCommandLineIsAnsweredWithoutADisplay() {
        const QString version = QStringLiteral("janken " JANKEN_VERSION "\n");
        for (const QString &row : QStringList{
                 "--help|0|Usage: janken [options]|", "--version|0|" + version + "|",
                 "-v|0|" + version + "|", "-platform offscreen --version|0|" + version + "|",
                 "--bogus|2||janken: Unknown option 'bogus'.",
                 "-style fusion extra|2||janken: Unexpected argument 'extra'.",
                 "|1||janken: no display found"}) {
            const QStringList f = row.split(u'|');
            QProcess program;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
                env.remove(QString::fromLatin1(name));
            }
            program.setProcessEnvironment(env);
            program.start(QStringLiteral(JANKEN_EXECUTABLE), f[0].split(u' ', Qt::SkipEmptyParts));
            QVERIFY(program.waitForFinished(10000));
            const QString out = QString::fromLocal8Bit(program.readAllStandardOutput()),
                          err = QString::fromLocal8Bit(program.readAllStandardError());
            const bool outOk = f[2].isEmpty() ? out.isEmpty() : out.startsWith(f[2]);
            const bool errOk =
                f[3].isEmpty() ? err.isEmpty() : err.startsWith(f[3]) && err.count(u'\n') == 1;
            QVERIFY2(program.exitCode() == f[1].toInt() && outOk && errOk,
                     qPrintable(QStringLiteral("%1: status %2, out %3, err %4")
                                    .arg(row)
                                    .arg(program.exitCode())
                                    .arg(out, err)));
        }
    }

    void thePackageHasTheProgramsVersion() {
        QFile changelog(QStringLiteral(JANKEN_SOURCE_DIR "/debian/changelog"));
        QVERIFY(changelog.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(changelog.readLine()).section(u'(', 1).section(u')', 0, 0),
                 QStringLiteral(JANKEN_VERSION));
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
