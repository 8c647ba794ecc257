#include "forms/canvas.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace {

// Where the pen must run to fill the logical pixel `pixel`. A pen one device
// pixel wide fills the pixel right of and below an integer point; a wider
// one (a pixel ratio above 1) is centred on its path and must pass through
// the pixel's centre, or it fills half of this pixel and half of the one
// above or to the left.
QPointF penPath(QPoint pixel, qreal ratio) {
    return ratio > 1 ? QPointF(pixel) + QPointF(0.5, 0.5) : QPointF(pixel);
}

}  // namespace

namespace forms {

Canvas::Canvas(QWidget *parent) : QFrame(parent) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
}

Canvas::~Canvas() {
    finishPainting();
}

void Canvas::setScale(qreal width, qreal height) {
    m_scaleWidth = width;
    m_scaleHeight = height;
    updateTransform();
}

void Canvas::updateTransform() {
    // Twips unless told otherwise.
    const QSize size = innerSize();
    const qreal w = m_scaleWidth > 0 ? m_scaleWidth : size.width() * 15.0;
    const qreal h = m_scaleHeight > 0 ? m_scaleHeight : size.height() * 15.0;
    m_toPixels = QTransform::fromScale(size.width() / w, size.height() / h);
}

QPoint Canvas::toPixel(QPointF user) const {
    // The pixel a point falls in; the tolerance keeps exact multiples (225
    // twips = 15 pixels) from rounding down by a hair.
    const QPointF p = m_toPixels.map(user);
    return {static_cast<int>(std::floor(p.x() + 1e-6)), static_cast<int>(std::floor(p.y() + 1e-6))};
}

QPointF Canvas::toUser(QPoint pixel) const {
    return m_toPixels.inverted().map(QPointF(pixel));
}

void Canvas::ensureImage() {
    const qreal ratio = devicePixelRatioF();
    const QSize device(static_cast<int>(std::lround(innerSize().width() * ratio)),
                       static_cast<int>(std::lround(innerSize().height() * ratio)));
    if (m_image.size() != device || m_image.devicePixelRatio() != ratio) {
        finishPainting();
        QImage fresh(device, QImage::Format_RGB32);
        fresh.setDevicePixelRatio(ratio);
        fresh.fill(Qt::white);
        QPainter painter(&fresh);
        if (!m_image.isNull()) {
            // Keep what was drawn when the density changes.
            painter.drawImage(QRectF(QPointF(0, 0), QSizeF(innerSize())), m_image);
        }
        for (const Printed &line : std::as_const(m_printed)) {
            drawText(painter, line.topLeft, line.text, line.colour);
        }
        painter.end();
        m_printed.clear();
        m_image = fresh;
    }
}

QPainter &Canvas::imagePainter(QColor pen) {
    ensureImage();
    const bool opened = !m_painter.isActive();
    if (opened) {
        m_painter.begin(&m_image);
    }
    // Set whenever the colour changes, and on opening, so that no drawing
    // depends on what a fresh painter's pen happens to be.
    if (opened || m_painter.pen().color() != pen) {
        m_painter.setPen(QPen(pen, 1, Qt::SolidLine, Qt::SquareCap));
    }
    return m_painter;
}

void Canvas::finishPainting() const {
    if (m_painter.isActive()) {
        m_painter.end();
    }
}

void Canvas::cls() {
    finishPainting();
    m_image = QImage();  // made again by the next line or point
    m_printed.clear();
    m_current = QPointF(0, 0);
    m_printedLines = 0;
    update();
}

void Canvas::line(QPointF from, QPointF to, QColor colour) {
    QPainter &painter = imagePainter(colour);
    const qreal ratio = m_image.devicePixelRatio();
    painter.drawLine(penPath(toPixel(from), ratio), penPath(toPixel(to), ratio));
    m_current = to;
    update();
}

void Canvas::lineTo(QPointF to, QColor colour) {
    line(m_current, to, colour);
}

void Canvas::pset(QPointF at, QColor colour) {
    QPainter &painter = imagePainter(colour);
    painter.drawPoint(penPath(toPixel(at), m_image.devicePixelRatio()));
    m_current = at;
    update();
}

void Canvas::drawText(QPainter &painter, QPoint topLeft, const QString &text, QColor colour) const {
    painter.setPen(colour);
    painter.setFont(font());
    painter.drawText(QPoint(topLeft.x(), topLeft.y() + QFontMetrics(font()).ascent()), text);
}

void Canvas::print(const QString &text) {
    const QFontMetrics metrics(font());
    const QPoint topLeft = toPixel(m_current);
    if (!text.isEmpty() && m_image.isNull()) {
        m_printed.append({topLeft, text, m_foreColour});
    } else if (!text.isEmpty()) {
        drawText(imagePainter(m_foreColour), topLeft, text, m_foreColour);
    }
    // Back to the left edge, one line of the font down.
    m_current = QPointF(0, toUser(QPoint(0, topLeft.y() + metrics.height())).y());
    ++m_printedLines;
    update();
}

QImage Canvas::image() {
    ensureImage();
    finishPainting();
    return m_image;
}

void Canvas::paintEvent(QPaintEvent *event) {
    QFrame::paintEvent(event);  // the border
    finishPainting();
    QPainter painter(this);
    if (!m_image.isNull()) {
        painter.drawImage(contentsRect().topLeft(), m_image);
    }
    painter.translate(contentsRect().topLeft());
    for (const Printed &line : std::as_const(m_printed)) {
        drawText(painter, line.topLeft, line.text, line.colour);
    }
}

void Canvas::resizeEvent(QResizeEvent *event) {
    QFrame::resizeEvent(event);
    updateTransform();
}

}  // namespace forms
