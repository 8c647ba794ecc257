#include "graph/form2.h"

#include "experiment/history.h"
#include "experiment/module1.h"
#include "forms/palette.h"

#include <array>

namespace {

using Controls = graph::Form2Controls;
using Row = forms::Row<Controls>;

constexpr forms::WindowSpec kWindow{"Form2", u" グラフ", 9750, 5670};

constexpr std::array<Row, 3> kControls{{
    {FORMS_CONTROL(Command1),
     {.left = 8760, .width = 975, .height = 375, .caption = u"閉じる", .tabIndex = 1}},
    // 1100 user units across, 120 down.
    {FORMS_CONTROL(Picture1),
     {.left = 120,
      .top = 600,
      .width = 9495,
      .height = 4815,
      .tabIndex = 0,
      .scale = {1100, 120},
      .accessibleName = u"割合のグラフ"}},
    {FORMS_CONTROL(Line1), {.top = 360, .width = 9720, .accessibleName = u"区切り線"}},
}};
static_assert(forms::onWholePixels(kWindow) && forms::onWholePixels(kControls),
              "a place or size of the graph window is not a whole number of pixels");
static_assert(forms::eachNamedOnce(kControls), "a control of the graph window has two rows");

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

void printLabels(forms::Canvas &canvas, std::size_t first, std::size_t last) {
    for (std::size_t i = first; i <= last; ++i) {
        const Label &label = kLabels[i];
        canvas.setCurrent({label.x, label.y});
        if (label.foreColour >= 0) {
            canvas.setForeColor(forms::paletteColour(label.foreColour));
        }
        canvas.print(label.text);
    }
}

// Entry k of a history is drawn at x = 100 + k, y = 110 - 100 * ratio.
forms::Point entryPoint(int k, float ratio) {
    return {static_cast<float>(k + 100), 110.0f - ratio * 100.0f};
}

void drawCurve(forms::Canvas &canvas, const Module1::RatioHistory &history, std::int16_t count,
               int colour) {
    const int last = Module1::recordfull == 1 ? count - 1 : count;
    // Before the outcome has occurred in this experiment, entry 1 may still hold a value of an
    // earlier one: its point goes on the axis instead.
    const float first = count >= 1 ? history[1] : 0.0f;
    canvas.pset(entryPoint(1, first), forms::paletteColour(colour));
    for (int k = 2; k <= last; ++k) {
        canvas.lineTo(entryPoint(k, history.at(static_cast<std::size_t>(k))),
                      forms::paletteColour(colour));
    }
}

// What the graph shows, for a screen reader: its axes, its reference line, and where the curves
// have come to.
std::u16string description() {
    return u"あいこ（緑）、一人勝ち（青）、一人負け（赤）の割合の推移。横軸は回数、縦軸は割合、"
           u"点線は 0.33。" +
           experiment::ratiosSpoken();
}

}  // namespace

Form2::Form2() : forms::Form(kWindow) {
    build<Controls>(*this, kControls);
    Picture1->setAccessibleDescription(description());
    Command1->onClick([this] { Command1_Click(); });

    // The graph for worksheets and slides, and its numbers for a spreadsheet, in one copy:
    // Ctrl+C, or コピー on the canvas's menu. A document takes the picture, a spreadsheet the
    // text. It draws nothing and runs no handler.
    const auto copy = [this] { forms::setClipboard({experiment::historyTable(), Picture1}); };
    addCopyCommand(u"コピー", copy, {Picture1});
}

void Form2::Form_Activate() {
    forms::Canvas &c = *Picture1;
    const forms::Colour black = forms::paletteColour(0);
    // Cleared first, so that no end segment of an earlier picture remains beside the new one.
    c.cls();
    c.line({100, 5}, {100, 110}, black);
    c.line({100, 110}, {1100, 110}, black);
    for (int y = 10; y <= 100; y += 10) {
        c.line({95, float(y)}, {105, float(y)}, black);
    }
    for (int x = 100; x <= 1080; x += 20) {
        c.line({float(x), 77}, {float(x + 10), 77}, black);
    }
    printLabels(c, 0, 2);
    for (int x = 100; x <= 1000; x += 100) {
        c.line({float(x), 109}, {float(x), 111}, black);
    }
    printLabels(c, 3, kLabels.size() - 1);

    drawCurve(c, Module1::aikorecord, Module1::aikocount, 2);
    drawCurve(c, Module1::abc1katirecord, Module1::abc1katicount, 9);
    drawCurve(c, Module1::abc1makerecord, Module1::abc1makecount, 12);
    c.setAccessibleDescription(description());
}

void Form2::Command1_Click() {
    Unload();
}
