#pragma once

#include "forms/form.h"

namespace help {
struct Form4Controls {
    forms::Canvas *Picture1 = nullptr;
    forms::CommandButton *Command1 = nullptr;
    forms::Line *Line1 = nullptr;
};
}  // namespace help

// The help window: the problem the experiment answers and how to operate the main window,
// printed anew each time the window is shown or activated.
class Form4 : public forms::Form, private help::Form4Controls {
public:
    Form4();

    void Form_Activate() override;  // clear and print the text
    void Command1_Click();          // 閉じる: unload, then show the main window
};
