#pragma once

#include "mainwindow/formwindow.h"
#include "mainwindow/layout.h"

class Canvas;
class QPushButton;

// The graph window: the three ratio histories as green, blue and red curves
// under a dashed line at 0.33, drawn afresh each time the window is activated.
class Form2 : public mainwindow::FormWindow {
    Q_OBJECT

public:
    explicit Form2(QWidget *parent = nullptr);

    Canvas *canvas() const { return Picture1; }

    // The window's fixed description, in twips.
    static const mainwindow::WindowSpec &windowSpec();
    static std::span<const mainwindow::ControlSpec> controlSpecs();

public slots:
    void Form_Activate();   // draw the whole picture
    void Command1_Click();  // 閉じる: unload the window

protected:
    void activated() override { Form_Activate(); }

private:
    QPushButton *Command1 = nullptr;
    Canvas *Picture1 = nullptr;
};
