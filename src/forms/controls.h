#pragma once

#include <QRect>

#include <variant>

class MMControl;
class QFrame;
class QImage;
class QLabel;
class QPushButton;
class QTimer;

namespace forms {

class Canvas;
class ImageControl;

// Window layouts are described in twips, 15 to the pixel.
inline constexpr int kTwipsPerPixel = 15;
constexpr int pixels(int twips) {
    return twips / kTwipsPerPixel;
}

enum class FontRole { WindowDefault, Table, TableItalic, Button };
enum class Ink { Default, Blue, Red };

// Where the builder puts the control a row makes: the window's own typed
// member, whose type says what kind of control the row is.
using Slot = std::variant<QPushButton **, QLabel **, ImageControl **, QFrame **, MMControl **,
                          QTimer **, Canvas **>;

// One control of a fixed window layout. A line's rectangle runs from
// (left, top) to (left + width, top + height).
struct ControlSpec {
    const char *name;
    Slot slot;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    const char16_t *caption = nullptr;
    FontRole font = FontRole::WindowDefault;
    Ink ink = Ink::Default;
    int tabIndex = -1;  // -1: takes no focus
    const QImage *picture = nullptr;
    int intervalMs = 0;

    QRect pixelRect() const { return {pixels(left), pixels(top), pixels(width), pixels(height)}; }
};

// A row with the defaults for all but its place, caption and tab index.
inline ControlSpec control(const char *name, Slot slot, int left, int top, int width, int height,
                           const char16_t *caption = nullptr, int tabIndex = -1) {
    return {.name = name,
            .slot = slot,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .caption = caption,
            .tabIndex = tabIndex};
}

// A row's name and slot from one spelling of the member, in a function given
// the window's controls as `c`: a misspelt control does not compile.
#define FORMS_CONTROL(member) #member, &c.member

struct WindowSpec {
    const char16_t *caption;
    int clientWidth;   // twips
    int clientHeight;  // twips
};

}  // namespace forms
