#pragma once

#include <QRect>

namespace forms {

// Window layouts are described in twips, 15 to the pixel.
inline constexpr int kTwipsPerPixel = 15;
constexpr int pixels(int twips) {
    return twips / kTwipsPerPixel;
}

enum class Kind { Button, Label, Image, Line, Sound, Timer, Canvas };
enum class FontRole { WindowDefault, Table, TableItalic, Button };
enum class Ink { Default, Blue, Red };

// One control of a fixed window layout. A line's rectangle runs from
// (left, top) to (left + width, top + height).
struct ControlSpec {
    const char *name;
    Kind kind;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    const char16_t *caption = nullptr;
    FontRole font = FontRole::WindowDefault;
    Ink ink = Ink::Default;
    int tabIndex = -1;  // -1: takes no focus
    int picture = 0;    // an image control's picture, as its window numbers them
    int intervalMs = 0;

    QRect pixelRect() const { return {pixels(left), pixels(top), pixels(width), pixels(height)}; }
};

struct WindowSpec {
    const char16_t *caption;
    int clientWidth;   // twips
    int clientHeight;  // twips
};

}  // namespace forms
