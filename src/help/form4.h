#pragma once

#include "forms/controls.h"
#include "forms/formwindow.h"

#include <QPointer>

namespace help {
struct Form4Controls {
    forms::Canvas *Picture1 = nullptr;
    QPushButton *Command1 = nullptr;
    QFrame *Line1 = nullptr;
};
}  // namespace help

// The help window: the problem the experiment answers and how to operate the
// main window, printed anew each time the window is activated.
class Form4 : public forms::FormWindow, private help::Form4Controls {
    Q_OBJECT

public:
    // mainWindow is brought back by "閉じる".
    explicit Form4(QWidget *mainWindow = nullptr);

    forms::Canvas *canvas() const { return Picture1; }

public slots:
    void Form_Activate();   // clear and print the text
    void Command1_Click();  // 閉じる: unload, then show the main window

protected:
    void activated() override { Form_Activate(); }

private:
    QPointer<QWidget> m_mainWindow;
};
