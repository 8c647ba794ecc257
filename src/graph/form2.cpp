#include "graph/form2.h"

#include "experiment/history.h"
#include "experiment/module1.h"
#include "forms/builder.h"
#include "forms/canvas.h"
#include "forms/palette.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPushButton>

#include <array>

namespace {

using forms::Canvas;
constexpr forms::WindowSpec kWindow{u" グラフ", 9750, 5670};

std::array<forms::ControlSpec, 3> controls(graph::Form2Controls &c) {
    return {{
        forms::control(FORMS_CONTROL(Command1), 8760, 0, 975, 375, u"閉じる", 1),
        forms::control(FORMS_CONTROL(Picture1), 120, 600, 9495, 4815, nullptr, 0),
        forms::control(FORMS_CONTROL(Line1), 0, 360, 9720, 0),
    }};
}

// The canvas's user units: 1100 across, 120 down.
constexpr qreal kScaleWidth = 1100;
constexpr qreal kScaleHeight = 120;

QColor qb(int index) {
    return forms::paletteColour(index);
}

struct Label {
    const char16_t *text;
    float x;
    float y;
    int foreColour;  // -1: leave as it is
};

constexpr std::array<Label, 17> kLabels{{
    {u"0.00", 60, 110, -1},
    {u"0.33", 60, 75, -1},
    {u"1.00", 60, 8, -1},
    {u"100", 180, 112, -1},
    {u"200", 280, 112, -1},
    {u"300", 380, 112, -1},
    {u"400", 480, 112, -1},
    {u"500", 580, 112, -1},
    {u"600", 680, 112, -1},
    {u"700", 780, 112, -1},
    {u"800", 880, 112, -1},
    {u"900", 980, 112, -1},
    {u"(縦軸は割合)", 130, 10, -1},
    {u"(緑色 → あ  い  こ)", 130, 20, 2},
    {u"(青色 → 一人勝ち)", 130, 25, 9},
    {u"(赤色 → 一人負け)", 130, 30, 12},
    {u"(横軸は回数)", 950, 100, 0},
}};

void printLabels(Canvas &canvas, std::size_t first, std::size_t last) {
    for (std::size_t i = first; i <= last; ++i) {
        const Label &label = kLabels[i];
        canvas.setCurrent({label.x, label.y});
        if (label.foreColour >= 0) {
            canvas.setForeColor(qb(label.foreColour));
        }
        canvas.print(QString::fromUtf16(label.text));
    }
}

// Entry k of a history is drawn at x = 100 + k, y = 110 - 100 * ratio.
QPointF entryPoint(int k, float ratio) {
    return {static_cast<float>(k + 100), 110.0f - ratio * 100.0f};
}

void drawCurve(Canvas &canvas, const Module1::RatioHistory &history, std::int16_t count,
               int colour) {
    const int last = Module1::recordfull == 1 ? count - 1 : count;
    // Before the outcome has occurred in this experiment, entry 1 may still
    // hold a value of an earlier one: its point goes on the axis instead.
    const float first = count >= 1 ? history[1] : 0.0f;
    canvas.pset(entryPoint(1, first), qb(colour));
    for (int k = 2; k <= last && k <= 1000; ++k) {
        canvas.lineTo(entryPoint(k, history[static_cast<std::size_t>(k)]), qb(colour));
    }
}

}  // namespace

Form2::Form2(QWidget *parent) : FormWindow(parent) {
    forms::applyWindow(this, kWindow);
    forms::buildControls(this, controls(*this));
    Picture1->setScale(kScaleWidth, kScaleHeight);
    Picture1->setAccessibleName(QStringLiteral(u"割合のグラフ"));
    Picture1->setAccessibleDescription(
        QStringLiteral(u"あいこ（緑）、一人勝ち（青）、一人負け（赤）の割合の推移。"
                       u"横軸は回数、縦軸は割合、点線は 0.33"));
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);

    // The graph for worksheets and slides, and its numbers for a spreadsheet,
    // in one copy: Ctrl+C, or コピー on the canvas's one-item menu. A document
    // takes the image, a spreadsheet the text. It draws nothing and runs no
    // handler.
    auto *copy = new QAction(QStringLiteral(u"コピー"), this);
    copy->setShortcut(QKeySequence::Copy);
    addAction(copy);
    Picture1->addAction(copy);
    Picture1->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copy, &QAction::triggered, this, [this] {
        auto *data = new QMimeData;  // the clipboard takes it over
        data->setImageData(Picture1->image());
        data->setText(experiment::historyTable());
        QGuiApplication::clipboard()->setMimeData(data);
    });
}

void Form2::Form_Activate() {
    Canvas &c = *Picture1;
    const QColor black = qb(0);
    // Cleared first, so that no end segment of an earlier picture remains
    // beside the new one.
    c.cls();
    c.line({100, 5}, {100, 110}, black);
    c.line({100, 110}, {1100, 110}, black);
    for (int y = 10; y <= 100; y += 10) {
        c.line({95, qreal(y)}, {105, qreal(y)}, black);
    }
    for (int x = 100; x <= 1080; x += 20) {
        c.line({qreal(x), 77}, {qreal(x + 10), 77}, black);
    }
    printLabels(c, 0, 2);
    for (int x = 100; x <= 1000; x += 100) {
        c.line({qreal(x), 109}, {qreal(x), 111}, black);
    }
    printLabels(c, 3, kLabels.size() - 1);

    drawCurve(c, Module1::aikorecord, Module1::aikocount, 2);
    drawCurve(c, Module1::abc1katirecord, Module1::abc1katicount, 9);
    drawCurve(c, Module1::abc1makerecord, Module1::abc1makecount, 12);
}

void Form2::Command1_Click() {
    close();
}
