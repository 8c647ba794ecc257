#pragma once

#include "forms/controls.h"
#include "forms/formwindow.h"

#include <span>

namespace forms {
class Canvas;
}
class QPushButton;

// The graph window: the three ratio histories as green, blue and red curves
// under a dashed line at 0.33, drawn afresh each time the window is activated.
class Form2 : public forms::FormWindow {
    Q_OBJECT

public:
    explicit Form2(QWidget *parent = nullptr);

    forms::Canvas *canvas() const { return Picture1; }

    // The window's fixed description, in twips.
    static const forms::WindowSpec &windowSpec();
    static std::span<const forms::ControlSpec> controlSpecs();

public slots:
    void Form_Activate();   // draw the whole picture
    void Command1_Click();  // 閉じる: unload the window

protected:
    void activated() override { Form_Activate(); }

private:
    QPushButton *Command1 = nullptr;
    forms::Canvas *Picture1 = nullptr;
};
