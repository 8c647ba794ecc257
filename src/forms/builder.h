#pragma once

#include "forms/controls.h"

#include <QFont>
#include <QWidget>

#include <span>

namespace forms {

QFont fontFor(FontRole role, const QFont &windowDefault);

// Creates a window's controls from its description, in creation order, as
// children of the window named after the controls, and puts each in its
// slot. A slot filled twice stops the program: each control has one row.
// Lines lie on the window's own surface, beneath every other control; the
// focusable controls take the focus in the order of their tab indexes.
void buildControls(QWidget *window, std::span<const ControlSpec> controls);

// Fixes the window's caption, client size and own font.
void applyWindow(QWidget *window, const WindowSpec &spec);

}  // namespace forms
