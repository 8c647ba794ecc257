#pragma once

#include "mainwindow/layout.h"

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QStringList>

#include <optional>

namespace mainwindow {

// The hand drawings are kept as character grids, one text row per pixel row:
// '.' white background, 'y' light-yellow skin, '#' black outline, and in the
// icon 'g' for grey.
inline constexpr int kPictureWidth = 32;
inline constexpr int kPictureHeight = 33;
inline constexpr int kIconSize = 32;

inline constexpr QRgb kBackground = 0xFFFFFFu;
inline constexpr QRgb kSkin = 0xFFFF80u;
inline constexpr QRgb kOutline = 0x000000u;
inline constexpr QRgb kGrey = 0x7F7F7Fu;

// The colour of a grid character, or nothing for a character the grids do not use.
std::optional<QRgb> gridColour(QChar c);

// Splits grid text into rows; nothing unless it is exactly height rows of
// width known characters.
std::optional<QStringList> parseGrid(const QByteArray &text, int width, int height);

// A 32 x 33, 24-bit, bottom-up BMP file of 3222 bytes.
QByteArray encodeBmp(const QStringList &grid);

// The window icon: the scissors drawing without its blank top row, the
// outline at the top edge in grey; a 3262-byte, 24-bit, 32 x 32 ICO file.
QByteArray encodeIco(const QStringList &scissorsGrid);

// Decodes an uncompressed 24-bit BMP by hand; a null image for anything
// else. QImage's own reader would load every image-format plugin at
// start-up just to choose its built-in BMP handler.
QImage decodeBmp(const QByteArray &bmp);

// The shipped files, as compiled into the program.
QByteArray pictureFile(Picture picture);
QByteArray iconFile();

// The icon's 32 x 32 image, decoded from the shipped file.
QImage iconImage();

// The decoded pictures, read once and shared.
const QImage &handImage(Picture picture);
QIcon windowIcon();

}  // namespace mainwindow
