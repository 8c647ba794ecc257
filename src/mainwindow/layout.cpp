#include "mainwindow/layout.h"

#include "experiment/judgement.h"
#include "mainwindow/pictures.h"

namespace mainwindow {

namespace {

using forms::ControlSpec;
using forms::FontRole;
using forms::Ink;
using forms::Slot;
using forms::WindowSpec;

constexpr int kCellHeight = 375;

ControlSpec button(const char *name, Slot slot, int left, int top, int width, int height,
                   const char16_t *caption, FontRole font, int tabIndex) {
    ControlSpec spec = forms::control(name, slot, left, top, width, height, caption, tabIndex);
    spec.font = font;
    return spec;
}

// The five large buttons of the command column.
ControlSpec command(const char *name, Slot slot, int top, const char16_t *caption, int tabIndex) {
    return button(name, slot, 4920, top, 1815, 495, caption, FontRole::Button, tabIndex);
}

ControlSpec label(const char *name, Slot slot, int left, int top, int width,
                  const char16_t *caption = nullptr, FontRole font = FontRole::Table,
                  Ink ink = Ink::Default) {
    ControlSpec spec = forms::control(name, slot, left, top, width, kCellHeight, caption);
    spec.font = font;
    spec.ink = ink;
    return spec;
}

// Result-table cells: headings 1695 wide at 360, counts at 2040, ratios at 3120.
ControlSpec heading(const char *name, Slot slot, int top, const char16_t *caption, FontRole font,
                    Ink ink) {
    return label(name, slot, 360, top, 1695, caption, font, ink);
}
ControlSpec count(const char *name, Slot slot, int top, FontRole font, Ink ink) {
    return label(name, slot, 2040, top, 1095, nullptr, font, ink);
}
ControlSpec ratio(const char *name, Slot slot, int top, FontRole font, Ink ink) {
    return label(name, slot, 3120, top, 1095, nullptr, font, ink);
}

ControlSpec image(const char *name, Slot slot, int left, std::int16_t hand) {
    ControlSpec spec = forms::control(name, slot, left, 600, 1335, 1215);
    spec.picture = &handImage(hand);
    return spec;
}

ControlSpec timer(const char *name, Slot slot, int intervalMs) {
    ControlSpec spec = forms::control(name, slot, 0, 0, 0, 0);
    spec.intervalMs = intervalMs;
    return spec;
}

constexpr auto Up = FontRole::Table;
constexpr auto It = FontRole::TableItalic;
constexpr auto Plain = Ink::Default;
constexpr auto Blue = Ink::Blue;
constexpr auto Red = Ink::Red;

constexpr WindowSpec kForm1Window{u" じゃんけん", 7320, 7455};

}  // namespace

const WindowSpec &form1Window() {
    return kForm1Window;
}

// One row per member of Form1Controls; the builder stops at a member with two.
static_assert(sizeof(Form1Controls) == 58 * sizeof(void *));

std::array<ControlSpec, 58> form1Controls(Form1Controls &c) {
    using experiment::kGuu;
    using experiment::kPaa;
    using experiment::kPii;
    return {{
        forms::control(FORMS_CONTROL(MMControl1), 1440, 0, 3540, 330, nullptr, 43),
        command(FORMS_CONTROL(Command8), 6600, u"グラフ表示", 42),
        command(FORMS_CONTROL(Command7), 5760, u"自動停止", 41),
        button(FORMS_CONTROL(Command6), 0, 0, 975, 375, u"終了", FontRole::WindowDefault, 40),
        button(FORMS_CONTROL(Command5), 5400, 0, 975, 375, u"HELP", FontRole::WindowDefault, 39),
        button(FORMS_CONTROL(Command4), 6360, 0, 975, 375, u"初期化", FontRole::WindowDefault, 38),
        command(FORMS_CONTROL(Command3), 5160, u"自動開始", 37),
        timer(FORMS_CONTROL(Timer4), 500),
        command(FORMS_CONTROL(Command2), 4320, u"ポ　ン", 1),
        command(FORMS_CONTROL(Command1), 3720, u"ジャンケン", 0),
        timer(FORMS_CONTROL(Timer3), 50),
        timer(FORMS_CONTROL(Timer2), 50),
        timer(FORMS_CONTROL(Timer1), 50),
        forms::control(FORMS_CONTROL(Line1), 0, 360, 7320, 0),
        ratio(FORMS_CONTROL(abc1makew), 6720, It, Plain),
        ratio(FORMS_CONTROL(c1makew), 6360, Up, Red),
        ratio(FORMS_CONTROL(b1makew), 6000, Up, Red),
        ratio(FORMS_CONTROL(a1makew), 5640, Up, Red),
        ratio(FORMS_CONTROL(abc1katiw), 5160, It, Plain),
        ratio(FORMS_CONTROL(c1katiw), 4800, Up, Blue),
        ratio(FORMS_CONTROL(b1katiw), 4440, Up, Blue),
        ratio(FORMS_CONTROL(a1katiw), 4080, Up, Blue),
        ratio(FORMS_CONTROL(aikow), 3600, It, Plain),
        label(FORMS_CONTROL(Label14), 3120, 3120, 1095, u"割合"),
        label(FORMS_CONTROL(Label13), 2040, 3120, 1095, u"回数"),
        count(FORMS_CONTROL(abc1makelabel), 6720, It, Plain),
        count(FORMS_CONTROL(c1makelabel), 6360, Up, Red),
        count(FORMS_CONTROL(b1makelabel), 6000, Up, Red),
        count(FORMS_CONTROL(a1makelabel), 5640, Up, Red),
        heading(FORMS_CONTROL(Label12), 5640, u"Ａ一人負け", Up, Red),
        heading(FORMS_CONTROL(Label11), 6000, u"Ｂ一人負け", Up, Red),
        heading(FORMS_CONTROL(Label10), 6360, u"Ｃ一人負け", Up, Red),
        heading(FORMS_CONTROL(Label9), 6720, u"一人負け", It, Plain),
        count(FORMS_CONTROL(abc1katiLabel), 5160, It, Plain),
        heading(FORMS_CONTROL(Label8), 5160, u"一人勝ち", It, Plain),
        count(FORMS_CONTROL(c1katilabel), 4800, Up, Blue),
        heading(FORMS_CONTROL(Label7), 4800, u"Ｃ一人勝ち", Up, Blue),
        count(FORMS_CONTROL(b1katilabel), 4440, Up, Blue),
        heading(FORMS_CONTROL(Label6), 4440, u"Ｂ一人勝ち", Up, Blue),
        count(FORMS_CONTROL(a1katilabel), 4080, Up, Blue),
        heading(FORMS_CONTROL(Label5), 4080, u"Ａ一人勝ち", Up, Blue),
        count(FORMS_CONTROL(aikolabel), 3600, It, Plain),
        heading(FORMS_CONTROL(Label4), 3600, u"あいこ", It, Plain),
        label(FORMS_CONTROL(hanntei3), 5040, 2400, 1095),
        label(FORMS_CONTROL(hanntei2), 3120, 2400, 1095),
        label(FORMS_CONTROL(hanntei1), 1200, 2400, 1095),
        label(FORMS_CONTROL(Label3), 5040, 1920, 1095, u"Ｃくん"),
        label(FORMS_CONTROL(Label2), 3120, 1920, 1095, u"Ｂくん"),
        label(FORMS_CONTROL(Label1), 1200, 1920, 1095, u"Ａくん"),
        image(FORMS_CONTROL(paa3), 4920, kPaa),
        image(FORMS_CONTROL(pii3), 4920, kPii),
        image(FORMS_CONTROL(guu3), 4920, kGuu),
        image(FORMS_CONTROL(paa2), 3000, kPaa),
        image(FORMS_CONTROL(pii2), 3000, kPii),
        image(FORMS_CONTROL(guu2), 3000, kGuu),
        image(FORMS_CONTROL(paa1), 1080, kPaa),
        image(FORMS_CONTROL(pii1), 1080, kPii),
        image(FORMS_CONTROL(guu1), 1080, kGuu),
    }};
}

}  // namespace mainwindow
