// The controls of the forms on Qt Widgets: each is the Qt widget (or timer) that does the job,
// and answers to the forms' interface besides.
#pragma once

#include "forms/controls.h"
#include "sound/mmcontrol.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace forms::qt {

inline QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// What every control does the same way: the widget's own enabled state, focus and accessible
// texts.
template <typename Widget, typename Interface>
class Control : public Widget, public Interface {
public:
    using Widget::Widget;

    void setEnabled(bool enabled) override { Widget::setEnabled(enabled); }
    bool isEnabled() const override { return Widget::isEnabled(); }
    void setFocus() override { Widget::setFocus(Qt::OtherFocusReason); }
    void setAccessibleName(std::u16string_view name) override {
        Widget::setAccessibleName(toQString(name));
    }
    void setAccessibleDescription(std::u16string_view description) override {
        Widget::setAccessibleDescription(toQString(description));
    }
};

class CommandButton final : public Control<QPushButton, forms::CommandButton> {
    Q_OBJECT

public:
    using Control::Control;
    void onClick(std::function<void()> handler) override;
};

class Label final : public Control<QLabel, forms::Label> {
    Q_OBJECT

public:
    explicit Label(QWidget *parent);
    void setCaption(std::u16string_view caption) override;
    std::u16string caption() const override { return text().toStdU16String(); }
    void setForeColor(Colour colour) override;
};

// Stretches its picture over its whole rectangle with nearest-neighbour scaling, so that the
// stored bitmap's hard outline stays hard at any density.
class ImageControl final : public Control<QWidget, forms::Image> {
    Q_OBJECT

public:
    ImageControl(const QImage &picture, QWidget *parent);
    void setVisible(bool visible) override { QWidget::setVisible(visible); }

    // The picture at a size in device pixels, each pixel taking the picture's pixel under its
    // centre.
    static QImage stretch(const QImage &picture, QSize size);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QImage m_stretched;  // for the current size and pixel ratio
};

class Line final : public Control<QFrame, forms::Line> {
    Q_OBJECT

public:
    explicit Line(QWidget *parent);
};

class Timer final : public QTimer, public forms::Timer {
    Q_OBJECT

public:
    Timer(int intervalMs, QObject *parent);
    void setEnabled(bool enabled) override;
    void onTimer(std::function<void()> handler) override;
};

// The multimedia control's place in the window: it shows nothing, and is heard.
class SoundControl final : public QWidget, public MMControl {
    Q_OBJECT

public:
    explicit SoundControl(QWidget *parent);
};

QImage toImage(const Picture &picture);

}  // namespace forms::qt
