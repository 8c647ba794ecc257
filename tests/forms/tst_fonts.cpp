// The type as laid out. With Ume P Gothic, drawn to the named face's widths
// and line heights, every help line fits the canvas and 29 lines its height;
// run again with only the IPAPGothic fallback installed, the known overflow
// shows instead. Bold really comes out bold.
#include "forms/canvas.h"
#include "forms/fonts.h"
#include "help/form4.h"
#include "help/helptext.h"
#include "support/testing.h"

#include <QFontInfo>
#include <QPainter>
#include <QTest>

class TestFonts : public QObject {
    Q_OBJECT

private slots:
    // Per face: line heights at 15, 16 and 21 px, "0.333" in the 21-px bold
    // face, and the widest help line in the canvas's font, with its number.
    void theFaceHasItsFigures() {
        const bool ume = QFontInfo(forms::gothicFont(15)).family() == u"Ume P Gothic";
        QVERIFY(ume || QFontInfo(forms::gothicFont(15)).family() == u"IPAPGothic");
        Form4 help;
        help.bringUp();
        help.Form_Activate();
        const QFontMetrics canvas(help.canvas()->font());
        QList<int> figures;
        for (int pixels : {15, 16, 21}) {
            figures << QFontMetrics(forms::gothicFont(pixels)).height();
        }
        figures
            << QFontMetrics(forms::gothicFont(21, true)).horizontalAdvance(QStringLiteral("0.333"))
            << 0 << 0;
        for (qsizetype i = 0; i < help::helpLines().size(); ++i) {
            figures[4] = std::max(figures[4], canvas.horizontalAdvance(help::helpLines()[i]));
            figures[5] = figures[4] == canvas.horizontalAdvance(help::helpLines()[i]) ? int(i) + 1
                                                                                      : figures[5];
        }
        const QList<int> expected =
            ume ? QList<int>{15, 16, 21, 46, 549, 14} : QList<int>{16, 17, 22, 58, 591, 27};
        QCOMPARE(figures, expected);
        // The canvas takes every line whole in Ume P Gothic; the fallback overflows.
        const QSize area = help.canvas()->contentsRect().size();
        QCOMPARE(figures[4] <= area.width() && 29 * canvas.height() <= area.height(), ume);
        QCOMPARE(help.canvas()->toPixel(help.canvas()->current()).y(), 29 * canvas.height());
    }

    // Labels and the five large buttons: markedly more ink than the regular weight.
    void boldComesOutBold() {
        testing::ScriptedForm t;
        const auto ink = [](QFont font, int weight) {
            QImage image(200, 40, QImage::Format_Grayscale8);
            image.fill(Qt::white);
            font.setWeight(QFont::Weight(weight));
            QPainter painter(&image);
            painter.setFont(font);
            painter.drawText(4, 30, QStringLiteral(u"Ａ一人勝ち"));
            painter.end();
            return std::count_if(image.constBits(), image.constBits() + image.sizeInBytes(),
                                 [](uchar v) { return v < 128; });
        };
        for (const char *name : {"Label5", "hanntei1", "Label4", "Command1", "Command8"}) {
            const QFont font = t.child(QLatin1String(name))->font();
            QVERIFY2(font.weight() == QFont::Bold &&
                         ink(font, QFont::Bold) > 1.4 * ink(font, QFont::Normal),
                     name);
        }
    }
};

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
