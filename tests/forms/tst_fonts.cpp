// The type as laid out. With Ume P Gothic, drawn to the named face's widths
// and line heights, every help line fits the canvas and 29 lines its height;
// run again with only the IPAPGothic fallback installed, the known overflow
// shows instead. Bold really comes out bold.
#include "forms/canvas.h"
#include "forms/fonts.h"
#include "help/form4.h"
#include "help/helptext.h"
#include "mainwindow/form1.h"

#include <QFontInfo>
#include <QPainter>
#include <QTest>

class TestFonts : public QObject {
    Q_OBJECT

private slots:
    // Per face: line heights at 15, 16 and 21 px, "0.333" in the 21-px bold
    // face, and the widest help line in the canvas's font, with its number.
    void theFaceHasItsFigures() {
        const QString face = QFontInfo(forms::gothicFont(15)).family();
        QVERIFY2(face == u"Ume P Gothic" || face == u"IPAPGothic", qPrintable(face));
        Form4 help;
        help.bringUp();
        help.Form_Activate();
        const QFontMetrics canvas(help.canvas()->font());
        QList<int> figures, widths;
        for (int pixels : {15, 16, 21}) {
            figures << QFontMetrics(forms::gothicFont(pixels)).height();
        }
        figures << QFontMetrics(forms::gothicFont(21, true)).horizontalAdvance("0.333");
        for (const QString &line : help::helpLines()) {
            widths << canvas.horizontalAdvance(line);
        }
        const auto widest = std::max_element(widths.begin(), widths.end());
        figures << *widest << int(widest - widths.begin()) + 1;
        const bool ume = face == u"Ume P Gothic";
        QCOMPARE(figures, (ume ? QList{15, 16, 21, 46, 549, 14} : QList{16, 17, 22, 58, 591, 27}));
        // The canvas takes every line whole in Ume P Gothic; the fallback overflows.
        const QSize area = help.canvas()->contentsRect().size();
        QCOMPARE(*widest <= area.width() && 29 * canvas.height() <= area.height(), ume);
        QCOMPARE(help.canvas()->toPixel(help.canvas()->current()).y(), 29 * canvas.height());
    }

    // Labels and the five large buttons: markedly more ink than the regular weight.
    void boldComesOutBold() {
        const Form1 form;
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
            const QFont font = form.findChild<QWidget *>(QLatin1String(name))->font();
            QVERIFY2(font.weight() == QFont::Bold &&
                         ink(font, QFont::Bold) > 1.4 * ink(font, QFont::Normal),
                     name);
        }
    }
};

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
