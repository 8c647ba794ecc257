#include "forms/qt/accessibility.h"

#include "forms/qt/canvas.h"
#include "forms/qt/widgets.h"
#include "forms/qt/window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QPointer>
#include <QTimer>

namespace forms::qt {

namespace {

class SoundAccessible final : public QAccessibleWidget {
public:
    explicit SoundAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::Sound) {}
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        return state;
    }
};

// A canvas reads as the text printed on it, one line a print, so that a screen reader can go
// through it line by line; it has no caret or selection of its own.
class CanvasAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit CanvasAccessible(Canvas *canvas)
        : QAccessibleWidget(canvas, QAccessible::Graphic), m_canvas(canvas) {}

    void *interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface *>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(int start, int end) const override {
        return m_canvas->printedText().mid(start, end - start);
    }
    int characterCount() const override { return int(m_canvas->printedText().size()); }
    QRect characterRect(int offset) const override {
        const QRect rect = m_canvas->characterRect(offset);
        return rect.translated(m_canvas->mapToGlobal(QPoint(0, 0)));
    }
    int cursorPosition() const override { return m_cursor; }
    void setCursorPosition(int position) override { m_cursor = position; }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    Canvas *m_canvas;
    int m_cursor = 0;
};

// Qt asks the factories for each class of an object, most derived first; the interfaces made
// here are owned by Qt's cache and deleted with their widget.
QAccessibleInterface *roleFactory(const QString &, QObject *object) {
    if (auto *sound = qobject_cast<SoundControl *>(object)) {
        return new SoundAccessible(sound);
    }
    if (auto *canvas = qobject_cast<Canvas *>(object)) {
        return new CanvasAccessible(canvas);
    }
    if (qobject_cast<ImageControl *>(object)) {
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic);
    }
    if (auto *line = qobject_cast<Line *>(object)) {
        return new QAccessibleWidget(line, QAccessible::Separator);
    }
    if (auto *window = qobject_cast<FormWindow *>(object)) {
        return new QAccessibleWidget(window, QAccessible::Window);
    }
    return nullptr;
}

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
// Qt 6.4 has no announcements, and Orca 43 reads no change away from the focus; what it does
// read is the description of the widget the focus moves to. So a text said rides on that: on
// the widget that takes the focus before the handler returns to the event loop, or on the one
// that keeps it. The next move of the focus takes it off again.
class Carrier final : public QObject {
public:
    explicit Carrier(QObject *parent) : QObject(parent) {
        connect(qApp, &QApplication::focusChanged, this,
                [this](QWidget *, QWidget *now) { moved(now); });
    }

    void say(const QString &text) {
        m_text = text;
        m_delivered = false;
        if (m_waiting) {
            return;  // one turn of the event loop ends it, however many are said
        }
        m_waiting = true;
        QTimer::singleShot(0, this, [this] {
            m_waiting = false;
            if (!m_delivered) {
                carry(QApplication::focusWidget());
            }
            m_text.clear();
        });
    }

private:
    void moved(QWidget *now) {
        if (m_widget) {
            m_widget->setAccessibleDescription(m_kept);
        }
        m_widget = nullptr;
        if (!m_text.isEmpty()) {
            carry(now);
            m_delivered = true;
        }
    }
    void carry(QWidget *widget) {
        if (!widget) {
            return;
        }
        m_widget = widget;
        m_kept = widget->accessibleDescription();
        widget->setAccessibleDescription(m_text);
    }

    QString m_text;
    bool m_delivered = false;
    bool m_waiting = false;      // for the event loop's next turn
    QPointer<QWidget> m_widget;  // carries the text now
    QString m_kept;              // its own description, given back when the focus moves on
};
#endif

}  // namespace

void announce([[maybe_unused]] QWidget *window, const QString &text) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(window, text);
    QAccessible::updateAccessibility(&event);
#else
    static Carrier *carrier = new Carrier(qApp);  // owned by the application
    carrier->say(text);
#endif
}

void installAccessibleRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(roleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

}  // namespace forms::qt
