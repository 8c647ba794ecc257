#pragma once

#include <QIcon>
#include <QImage>

#include <cstdint>

namespace mainwindow {

// The hand drawings are kept as character grids, pictures/*.txt, one text row
// per pixel row: '.' white background, 'y' light-yellow skin, '#' black
// outline. Built into images when first asked for.
inline constexpr int kPictureWidth = 32;
inline constexpr int kPictureHeight = 33;

// The 32 x 33 picture of a hand code: 1 rock, 2 scissors, 3 paper.
const QImage &handImage(std::int16_t hand);

// The window icon: the scissors drawing without its blank top row, 32 x 32,
// the outline along its top edge in grey.
QImage iconImage();
QIcon windowIcon();

}  // namespace mainwindow
