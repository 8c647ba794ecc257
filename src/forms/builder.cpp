#include "forms/builder.h"

#include "forms/accessibility.h"
#include "forms/canvas.h"
#include "forms/fonts.h"
#include "forms/imagecontrol.h"
#include "sound/mmcontrol.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace forms {

namespace {

QColor inkColour(Ink ink, const QColor &fallback) {
    switch (ink) {
        case Ink::Blue:
            return QColor(0, 0, 255);
        case Ink::Red:
            return QColor(255, 0, 0);
        case Ink::Default:
            break;
    }
    return fallback;
}

QString captionOf(const ControlSpec &spec) {
    return spec.caption ? QString::fromUtf16(spec.caption) : QString();
}

QLabel *makeLabel(const ControlSpec &spec, QWidget *window) {
    auto *label = new QLabel(captionOf(spec), window);
    // A fixed single border with the sunken 3-D edge: two pixels each side.
    label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText,
                     inkColour(spec.ink, palette.color(QPalette::WindowText)));
    label->setPalette(palette);
    return label;
}

// Twips off the pixel grid would be rounded where they are drawn, so that a
// mistyped one would go unseen: a layout in any other units stops the program.
void requireWholePixels(const char *what, std::initializer_list<int> twips) {
    if (std::ranges::any_of(twips, [](int t) { return t % kTwipsPerPixel != 0; })) {
        qFatal("forms: %s is not laid out in whole pixels of %d twips", what, kTwipsPerPixel);
    }
}

// Makes the widget a row's slot asks for, and fills the slot.
struct Maker {
    const ControlSpec &spec;
    QWidget *window;

    template <typename T>
    T *fill(T **slot, T *made) const {
        if (*slot) {
            qFatal("forms: the control %s has two rows", spec.name);
        }
        return *slot = made;
    }
    QObject *operator()(QPushButton **slot) const {
        auto *button = fill(slot, new QPushButton(captionOf(spec), window));
        button->setAutoDefault(false);
        button->setDefault(false);
        return button;
    }
    QObject *operator()(QLabel **slot) const { return fill(slot, makeLabel(spec, window)); }
    QObject *operator()(ImageControl **slot) const {
        return fill(slot, new ImageControl(spec.picture ? *spec.picture : QImage(), window));
    }
    QObject *operator()(QFrame **slot) const {
        auto *line = fill(slot, new QFrame(window));
        line->setFrameStyle(QFrame::HLine | QFrame::Plain);
        line->setLineWidth(1);
        line->setAccessibleName(QStringLiteral(u"区切り線"));  // a rule has no caption of its own
        return line;
    }
    QObject *operator()(MMControl **slot) const { return fill(slot, new MMControl(window)); }
    QObject *operator()(QTimer **slot) const {
        auto *timer = fill(slot, new QTimer(window));
        timer->setInterval(spec.intervalMs);
        timer->setTimerType(Qt::PreciseTimer);  // keeps its rate without drift
        return timer;
    }
    QObject *operator()(Canvas **slot) const {
        auto *canvas = fill(slot, new Canvas(window));
        canvas->setFocusPolicy(Qt::StrongFocus);
        return canvas;
    }
};

}  // namespace

QFont fontFor(FontRole role, const QFont &windowDefault) {
    switch (role) {
        case FontRole::Table:
            return gothicFont(kTableFontPixels, true, false);
        case FontRole::TableItalic:
            return gothicFont(kTableFontPixels, true, true);
        case FontRole::Button:
            return gothicFont(kButtonFontPixels, true, false);
        case FontRole::WindowDefault:
            break;
    }
    return windowDefault;
}

void buildControls(QWidget *window, std::span<const ControlSpec> controls) {
    // Before any control exists: a screen reader that is already listening
    // asks for the new controls' interfaces as they appear.
    installAccessibleRoles();
    std::vector<std::pair<int, QWidget *>> focusChain;
    for (const ControlSpec &spec : controls) {
        requireWholePixels(spec.name, {spec.left, spec.top, spec.width, spec.height});
        QObject *made = std::visit(Maker{spec, window}, spec.slot);
        made->setObjectName(QString::fromLatin1(spec.name));
        auto *widget = qobject_cast<QWidget *>(made);
        if (!widget) {
            continue;  // a timer
        }
        if (spec.font != FontRole::WindowDefault) {
            widget->setFont(fontFor(spec.font, window->font()));
        }
        if (std::holds_alternative<QFrame **>(spec.slot)) {
            widget->setGeometry(pixels(spec.left), pixels(spec.top),
                                std::max(1, pixels(spec.width)), std::max(1, pixels(spec.height)));
            widget->lower();  // drawn on the window itself, under the buttons
        } else {
            widget->setGeometry(spec.pixelRect());
        }
        if (spec.tabIndex >= 0 && widget->focusPolicy() != Qt::NoFocus) {
            focusChain.emplace_back(spec.tabIndex, widget);
        }
    }
    std::ranges::sort(focusChain, {}, &std::pair<int, QWidget *>::first);
    for (std::size_t i = 1; i < focusChain.size(); ++i) {
        QWidget::setTabOrder(focusChain[i - 1].second, focusChain[i].second);
    }
    // The first in the tab order holds the focus when the window opens,
    // whichever was created first.
    if (!focusChain.empty()) {
        focusChain.front().second->setFocus(Qt::OtherFocusReason);
    }
}

void applyWindow(QWidget *window, const WindowSpec &spec) {
    requireWholePixels("a window", {spec.clientWidth, spec.clientHeight});
    window->setFont(gothicFont(kWindowFontPixels));
    window->setWindowTitle(QString::fromUtf16(spec.caption));
    window->setFixedSize(pixels(spec.clientWidth), pixels(spec.clientHeight));
}

}  // namespace forms
