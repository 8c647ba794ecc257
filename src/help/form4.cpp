#include "help/form4.h"

#include "help/helptext.h"

#include <array>

namespace {

using Controls = help::Form4Controls;
using Row = forms::Row<Controls>;

constexpr forms::WindowSpec kWindow{"Form4", u" じゃんけん＿ヘルプ（設問と操作方法）", 8535, 7470};

// The text's face at 15 pixels, printed with the face's own line height: Ume P Gothic's is 15,
// so the 29 lines take 435 of the canvas's 453 pixels.
constexpr std::array<Row, 3> kControls{{
    {FORMS_CONTROL(Picture1),
     {.left = 120,
      .top = 480,
      .width = 8295,
      .height = 6855,
      .font = {15},
      .tabIndex = 1,
      .accessibleName = u"ヘルプ"}},
    {FORMS_CONTROL(Command1),
     {.left = 7560, .width = 855, .height = 375, .caption = u"閉じる", .tabIndex = 0}},
    {FORMS_CONTROL(Line1), {.left = 120, .top = 360, .width = 8280, .accessibleName = u"区切り線"}},
}};
static_assert(forms::onWholePixels(kWindow) && forms::onWholePixels(kControls),
              "a place or size of the help window is not a whole number of pixels");
static_assert(forms::eachNamedOnce(kControls), "a control of the help window has two rows");

}  // namespace

Form4::Form4() : forms::Form(kWindow) {
    build<Controls>(*this, kControls);
    Picture1->setAccessibleDescription(
        u"設問（三人のじゃんけんの確率）と、このプログラムの操作方法");
    Command1->onClick([this] { Command1_Click(); });
}

void Form4::Form_Activate() {
    Picture1->cls();
    for (const help::HelpLine &line : help::kHelpLines) {
        Picture1->print(help::printed(line));
    }
}

void Form4::Command1_Click() {
    Unload();
    if (Form *mainWindow = owner()) {
        mainWindow->Show();
    }
}
