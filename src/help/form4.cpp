#include "help/form4.h"

#include "forms/builder.h"
#include "forms/canvas.h"
#include "forms/fonts.h"
#include "help/helptext.h"

#include <QPushButton>

#include <array>

namespace {

constexpr forms::WindowSpec kWindow{u" じゃんけん＿ヘルプ（設問と操作方法）", 8535, 7470};

std::array<forms::ControlSpec, 3> controls(help::Form4Controls &c) {
    return {{
        forms::control(FORMS_CONTROL(Picture1), 120, 480, 8295, 6855, nullptr, 1),
        forms::control(FORMS_CONTROL(Command1), 7560, 0, 855, 375, u"閉じる", 0),
        forms::control(FORMS_CONTROL(Line1), 120, 360, 8280, 0),
    }};
}

// The text's face at 15 pixels, printed with the face's own line height:
// Ume P Gothic's is 15, so the 29 lines take 435 of the canvas's 453 pixels.
constexpr int kFontPixels = 15;

}  // namespace

Form4::Form4(QWidget *mainWindow) : m_mainWindow(mainWindow) {
    forms::applyWindow(this, kWindow);
    forms::buildControls(this, controls(*this));
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
