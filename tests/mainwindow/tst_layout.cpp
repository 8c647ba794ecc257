// The main window as the pupils see it: where every control stands, how it
// looks, which pictures show at start and how the focus moves.
#include "experiment/form1.h"
#include "mainwindow/pictures.h"
#include "support/imagecompare.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QtTest>

#include <memory>

using mainwindow::Picture;

namespace {

enum class Look { Plain, Italic, Blue, Red };

// One line of the result table: heading, count and ratio cells.
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
constexpr int kHeadingLeft = 24;
constexpr int kHeadingWidth = 113;
constexpr int kCountLeft = 136;
constexpr int kRatioLeft = 208;
constexpr int kCellWidth = 73;
constexpr int kCellHeight = 25;

// The labels outside the result rows: all upright, in the default colour.
struct Cell {
    const char *name;
    const char16_t *caption;
    int left;
    int top;
};

constexpr Cell kOtherLabels[] = {
    {"Label1", u"Ａくん", 80, 128},   {"Label2", u"Ｂくん", 208, 128},
    {"Label3", u"Ｃくん", 336, 128},  {"hanntei1", u"", 80, 160},
    {"hanntei2", u"", 208, 160},      {"hanntei3", u"", 336, 160},
    {"Label13", u"回数", 136, 208},   {"Label14", u"割合", 208, 208},
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

constexpr const char *kHands[] = {"guu", "pii", "paa"};
constexpr int kPlayerLeft[] = {72, 200, 328};

QByteArray imageName(int hand, int player)
{
    return kHands[hand] + QByteArray::number(player + 1);
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void windowHasItsTitleIconAndFixedSize();
    void everyControlStandsAtItsLaidOutRectangle_data();
    void everyControlStandsAtItsLaidOutRectangle();
    void buttonsShowTheirCaptionsInTheirFaces_data();
    void buttonsShowTheirCaptionsInTheirFaces();
    void labelsAreWhiteSunkenCentredCells_data();
    void labelsAreWhiteSunkenCentredCells();
    void neighbouringCellsShareOneEdgeAndGroupsStandApart_data();
    void neighbouringCellsShareOneEdgeAndGroupsStandApart();
    void lineRunsAcrossTheWindowBeneathTheTopBar();
    void onlyTheStartHandsShowOnceActivated_data();
    void onlyTheStartHandsShowOnceActivated();
    void picturesStretchWithoutBlending_data();
    void picturesStretchWithoutBlending();
    void timersWaitStoppedAtTheirIntervals_data();
    void timersWaitStoppedAtTheirIntervals();
    void tabVisitsTheButtonsInCommandOrder();
    void fontsCanShowJapanese_data();
    void fontsCanShowJapanese();

private:
    template <typename T = QWidget>
    T *child(const QByteArray &name) const
    {
        return m_form->findChild<T *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    }

    std::unique_ptr<Form1> m_form;
};

void LayoutTest::initTestCase()
{
    m_form = std::make_unique<Form1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void LayoutTest::windowHasItsTitleIconAndFixedSize()
{
    QCOMPARE(m_form->windowTitle(), QString::fromUtf16(u" じゃんけん"));
    QCOMPARE(m_form->size(), QSize(488, 497));
    QCOMPARE(m_form->minimumSize(), QSize(488, 497));
    QCOMPARE(m_form->maximumSize(), QSize(488, 497));
    QVERIFY(!m_form->windowIcon().isNull());
}

void LayoutTest::everyControlStandsAtItsLaidOutRectangle_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QRect>("rect");
    for (const Button &b : kButtons) {
        QTest::newRow(b.name) << QByteArray("QPushButton") << b.rect;
    }
    QTest::newRow("MMControl1") << QByteArray("QWidget") << QRect(96, 0, 236, 22);
    for (const Cell &c : kOtherLabels) {
        QTest::newRow(c.name) << QByteArray("QLabel")
                              << QRect(c.left, c.top, kCellWidth, kCellHeight);
    }
    for (const ResultRow &r : kResultRows) {
        QTest::newRow(r.heading) << QByteArray("QLabel")
                                 << QRect(kHeadingLeft, r.top, kHeadingWidth, kCellHeight);
        QTest::newRow(r.count) << QByteArray("QLabel")
                               << QRect(kCountLeft, r.top, kCellWidth, kCellHeight);
        QTest::newRow(r.ratio) << QByteArray("QLabel")
                               << QRect(kRatioLeft, r.top, kCellWidth, kCellHeight);
    }
    for (int player = 0; player < 3; ++player) {
        for (int hand = 0; hand < 3; ++hand) {
            QTest::newRow(imageName(hand, player).constData())
                << QByteArray("QWidget") << QRect(kPlayerLeft[player], 40, 89, 81);
        }
    }
}

void LayoutTest::everyControlStandsAtItsLaidOutRectangle()
{
    QFETCH(QByteArray, type);
    QFETCH(QRect, rect);
    QWidget *widget = child(QTest::currentDataTag());
    QVERIFY(widget);
    QVERIFY(widget->inherits(type.constData()));
    QCOMPARE(widget->geometry(), rect);
}

void LayoutTest::buttonsShowTheirCaptionsInTheirFaces_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("large");
    for (const Button &b : kButtons) {
        QTest::newRow(b.name) << QString::fromUtf16(b.caption) << b.large;
    }
}

void LayoutTest::buttonsShowTheirCaptionsInTheirFaces()
{
    QFETCH(QString, caption);
    QFETCH(bool, large);
    auto *button = child<QPushButton>(QTest::currentDataTag());
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    // Return must not press a button the pupils did not choose.
    QVERIFY(!button->isDefault());
    QVERIFY(!button->autoDefault());
    const QFont font = button->font();
    if (large) {
        QCOMPARE(font.pixelSize(), 16);
        QVERIFY(font.bold());
        QVERIFY(!font.italic());
    } else {
        QCOMPARE(font, m_form->font());
    }
}

void LayoutTest::labelsAreWhiteSunkenCentredCells_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<QColor>("ink");  // invalid: the window's own text colour
    for (const Cell &c : kOtherLabels) {
        QTest::newRow(c.name) << QString::fromUtf16(c.caption) << false << QColor();
    }
    for (const ResultRow &r : kResultRows) {
        const bool italic = r.look == Look::Italic;
        const QColor ink = r.look == Look::Blue  ? QColor(0, 0, 255)
                           : r.look == Look::Red ? QColor(255, 0, 0)
                                                 : QColor();
        QTest::newRow(r.heading) << QString::fromUtf16(r.caption) << italic << ink;
        QTest::newRow(r.count) << QString() << italic << ink;
        QTest::newRow(r.ratio) << QString() << italic << ink;
    }
}

void LayoutTest::labelsAreWhiteSunkenCentredCells()
{
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
    const QColor expectedInk =
        ink.isValid() ? ink : m_form->palette().color(QPalette::WindowText);
    QCOMPARE(label->palette().color(QPalette::WindowText), expectedInk);
    QCOMPARE(label->font().pixelSize(), 21);
    QVERIFY(label->font().bold());
    QCOMPARE(label->font().italic(), italic);
    QCOMPARE(label->focusPolicy(), Qt::NoFocus);
}

void LayoutTest::neighbouringCellsShareOneEdgeAndGroupsStandApart_data()
{
    // Cells along one line of the table, split where a group of rows ends.
    QTest::addColumn<QList<QStringList>>("groups");
    QTest::addColumn<bool>("vertical");
    const auto names = [](auto member, int from, int to) {
        QStringList list;
        for (int i = from; i < to; ++i) {
            list << QString::fromLatin1(kResultRows[i].*member);
        }
        return list;
    };
    QTest::newRow("heading column")
        << QList<QStringList>{names(&ResultRow::heading, 0, 1),
                              names(&ResultRow::heading, 1, 5),
                              names(&ResultRow::heading, 5, 9)}
        << true;
    QTest::newRow("count column")
        << QList<QStringList>{{QStringLiteral("Label13")}, names(&ResultRow::count, 0, 1),
                              names(&ResultRow::count, 1, 5), names(&ResultRow::count, 5, 9)}
        << true;
    QTest::newRow("ratio column")
        << QList<QStringList>{{QStringLiteral("Label14")}, names(&ResultRow::ratio, 0, 1),
                              names(&ResultRow::ratio, 1, 5), names(&ResultRow::ratio, 5, 9)}
        << true;
    QTest::newRow("header row") << QList<QStringList>{{QStringLiteral("Label13"),
                                                       QStringLiteral("Label14")}}
                                << false;
    for (const ResultRow &r : kResultRows) {
        QTest::newRow(r.heading) << QList<QStringList>{{QString::fromLatin1(r.heading),
                                                        QString::fromLatin1(r.count),
                                                        QString::fromLatin1(r.ratio)}}
                                 << false;
    }
}

void LayoutTest::neighbouringCellsShareOneEdgeAndGroupsStandApart()
{
    QFETCH(QList<QStringList>, groups);
    QFETCH(bool, vertical);
    const auto start = [vertical](const QRect &r) { return vertical ? r.top() : r.left(); };
    const auto end = [vertical](const QRect &r) { return vertical ? r.bottom() : r.right(); };
    const auto across = [vertical](const QRect &r) {
        return vertical ? std::pair(r.left(), r.width()) : std::pair(r.top(), r.height());
    };
    QRect previous;
    for (qsizetype g = 0; g < groups.size(); ++g) {
        for (qsizetype i = 0; i < groups[g].size(); ++i) {
            QWidget *cell = child(groups[g][i].toLatin1());
            QVERIFY2(cell, qPrintable(groups[g][i]));
            const QRect rect = cell->geometry();
            if (previous.isValid()) {
                QCOMPARE(across(rect), across(previous));
                // Within a group the borders overlap by one pixel; between
                // groups seven blank pixels separate them.
                const int expectedStart = i == 0 ? end(previous) + 1 + 7 : end(previous);
                QVERIFY2(start(rect) == expectedStart, qPrintable(groups[g][i]));
            }
            previous = rect;
        }
    }
}

void LayoutTest::lineRunsAcrossTheWindowBeneathTheTopBar()
{
    QWidget *line = child("Line1");
    QVERIFY(line);
    QCOMPARE(line->geometry(), QRect(0, 24, 488, 1));
    // The top-bar buttons cover the line where they overlap it.
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

void LayoutTest::onlyTheStartHandsShowOnceActivated_data()
{
    QTest::addColumn<bool>("visible");
    // A shows rock, B scissors, C paper.
    for (int player = 0; player < 3; ++player) {
        for (int hand = 0; hand < 3; ++hand) {
            QTest::newRow(imageName(hand, player).constData()) << (hand == player);
        }
    }
}

void LayoutTest::onlyTheStartHandsShowOnceActivated()
{
    QFETCH(bool, visible);
    QWidget *image = child(QTest::currentDataTag());
    QVERIFY(image);
    QCOMPARE(image->isVisible(), visible);
}

void LayoutTest::picturesStretchWithoutBlending_data()
{
    QTest::addColumn<int>("picture");
    for (int player = 0; player < 3; ++player) {
        for (int hand = 0; hand < 3; ++hand) {
            QTest::newRow(imageName(hand, player).constData()) << hand + 1;
        }
    }
}

void LayoutTest::picturesStretchWithoutBlending()
{
    QFETCH(int, picture);
    QWidget *image = child(QTest::currentDataTag());
    QVERIFY(image);
    const QImage source = QImage::fromData(mainwindow::pictureFile(Picture(picture)), "BMP")
                              .convertToFormat(QImage::Format_RGB32);
    QCOMPARE(source.size(), QSize(32, 33));

    QImage rendered(image->size(), QImage::Format_RGB32);
    rendered.setDevicePixelRatio(1);
    rendered.fill(Qt::magenta);
    image->render(&rendered, QPoint(), QRegion(), QWidget::DrawChildren);

    const QSet<QRgb> palette{0xFFFFFFu, 0xFFFF80u, 0x000000u};
    QImage expected(rendered.size(), QImage::Format_RGB32);
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb rgb = rendered.pixel(x, y) & RGB_MASK;
            QVERIFY2(palette.contains(rgb), qPrintable(QStringLiteral("blended #%1 at (%2,%3)")
                                                           .arg(rgb, 6, 16, QLatin1Char('0'))
                                                           .arg(x)
                                                           .arg(y)));
            expected.setPixel(x, y, source.pixel(x * 32 / 89, y * 33 / 81));
        }
    }
    const QString difference = testing::firstDifference(rendered, expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void LayoutTest::timersWaitStoppedAtTheirIntervals_data()
{
    QTest::addColumn<int>("interval");
    QTest::newRow("Timer1") << 50;
    QTest::newRow("Timer2") << 50;
    QTest::newRow("Timer3") << 50;
    QTest::newRow("Timer4") << 500;
}

void LayoutTest::timersWaitStoppedAtTheirIntervals()
{
    QFETCH(int, interval);
    auto *timer = m_form->findChild<QTimer *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(timer);
    QCOMPARE(timer->interval(), interval);
    QVERIFY(!timer->isActive());
    QCOMPARE(timer->timerType(), Qt::PreciseTimer);
}

void LayoutTest::tabVisitsTheButtonsInCommandOrder()
{
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
    const QStringList expected{QStringLiteral("Command1"), QStringLiteral("Command2"),
                               QStringLiteral("Command3"), QStringLiteral("Command4"),
                               QStringLiteral("Command5"), QStringLiteral("Command6"),
                               QStringLiteral("Command7"), QStringLiteral("Command8")};
    QCOMPARE(visited, expected);
}

void LayoutTest::fontsCanShowJapanese_data()
{
    QTest::addColumn<QByteArray>("control");
    QTest::newRow("button face") << QByteArray("Command1");
    QTest::newRow("table face") << QByteArray("Label5");
    QTest::newRow("italic table face") << QByteArray("Label4");
}

void LayoutTest::fontsCanShowJapanese()
{
    QFETCH(QByteArray, control);
    QWidget *widget = child(control);
    QVERIFY(widget);
    const QFontMetrics metrics(widget->font());
    QVERIFY(metrics.inFontUcs4(U'あ'));
    QVERIFY(metrics.inFontUcs4(U'勝'));
    QVERIFY(metrics.inFontUcs4(U'ン'));
}

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
