#pragma once

#include "forms/controls.h"
#include "forms/formwindow.h"

namespace graph {
struct Form2Controls {
    QPushButton *Command1 = nullptr;
    forms::Canvas *Picture1 = nullptr;
    QFrame *Line1 = nullptr;
};
}  // namespace graph

// The graph window: the three ratio histories as green, blue and red curves
// under a dashed line at 0.33, drawn afresh each time the window is activated.
class Form2 : public forms::FormWindow, private graph::Form2Controls {
    Q_OBJECT

public:
    explicit Form2(QWidget *parent = nullptr);

    forms::Canvas *canvas() const { return Picture1; }

public slots:
    void Form_Activate();   // draw the whole picture
    void Command1_Click();  // 閉じる: unload the window

protected:
    void activated() override { Form_Activate(); }
};
