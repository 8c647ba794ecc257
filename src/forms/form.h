// Windows: the form a window's handlers are written in, and what the platform does for it.
#pragma once

#include "forms/layout.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

class Form;

// The platform's window behind a form. Made with the form, as a window of its own; a window
// loaded by another belongs to that one from then on.
class Window {
public:
    virtual ~Window() = default;

    virtual void addControl(const char *name, const ControlSpec &spec, Slot slot) = 0;
    virtual void laidOut() = 0;  // after the last control: the tab order and the first focus
    virtual void setIcon(const Picture &icon) = 0;
    // Ctrl+C in the window, and the caption on the menu of each control named.
    virtual void addCopyCommand(std::u16string_view caption, std::function<void()> copy,
                                std::span<Control *const> offeredOn) = 0;
    // Says `text` once to a screen reader, politely, without moving the focus.
    virtual void announce(std::u16string_view text) = 0;
    virtual void showWindow() = 0;  // modeless, in front, active
    virtual void hideWindow() = 0;
    virtual bool isShown() const = 0;
    virtual void closeWindow() = 0;
    virtual Control *focusedControl() const = 0;
    // From now on the window and `form` belong to `owner`: deleted with it, or once closed.
    virtual void belongTo(Window &owner, std::unique_ptr<Form> form) = 0;

protected:
    // What the platform tells its form.
    static void activated(Form &form);
    static void closedByFrame(Form &form);
    static void unloaded(Form &form);
};

// Made by the platform for each form: a top-level window of its own, named and sized as `spec`.
std::unique_ptr<Window> makeWindow(Form &form, const WindowSpec &spec);

template <typename T>
class Guarded;

// A window, as its handlers see it. A form made on its own owns its window; one loaded by
// another (load<T>) belongs to that one.
class Form {
public:
    virtual ~Form() = default;
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    // Shows the window modeless, or brings it to the front, and makes it active.
    void Show() { m_window->showWindow(); }
    void Hide() { m_window->hideWindow(); }
    bool isVisible() const { return m_window->isShown(); }
    // Closes the window. A loaded window is deleted once the handler that unloads it returns,
    // and no Guarded pointer reaches it from now on.
    void Unload() { m_window->closeWindow(); }

    // Runs when the window is shown, and each time it becomes the active window: a window
    // manager may withhold the activation, and the window must not stay blank for it.
    virtual void Form_Activate() {}

    Window &window() const { return *m_window; }

protected:
    explicit Form(const WindowSpec &spec);

    // Makes the controls of `rows` and puts each in its member of `controls`.
    template <typename C, std::size_t N>
    void build(C &controls, const std::array<Row<C>, N> &rows) {
        for (const Row<C> &row : rows) {
            const auto slot = [&controls](auto member) -> Slot { return &(controls.*member); };
            m_window->addControl(row.name, row.spec, std::visit(slot, row.member));
        }
        m_window->laidOut();
    }
    void setIcon(const Picture &icon) { m_window->setIcon(icon); }
    void addCopyCommand(std::u16string_view caption, std::function<void()> copy,
                        const std::vector<Control *> &offeredOn) {
        m_window->addCopyCommand(caption, std::move(copy), offeredOn);
    }
    Control *focusedControl() const { return m_window->focusedControl(); }
    void announce(std::u16string_view text) { m_window->announce(text); }
    // The window that loaded this one, if any.
    Form *owner() const { return m_owner; }
    // The frame's close button was pressed; the window closes after this.
    virtual void closedByFrame() {}

private:
    friend class Window;
    template <typename T>
    friend class Guarded;
    template <typename T>
    friend Guarded<T> load(Form &owner);
    void adopt(std::unique_ptr<Form> form);

    std::unique_ptr<Window> m_ownWindow;  // until another window takes this one over
    Window *m_window = nullptr;
    Form *m_owner = nullptr;
    std::shared_ptr<const bool> m_loaded = std::make_shared<const bool>(true);
};

// A pointer to a loaded window that is null from the moment the window is unloaded.
template <typename T>
class Guarded {
public:
    Guarded() = default;
    explicit Guarded(T *form) : m_form(form), m_loaded(form->m_loaded) {}

    T *get() const { return m_loaded.expired() ? nullptr : m_form; }
    T *operator->() const { return get(); }
    explicit operator bool() const { return get() != nullptr; }

private:
    T *m_form = nullptr;
    std::weak_ptr<const bool> m_loaded;
};

// Makes a window that belongs to `owner`: deleted with it, or once it is closed.
template <typename T>
Guarded<T> load(Form &owner) {
    auto form = std::make_unique<T>();
    Guarded<T> loaded(form.get());
    owner.adopt(std::move(form));
    return loaded;
}

// A modal message box with a text, a title and a style, returning the button pressed. The
// program asks with style 4 only: Yes and No, Yes the default, answered 6 or 7.
inline constexpr int vbYesNo = 4;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;
int msgBox(Form &owner, std::u16string_view prompt, int style, std::u16string_view title);

// A table as it is copied: rows of cells, each cell as it is shown.
using Table = std::vector<std::vector<std::u16string>>;

// What a copy puts on the clipboard: a table, offered as text and as HTML, and the picture a
// canvas shows.
struct ClipboardData {
    Table table;
    const Canvas *picture = nullptr;
};
void setClipboard(const ClipboardData &data);

// The table as a spreadsheet pastes text: cells tab-separated, one line a row.
std::u16string tableText(const Table &table);
// The table as HTML that a spreadsheet pastes as cells without asking: a cell that shows a
// decimal number is a number, kept to the decimals it shows (0.400 stays 0.400).
std::u16string tableHtml(const Table &table);

// Ends the program at once, with this exit status.
void endProgram(int status);

}  // namespace forms
