#include "mainwindow/layout.h"

#include "experiment/judgement.h"
#include "mainwindow/pictures.h"

namespace mainwindow {

namespace {

using Controls = Form1Controls;
using Member = forms::Member<Controls>;
using Row = forms::Row<Controls>;
using forms::Colour;
using forms::Font;

constexpr int kCellHeight = 375;

constexpr Font kTable{21, true, false};       // 15.75 pt
constexpr Font kTableItalic{21, true, true};  // the rows of the three outcomes
constexpr Font kButton{16, true, false};      // 12 pt
constexpr Font kWindowFont{};                 // the three small buttons of the top bar
constexpr std::optional<Colour> kPlain{};
constexpr std::optional<Colour> kBlue{0x0000FF};
constexpr std::optional<Colour> kRed{0xFF0000};

constexpr Row button(const char *name, Member member, int left, int top, int width, int height,
                     const char16_t *caption, Font font, int tabIndex) {
    return {name,
            member,
            {.left = left,
             .top = top,
             .width = width,
             .height = height,
             .caption = caption,
             .font = font,
             .tabIndex = tabIndex}};
}

// The five large buttons of the command column.
constexpr Row command(const char *name, Member member, int top, const char16_t *caption,
                      int tabIndex) {
    return button(name, member, 4920, top, 1815, 495, caption, kButton, tabIndex);
}

constexpr Row label(const char *name, Member member, int left, int top, int width,
                    const char16_t *caption = nullptr, Font font = kTable,
                    std::optional<Colour> ink = kPlain) {
    return {name,
            member,
            {.left = left,
             .top = top,
             .width = width,
             .height = kCellHeight,
             .caption = caption,
             .font = font,
             .foreColour = ink}};
}

// Result-table cells: headings 1695 wide at 360, counts at 2040, ratios at 3120.
constexpr Row heading(const char *name, Member member, int top, const char16_t *caption, Font font,
                      std::optional<Colour> ink) {
    return label(name, member, 360, top, 1695, caption, font, ink);
}
constexpr Row count(const char *name, Member member, int top, Font font,
                    std::optional<Colour> ink) {
    return label(name, member, 2040, top, 1095, nullptr, font, ink);
}
constexpr Row ratio(const char *name, Member member, int top, Font font,
                    std::optional<Colour> ink) {
    return label(name, member, 3120, top, 1095, nullptr, font, ink);
}

constexpr Row image(const char *name, Member member, int left, std::int16_t hand) {
    return {name,
            member,
            {.left = left,
             .top = 600,
             .width = 1335,
             .height = 1215,
             .picture = &kHandPictures[hand - 1]}};
}

constexpr Row timer(const char *name, Member member, int intervalMs) {
    return {name, member, {.intervalMs = intervalMs}};
}

using experiment::kGuu;
using experiment::kPaa;
using experiment::kPii;
constexpr Font Up = kTable;
constexpr Font It = kTableItalic;
constexpr auto Plain = kPlain;
constexpr auto Blue = kBlue;
constexpr auto Red = kRed;

}  // namespace

constexpr forms::WindowSpec kForm1Window{"Form1", u" じゃんけん", 7320, 7455};

constexpr std::array<Row, 58> kForm1Controls{{
    {FORMS_CONTROL(MMControl1),
     {.left = 1440, .width = 3540, .height = 330, .tabIndex = 43, .accessibleName = u"効果音"}},
    command(FORMS_CONTROL(Command8), 6600, u"グラフ表示", 42),
    command(FORMS_CONTROL(Command7), 5760, u"自動停止", 41),
    button(FORMS_CONTROL(Command6), 0, 0, 975, 375, u"終了", kWindowFont, 40),
    button(FORMS_CONTROL(Command5), 5400, 0, 975, 375, u"HELP", kWindowFont, 39),
    button(FORMS_CONTROL(Command4), 6360, 0, 975, 375, u"初期化", kWindowFont, 38),
    command(FORMS_CONTROL(Command3), 5160, u"自動開始", 37),
    timer(FORMS_CONTROL(Timer4), 500),
    command(FORMS_CONTROL(Command2), 4320, u"ポ　ン", 1),
    command(FORMS_CONTROL(Command1), 3720, u"ジャンケン", 0),
    timer(FORMS_CONTROL(Timer3), 50),
    timer(FORMS_CONTROL(Timer2), 50),
    timer(FORMS_CONTROL(Timer1), 50),
    {FORMS_CONTROL(Line1), {.top = 360, .width = 7320, .accessibleName = u"区切り線"}},
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

static_assert(forms::onWholePixels(kForm1Window) && forms::onWholePixels(kForm1Controls),
              "a place or size of the main window is not a whole number of pixels");
static_assert(forms::eachNamedOnce(kForm1Controls), "a control of the main window has two rows");
// One row for each member.
static_assert(sizeof(Form1Controls) == kForm1Controls.size() * sizeof(void *));

}  // namespace mainwindow
