// The forms' windows inside the page.
//
// A window is an element whose id is the form's name ("Form1"): a frame with the caption and a
// close button, holding the client area, in which each control is an element whose id is the
// control's name ("Command1", "Label13", "guu1", "Picture1"). A control is shown exactly when its
// element is rendered. Windows are moved by their title bar, with mouse, touch or pen; pressing
// on a window or focusing into it brings it to the front and activates it.
#pragma once

#include "forms/form.h"
#include "forms/web/dom.h"

#include <memory>
#include <utility>
#include <vector>

namespace forms::web {

class Element;

class FormWindow final : public forms::Window {
public:
    FormWindow(Form &form, const WindowSpec &spec);
    ~FormWindow() override;

    void addControl(const char *name, const ControlSpec &spec, Slot slot) override;
    void laidOut() override;
    void setIcon(const Picture &icon) override;
    void addCopyCommand(std::u16string_view caption, std::function<void()> copy,
                        std::span<forms::Control *const> offeredOn) override;
    void announce(std::u16string_view text) override;
    void showWindow() override;
    void hideWindow() override;
    bool isShown() const override { return m_shown; }
    void closeWindow() override;
    forms::Control *focusedControl() const override;
    void belongTo(forms::Window &owner, std::unique_ptr<Form> form) override;

    const val &element() const { return m_frame; }

private:
    void activate();
    void bringToFront();
    void close(bool byFrame);
    void tab(const val &event);
    void startDrag(const val &event);
    void drag(const val &event);
    forms::Control *controlOf(const val &element) const;

    Form &m_form;
    val m_frame = val::null();
    val m_client = val::null();
    val m_focus = val::null();  // the element last focused in the window
    std::vector<std::unique_ptr<forms::Control>> m_controls;
    std::vector<std::pair<forms::Control *, Element *>> m_elements;
    std::vector<std::unique_ptr<forms::Timer>> m_timers;
    std::vector<std::unique_ptr<MMControl>> m_sounds;
    std::vector<std::pair<int, Element *>> m_tabOrder;
    std::vector<std::unique_ptr<FormWindow>> m_windows;  // the windows that belong to this one
    FormWindow *m_owner = nullptr;
    bool m_shown = false;
    bool m_dragging = false;
    double m_dragX = 0;
    double m_dragY = 0;
    std::unique_ptr<Form> m_ownedForm;  // last, so that the form goes before its controls
};

}  // namespace forms::web
