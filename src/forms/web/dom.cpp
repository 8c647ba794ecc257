#include "forms/web/dom.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <vector>

namespace forms::web {

namespace {

// A deque, so that a handler that listens to more events (a window being made) does not move
// the handler that is running.
std::deque<std::function<void(val)>> &handlers() {
    static std::deque<std::function<void(val)>> list;
    return list;
}

std::vector<Repaintable *> &repaintables() {
    static std::vector<Repaintable *> list;
    return list;
}

bool s_ended = false;
double s_ratio = 0;

void appendUtf8(std::string &out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void watchPixelRatio() {
    s_ratio = val::global("devicePixelRatio").as<double>();
    // Zooming the page and moving it to another screen both resize the viewport.
    listen(val::global("window"), "resize", [](val) {
        const double ratio = val::global("devicePixelRatio").as<double>();
        if (ratio == s_ratio) {
            return;
        }
        s_ratio = ratio;
        for (Repaintable *item : repaintables()) {
            item->repaint();
        }
    });
}

}  // namespace

val toJs(std::u16string_view text) {
    std::string utf8;
    utf8.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        const bool pair = c >= 0xD800 && c < 0xDC00 && i + 1 < text.size();
        if (pair) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        appendUtf8(utf8, c);
    }
    return val(utf8);
}

std::string cssColour(Colour colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(colour & 0xFFFFFF));
    return text;
}

std::string cssFont(const Font &font) {
    // The windows' own font is the face at 12 pixels, as on the desktop.
    const int pixels = font.pixels > 0 ? font.pixels : 12;
    std::string css = font.italic ? "italic " : "";
    css += font.bold ? "bold " : "";
    return css + std::to_string(pixels) + "px \"Ume P Gothic\", sans-serif";
}

val document() {
    return val::global("document");
}

val makeElement(const char *tag, const char *className) {
    val element = document().call<val>("createElement", std::string(tag));
    if (className) {
        element.set("className", std::string(className));
    }
    return element;
}

val callback(std::function<void(val)> handler) {
    handlers().push_back(std::move(handler));
    return val::module_property("listener")(static_cast<int>(handlers().size() - 1));
}

void listen(const val &target, const char *type, std::function<void(val)> handler, bool capture) {
    target.call<void>("addEventListener", std::string(type), callback(std::move(handler)), capture);
}

Repaintable::Repaintable() {
    if (s_ratio == 0) {
        watchPixelRatio();
    }
    repaintables().push_back(this);
}

Repaintable::~Repaintable() {
    std::erase(repaintables(), this);
}

double pixelRatio() {
    return s_ratio > 0 ? s_ratio : val::global("devicePixelRatio").as<double>();
}

bool ended() {
    return s_ended;
}

void endEverything() {
    s_ended = true;
}

}  // namespace forms::web

// Called by the page's listeners (page.js) with the event in Module.event.
extern "C" EMSCRIPTEN_KEEPALIVE void janken_dispatch(int handler) {
    using namespace forms::web;
    if (ended() || handler < 0 || static_cast<std::size_t>(handler) >= handlers().size()) {
        return;
    }
    handlers()[static_cast<std::size_t>(handler)](val::module_property("event"));
}
