#include "forms/web/window.h"

#include "forms/web/widgets.h"
#include "sound/mmcontrol.h"

#include <algorithm>
#include <string>

namespace forms::web {

namespace {

constexpr int pixels(int twips) {
    return twips / kTwipsPerPixel;
}

FormWindow *s_active = nullptr;
int s_topmost = 0;  // the z-index of the window in front
int s_opened = 0;   // windows opened so far, each a little further down and right

// Makes the control a row's slot asks for and puts it there.
struct Maker {
    const ControlSpec &spec;

    std::unique_ptr<Element> operator()(forms::CommandButton **slot) const {
        auto button = std::make_unique<CommandButton>(spec.caption ? spec.caption : u"");
        *slot = button.get();
        return button;
    }
    std::unique_ptr<Element> operator()(forms::Label **slot) const {
        auto label = std::make_unique<Label>();
        label->setCaption(spec.caption ? spec.caption : u"");
        if (spec.foreColour) {
            label->setForeColor(*spec.foreColour);
        }
        *slot = label.get();
        return label;
    }
    std::unique_ptr<Element> operator()(forms::Image **slot) const {
        auto image =
            std::make_unique<ImageControl>(*spec.picture, pixels(spec.width), pixels(spec.height));
        *slot = image.get();
        return image;
    }
    std::unique_ptr<Element> operator()(forms::Line **slot) const {
        auto line = std::make_unique<Line>();
        *slot = line.get();
        return line;
    }
    std::unique_ptr<Element> operator()(forms::Canvas **slot) const {
        auto canvas = std::make_unique<Canvas>(pixels(spec.width), pixels(spec.height), spec.font,
                                               spec.scale);
        *slot = canvas.get();
        return canvas;
    }
    std::unique_ptr<Element> operator()(forms::Timer **) const { return nullptr; }
    std::unique_ptr<Element> operator()(MMControl **) const { return nullptr; }
};

}  // namespace

FormWindow::FormWindow(Form &form, const WindowSpec &spec) : m_form(form) {
    m_frame = makeElement("section", "window");
    m_frame.set("id", std::string(spec.name));
    m_frame.set("hidden", true);
    m_frame.call<void>("setAttribute", std::string("aria-label"), toJs(spec.caption));
    val title = makeElement("div", "titlebar");
    val icon = makeElement("canvas", "icon");
    icon.set("hidden", true);
    val caption = makeElement("span", "caption");
    caption.set("textContent", toJs(spec.caption));
    val closeButton = makeElement("button", "close");
    closeButton.set("type", std::string("button"));
    closeButton.set("tabIndex", -1);  // the keyboard has the window's own buttons
    closeButton.set("title", std::string("閉じる"));
    closeButton.call<void>("setAttribute", std::string("aria-label"), std::string("閉じる"));
    title.call<void>("append", icon, caption, closeButton);
    m_client = makeElement("div", "client");
    m_client["style"].set("width", std::to_string(pixels(spec.clientWidth)) + "px");
    m_client["style"].set("height", std::to_string(pixels(spec.clientHeight)) + "px");
    m_frame.call<void>("append", title, m_client);
    const int offset = 8 + 32 * (s_opened++ % 8);
    m_frame["style"].set("left", std::to_string(offset) + "px");
    m_frame["style"].set("top", std::to_string(offset) + "px");
    document()["body"].call<void>("append", m_frame);

    listen(closeButton, "click", [this](val) { close(true); });
    listen(title, "pointerdown", [this](val event) { startDrag(event); });
    listen(title, "pointermove", [this](val event) { drag(event); });
    listen(title, "pointerup", [this](val) { m_dragging = false; });
    listen(title, "pointercancel", [this](val) { m_dragging = false; });
    listen(
        m_frame, "pointerdown", [this](val) { activate(); }, true);
    listen(m_frame, "keydown", [this](val event) {
        if (event["key"].as<std::string>() == "Tab") {
            tab(event);
        }
    });
    listen(m_frame, "focusin", [this](val event) {
        m_focus = event["target"];
        activate();
    });
}

FormWindow::~FormWindow() {
    if (s_active == this) {
        s_active = nullptr;
    }
    m_frame.call<void>("remove");
}

void FormWindow::addControl(const char *name, const ControlSpec &spec, Slot slot) {
    if (auto *timer = std::get_if<forms::Timer **>(&slot)) {
        m_timers.push_back(std::make_unique<Timer>(spec.intervalMs));
        **timer = m_timers.back().get();
        return;
    }
    if (auto *sound = std::get_if<MMControl **>(&slot)) {
        m_sounds.push_back(std::make_unique<MMControl>());
        **sound = m_sounds.back().get();
        return;
    }
    std::unique_ptr<Element> made = std::visit(Maker{spec}, slot);
    Element *placed = made.get();
    const bool line = std::holds_alternative<forms::Line **>(slot);
    const int least = line ? 1 : 0;  // a line is drawn a pixel wide however thin it is
    const bool focusable = spec.tabIndex >= 0 && !std::holds_alternative<forms::Label **>(slot) &&
                           !std::holds_alternative<forms::Image **>(slot);
    if (focusable) {
        m_tabOrder.emplace_back(spec.tabIndex, placed);
    }
    // A line (a separator) is never focused: a focusable separator would be a splitter.
    val tabIndex(focusable ? 0 : -1);
    if (line) {
        tabIndex = val::undefined();
    }
    val::module_property("place")(
        made->element(), std::string(name), pixels(spec.left), pixels(spec.top),
        std::max(least, pixels(spec.width)), std::max(least, pixels(spec.height)),
        spec.font.pixels > 0 ? cssFont(spec.font) : std::string(), tabIndex, m_client);
    auto *control = dynamic_cast<forms::Control *>(made.release());
    if (spec.accessibleName) {
        control->setAccessibleName(spec.accessibleName);
    }
    m_elements.emplace_back(control, placed);
    m_controls.emplace_back(control);
}

void FormWindow::laidOut() {
    // Tab goes through the page's elements in document order: the focusable controls are put
    // in their tab order, which changes nothing of where they are drawn.
    std::stable_sort(m_tabOrder.begin(), m_tabOrder.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &[index, element] : m_tabOrder) {
        m_client.call<void>("append", element->element());
    }
    if (!m_tabOrder.empty()) {
        m_focus = m_tabOrder.front().second->element();
    }
}

void FormWindow::setIcon(const Picture &icon) {
    val canvas = m_frame.call<val>("querySelector", std::string(".icon"));
    const int size = static_cast<int>(16 * pixelRatio());
    drawPicture(canvas, icon, size, size);
    canvas.set("hidden", false);
    // The first window's icon is the page's too.
    val link = document().call<val>("querySelector", std::string("link[rel=icon]"));
    if (link.isNull()) {
        link = makeElement("link");
        link.set("rel", std::string("icon"));
        link.set("href", canvas.call<val>("toDataURL"));
        document()["head"].call<void>("append", link);
    }
}

void FormWindow::addCopyCommand(std::u16string_view, std::function<void()> copy,
                                std::span<forms::Control *const>) {
    // Ctrl+C (Command+C on an iPad's keyboard) in the window; the page's own menu stays the
    // browser's.
    listen(m_frame, "keydown", [copy = std::move(copy)](val event) {
        const bool modifier = event["ctrlKey"].as<bool>() || event["metaKey"].as<bool>();
        if (modifier && event["key"].as<std::string>() == "c") {
            event.call<void>("preventDefault");
            copy();
        }
    });
}

void FormWindow::showWindow() {
    if (!m_shown) {
        m_shown = true;
        m_frame.set("hidden", false);
        activated(m_form);
    }
    activate();
    if (!m_focus.isNull() && !m_frame.call<bool>("contains", document()["activeElement"])) {
        m_focus.call<void>("focus");
    }
}

void FormWindow::hideWindow() {
    m_shown = false;
    m_frame.set("hidden", true);
    if (s_active != this) {
        return;
    }
    s_active = nullptr;
    // As a desktop's window manager does, the window this one belongs to becomes the active one.
    if (m_owner && m_owner->m_shown) {
        m_owner->showWindow();
    }
}

void FormWindow::tab(const val &event) {
    // Tab and Shift+Tab go round the window's enabled controls, as in a desktop window, rather
    // than on to the page's other windows.
    std::vector<val> ring;
    for (const auto &[index, element] : m_tabOrder) {
        const val &candidate = element->element();
        if (!candidate["disabled"].as<bool>() && candidate["hidden"].as<bool>() == false) {
            ring.push_back(candidate);
        }
    }
    if (ring.empty()) {
        return;
    }
    event.call<void>("preventDefault");
    const val focused = document()["activeElement"];
    const auto at = std::find_if(ring.begin(), ring.end(), [&](const val &element) {
        return element.strictlyEquals(focused);
    });
    const bool back = event["shiftKey"].as<bool>();
    std::size_t next = 0;
    if (at == ring.end()) {
        next = back ? ring.size() - 1 : 0;
    } else if (back) {
        next = (static_cast<std::size_t>(at - ring.begin()) + ring.size() - 1) % ring.size();
    } else {
        next = (static_cast<std::size_t>(at - ring.begin()) + 1) % ring.size();
    }
    ring[next].call<void>("focus");
}

void FormWindow::activate() {
    bringToFront();
    if (s_active == this || !m_shown) {
        return;
    }
    if (s_active) {
        s_active->m_frame["classList"].call<void>("remove", std::string("active"));
    }
    s_active = this;
    m_frame["classList"].call<void>("add", std::string("active"));
    activated(m_form);
}

void FormWindow::bringToFront() {
    m_frame["style"].set("zIndex", ++s_topmost);
}

void FormWindow::startDrag(const val &event) {
    if (event["target"]["classList"].call<bool>("contains", std::string("close"))) {
        return;
    }
    // The title bar keeps the pointer until it is let go, however fast it moves.
    event["currentTarget"].call<void>("setPointerCapture", event["pointerId"]);
    m_dragging = true;
    m_dragX = event["clientX"].as<double>() - m_frame["offsetLeft"].as<double>();
    m_dragY = event["clientY"].as<double>() - m_frame["offsetTop"].as<double>();
}

void FormWindow::drag(const val &event) {
    if (!m_dragging) {
        return;
    }
    // Never above or left of the page, where the title bar could not be reached again.
    const int left = std::max(0, static_cast<int>(event["clientX"].as<double>() - m_dragX));
    const int top = std::max(0, static_cast<int>(event["clientY"].as<double>() - m_dragY));
    m_frame["style"].set("left", std::to_string(left) + "px");
    m_frame["style"].set("top", std::to_string(top) + "px");
}

void FormWindow::close(bool byFrame) {
    if (byFrame) {
        closedByFrame(m_form);
    }
    hideWindow();
    unloaded(m_form);
    if (!m_owner) {
        return;
    }
    // Deleted once the handler that unloads it has returned, as its controls may still be in use.
    val::global("setTimeout")(callback([owner = m_owner, self = this](val) {
        std::erase_if(owner->m_windows, [self](const auto &owned) { return owned.get() == self; });
    }));
}

void FormWindow::closeWindow() {
    close(false);
}

forms::Control *FormWindow::controlOf(const val &element) const {
    for (const auto &[control, placed] : m_elements) {
        if (placed->element().strictlyEquals(element)) {
            return control;
        }
    }
    return nullptr;
}

void FormWindow::announce(std::u16string_view text) {
    // Two polite live regions of the page's, used in turn, each emptied as the other speaks: a
    // screen reader reads out text added to a region, the same text twice in a row included.
    static int s_turn = 0;
    val regions = document().call<val>("querySelectorAll", std::string("#spoken > [aria-live]"));
    s_turn = 1 - s_turn;
    regions[1 - s_turn].set("textContent", std::string());
    regions[s_turn].set("textContent", toJs(text));
}

forms::Control *FormWindow::focusedControl() const {
    return m_focus.isNull() ? nullptr : controlOf(m_focus);
}

void FormWindow::belongTo(forms::Window &owner, std::unique_ptr<Form> form) {
    m_owner = &dynamic_cast<FormWindow &>(owner);
    m_owner->m_windows.emplace_back(this);
    m_ownedForm = std::move(form);
}

}  // namespace forms::web
