#include "forms/web/widgets.h"

#include <algorithm>
#include <cmath>

namespace forms::web {

CommandButton::CommandButton(std::u16string_view caption)
    : ControlOn(makeElement("button", "command")) {
    m_element.set("type", std::string("button"));
    m_element.set("textContent", toJs(caption));
}

void CommandButton::onClick(std::function<void()> handler) {
    listen(m_element, "click", [handler = std::move(handler)](val) { handler(); });
}

Label::Label() : ControlOn(makeElement("div", "label")) {}

void Label::setCaption(std::u16string_view caption) {
    // Each round sets every caption; only a changed one is written, as every write of the page
    // is laid out and painted again.
    if (caption != m_caption) {
        m_caption = caption;
        (m_shown.isNull() ? m_element : m_shown).set("textContent", toJs(caption));
    }
}

void Label::setAccessibleName(std::u16string_view name) {
    if (m_shown.isNull()) {
        m_shown = makeElement("span");
        m_shown.call<void>("setAttribute", std::string("aria-hidden"), std::string("true"));
        m_shown.set("textContent", toJs(m_caption));
        m_spoken = makeElement("span", "spoken");
        m_element.call<void>("replaceChildren", m_shown, m_spoken);
    }
    if (name != m_name) {
        m_name = name;
        m_spoken.set("textContent", toJs(name));
    }
}

void Label::setForeColor(Colour colour) {
    if (colour != m_foreColour) {
        m_foreColour = colour;
        m_element["style"].set("color", cssColour(colour));
    }
}

namespace {

std::vector<std::uint8_t> stretched(const Picture &picture, int width, int height) {
    // Each target pixel takes the source pixel under its centre.
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    std::size_t i = 0;
    for (int y = 0; y < height; ++y) {
        const int sy = static_cast<int>((2LL * y + 1) * picture.height / (2LL * height));
        for (int x = 0; x < width; ++x) {
            const int sx = static_cast<int>((2LL * x + 1) * picture.width / (2LL * width));
            const Colour colour = picture.at(sx, sy);
            rgba[i++] = static_cast<std::uint8_t>(colour >> 16);
            rgba[i++] = static_cast<std::uint8_t>(colour >> 8);
            rgba[i++] = static_cast<std::uint8_t>(colour);
            rgba[i++] = 255;
        }
    }
    return rgba;
}

}  // namespace

void drawPicture(val &canvas, const Picture &picture, int width, int height) {
    canvas.set("width", width);
    canvas.set("height", height);
    const std::vector<std::uint8_t> rgba = stretched(picture, width, height);
    const val pixels = val::global("Uint8ClampedArray")
                           .new_(val(emscripten::typed_memory_view(rgba.size(), rgba.data())));
    const val image = val::global("ImageData").new_(pixels, width, height);
    canvas.call<val>("getContext", std::string("2d")).call<void>("putImageData", image, 0, 0);
}

namespace {

// The pictures still to draw. Drawing all nine hand pictures while the main window was built
// held its first frame back by about 8 ms; only the three shown are drawn before it.
std::vector<ImageControl *> &undrawn() {
    static std::vector<ImageControl *> list;
    return list;
}

void drawAll(bool hiddenToo) {
    std::vector<ImageControl *> &list = undrawn();
    for (ImageControl *image : list) {
        if (hiddenToo || image->isVisible()) {
            image->draw();
        }
    }
    if (hiddenToo) {
        list.clear();
    }
}

void drawSoon(ImageControl *image) {
    if (undrawn().empty()) {
        static const val beforeFrame = callback([](val) {
            drawAll(false);
            static const val afterFrame = callback([](val) { drawAll(true); });
            val::global("setTimeout")(afterFrame);
        });
        val::global("requestAnimationFrame")(beforeFrame);
    }
    undrawn().push_back(image);
}

}  // namespace

ImageControl::ImageControl(const Picture &picture, int width, int height)
    : ControlOn(makeElement("canvas", "image")),
      m_picture(picture),
      m_width(width),
      m_height(height) {
    m_element.call<void>("setAttribute", std::string("role"), std::string("img"));
    drawSoon(this);
}

ImageControl::~ImageControl() {
    std::erase(undrawn(), this);
}

void ImageControl::setVisible(bool visible) {
    // Each shuffle sets all three pictures of a player; only a change is written.
    if (visible != m_visible) {
        m_visible = visible;
        m_element.set("hidden", !visible);
    }
    if (visible) {
        draw();
    }
}

void ImageControl::repaint() {
    m_drawn = false;
    if (m_visible) {
        draw();
    } else if (std::find(undrawn().begin(), undrawn().end(), this) == undrawn().end()) {
        drawSoon(this);
    }
}

void ImageControl::draw() {
    if (m_drawn) {
        return;
    }
    m_drawn = true;
    const double ratio = pixelRatio();
    drawPicture(m_element, m_picture, static_cast<int>(std::lround(m_width * ratio)),
                static_cast<int>(std::lround(m_height * ratio)));
}

Line::Line() : ControlOn(makeElement("div", "line")) {
    m_element.call<void>("setAttribute", std::string("role"), std::string("separator"));
}

Canvas::Canvas(int width, int height, const Font &font, Point scale)
    : ControlOn(makeElement("canvas", "canvas")),
      m_width(width - 4),
      m_height(height - 4),
      m_font(cssFont(font)),
      m_scale(scale) {
    if (m_scale.x <= 0 || m_scale.y <= 0) {
        m_scale = {float(m_width * kTwipsPerPixel), float(m_height * kTwipsPerPixel)};
    }
    // An image would hide the printed lines from a screen reader; a figure reads them.
    m_element.call<void>("setAttribute", std::string("role"), std::string("figure"));
    repaint();
}

void Canvas::setAccessibleDescription(std::u16string_view description) {
    // aria-description is read by too few screen readers.
    static int s_described = 0;
    if (m_description.isNull()) {
        m_description = makeElement("span");
        m_description.set("id", "description" + std::to_string(++s_described));
        m_description.set("hidden", true);
        m_element.call<void>("setAttribute", std::string("aria-describedby"), m_description["id"]);
        m_element.call<void>("append", m_description);
    }
    m_description.set("textContent", toJs(description));
}

Canvas::Pixel Canvas::toPixel(forms::Point user) const {
    // The pixel a point falls in; the tolerance keeps exact multiples (225 twips = 15 pixels)
    // from rounding down by a hair.
    const double x = double(user.x) * m_width / m_scale.x;
    const double y = double(user.y) * m_height / m_scale.y;
    return {static_cast<int>(std::floor(x + 1e-6)), static_cast<int>(std::floor(y + 1e-6))};
}

void Canvas::add(Mark mark) {
    draw(mark);
    m_marks.push_back(std::move(mark));
}

void Canvas::cls() {
    m_marks.clear();
    m_element.call<void>("replaceChildren");
    if (!m_description.isNull()) {
        m_element.call<void>("append", m_description);
    }
    m_current = {};
    m_context.set("fillStyle", std::string("#ffffff"));
    m_context.call<void>("fillRect", 0, 0, m_width, m_height);
}

void Canvas::line(Point from, Point to, Colour colour) {
    add({Mark::Line, from, to, colour, {}});
    m_current = to;
}

void Canvas::lineTo(Point to, Colour colour) {
    line(m_current, to, colour);
}

void Canvas::pset(Point at, Colour colour) {
    m_current = at;
    add({Mark::Point, at, at, colour, {}});
}

void Canvas::print(std::u16string_view text) {
    const Pixel topLeft = toPixel(m_current);
    if (!text.empty()) {
        add({Mark::Text, m_current, m_current, m_foreColour, std::u16string(text)});
    }
    val paragraph = makeElement("p");
    paragraph.set("textContent", toJs(text));
    m_element.call<void>("append", paragraph);
    // Back to the left edge, one line of the font down.
    m_current = {0, float(double(topLeft.y + m_lineHeight) * m_scale.y / m_height)};
}

void Canvas::draw(const Mark &mark) {
    const Pixel from = toPixel(mark.from);
    const std::string colour = cssColour(mark.colour);
    switch (mark.kind) {
        case Mark::Text:
            m_context.set("fillStyle", colour);
            m_context.call<void>("fillText", toJs(mark.text), from.x, from.y + m_ascent);
            break;
        case Mark::Point:
            m_context.set("fillStyle", colour);
            m_context.call<void>("fillRect", from.x, from.y, 1, 1);
            break;
        case Mark::Line: {
            // A one-pixel pen through the pixels' centres, its square caps covering both ends.
            const Pixel to = toPixel(mark.to);
            m_context.set("strokeStyle", colour);
            m_context.call<void>("beginPath");
            m_context.call<void>("moveTo", from.x + 0.5, from.y + 0.5);
            m_context.call<void>("lineTo", to.x + 0.5, to.y + 0.5);
            m_context.call<void>("stroke");
            break;
        }
    }
}

void Canvas::repaint() {
    const double ratio = pixelRatio();
    m_element.set("width", std::lround(m_width * ratio));
    m_element.set("height", std::lround(m_height * ratio));
    // Resizing the canvas resets its context.
    m_context = m_element.call<val>("getContext", std::string("2d"));
    m_context.call<void>("setTransform", ratio, 0, 0, ratio, 0, 0);
    m_context.set("font", m_font);
    m_context.set("lineWidth", 1);
    m_context.set("lineCap", std::string("square"));
    const val metrics = m_context.call<val>("measureText", std::string("あ"));
    m_ascent = static_cast<int>(std::lround(metrics["fontBoundingBoxAscent"].as<double>()));
    m_lineHeight =
        m_ascent + static_cast<int>(std::lround(metrics["fontBoundingBoxDescent"].as<double>()));
    m_context.set("fillStyle", std::string("#ffffff"));
    m_context.call<void>("fillRect", 0, 0, m_width, m_height);
    for (const Mark &mark : m_marks) {
        draw(mark);
    }
}

Timer::Timer(int intervalMs) : m_intervalMs(intervalMs) {
    m_tick = callback([this](val) {
        if (m_handler) {
            m_handler();
        }
    });
}

Timer::~Timer() {
    setEnabled(false);
}

void Timer::setEnabled(bool enabled) {
    // Enabling restarts the interval, as enabling a running timer does on the desktop.
    if (!m_interval.isNull()) {
        val::global("clearInterval")(m_interval);
        m_interval = val::null();
    }
    if (enabled) {
        m_interval = val::global("setInterval")(m_tick, m_intervalMs);
    }
}

}  // namespace forms::web
