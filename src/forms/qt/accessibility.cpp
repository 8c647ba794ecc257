#include "forms/qt/accessibility.h"

#include "forms/qt/canvas.h"
#include "forms/qt/widgets.h"
#include "forms/qt/window.h"

#include <QAccessible>
#include <QAccessibleWidget>

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

// Qt asks the factories for each class of an object, most derived first; the interfaces made
// here are owned by Qt's cache and deleted with their widget.
QAccessibleInterface *roleFactory(const QString &, QObject *object) {
    if (auto *sound = qobject_cast<SoundControl *>(object)) {
        return new SoundAccessible(sound);
    }
    if (qobject_cast<ImageControl *>(object) || qobject_cast<Canvas *>(object)) {
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

}  // namespace

void installAccessibleRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(roleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

}  // namespace forms::qt
