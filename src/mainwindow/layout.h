#pragma once

#include "forms/layout.h"

#include <array>

namespace mainwindow {

// The main window's controls, each under its own name; the window derives from this, so that
// its handlers use the names as they are.
struct Form1Controls {
    MMControl *MMControl1 = nullptr;
    forms::CommandButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr,
                         *Command4 = nullptr, *Command5 = nullptr, *Command6 = nullptr,
                         *Command7 = nullptr, *Command8 = nullptr;
    forms::Timer *Timer1 = nullptr, *Timer2 = nullptr, *Timer3 = nullptr, *Timer4 = nullptr;
    forms::Line *Line1 = nullptr;
    forms::Label *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
                 *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr,
                 *Label9 = nullptr, *Label10 = nullptr, *Label11 = nullptr, *Label12 = nullptr,
                 *Label13 = nullptr, *Label14 = nullptr;
    forms::Label *hanntei1 = nullptr, *hanntei2 = nullptr, *hanntei3 = nullptr;
    forms::Label *aikolabel = nullptr, *a1katilabel = nullptr, *b1katilabel = nullptr,
                 *c1katilabel = nullptr, *abc1katiLabel = nullptr, *a1makelabel = nullptr,
                 *b1makelabel = nullptr, *c1makelabel = nullptr, *abc1makelabel = nullptr;
    forms::Label *aikow = nullptr, *a1katiw = nullptr, *b1katiw = nullptr, *c1katiw = nullptr,
                 *abc1katiw = nullptr, *a1makew = nullptr, *b1makew = nullptr, *c1makew = nullptr,
                 *abc1makew = nullptr;
    forms::Image *guu1 = nullptr, *pii1 = nullptr, *paa1 = nullptr, *guu2 = nullptr,
                 *pii2 = nullptr, *paa2 = nullptr, *guu3 = nullptr, *pii3 = nullptr,
                 *paa3 = nullptr;
};

// The main window, and its 58 controls in creation order.
extern const forms::WindowSpec kForm1Window;
extern const std::array<forms::Row<Form1Controls>, 58> kForm1Controls;

}  // namespace mainwindow
