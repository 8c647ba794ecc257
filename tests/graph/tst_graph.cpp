// The ratio graph, checked on the canvas's pixels at the mapped coordinates.
#include "experiment/judgement.h"
#include "graph/canvas.h"
#include "graph/form2.h"
#include "support/fakes.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

void clearState() {
    Module1::aikorecord.fill(0);
    Module1::abc1katirecord.fill(0);
    Module1::abc1makerecord.fill(0);
    Module1::aikocount = Module1::abc1katicount = Module1::abc1makecount = 0;
    Module1::recordfull = 0;
}

// Draws the graph of the current state in a fresh window.
QImage drawn(Form2 &window) {
    window.Form_Activate();
    return window.canvas()->snapshot();
}

QColor colourAt(const Form2 &window, const QImage &image, qreal x, qreal y) {
    return image.pixelColor(window.canvas()->toPixel({x, y}));
}

// Whether a (possibly anti-aliased) text pixel is of the given ink.
bool inkLike(const QColor &pixel, const QColor &ink) {
    const int r = pixel.red(), g = pixel.green(), b = pixel.blue();
    if (ink == kBlack) {
        return r < 90 && g < 90 && b < 90;
    }
    if (ink == kGreen) {
        return g > r + 50 && g > b + 50;
    }
    if (ink == kBlue) {
        return b > r + 90 && b > g + 90;
    }
    return r > g + 90 && r > b + 90;
}

// The highest row of a given colour in one pixel column, or -1.
int topOf(const QImage &image, int column, const QColor &colour) {
    for (int y = 0; y < image.height(); ++y) {
        if (image.pixelColor(column, y) == colour) {
            return y;
        }
    }
    return -1;
}

}  // namespace

class TestGraph : public QObject {
    Q_OBJECT

private slots:
    void init() { clearState(); }

    void theCanvasMapsElevenHundredByOneHundredTwenty() {
        Form2 window;
        const Canvas *c = window.canvas();
        QCOMPARE(c->contentsRect().size(), QSize(629, 317));
        QCOMPARE(c->toPixel({0, 0}), QPoint(0, 0));
        QCOMPARE(c->toPixel({1100, 120}), QPoint(629, 317));  // the far edges
        QCOMPARE(c->toPixel({100, 110}), QPoint(57, 290));
        QCOMPARE(window.size(), QSize(650, 378));
        QCOMPARE(window.windowTitle(), QStringLiteral(u" グラフ"));
    }

    void atProgramStartOneRedPointSitsOnTheAxis() {
        Form2 window;
        const QImage image = drawn(window);
        QCOMPARE(colourAt(window, image, 101, 110), kRed);
        QCOMPARE(colourAt(window, image, 100, 50), kBlack);   // vertical axis
        QCOMPARE(colourAt(window, image, 600, 110), kBlack);  // horizontal axis
        QCOMPARE(colourAt(window, image, 95, 30), kBlack);    // a ratio tick
        QCOMPARE(colourAt(window, image, 500, 111), kBlack);  // a count tick
        QCOMPARE(colourAt(window, image, 105, 77), kBlack);   // a dash of 0.33
        QCOMPARE(colourAt(window, image, 1085, 77), kBlack);  // the last dash
        QCOMPARE(colourAt(window, image, 115, 77), kWhite);   // a gap
        QCOMPARE(colourAt(window, image, 1095, 77), kWhite);  // after the last dash
        // x = 101 shares its pixel column with the axis: the axis shows there.
        QCOMPARE(colourAt(window, image, 101, 10), kBlack);
    }

    void theFirstRoundsPlaceTheFirstPoints_data() {
        QTest::addColumn<QString>("rounds");  // d draw, w alone wins, l alone loses
        QTest::addColumn<QColor>("top");      // colour at (101, 10)
        QTest::addColumn<QColor>("middle");   // colour at (101, 60)
        QTest::addColumn<QColor>("axis");     // colour at (101, 110)
        // Where no point lies, the vertical axis (x = 100, same pixel column).
        QTest::newRow("a draw") << "d" << kGreen << kBlack << kRed;
        QTest::newRow("an alone-win") << "w" << kBlue << kBlack << kRed;
        QTest::newRow("an alone-loss") << "l" << kRed << kBlack << kBlue;
        QTest::newRow("a draw, then an alone-win") << "dw" << kBlack << kBlue << kRed;
    }
    void theFirstRoundsPlaceTheFirstPoints() {
        QFETCH(QString, rounds);
        QFETCH(QColor, top);
        QFETCH(QColor, middle);
        QFETCH(QColor, axis);
        testing::ScriptedForm t;
        for (QChar r : rounds) {
            if (r == QLatin1Char('d')) {
                t.play(1, 1, 1);
            } else if (r == QLatin1Char('w')) {
                t.play(1, 2, 2);
            } else {
                t.play(2, 1, 1);
            }
        }
        Form2 window;
        const QImage image = drawn(window);
        QCOMPARE(colourAt(window, image, 101, 10), top);
        QCOMPARE(colourAt(window, image, 101, 60), middle);
        QCOMPARE(colourAt(window, image, 101, 110), axis);
    }

    // Each curve runs from x = 101 to 100 + its last entry: the counter while
    // the experiment is open, one less once it is full.
    void curvesEndAtTheirLastEntry_data() {
        QTest::addColumn<int>("full");
        QTest::addColumn<int>("aiko");
        QTest::addColumn<int>("kati");
        QTest::addColumn<int>("make");
        QTest::newRow("two draws") << 0 << 2 << 0 << 0;
        QTest::newRow("300 rounds") << 0 << 104 << 97 << 99;
        QTest::newRow("full") << 1 << 999 << 980 << 972;
        QTest::newRow("full after the extra round") << 1 << 1000 << 980 << 972;
    }
    void curvesEndAtTheirLastEntry() {
        QFETCH(int, full);
        QFETCH(int, aiko);
        QFETCH(int, kati);
        QFETCH(int, make);
        Module1::recordfull = std::int16_t(full);
        Module1::aikocount = std::int16_t(aiko);
        Module1::abc1katicount = std::int16_t(kati);
        Module1::abc1makecount = std::int16_t(make);
        // The curves settle at different heights so that they never share a
        // pixel near their ends; each last entry jumps to the top (ratio 1),
        // so a curve drawn one entry too far shows a spike.
        const std::array<std::pair<Module1::RatioHistory *, int>, 3> curves{
            {{&Module1::aikorecord, aiko},
             {&Module1::abc1katirecord, kati},
             {&Module1::abc1makerecord, make}}};
        const std::array<float, 3> level{0.2f, 0.45f, 0.7f};
        const std::array<QColor, 3> colour{kGreen, kBlue, kRed};
        for (std::size_t i = 0; i < 3; ++i) {
            const int last = full ? curves[i].second - 1 : curves[i].second;
            for (int k = 1; k <= 1000; ++k) {
                (*curves[i].first)[std::size_t(k)] = level[i];
            }
            if (last >= 1) {
                (*curves[i].first)[std::size_t(last)] = 1.0f;      // the last entry drawn
                (*curves[i].first)[std::size_t(last + 1)] = 0.0f;  // the one not drawn
            }
        }
        Form2 window;
        const QImage image = drawn(window);
        for (std::size_t i = 0; i < 3; ++i) {
            const int last = full ? curves[i].second - 1 : curves[i].second;
            if (last < 2) {
                continue;  // a single point, checked elsewhere
            }
            const int column = window.canvas()->toPixel({qreal(100 + last), 0}).x();
            QVERIFY2(topOf(image, column, colour[i]) == window.canvas()->toPixel({0, 10}).y(),
                     qPrintable(QStringLiteral("curve %1 does not reach its last entry").arg(i)));
            // Nothing of the curve to the right of its last entry's column,
            // and no drop to the entry after it.
            const int next = window.canvas()->toPixel({qreal(100 + last + 1), 0}).x();
            if (next != column && next < image.width()) {
                QCOMPARE(topOf(image, next, colour[i]), -1);
            }
            QVERIFY(image.pixelColor(column, window.canvas()->toPixel({0, 109}).y()) != colour[i]);
        }
    }

    void activatingAgainWithoutRoundsChangesNoPixel() {
        testing::ScriptedForm t;
        for (int i = 0; i < 30; ++i) {
            t.play(std::int16_t(i % 3 + 1), std::int16_t(i / 3 % 3 + 1),
                   std::int16_t(i / 9 % 3 + 1));
        }
        Form2 window;
        const QImage first = drawn(window);
        window.Form_Activate();
        window.Form_Activate();
        QCOMPARE(window.canvas()->snapshot(), first);
    }

    // Rounds played between two activations: the picture is exactly what a
    // fresh window draws, with no end segment of the earlier picture left.
    void activatingAfterMoreRoundsLeavesNoStaleSegment() {
        testing::ScriptedForm t;
        for (int i = 0; i < 12; ++i) {
            t.play(std::int16_t(i % 3 + 1), std::int16_t(i / 3 % 3 + 1), 2);
        }
        Form2 window;
        drawn(window);
        t.play(1, 2, 2);
        t.play(3, 3, 3);
        t.play(2, 1, 1);
        window.Form_Activate();
        Form2 fresh;
        QCOMPARE(window.canvas()->snapshot(), drawn(fresh));
    }

    void afterAResetNothingOfTheEarlierExperimentShows() {
        testing::ScriptedForm t;
        t.play(1, 1, 1);  // the draws' entry 1 = 1
        t.play(1, 2, 2);
        t.form->Command4_Click();
        Form2 window;
        const QImage image = drawn(window);
        QCOMPARE(colourAt(window, image, 101, 110), kRed);
        QCOMPARE(colourAt(window, image, 101, 10), kBlack);  // only the axis
        QCOMPARE(colourAt(window, image, 101, 60), kBlack);
        // Once the draw occurs again, entry 1 is the new experiment's.
        t.play(2, 2, 2);
        const QImage after = drawn(window);
        QCOMPARE(colourAt(window, after, 101, 10), kGreen);
    }

    void theLegendAndLabelsArePrinted() {
        Form2 window;
        const QImage image = drawn(window);
        const auto inked = [&](QRect area, const QColor &colour) {
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    if (inkLike(image.pixelColor(x, y), colour)) {
                        return true;
                    }
                }
            }
            return false;
        };
        const Canvas *c = window.canvas();
        const auto textArea = [c](qreal x, qreal y) {
            return QRect(c->toPixel({x, y}), QSize(60, 10));
        };
        QVERIFY(!inked(textArea(130, 20), kBlue));
        QVERIFY(inked(textArea(130, 20), kGreen));   // (緑色 → あ  い  こ)
        QVERIFY(inked(textArea(130, 25), kBlue));    // (青色 → 一人勝ち)
        QVERIFY(inked(textArea(130, 30), kRed));     // (赤色 → 一人負け)
        QVERIFY(inked(textArea(950, 100), kBlack));  // (横軸は回数)
        QVERIFY(inked(textArea(480, 112), kBlack));  // 400
        QVERIFY(inked(textArea(60, 75), kBlack));    // 0.33
    }

    void closingUnloadsTheWindow() {
        Form2 window;
        window.show();
        QSignalSpy unloaded(&window, &Form2::unloaded);
        window.Command1_Click();
        QCOMPARE(unloaded.count(), 1);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestGraph)
#include "tst_graph.moc"
