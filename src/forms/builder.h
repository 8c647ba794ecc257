#pragma once

#include "forms/controls.h"

#include <QFont>
#include <QImage>
#include <QWidget>

#include <span>

namespace forms {

QFont fontFor(FontRole role, const QFont &windowDefault);

// The picture an image control shows, by the number its description gives.
using PictureSource = const QImage &(*)(int picture);

// Creates a window's controls from its description, in creation order, as
// children of the window named after the controls. Lines lie on the window's
// own surface, beneath every other control; the focusable controls take the
// focus in the order of their tab indexes.
void buildControls(QWidget *window, std::span<const ControlSpec> controls,
                   PictureSource pictures = nullptr);

// Fixes the window's caption, client size and own font.
void applyWindow(QWidget *window, const WindowSpec &spec);

}  // namespace forms
