// What the browser's platform builds the page with: elements made and styled from C++ through
// embind's val, and DOM events delivered to C++ handlers.
#pragma once

#include "forms/controls.h"

#include <emscripten/val.h>

#include <functional>
#include <string>
#include <string_view>

namespace forms::web {

using emscripten::val;

// A JavaScript string from the program's UTF-16 text.
val toJs(std::u16string_view text);
// "#rrggbb"
std::string cssColour(Colour colour);
// The CSS font of the program's Gothic face.
std::string cssFont(const Font &font);

val document();
val makeElement(const char *tag, const char *className = nullptr);

// A JavaScript function that calls `handler` with its argument, until the program ends.
val callback(std::function<void(val argument)> handler);
// Delivers each `type` event on `target` to `handler`, until the program ends.
void listen(const val &target, const char *type, std::function<void(val event)> handler,
            bool capture = false);

// Something drawn at the screen's pixel density, drawn again when it changes (zoom, or a move
// to another screen).
class Repaintable {
public:
    Repaintable();
    virtual ~Repaintable();
    Repaintable(const Repaintable &) = delete;
    Repaintable &operator=(const Repaintable &) = delete;
    virtual void repaint() = 0;
};
double pixelRatio();

// Whether the program has ended: from then on no handler runs.
bool ended();
void endEverything();

}  // namespace forms::web
