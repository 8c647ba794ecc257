// A window's fixed layout: the window, and a table of its controls in creation order, each row
// naming the member of the window's controls struct that the control is put in.
#pragma once

#include "forms/controls.h"

#include <array>
#include <optional>
#include <string_view>
#include <variant>

class MMControl;

namespace forms {

// Layouts are described in twips, 15 to the pixel at 100 %.
inline constexpr int kTwipsPerPixel = 15;

struct WindowSpec {
    const char *name;
    const char16_t *caption;
    int clientWidth;   // twips
    int clientHeight;  // twips
};

// One control. A line runs from (left, top) to (left + width, top + height).
struct ControlSpec {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    const char16_t *caption = nullptr;
    Font font{};
    std::optional<Colour> foreColour{};  // none: the toolkit's default
    int tabIndex = -1;                   // -1: takes no focus
    const Picture *picture = nullptr;
    int intervalMs = 0;
    Point scale{};                             // a canvas's user units across and down; none: twips
    const char16_t *accessibleName = nullptr;  // for a control without a caption of its own
};

// Where a control is put: a member of the window's controls struct, whose type says what kind
// of control the row makes.
template <typename C>
using Member = std::variant<CommandButton * C::*, Label * C::*, Image * C::*, Line * C::*,
                            Canvas * C::*, Timer * C::*, MMControl * C::*>;
using Slot =
    std::variant<CommandButton **, Label **, Image **, Line **, Canvas **, Timer **, MMControl **>;

template <typename C>
struct Row {
    const char *name;
    Member<C> member;
    ControlSpec spec;
};

// A row's name and member from one spelling of the member, in a table over the struct `Controls`:
// a misspelt control does not compile.
#define FORMS_CONTROL(member) #member, &Controls::member

// What is checked of a layout when the program is compiled: every place and size a whole number
// of pixels, so that a mistyped twip cannot hide in the rounding, and every member named once.
constexpr bool onWholePixels(const WindowSpec &window) {
    return window.clientWidth % kTwipsPerPixel == 0 && window.clientHeight % kTwipsPerPixel == 0;
}

template <typename C, std::size_t N>
constexpr bool onWholePixels(const std::array<Row<C>, N> &rows) {
    for (const Row<C> &row : rows) {
        for (int twips : {row.spec.left, row.spec.top, row.spec.width, row.spec.height}) {
            if (twips % kTwipsPerPixel != 0) {
                return false;
            }
        }
    }
    return true;
}

template <typename C, std::size_t N>
constexpr bool eachNamedOnce(const std::array<Row<C>, N> &rows) {
    for (std::size_t i = 0; i < N; ++i) {
        for (std::size_t j = i + 1; j < N; ++j) {
            if (std::string_view(rows[i].name) == rows[j].name) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace forms
