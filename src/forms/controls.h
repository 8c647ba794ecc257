// The controls a window is made of, as its handlers see them: command buttons, labels, image
// controls, lines, canvases and timers. Each platform implements them with its own toolkit; a
// window only ever holds these.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace forms {

// A colour as 0xRRGGBB.
using Colour = std::uint32_t;

// A point in a canvas's user units.
struct Point {
    float x = 0;
    float y = 0;
};

// The program's Gothic face, sized in pixels so that the layouts in twips hold at any density.
// Zero pixels is the window's own font.
struct Font {
    int pixels = 0;
    bool bold = false;
    bool italic = false;
};

// A small picture drawn as characters, one a pixel, each row ended by a newline; the legend
// gives each character's colour.
struct Picture {
    int width = 0;
    int height = 0;
    std::string_view rows;
    std::span<const std::pair<char, Colour>> legend;

    constexpr Colour at(int x, int y) const {
        const char code = rows[static_cast<std::size_t>(y * (width + 1) + x)];
        for (const auto &[c, colour] : legend) {
            if (c == code) {
                return colour;
            }
        }
        return 0xFFFFFF;
    }
};

class Control {
public:
    virtual ~Control() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setFocus() = 0;
    // What a screen reader calls the control, and what it says of it besides.
    virtual void setAccessibleName(std::u16string_view name) = 0;
    virtual void setAccessibleDescription(std::u16string_view description) = 0;
};

class CommandButton : public Control {
public:
    virtual void onClick(std::function<void()> handler) = 0;
};

class Label : public Control {
public:
    virtual void setCaption(std::u16string_view caption) = 0;
    virtual std::u16string caption() const = 0;
    virtual void setForeColor(Colour colour) = 0;
};

// Stretches its picture over its whole rectangle.
class Image : public Control {
public:
    virtual void setVisible(bool visible) = 0;
};

class Line : public Control {};

// A picture box used as a canvas: white, in user units over the area inside its border. What is
// drawn stays until it is cleared. Text and drawing share one current position.
class Canvas : public Control {
public:
    virtual void cls() = 0;  // erase everything; the current position back to (0, 0)
    virtual void line(Point from, Point to, Colour colour) = 0;
    virtual void lineTo(Point to, Colour colour) = 0;  // from the current position
    virtual void pset(Point at, Colour colour) = 0;
    virtual void setCurrent(Point at) = 0;
    virtual void setForeColor(Colour colour) = 0;  // of the text printed
    // One line of text with its top-left corner at the current position; then the position
    // goes back to the left edge, one line lower.
    virtual void print(std::u16string_view text) = 0;
};

// Ticks every interval while it is enabled.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setEnabled(bool enabled) = 0;  // enabling a stopped timer starts it
    virtual void onTimer(std::function<void()> handler) = 0;
};

}  // namespace forms
