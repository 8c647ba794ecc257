#pragma once

#include "forms/controls.h"

namespace mainwindow {

// The hand drawings, 32 x 33 pixels in three colours, as the image controls show them.
inline constexpr int kPictureWidth = 32;
inline constexpr int kPictureHeight = 33;

// The pictures of the hand codes 1 rock, 2 scissors and 3 paper, each at its code - 1.
extern const forms::Picture kHandPictures[3];

// The window's icon: the scissors without their blank top row, 32 x 32, the outline along its
// top edge in grey.
extern const forms::Picture kIconPicture;

}  // namespace mainwindow
