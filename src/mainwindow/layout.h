#pragma once

#include "forms/controls.h"

#include <span>

namespace mainwindow {

// The hand pictures, numbered as the image controls of the layout name them.
enum class Picture { None, Guu, Pii, Paa };

// The main window and its 58 controls, in creation order.
const forms::WindowSpec &form1Window();
std::span<const forms::ControlSpec> form1Controls();

}  // namespace mainwindow
