// The help window: 29 lines printed exactly as stored, one copy however
// often the window is activated, and "閉じる" back to the main window.
#include "experiment/form1.h"
#include "graph/canvas.h"
#include "help/form4.h"
#include "help/helptext.h"
#include "support/fakes.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace {

constexpr QChar kIdeographicSpace(0x3000);

int leadingSpaces(const QString &line) {
    int n = 0;
    while (n < line.size() && line[n] == kIdeographicSpace) {
        ++n;
    }
    return n;
}

bool isHeading(const QString &line) {
    return line.contains(QChar(0x3010));
}  // 【

// Rows of the canvas image with any ink.
QList<int> inkedRows(const QImage &image) {
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != 0xFFFFFFFFu) {
                rows << y;
                break;
            }
        }
    }
    return rows;
}

}  // namespace

class TestHelp : public QObject {
    Q_OBJECT

private slots:
    void theTextHasItsTwentyNineLinesAndTwoSections() {
        const QStringList &lines = help::helpLines();
        QCOMPARE(lines.size(), 29);
        QVERIFY(lines[0].isEmpty());
        QVERIFY(lines[20].isEmpty());
        QCOMPARE(lines[1], QStringLiteral(u"\u3000【問\u3000\u3000題】"));
        QCOMPARE(lines[21], QStringLiteral(u"\u3000【操作方法】"));
        QVERIFY(lines[28].endsWith(QStringLiteral(u"実験を最初からやり直せます。")));
    }

    // A heading is indented by one ideographic space, a paragraph's first
    // line (after a heading or a finished sentence) by eight, its other
    // lines by seven.
    void indentationFollowsTheParagraphs() {
        const QStringList &lines = help::helpLines();
        for (int i = 1; i < lines.size(); ++i) {
            const QString &line = lines[i];
            if (line.isEmpty()) {
                continue;
            }
            const QString &previous = lines[i - 1];
            const int expected = isHeading(line)                                           ? 1
                                 : isHeading(previous) || previous.endsWith(QChar(0x3002)) ? 8
                                                                                           : 7;
            QVERIFY2(leadingSpaces(line) == expected, qPrintable(QString::number(i + 1)));
        }
    }

    void theSpecialCharactersStandWhereTheyBelong() {
        const QStringList &lines = help::helpLines();
        for (int i = 0; i < lines.size(); ++i) {
            const int number = i + 1;
            const int ascii = int(lines[i].count(QLatin1Char(' ')));
            QCOMPARE(ascii, number == 19 ? 2 : (number == 15 || number == 16) ? 1 : 0);
            const int halfwidthCommas = int(lines[i].count(QChar(0xFF64)));
            QCOMPARE(halfwidthCommas, number == 27 ? 3 : 0);
            if (number == 27) {
                QVERIFY(!lines[i].contains(QChar(0x3001)));
            }
            for (QChar c : lines[i]) {  // digits, letters, signs: full width
                QVERIFY2(!c.isLetterOrNumber() || c.unicode() > 0x7F, qPrintable(lines[i]));
            }
        }
        QVERIFY(lines[14].contains(QStringLiteral(u"数学的には ９／２７、")));
        QVERIFY(lines[15].contains(QStringLiteral(u"１／３＝０．３３３ になります。")));
        QVERIFY(lines[18].contains(QStringLiteral(u"確率の １／３ との")));
        QVERIFY(lines[22].contains(QStringLiteral(u"［ポン］")));
    }

    void everyActivationPrintsOneWholeCopy() {
        Form4 window;
        QCOMPARE(window.windowTitle(), QStringLiteral(u" じゃんけん＿ヘルプ（設問と操作方法）"));
        QCOMPARE(window.size(), QSize(569, 498));
        Canvas *canvas = window.canvas();
        QCOMPARE(canvas->contentsRect().size(), QSize(549, 453));
        window.Form_Activate();
        QCOMPARE(canvas->printedLines(), 29);
        const QImage once = canvas->snapshot();
        window.Form_Activate();
        window.Form_Activate();
        QCOMPARE(canvas->printedLines(), 29);
        QCOMPARE(canvas->snapshot(), once);

        // The first line is empty, and the last stands whole above the
        // bottom: 29 lines of 15 pixels.
        const QList<int> rows = inkedRows(once);
        QVERIFY(!rows.isEmpty());
        QVERIFY(rows.first() >= 15);
        QVERIFY(rows.last() < 29 * 15 + 4);
        QVERIFY(rows.last() > 28 * 15);
        QVERIFY(rows.last() < 453);
    }

    void closingBringsTheMainWindowBack() {
        testing::ScriptedForm t;
        t.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.form.get()));
        t.form->Command5_Click();
        QPointer<Form4> help = t.form->helpWindow();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        help->Command1_Click();
        QVERIFY(t.form->isVisible());
        QTRY_VERIFY(!help);  // unloaded
        QVERIFY(!t.form->helpWindow());
        QTRY_COMPARE(QApplication::activeWindow(), t.form.get());
        // The main window's start-up steps do not run again.
        QVERIFY(t.child<QPushButton>("Command1")->isEnabled());
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
