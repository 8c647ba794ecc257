#pragma once

#include "forms/controls.h"
#include "forms/formwindow.h"

#include <QPointer>

#include <span>

namespace forms {
class Canvas;
}
class QPushButton;

// The help window: the problem the experiment answers and how to operate the
// main window, printed anew each time the window is activated.
class Form4 : public forms::FormWindow {
    Q_OBJECT

public:
    // mainWindow is brought back by "閉じる".
    explicit Form4(QWidget *mainWindow = nullptr);

    forms::Canvas *canvas() const { return Picture1; }

    // The window's fixed description, in twips.
    static const forms::WindowSpec &windowSpec();
    static std::span<const forms::ControlSpec> controlSpecs();

public slots:
    void Form_Activate();   // clear and print the text
    void Command1_Click();  // 閉じる: unload, then show the main window

protected:
    void activated() override { Form_Activate(); }

private:
    forms::Canvas *Picture1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPointer<QWidget> m_mainWindow;
};
