#include "forms/accessibility.h"

#include "forms/imagecontrol.h"
#include "sound/mmcontrol.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>
#include <QLabel>
#include <QWidget>

namespace forms {

namespace {

// A widget with a role of its own. An image control that is not shown, and
// the sound control, which never shows anything, are invisible to a screen
// reader, though their widgets are shown.
class RoleAccessible final : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const auto *image = qobject_cast<const ImageControl *>(object());
        if ((image && !image->isShown()) || qobject_cast<const MMControl *>(object())) {
            state.invisible = true;
        }
        return state;
    }
};

// Qt asks the factories for each class of an object, most derived first; the
// interfaces made here are owned by Qt's cache and deleted with their widget.
QAccessibleInterface *roleFactory(const QString &className, QObject *object) {
    auto *widget = qobject_cast<QWidget *>(object);
    const auto *frame = qobject_cast<QFrame *>(object);
    const QAccessible::Role role =
        !widget ? QAccessible::NoRole
        : className == u"forms::ImageControl" || className == u"forms::Canvas"
            ? QAccessible::Graphic
        : className == u"forms::FormWindow"                              ? QAccessible::Window
        : className == u"MMControl"                                      ? QAccessible::Sound
        : className == u"QFrame" && frame->frameShape() == QFrame::HLine ? QAccessible::Separator
                                                                         : QAccessible::NoRole;
    return role == QAccessible::NoRole ? nullptr : new RoleAccessible(widget, role);
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
    // one is left alone rather than announced to screen readers again. The
    // CPU budget of automatic play in make bench relies on this skip.
    if (label->text() == text && label->accessibleDescription() == text) {
        return;
    }
    label->setText(text);
    label->setAccessibleDescription(text);
}

}  // namespace forms
