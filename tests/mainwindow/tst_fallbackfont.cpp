// Without the preferred faces ("ＭＳ Ｐゴシック", IPAPGothic) the window still
// lays out as designed, in a Japanese fallback face. The test runs with a
// font configuration that offers only IPAGothic.
#include "experiment/form1.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

class TestFallbackFont : public QObject {
    Q_OBJECT

private slots:
    void thePreferredFacesAreAbsent() {
        const QStringList families = QFontDatabase::families();
        QVERIFY2(!families.contains(QStringLiteral("IPAPGothic")), qPrintable(families.join(',')));
        QVERIFY(families.contains(QStringLiteral("IPAGothic")));
    }

    void theWindowLaysOutInAJapaneseFace_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("heading") << "Label5" << QRect(24, 272, 113, 25);
        QTest::newRow("judgement") << "hanntei2" << QRect(208, 160, 73, 25);
        QTest::newRow("button") << "Command1" << QRect(328, 248, 121, 33);
        QTest::newRow("small button") << "Command4" << QRect(424, 0, 65, 25);
    }
    void theWindowLaysOutInAJapaneseFace() {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        Form1 form;
        form.show();
        QCOMPARE(form.size(), QSize(488, 497));
        auto *widget = form.findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), rect);
        const QFontInfo info(widget->font());
        QCOMPARE(info.family(), QStringLiteral("IPAGothic"));
        const QFontMetrics metrics(widget->font());
        for (char32_t c : {U'あ', U'勝', U'ン', U'Ａ', U'初'}) {
            QVERIFY(metrics.inFontUcs4(c));
        }
    }
};

QTEST_MAIN(TestFallbackFont)
#include "tst_fallbackfont.moc"
