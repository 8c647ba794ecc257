// The chime layer on a real QSoundEffect with no sound server reachable: a
// chime that cannot be heard never keeps the reset from its other steps.
#include "sound/effectdevice.h"
#include "sound/mmcontrol.h"
#include "support/fakes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

class TestEffectDevice : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_startDir;

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_startDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }
    void cleanupTestCase() { QDir::setCurrent(m_startDir); }
    void init() {
        for (const QString &name :
             QDir(m_dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile::remove(m_dir.filePath(name));
            QDir(m_dir.filePath(name)).removeRecursively();
        }
    }

    void aBareNameIsFoundInTheWorkingDirectory() {
        QVERIFY(QFile::copy(QStringLiteral(JANKEN_APP_DIR "/pinpon.wav"),
                            m_dir.filePath("pinpon.wav")));
        sound::EffectDevice device;
        device.setFileName(QStringLiteral("pinpon.wav"));
        device.command(QStringLiteral("Open"));
        QVERIFY(device.current());
        QCOMPARE(device.current()->source(), QUrl::fromLocalFile(m_dir.filePath("pinpon.wav")));
        device.command(QStringLiteral("Sound"));
        QTRY_VERIFY_WITH_TIMEOUT(device.current()->status() != QSoundEffect::Loading, 5000);
        QCOMPARE(device.current()->status(), QSoundEffect::Ready);
        device.command(QStringLiteral("Close"));
        QVERIFY(!device.current());
    }

    // Reopening a file uses the effect it already has, so no effect is ever
    // destroyed while it loads.
    void reopeningKeepsOneEffectPerFile() {
        QVERIFY(QFile::copy(QStringLiteral(JANKEN_APP_DIR "/pinpon.wav"),
                            m_dir.filePath("pinpon.wav")));
        sound::EffectDevice device;
        device.setFileName(QStringLiteral("pinpon.wav"));
        QSoundEffect *first = nullptr;
        for (int i = 0; i < 5; ++i) {
            for (const char *command : {"Stop", "Close", "Open", "Sound"}) {
                device.command(QString::fromLatin1(command));
            }
            first = first ? first : device.current();
            QCOMPARE(device.current(), first);
        }
        QCOMPARE(device.findChildren<QSoundEffect *>().size(), 1);
        // Qt shares a loading sample between effects of the same file; let
        // it finish so that later tests start from a settled cache.
        QTRY_VERIFY_WITH_TIMEOUT(first->status() != QSoundEffect::Loading, 5000);
    }

    void aResetCompletesWhateverTheChimeFile_data() {
        QTest::addColumn<QByteArray>("content");  // empty: no file at all
        QTest::addColumn<bool>("directory");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("empty file") << QByteArray("") << false;
        QTest::newRow("not a sound") << QByteArray("this is not a wave file\n") << false;
        QTest::newRow("truncated wave") << QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16) << false;
        QTest::newRow("a folder") << QByteArray() << true;
        QTest::newRow("a real chime, no server") << QByteArray("copy") << false;
    }
    void aResetCompletesWhateverTheChimeFile() {
        QFETCH(QByteArray, content);
        QFETCH(bool, directory);
        const QString path = m_dir.filePath("pinpon.wav");
        if (directory) {
            QVERIFY(QDir().mkdir(path));
        } else if (content == "copy") {
            QVERIFY(QFile::copy(QStringLiteral(JANKEN_APP_DIR "/pinpon.wav"), path));
        } else if (!content.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }

        testing::ScriptedForm t;
        auto *control = t.child<MMControl>("MMControl1");
        control->setDevice(std::make_unique<sound::EffectDevice>());
        t.play(1, 1, 2);
        QElapsedTimer clock;
        clock.start();
        t.form->Command4_Click();
        QVERIFY(clock.elapsed() < 2000);  // returns, whatever the file
        QCOMPARE(Module1::abc1makecount, 0);
        QVERIFY(t.child<QLabel>("abc1makew")->text().isEmpty());
        QVERIFY(t.child<QLabel>("hanntei3")->text().isEmpty());
        QVERIFY(t.child<QWidget>("paa3")->isVisibleTo(t.form.get()));

        // Let any load finish, then chime again: still no trouble.
        auto *device = dynamic_cast<sound::EffectDevice *>(control->device());
        QVERIFY(device);
        if (device->current()) {
            QTRY_VERIFY_WITH_TIMEOUT(device->current()->status() != QSoundEffect::Loading, 5000);
        }
        t.play(2, 2, 2);
        t.form->Command4_Click();
        QVERIFY(t.child<QLabel>("aikolabel")->text().isEmpty());
    }
};

QTEST_MAIN(TestEffectDevice)
#include "tst_effectdevice.moc"
