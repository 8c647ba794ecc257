#pragma once

#include "forms/form.h"

namespace graph {
struct Form2Controls {
    forms::CommandButton *Command1 = nullptr;
    forms::Canvas *Picture1 = nullptr;
    forms::Line *Line1 = nullptr;
};
}  // namespace graph

// The graph window: the three ratio histories as green, blue and red curves under a dashed line
// at 0.33, drawn afresh each time the window is shown or activated.
class Form2 : public forms::Form, private graph::Form2Controls {
public:
    Form2();

    void Form_Activate() override;  // draw the whole picture
    void Command1_Click();          // 閉じる: unload the window
};
