// The main window as the pupils see it: where every control stands, how it
// looks, which pictures show at start and how the focus moves.
#include "experiment/form1.h"
#include "mainwindow/imagecontrol.h"
#include "mainwindow/pictures.h"
#include "support/imagecompare.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <utility>

namespace {

enum class Look { Plain, Italic, Blue, Red };

// One line of the result table: its heading, count and ratio cells.
struct ResultRow {
    const char *heading;
    const char16_t *caption;
    const char *count;
    const char *ratio;
    int top;
    Look look;
};

constexpr ResultRow kResultRows[] = {
    {"Label4", u"あいこ", "aikolabel", "aikow", 240, Look::Italic},
    {"Label5", u"Ａ一人勝ち", "a1katilabel", "a1katiw", 272, Look::Blue},
    {"Label6", u"Ｂ一人勝ち", "b1katilabel", "b1katiw", 296, Look::Blue},
    {"Label7", u"Ｃ一人勝ち", "c1katilabel", "c1katiw", 320, Look::Blue},
    {"Label8", u"一人勝ち", "abc1katiLabel", "abc1katiw", 344, Look::Italic},
    {"Label12", u"Ａ一人負け", "a1makelabel", "a1makew", 376, Look::Red},
    {"Label11", u"Ｂ一人負け", "b1makelabel", "b1makew", 400, Look::Red},
    {"Label10", u"Ｃ一人負け", "c1makelabel", "c1makew", 424, Look::Red},
    {"Label9", u"一人負け", "abc1makelabel", "abc1makew", 448, Look::Italic},
};

// The other labels, all upright in the window's text colour and 73 x 25.
struct Cell {
    const char *name;
    const char16_t *caption;
    int left;
    int top;
};

constexpr Cell kOtherLabels[] = {
    {"Label1", u"Ａくん", 80, 128},  {"Label2", u"Ｂくん", 208, 128},
    {"Label3", u"Ｃくん", 336, 128}, {"hanntei1", u"", 80, 160},
    {"hanntei2", u"", 208, 160},     {"hanntei3", u"", 336, 160},
    {"Label13", u"回数", 136, 208},  {"Label14", u"割合", 208, 208},
};

struct Button {
    const char *name;
    const char16_t *caption;
    QRect rect;
    bool large;  // the command column's bold 16-pixel face
};

constexpr Button kButtons[] = {
    {"Command6", u"終了", {0, 0, 65, 25}, false},
    {"Command5", u"HELP", {360, 0, 65, 25}, false},
    {"Command4", u"初期化", {424, 0, 65, 25}, false},
    {"Command1", u"ジャンケン", {328, 248, 121, 33}, true},
    {"Command2", u"ポ\u3000ン", {328, 288, 121, 33}, true},
    {"Command3", u"自動開始", {328, 344, 121, 33}, true},
    {"Command7", u"自動停止", {328, 384, 121, 33}, true},
    {"Command8", u"グラフ表示", {328, 440, 121, 33}, true},
};

// Image controls are named hand then player: guu1 .. paa3.
QByteArray imageName(int hand, int player) {
    constexpr const char *kHands[] = {"guu", "pii", "paa"};
    return kHands[hand] + QByteArray::number(player + 1);
}

// The Gothic faces must hold the kana and kanji themselves, not borrow them.
bool showsJapanese(const QFont &font) {
    const QFontMetrics metrics(font);
    return metrics.inFontUcs4(U'あ') && metrics.inFontUcs4(U'勝') && metrics.inFontUcs4(U'ン');
}

void addImageRows() {
    QTest::addColumn<int>("hand");
    QTest::addColumn<int>("player");
    for (int player = 0; player < 3; ++player) {
        for (int hand = 0; hand < 3; ++hand) {
            QTest::newRow(imageName(hand, player).constData()) << hand << player;
        }
    }
}

QColor inkOf(Look look) {
    return look == Look::Blue  ? QColor(0, 0, 255)
           : look == Look::Red ? QColor(255, 0, 0)
                               : QColor();
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> m_form;

    template <typename T = QWidget>
    T *child(const QByteArray &name) const {
        return m_form->findChild<T *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    }

private slots:
    void initTestCase() {
        m_form = std::make_unique<Form1>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    void windowHasItsTitleIconAndFixedSize() {
        QCOMPARE(m_form->windowTitle(), QString::fromUtf16(u" じゃんけん"));
        QCOMPARE(m_form->size(), QSize(488, 497));
        QCOMPARE(m_form->minimumSize(), QSize(488, 497));
        QCOMPARE(m_form->maximumSize(), QSize(488, 497));
        QVERIFY(!m_form->windowIcon().isNull());
    }

    void everyControlStandsAtItsLaidOutRectangle_data() {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QRect>("rect");
        const QByteArray label("QLabel");
        for (const Button &b : kButtons) {
            QTest::newRow(b.name) << QByteArray("QPushButton") << b.rect;
        }
        QTest::newRow("MMControl1") << QByteArray("QWidget") << QRect(96, 0, 236, 22);
        for (const Cell &c : kOtherLabels) {
            QTest::newRow(c.name) << label << QRect(c.left, c.top, 73, 25);
        }
        for (const ResultRow &r : kResultRows) {
            QTest::newRow(r.heading) << label << QRect(24, r.top, 113, 25);
            QTest::newRow(r.count) << label << QRect(136, r.top, 73, 25);
            QTest::newRow(r.ratio) << label << QRect(208, r.top, 73, 25);
        }
        for (int player = 0; player < 3; ++player) {
            for (int hand = 0; hand < 3; ++hand) {
                QTest::newRow(imageName(hand, player).constData())
                    << QByteArray("QWidget") << QRect(72 + 128 * player, 40, 89, 81);
            }
        }
    }

    void everyControlStandsAtItsLaidOutRectangle() {
        QFETCH(QByteArray, type);
        QFETCH(QRect, rect);
        QWidget *widget = child(QTest::currentDataTag());
        QVERIFY(widget);
        QVERIFY(widget->inherits(type.constData()));
        QCOMPARE(widget->geometry(), rect);
    }

    void buttonsShowTheirCaptionsInTheirFaces_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("large");
        for (const Button &b : kButtons) {
            QTest::newRow(b.name) << QString::fromUtf16(b.caption) << b.large;
        }
    }

    void buttonsShowTheirCaptionsInTheirFaces() {
        QFETCH(QString, caption);
        QFETCH(bool, large);
        auto *button = child<QPushButton>(QTest::currentDataTag());
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        // Return must not press a button the pupils did not choose.
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
        if (large) {
            QCOMPARE(button->font().pixelSize(), 16);
            QVERIFY(button->font().bold());
            QVERIFY(!button->font().italic());
            QVERIFY(showsJapanese(button->font()));
        } else {
            QCOMPARE(button->font(), m_form->font());
            QCOMPARE(button->font().pixelSize(), 12);
            QVERIFY(!button->font().bold());
            QVERIFY(showsJapanese(button->font()));
        }
    }

    void labelsAreWhiteSunkenCentredCells_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<QColor>("ink");  // invalid: the window's own text colour
        for (const Cell &c : kOtherLabels) {
            QTest::newRow(c.name) << QString::fromUtf16(c.caption) << false << QColor();
        }
        for (const ResultRow &r : kResultRows) {
            const bool italic = r.look == Look::Italic;
            QTest::newRow(r.heading) << QString::fromUtf16(r.caption) << italic << inkOf(r.look);
            QTest::newRow(r.count) << QString() << italic << inkOf(r.look);
            QTest::newRow(r.ratio) << QString() << italic << inkOf(r.look);
        }
    }

    void labelsAreWhiteSunkenCentredCells() {
        QFETCH(QString, caption);
        QFETCH(bool, italic);
        QFETCH(QColor, ink);
        auto *label = child<QLabel>(QTest::currentDataTag());
        QVERIFY(label);
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->frameStyle(), int(QFrame::WinPanel | QFrame::Sunken));
        QCOMPARE(label->frameWidth(), 2);
        QCOMPARE(label->alignment(), Qt::AlignCenter);
        QVERIFY(label->autoFillBackground());
        QCOMPARE(label->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(label->palette().color(QPalette::WindowText),
                 ink.isValid() ? ink : m_form->palette().color(QPalette::WindowText));
        QCOMPARE(label->font().pixelSize(), 21);
        QVERIFY(label->font().bold());
        QCOMPARE(label->font().italic(), italic);
        QVERIFY(showsJapanese(label->font()));
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }

    void neighbouringCellsShareOneEdgeAndGroupsStandApart() {
        // Cells of a group overlap by one pixel; seven blank pixels part the
        // header row, the draw row, the four win rows and the four lose rows.
        const auto rect = [this](const char *name) {
            QWidget *cell = child(name);
            return cell ? cell->geometry() : QRect();
        };
        QRect above[] = {QRect(), rect("Label13"), rect("Label14")};
        for (int i = 0; i < 9; ++i) {
            const ResultRow &r = kResultRows[i];
            const QRect cells[] = {rect(r.heading), rect(r.count), rect(r.ratio)};
            const int gap = (i == 0 || i == 1 || i == 5) ? 1 + 7 : 0;
            QVERIFY2(cells[0].right() == cells[1].left(), r.count);
            QVERIFY2(cells[1].right() == cells[2].left(), r.ratio);
            for (int column = 0; column < 3; ++column) {
                if (above[column].isValid()) {
                    QVERIFY2(cells[column].top() == above[column].bottom() + gap, r.heading);
                    QCOMPARE(cells[column].left(), above[column].left());
                }
                above[column] = cells[column];
            }
        }
        QCOMPARE(rect("Label13").right(), rect("Label14").left());
    }

    void lineRunsAcrossTheWindowBeneathTheTopBar() {
        QWidget *line = child("Line1");
        QVERIFY(line);
        QCOMPARE(line->geometry(), QRect(0, 24, 488, 1));
        for (const char *name : {"Command6", "Command5", "Command4"}) {
            QWidget *button = child(name);
            QVERIFY(button);
            QWidget *hit = m_form->childAt(button->x() + 10, 24);
            QVERIFY2(hit == button || button->isAncestorOf(hit), name);
        }
        // Between the sound control and the HELP button the line shows.
        QCOMPARE(m_form->childAt(340, 24), line);
        const QImage window = m_form->grab().toImage();
        QVERIFY(window.pixel(340, 24) != window.pixel(340, 30));
    }

    void onlyTheStartHandsShowOnceActivated_data() { addImageRows(); }

    void onlyTheStartHandsShowOnceActivated() {
        QFETCH(int, hand);
        QFETCH(int, player);
        QWidget *image = child(QTest::currentDataTag());
        QVERIFY(image);
        // A shows rock, B scissors, C paper. The hidden pictures stay shown
        // widgets that paint nothing.
        auto *control = qobject_cast<mainwindow::ImageControl *>(image);
        QVERIFY(control);
        QVERIFY(image->isVisible());
        QCOMPARE(control->isShown(), hand == player);
        const QImage drawn = image->grab().toImage();
        const QColor corner = drawn.pixelColor(0, 0);
        if (hand != player) {
            // Nothing of the picture: the window's own background.
            QCOMPARE(corner, m_form->palette().color(QPalette::Window));
        }
    }

    void picturesStretchByNearestNeighbourWithoutBlending_data() { addImageRows(); }

    void picturesStretchByNearestNeighbourWithoutBlending() {
        QFETCH(int, hand);
        QWidget *image = child(QTest::currentDataTag());
        QVERIFY(image);
        const auto picture = mainwindow::Picture(int(mainwindow::Picture::Guu) + hand);
        const QImage source = QImage::fromData(mainwindow::pictureFile(picture), "BMP");
        QCOMPARE(source.size(), QSize(32, 33));
        // Every control draws its picture when shown, whichever hand is out now.
        qobject_cast<mainwindow::ImageControl *>(image)->setShown(true);

        QImage rendered(image->size(), QImage::Format_RGB32);
        rendered.setDevicePixelRatio(1);
        rendered.fill(Qt::magenta);
        image->render(&rendered);
        const QSet<QRgb> colours{0xFFFFFFu, 0xFFFF80u, 0x000000u};
        QImage expected(rendered.size(), QImage::Format_RGB32);
        for (int y = 0; y < expected.height(); ++y) {
            for (int x = 0; x < expected.width(); ++x) {
                const QRgb rgb = rendered.pixel(x, y) & RGB_MASK;
                QVERIFY2(
                    colours.contains(rgb),
                    qPrintable(QStringLiteral("#%1 at (%2,%3)").arg(rgb, 6, 16).arg(x).arg(y)));
                // Nearest neighbour sampled at each rendered pixel's centre.
                expected.setPixel(
                    x, y, source.pixel((2 * x + 1) * 32 / (2 * 89), (2 * y + 1) * 33 / (2 * 81)));
            }
        }
        const QString difference = testing::firstDifference(rendered, expected);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void timersWaitStoppedAtTheirIntervals_data() {
        QTest::addColumn<int>("interval");
        QTest::newRow("Timer1") << 50;
        QTest::newRow("Timer2") << 50;
        QTest::newRow("Timer3") << 50;
        QTest::newRow("Timer4") << 500;
    }

    void timersWaitStoppedAtTheirIntervals() {
        QFETCH(int, interval);
        auto *timer = m_form->findChild<QTimer *>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(timer);
        QCOMPARE(timer->interval(), interval);
        QVERIFY(!timer->isActive());
        QCOMPARE(timer->timerType(), Qt::PreciseTimer);
    }

    void tabVisitsTheButtonsInCommandOrder() {
        QWidget *first = child("Command1");
        QVERIFY(first);
        QStringList visited;
        QWidget *widget = first;
        do {
            if (qobject_cast<QPushButton *>(widget)) {
                visited << widget->objectName();
            }
            widget = widget->nextInFocusChain();
        } while (widget && widget != first && visited.size() <= 8);
        QCOMPARE(visited.join(QLatin1Char(' ')),
                 QStringLiteral("Command1 Command2 Command3 Command4 Command5 Command6 "
                                "Command7 Command8"));
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
