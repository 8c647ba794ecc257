#pragma once

#include <QWidget>

namespace forms {

// A window opened by a command of the main window: it draws on activation
// and, once closed, tells its owner, who lets go of it.
class FormWindow : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Shows the window, or brings it to the front, and makes it active.
    void bringUp();

signals:
    void unloaded();

protected:
    virtual void activated() = 0;
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
};

}  // namespace forms
