#include "forms/form.h"

namespace forms {

Form::Form(const WindowSpec &spec)
    : m_ownWindow(makeWindow(*this, spec)), m_window(m_ownWindow.get()) {}

void Form::adopt(std::unique_ptr<Form> form) {
    form->m_owner = this;
    Window *window = form->m_ownWindow.release();  // from now on this window's to delete
    window->belongTo(*m_window, std::move(form));
}

void Window::activated(Form &form) {
    form.Form_Activate();
}

void Window::closedByFrame(Form &form) {
    form.closedByFrame();
}

void Window::unloaded(Form &form) {
    form.m_loaded.reset();
}

}  // namespace forms
