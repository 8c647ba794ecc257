#include "forms/qt/window.h"

#include "forms/qt/accessibility.h"
#include "forms/qt/canvas.h"
#include "forms/qt/fonts.h"
#include "forms/qt/widgets.h"

#include <QAction>
#include <QCloseEvent>
#include <QWindow>

#include <algorithm>

namespace forms::qt {

namespace {

constexpr int pixels(int twips) {
    return twips / kTwipsPerPixel;
}

// Makes the control a row's slot asks for and puts it there.
struct Maker {
    QWidget *window;
    const ControlSpec &spec;

    QString caption() const { return spec.caption ? QString::fromUtf16(spec.caption) : QString(); }

    QObject *operator()(forms::CommandButton **slot) const {
        auto *button = new CommandButton(caption(), window);
        button->setAutoDefault(false);
        *slot = button;
        return button;
    }
    QObject *operator()(forms::Label **slot) const {
        auto *label = new Label(window);
        label->setText(caption());
        if (spec.foreColour) {
            label->setForeColor(*spec.foreColour);
        }
        *slot = label;
        return label;
    }
    QObject *operator()(forms::Image **slot) const {
        auto *image = new ImageControl(toImage(*spec.picture), window);
        *slot = image;
        return image;
    }
    QObject *operator()(forms::Line **slot) const {
        auto *line = new Line(window);
        *slot = line;
        return line;
    }
    QObject *operator()(forms::Canvas **slot) const {
        auto *canvas = new Canvas(window);
        canvas->setFocusPolicy(Qt::StrongFocus);
        canvas->setScale(spec.scale.x, spec.scale.y);
        *slot = canvas;
        return canvas;
    }
    QObject *operator()(forms::Timer **slot) const {
        auto *timer = new Timer(spec.intervalMs, window);
        *slot = timer;
        return timer;
    }
    QObject *operator()(MMControl **slot) const {
        auto *control = new SoundControl(window);
        *slot = control;
        return control;
    }
};

}  // namespace

FormWindow::FormWindow(Form &form, const WindowSpec &spec) : m_form(form) {
    // Before any control exists: a screen reader already listening asks for the new
    // controls' interfaces as they appear.
    installAccessibleRoles();
    setObjectName(QString::fromLatin1(spec.name));
    setFont(gothicFont({}));
    setWindowTitle(QString::fromUtf16(spec.caption));
    setFixedSize(pixels(spec.clientWidth), pixels(spec.clientHeight));
}

void FormWindow::addControl(const char *name, const ControlSpec &spec, Slot slot) {
    QObject *made = std::visit(Maker{this, spec}, slot);
    made->setObjectName(QString::fromLatin1(name));
    auto *widget = qobject_cast<QWidget *>(made);
    if (!widget) {
        return;  // a timer
    }
    if (spec.font.pixels > 0) {
        widget->setFont(gothicFont(spec.font));
    }
    if (spec.accessibleName) {
        widget->setAccessibleName(QString::fromUtf16(spec.accessibleName));
    }
    if (std::holds_alternative<forms::Line **>(slot)) {
        // Drawn on the window itself, beneath the buttons.
        widget->setGeometry(pixels(spec.left), pixels(spec.top), std::max(1, pixels(spec.width)),
                            std::max(1, pixels(spec.height)));
        widget->lower();
        return;
    }
    widget->setGeometry(pixels(spec.left), pixels(spec.top), pixels(spec.width),
                        pixels(spec.height));
    if (spec.tabIndex >= 0 && widget->focusPolicy() != Qt::NoFocus) {
        m_tabOrder.emplace_back(spec.tabIndex, widget);
    }
}

void FormWindow::laidOut() {
    std::ranges::sort(m_tabOrder, {}, &std::pair<int, QWidget *>::first);
    for (std::size_t i = 1; i < m_tabOrder.size(); ++i) {
        setTabOrder(m_tabOrder[i - 1].second, m_tabOrder[i].second);
    }
    // The first in the tab order holds the focus when the window opens, whichever was made first.
    if (!m_tabOrder.empty()) {
        m_tabOrder.front().second->setFocus(Qt::OtherFocusReason);
    }
}

void FormWindow::setIcon(const Picture &icon) {
    setWindowIcon(QIcon(QPixmap::fromImage(toImage(icon))));
}

void FormWindow::addCopyCommand(std::u16string_view caption, std::function<void()> copy,
                                std::span<forms::Control *const> offeredOn) {
    auto *action = new QAction(toQString(caption), this);
    action->setShortcut(QKeySequence::Copy);
    addAction(action);
    for (forms::Control *control : offeredOn) {
        auto *widget = dynamic_cast<QWidget *>(control);
        widget->addAction(action);
        widget->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
    connect(action, &QAction::triggered, this, std::move(copy));
}

void FormWindow::showWindow() {
    show();
    raise();
    activateWindow();
}

void FormWindow::closeWindow() {
    m_unloading = true;
    close();
}

void FormWindow::announce(std::u16string_view text) {
    qt::announce(this, toQString(text));
}

forms::Control *FormWindow::focusedControl() const {
    return dynamic_cast<forms::Control *>(focusWidget());
}

void FormWindow::belongTo(forms::Window &owner, std::unique_ptr<Form> form) {
    setParent(&dynamic_cast<FormWindow &>(owner), Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    m_ownedForm = std::move(form);
}

bool FormWindow::event(QEvent *event) {
    const bool handled = QWidget::event(event);
    switch (event->type()) {
        case QEvent::Show:
            // Shown without an owner: a window manager keeps it neither above its owner nor
            // together with it.
            if (parentWidget() && windowHandle()) {
                windowHandle()->setTransientParent(nullptr);
            }
            activated(m_form);
            break;
        case QEvent::WindowActivate:
            activated(m_form);
            break;
        default:
            break;
    }
    return handled;
}

void FormWindow::closeEvent(QCloseEvent *event) {
    event->accept();
    if (!std::exchange(m_unloading, false)) {
        closedByFrame(m_form);
    }
    unloaded(m_form);
}

QWidget *widget(const Form &form) {
    return dynamic_cast<FormWindow *>(&form.window());
}

}  // namespace forms::qt
