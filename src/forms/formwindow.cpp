#include "forms/formwindow.h"

#include <QCloseEvent>

namespace forms {

void FormWindow::bringUp() {
    show();
    raise();
    activateWindow();
}

bool FormWindow::event(QEvent *event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate) {
        activated();
    }
    return handled;
}

void FormWindow::closeEvent(QCloseEvent *event) {
    QWidget::closeEvent(event);
    if (event->isAccepted()) {
        emit unloaded();
    }
}

}  // namespace forms
