#include "forms/qt/widgets.h"

#include <QPainter>

namespace forms::qt {

void CommandButton::onClick(std::function<void()> handler) {
    connect(this, &QPushButton::clicked, this, std::move(handler));
}

Label::Label(QWidget *parent) : Control(parent) {
    // A fixed single border with the sunken 3-D edge, two pixels each side, on white.
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void Label::setCaption(std::u16string_view caption) {
    setText(toQString(caption));
}

void Label::setForeColor(Colour colour) {
    const QColor ink = QColor::fromRgb(colour);
    if (palette().color(QPalette::WindowText) == ink) {
        return;
    }
    QPalette coloured = palette();
    coloured.setColor(QPalette::WindowText, ink);
    setPalette(coloured);
}

ImageControl::ImageControl(const QImage &picture, QWidget *parent)
    : Control(parent), m_picture(picture.convertToFormat(QImage::Format_RGB32)) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // the picture covers every pixel
}

QImage ImageControl::stretch(const QImage &picture, QSize size) {
    QImage out(size, QImage::Format_RGB32);
    const qint64 sw = picture.width();
    const qint64 sh = picture.height();
    for (int y = 0; y != size.height(); ++y) {
        const int sy = static_cast<int>((2 * y + 1) * sh / (2 * qint64{size.height()}));
        const auto *src = reinterpret_cast<const QRgb *>(picture.constScanLine(sy));
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x != size.width(); ++x) {
            dst[x] = src[(2 * x + 1) * sw / (2 * qint64{size.width()})];
        }
    }
    return out;
}

void ImageControl::paintEvent(QPaintEvent *) {
    // Scaled here rather than by the painter, so that every density gets the same sharp,
    // exactly reproducible mapping.
    const qreal ratio = devicePixelRatioF();
    const QSize device = (QSizeF(size()) * ratio).toSize();
    if (m_stretched.size() != device || m_stretched.devicePixelRatio() != ratio) {
        m_stretched = stretch(m_picture, device);
        m_stretched.setDevicePixelRatio(ratio);
    }
    QPainter(this).drawImage(QPoint(0, 0), m_stretched);
}

Line::Line(QWidget *parent) : Control(parent) {
    setFrameStyle(QFrame::HLine | QFrame::Plain);
    setLineWidth(1);
}

Timer::Timer(int intervalMs, QObject *parent) : QTimer(parent) {
    setInterval(intervalMs);
    setTimerType(Qt::PreciseTimer);  // keeps its rate without drift
}

void Timer::setEnabled(bool enabled) {
    if (enabled) {
        start();
    } else {
        stop();
    }
}

void Timer::onTimer(std::function<void()> handler) {
    connect(this, &QTimer::timeout, this, std::move(handler));
}

SoundControl::SoundControl(QWidget *parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

QImage toImage(const Picture &picture) {
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            image.setPixel(x, y, 0xFF000000u | picture.at(x, y));
        }
    }
    return image;
}

}  // namespace forms::qt
