// The forms' windows on Qt Widgets.
//
// A form's window is a top-level QWidget named after the form ("Form1"), with each control a
// child widget or timer named after the control ("Command1", "Timer1"). forms::qt::widget()
// gives the QWidget of a form.
#pragma once

#include "forms/form.h"

#include <QWidget>

#include <utility>
#include <vector>

namespace forms::qt {

class FormWindow final : public QWidget, public forms::Window {
    Q_OBJECT

public:
    FormWindow(Form &form, const WindowSpec &spec);

    void addControl(const char *name, const ControlSpec &spec, Slot slot) override;
    void laidOut() override;
    void setIcon(const Picture &icon) override;
    void addCopyCommand(std::u16string_view caption, std::function<void()> copy,
                        std::span<forms::Control *const> offeredOn) override;
    void announce(std::u16string_view text) override;
    void showWindow() override;
    void hideWindow() override { hide(); }
    bool isShown() const override { return isVisible(); }
    void closeWindow() override;
    forms::Control *focusedControl() const override;
    void belongTo(forms::Window &owner, std::unique_ptr<Form> form) override;

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    Form &m_form;
    std::unique_ptr<Form> m_ownedForm;  // once the window belongs to another
    std::vector<std::pair<int, QWidget *>> m_tabOrder;
    bool m_unloading = false;
};

// The QWidget of a form's window.
QWidget *widget(const Form &form);

}  // namespace forms::qt
