#include "help/form4.h"

#include "forms/builder.h"
#include "forms/canvas.h"
#include "forms/fonts.h"
#include "help/helptext.h"

#include <QPushButton>

#include <array>

namespace {

using forms::ControlSpec;
using forms::Kind;

constexpr forms::WindowSpec kWindow{u" じゃんけん＿ヘルプ（設問と操作方法）", 8535, 7470};

constexpr std::array<ControlSpec, 3> kControls{{
    {.name = "Picture1",
     .kind = Kind::Canvas,
     .left = 120,
     .top = 480,
     .width = 8295,
     .height = 6855,
     .tabIndex = 1},
    {.name = "Command1",
     .kind = Kind::Button,
     .left = 7560,
     .top = 0,
     .width = 855,
     .height = 375,
     .caption = u"閉じる",
     .tabIndex = 0},
    {.name = "Line1", .kind = Kind::Line, .left = 120, .top = 360, .width = 8280, .height = 0},
}};

// The text's face at 15 pixels, printed with the face's own line height:
// Ume P Gothic's is 15, so the 29 lines take 435 of the canvas's 453 pixels.
constexpr int kFontPixels = 15;

}  // namespace

const forms::WindowSpec &Form4::windowSpec() {
    return kWindow;
}

std::span<const ControlSpec> Form4::controlSpecs() {
    return kControls;
}

Form4::Form4(QWidget *mainWindow) : m_mainWindow(mainWindow) {
    forms::applyWindow(this, kWindow);
    forms::buildControls(this, kControls);
    Picture1 = findChild<forms::Canvas *>(QStringLiteral("Picture1"));
    Command1 = findChild<QPushButton *>(QStringLiteral("Command1"));
    Picture1->setFont(forms::gothicFont(kFontPixels));
    Picture1->setAccessibleName(QStringLiteral(u"ヘルプ"));
    Picture1->setAccessibleDescription(
        QStringLiteral(u"設問（三人のじゃんけんの確率）と、このプログラムの操作方法"));
    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
}

void Form4::Form_Activate() {
    Picture1->cls();
    for (const QString &line : help::helpLines()) {
        Picture1->print(line);
    }
}

void Form4::Command1_Click() {
    QPointer<QWidget> mainWindow = m_mainWindow;
    close();
    if (mainWindow) {
        mainWindow->show();
        mainWindow->raise();
        mainWindow->activateWindow();
    }
}
