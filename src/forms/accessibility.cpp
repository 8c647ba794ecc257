#include "forms/accessibility.h"

#include "forms/imagecontrol.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QWidget>

#include <array>
#include <utility>

namespace forms {

namespace {

constexpr std::array<std::pair<const char *, QAccessible::Role>, 2> kRoles{{
    {"forms::Canvas", QAccessible::Graphic},
    {"forms::FormWindow", QAccessible::Window},
}};

// An image control is invisible when it is not shown, though its widget is.
class ImageAccessible final : public QAccessibleWidget {
public:
    explicit ImageAccessible(ImageControl *image)
        : QAccessibleWidget(image, QAccessible::Graphic) {}
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (!static_cast<const ImageControl *>(object())->isShown()) {
            state.invisible = true;
        }
        return state;
    }
};

// Qt asks the factories for each class of an object, most derived first.
QAccessibleInterface *roleFactory(const QString &className, QObject *object) {
    if (!object || !object->isWidgetType()) {
        return nullptr;
    }
    if (auto *image = qobject_cast<ImageControl *>(object)) {
        return new ImageAccessible(image);  // owned by Qt's cache, like the others
    }
    for (const auto &[name, role] : kRoles) {
        if (className == QLatin1String(name)) {
            // Qt's cache of interfaces owns it and deletes it with the widget.
            return new QAccessibleWidget(static_cast<QWidget *>(object), role);
        }
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

void setCaption(QLabel *label, const QString &text) {
    // Most cells keep their text from one round to the next; an unchanged
    // one is left alone rather than announced to screen readers again.
    if (label->text() == text && label->accessibleDescription() == text) {
        return;
    }
    label->setText(text);
    label->setAccessibleDescription(text);
}

}  // namespace forms
