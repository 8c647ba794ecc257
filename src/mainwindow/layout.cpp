#include "mainwindow/layout.h"

#include <array>

namespace mainwindow {

namespace {

using forms::ControlSpec;
using forms::FontRole;
using forms::Ink;
using forms::Kind;
using forms::WindowSpec;

constexpr int kCellHeight = 375;

constexpr ControlSpec button(const char *name, int left, int top, int width, int height,
                             const char16_t *caption, FontRole font, int tabIndex) {
    return {.name = name,
            .kind = Kind::Button,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .caption = caption,
            .font = font,
            .tabIndex = tabIndex};
}

// The five large buttons of the command column.
constexpr ControlSpec command(const char *name, int top, const char16_t *caption, int tabIndex) {
    return button(name, 4920, top, 1815, 495, caption, FontRole::Button, tabIndex);
}

constexpr ControlSpec label(const char *name, int left, int top, int width,
                            const char16_t *caption = nullptr, FontRole font = FontRole::Table,
                            Ink ink = Ink::Default) {
    return {.name = name,
            .kind = Kind::Label,
            .left = left,
            .top = top,
            .width = width,
            .height = kCellHeight,
            .caption = caption,
            .font = font,
            .ink = ink};
}

// Result-table cells: headings 1695 wide at 360, counts at 2040, ratios at 3120.
constexpr ControlSpec heading(const char *name, int top, const char16_t *caption, FontRole font,
                              Ink ink) {
    return label(name, 360, top, 1695, caption, font, ink);
}
constexpr ControlSpec count(const char *name, int top, FontRole font, Ink ink) {
    return label(name, 2040, top, 1095, nullptr, font, ink);
}
constexpr ControlSpec ratio(const char *name, int top, FontRole font, Ink ink) {
    return label(name, 3120, top, 1095, nullptr, font, ink);
}

constexpr ControlSpec image(const char *name, int left, Picture picture) {
    return {.name = name,
            .kind = Kind::Image,
            .left = left,
            .top = 600,
            .width = 1335,
            .height = 1215,
            .picture = int(picture)};
}

constexpr ControlSpec timer(const char *name, int intervalMs) {
    return {.name = name, .kind = Kind::Timer, .intervalMs = intervalMs};
}

constexpr auto Up = FontRole::Table;
constexpr auto It = FontRole::TableItalic;
constexpr auto Plain = Ink::Default;
constexpr auto Blue = Ink::Blue;
constexpr auto Red = Ink::Red;

constexpr WindowSpec kForm1Window{u" じゃんけん", 7320, 7455};

constexpr std::array<ControlSpec, 58> kForm1Controls{{
    {.name = "MMControl1",
     .kind = Kind::Sound,
     .left = 1440,
     .top = 0,
     .width = 3540,
     .height = 330,
     .tabIndex = 43},
    command("Command8", 6600, u"グラフ表示", 42),
    command("Command7", 5760, u"自動停止", 41),
    button("Command6", 0, 0, 975, 375, u"終了", FontRole::WindowDefault, 40),
    button("Command5", 5400, 0, 975, 375, u"HELP", FontRole::WindowDefault, 39),
    button("Command4", 6360, 0, 975, 375, u"初期化", FontRole::WindowDefault, 38),
    command("Command3", 5160, u"自動開始", 37),
    timer("Timer4", 500),
    command("Command2", 4320, u"ポ　ン", 1),
    command("Command1", 3720, u"ジャンケン", 0),
    timer("Timer3", 50),
    timer("Timer2", 50),
    timer("Timer1", 50),
    {.name = "Line1", .kind = Kind::Line, .left = 0, .top = 360, .width = 7320, .height = 0},
    ratio("abc1makew", 6720, It, Plain),
    ratio("c1makew", 6360, Up, Red),
    ratio("b1makew", 6000, Up, Red),
    ratio("a1makew", 5640, Up, Red),
    ratio("abc1katiw", 5160, It, Plain),
    ratio("c1katiw", 4800, Up, Blue),
    ratio("b1katiw", 4440, Up, Blue),
    ratio("a1katiw", 4080, Up, Blue),
    ratio("aikow", 3600, It, Plain),
    label("Label14", 3120, 3120, 1095, u"割合"),
    label("Label13", 2040, 3120, 1095, u"回数"),
    count("abc1makelabel", 6720, It, Plain),
    count("c1makelabel", 6360, Up, Red),
    count("b1makelabel", 6000, Up, Red),
    count("a1makelabel", 5640, Up, Red),
    heading("Label12", 5640, u"Ａ一人負け", Up, Red),
    heading("Label11", 6000, u"Ｂ一人負け", Up, Red),
    heading("Label10", 6360, u"Ｃ一人負け", Up, Red),
    heading("Label9", 6720, u"一人負け", It, Plain),
    count("abc1katiLabel", 5160, It, Plain),
    heading("Label8", 5160, u"一人勝ち", It, Plain),
    count("c1katilabel", 4800, Up, Blue),
    heading("Label7", 4800, u"Ｃ一人勝ち", Up, Blue),
    count("b1katilabel", 4440, Up, Blue),
    heading("Label6", 4440, u"Ｂ一人勝ち", Up, Blue),
    count("a1katilabel", 4080, Up, Blue),
    heading("Label5", 4080, u"Ａ一人勝ち", Up, Blue),
    count("aikolabel", 3600, It, Plain),
    heading("Label4", 3600, u"あいこ", It, Plain),
    label("hanntei3", 5040, 2400, 1095),
    label("hanntei2", 3120, 2400, 1095),
    label("hanntei1", 1200, 2400, 1095),
    label("Label3", 5040, 1920, 1095, u"Ｃくん"),
    label("Label2", 3120, 1920, 1095, u"Ｂくん"),
    label("Label1", 1200, 1920, 1095, u"Ａくん"),
    image("paa3", 4920, Picture::Paa),
    image("pii3", 4920, Picture::Pii),
    image("guu3", 4920, Picture::Guu),
    image("paa2", 3000, Picture::Paa),
    image("pii2", 3000, Picture::Pii),
    image("guu2", 3000, Picture::Guu),
    image("paa1", 1080, Picture::Paa),
    image("pii1", 1080, Picture::Pii),
    image("guu1", 1080, Picture::Guu),
}};

}  // namespace

const WindowSpec &form1Window() {
    return kForm1Window;
}

std::span<const ControlSpec> form1Controls() {
    return kForm1Controls;
}

}  // namespace mainwindow
