#include "forms/imagecontrol.h"

#include <QAccessible>
#include <QPainter>

namespace forms {

ImageControl::ImageControl(const QImage &picture, QWidget *parent)
    : QWidget(parent), m_picture(picture.convertToFormat(QImage::Format_RGB32)) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // the picture covers every pixel
}

void ImageControl::setShown(bool shown) {
    if (shown == m_shown) {
        return;
    }
    m_shown = shown;
    // Hidden, it paints nothing and the window beneath must be drawn.
    setAttribute(Qt::WA_OpaquePaintEvent, shown);
    update();
    // What a screen reader is told when a widget is shown or hidden.
    QAccessible::State changed;
    changed.invisible = true;
    QAccessibleStateChangeEvent state(this, changed);
    QAccessible::updateAccessibility(&state);
    QAccessibleEvent event(this, shown ? QAccessible::ObjectShow : QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&event);
}

QImage ImageControl::stretch(const QImage &picture, QSize size) {
    QImage out(size, QImage::Format_RGB32);
    if (picture.isNull() || size.isEmpty()) {
        out.fill(Qt::white);
        return out;
    }
    const qint64 sw = picture.width(), sh = picture.height();
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

namespace {

QImage sharedStretch(const QImage &picture, QSize size, qreal ratio) {
    // Controls showing the same picture at the same size share one copy: a
    // window of three players has each hand three times over.
    struct Made {
        qint64 source;
        QImage image;
    };
    static QList<Made> made;
    for (const Made &m : std::as_const(made)) {
        if (m.source == picture.cacheKey() && m.image.size() == size &&
            m.image.devicePixelRatio() == ratio) {
            return m.image;
        }
    }
    if (made.size() >= 16) {  // a change of density: the old sizes are done with
        made.clear();
    }
    QImage image = ImageControl::stretch(picture, size);
    image.setDevicePixelRatio(ratio);
    made.append({picture.cacheKey(), image});
    return image;
}

}  // namespace

void ImageControl::paintEvent(QPaintEvent *) {
    if (!m_shown) {
        return;
    }
    // Scaled by hand rather than by the painter, so that every screen density
    // gets the same sharp, exactly reproducible mapping.
    const qreal ratio = devicePixelRatioF();
    const QSize device = (QSizeF(size()) * ratio).toSize();
    if (m_stretched.size() != device || m_stretched.devicePixelRatio() != ratio) {
        m_stretched = sharedStretch(m_picture, device, ratio);
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_stretched);
}

}  // namespace forms
