// The controls as elements of the page: a button, labels as divs, image controls and canvases as
// <canvas> elements, a line as a div, timers on the browser's intervals.
#pragma once

#include "forms/layout.h"
#include "forms/web/dom.h"

#include <string>
#include <vector>

namespace forms::web {

// The element a control is, for its window to place and to find again.
class Element {
public:
    explicit Element(val element) : m_element(std::move(element)) {}
    virtual ~Element() = default;
    const val &element() const { return m_element; }

protected:
    val m_element;
};

// What every kind of control does with its element.
template <typename Interface>
class ControlOn : public Interface, public Element {
public:
    using Element::Element;
    void setEnabled(bool enabled) override {
        if (enabled == m_enabled) {
            return;  // as every write of the page is laid out and painted again
        }
        m_enabled = enabled;
        m_element.set("disabled", !enabled);
        m_element.call<void>("toggleAttribute", std::string("aria-disabled"), !enabled);
    }
    bool isEnabled() const override { return m_enabled; }
    void setFocus() override { m_element.call<void>("focus"); }
    void setAccessibleName(std::u16string_view name) override {
        m_element.call<void>("setAttribute", std::string("aria-label"), toJs(name));
    }
    void setAccessibleDescription(std::u16string_view description) override {
        m_element.call<void>("setAttribute", std::string("aria-description"), toJs(description));
    }

private:
    bool m_enabled = true;
};

class CommandButton final : public ControlOn<forms::CommandButton> {
public:
    explicit CommandButton(std::u16string_view caption);
    void onClick(std::function<void()> handler) override;
};

// A label with an accessible name ("あいこ 回数 12") shows its caption in a span hidden from
// screen readers, beside a visually hidden span that holds the name: a div without a role may not
// have aria-label, and a screen reader's virtual cursor reads a div's text, not its label.
class Label final : public ControlOn<forms::Label> {
public:
    Label();
    void setCaption(std::u16string_view caption) override;
    std::u16string caption() const override { return m_caption; }
    void setForeColor(Colour colour) override;
    void setAccessibleName(std::u16string_view name) override;

private:
    std::u16string m_caption;
    std::u16string m_name;
    Colour m_foreColour = 0;
    val m_shown = val::null();   // the caption, once the label has a name
    val m_spoken = val::null();  // the name
};

// Its picture stretched nearest-neighbour over the screen's pixels, exactly as on the desktop.
// Drawn once the page is about to show it: a shown picture just before the next frame, a hidden
// one just after it, or when it is shown.
class ImageControl final : public ControlOn<forms::Image>, public Repaintable {
public:
    ImageControl(const Picture &picture, int width, int height);
    ~ImageControl() override;
    void setVisible(bool visible) override;
    void repaint() override;
    bool isVisible() const { return m_visible; }
    void draw();  // if not yet drawn at the screen's pixel density

private:
    const Picture &m_picture;
    bool m_visible = true;
    bool m_drawn = false;
    int m_width = 0;
    int m_height = 0;
};

// Makes `canvas` `width` x `height` device pixels, with `picture` stretched over all of it.
void drawPicture(val &canvas, const Picture &picture, int width, int height);

class Line final : public ControlOn<forms::Line> {
public:
    Line();
};

// A figure: its name, its description in a hidden element it is described by, and each line it
// prints as a paragraph of its fallback content, which a screen reader reads and the page does
// not draw.
class Canvas final : public ControlOn<forms::Canvas>, public Repaintable {
public:
    // `width` and `height`: the control's, with its 2-pixel sunken border.
    Canvas(int width, int height, const Font &font, Point scale);

    void cls() override;
    void line(Point from, Point to, Colour colour) override;
    void lineTo(Point to, Colour colour) override;
    void pset(Point at, Colour colour) override;
    void setCurrent(Point at) override { m_current = at; }
    void setForeColor(Colour colour) override { m_foreColour = colour; }
    void print(std::u16string_view text) override;
    void setAccessibleDescription(std::u16string_view description) override;
    void repaint() override;

private:
    struct Mark {
        enum Kind { Line, Point, Text } kind;
        forms::Point from;
        forms::Point to;
        Colour colour;
        std::u16string text;
    };
    struct Pixel {
        int x;
        int y;
    };
    Pixel toPixel(forms::Point user) const;
    void draw(const Mark &mark);
    void add(Mark mark);

    int m_width = 0;   // inside the border
    int m_height = 0;  // inside the border
    std::string m_font;
    forms::Point m_scale;
    int m_ascent = 0;
    int m_lineHeight = 0;
    val m_context = val::null();
    val m_description = val::null();
    std::vector<Mark> m_marks;
    forms::Point m_current;
    Colour m_foreColour = 0;
};

// On the browser's own setInterval, whose ticks come in as the page's events do.
class Timer final : public forms::Timer {
public:
    explicit Timer(int intervalMs);
    ~Timer() override;
    void setEnabled(bool enabled) override;
    void onTimer(std::function<void()> handler) override { m_handler = std::move(handler); }

private:
    int m_intervalMs = 0;
    val m_tick = val::null();
    val m_interval = val::null();  // the browser's interval, while enabled
    std::function<void()> m_handler;
};

}  // namespace forms::web
