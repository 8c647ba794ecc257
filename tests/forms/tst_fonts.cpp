// The type as laid out. With Ume P Gothic, drawn to the named face's widths
// and line heights, every help line fits the canvas and 29 lines fit its
// height; run again with only the IPAPGothic fallback installed, the known
// overflow shows instead. Bold really comes out bold.
#include "forms/canvas.h"
#include "forms/fonts.h"
#include "help/form4.h"
#include "help/helptext.h"
#include "support/fakes.h"

#include <QFontInfo>
#include <QPainter>
#include <QTest>

namespace {

// Dark pixels of a text drawn in a font.
int ink(const QString &text, const QFont &font) {
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(4, 30, text);
    painter.end();
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            dark += qGray(image.pixel(x, y)) < 128;
        }
    }
    return dark;
}

}  // namespace

class TestFonts : public QObject {
    Q_OBJECT

private slots:
    // Per face: line heights at 15, 16 and 21 px, "0.333" in the 21-px bold
    // face, and the widest help line at 15 px with its number.
    void theFaceHasItsFigures() {
        const QString family = QFontInfo(forms::gothicFont(15)).family();
        const QString expected = family == u"Ume P Gothic" ? QStringLiteral("15 16 21 46 549@14")
                                                           : QStringLiteral("16 17 22 58 591@27");
        QVERIFY2(family == u"Ume P Gothic" || family == u"IPAPGothic", qPrintable(family));
        Form4 help;
        help.bringUp();
        help.Form_Activate();
        const QFontMetrics canvas(help.canvas()->font());
        int widest = 0, line = 0;
        for (qsizetype i = 0; i < help::helpLines().size(); ++i) {
            const int width = canvas.horizontalAdvance(help::helpLines()[i]);
            std::tie(widest, line) =
                std::max(std::pair{widest, line}, std::pair{width, int(i) + 1});
        }
        const auto height = [](int pixels) {
            return QFontMetrics(forms::gothicFont(pixels)).height();
        };
        const int bold =
            QFontMetrics(forms::gothicFont(21, true)).horizontalAdvance(QStringLiteral("0.333"));
        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5@%6")
                     .arg(height(15))
                     .arg(height(16))
                     .arg(height(21))
                     .arg(bold)
                     .arg(widest)
                     .arg(line),
                 expected);
        // The canvas takes every line whole in Ume P Gothic; the fallback overflows.
        const QSize area = help.canvas()->contentsRect().size();
        QCOMPARE(widest <= area.width() && 29 * canvas.height() <= area.height(),
                 family == u"Ume P Gothic");
        QCOMPARE(help.canvas()->printedLines(), 29);
        QCOMPARE(help.canvas()->toPixel(help.canvas()->current()).y(), 29 * canvas.height());
    }

    // Labels and the five large buttons: markedly more ink than the regular weight.
    void boldComesOutBold() {
        testing::ScriptedForm t;
        for (const char *name : {"Label5", "hanntei1", "Label4", "Command1", "Command8"}) {
            QFont font = t.child(QLatin1String(name))->font(), regular = font;
            regular.setWeight(QFont::Normal);
            QVERIFY2(font.weight() == QFont::Bold &&
                         ink(QStringLiteral(u"Ａ一人勝ち"), font) >
                             1.4 * ink(QStringLiteral(u"Ａ一人勝ち"), regular),
                     name);
        }
    }
};

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
