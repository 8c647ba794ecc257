#include "forms/canvas.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>
#include <optional>

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

void Canvas::add(const Mark &mark) {
    m_marks.append(mark);
    update();
}

void Canvas::cls() {
    m_marks.clear();
    m_texts.clear();
    m_current = QPointF(0, 0);
    m_printedLines = 0;
    update();
}

void Canvas::line(QPointF from, QPointF to, QColor colour) {
    add({from, to, colour.rgba(), Mark::Line});
    m_current = to;
}

void Canvas::lineTo(QPointF to, QColor colour) {
    line(m_current, to, colour);
}

void Canvas::pset(QPointF at, QColor colour) {
    add({at, at, colour.rgba(), Mark::Point});
    m_current = at;
}

void Canvas::drawText(QPainter &painter, QPoint topLeft, const QString &text, QColor colour) const {
    painter.setPen(colour);
    painter.setFont(font());
    painter.drawText(QPoint(topLeft.x(), topLeft.y() + QFontMetrics(font()).ascent()), text);
}

void Canvas::print(const QString &text) {
    const QPoint topLeft = toPixel(m_current);
    if (!text.isEmpty()) {
        m_texts.append(text);
        add({m_current, m_current, m_foreColour.rgba(), Mark::Text, m_texts.size() - 1});
    }
    // Back to the left edge, one line of the font down.
    const int down = QFontMetrics(font()).height();
    m_current = QPointF(0, toUser(QPoint(0, topLeft.y() + down)).y());
    ++m_printedLines;
}

void Canvas::paintMarks(QPainter &painter, qreal ratio) const {
    // The pen is set when the colour changes, and after text, which sets its own.
    std::optional<QRgb> pen;
    for (const Mark &mark : m_marks) {
        const QColor colour = QColor::fromRgba(mark.colour);
        if (mark.kind == Mark::Text) {
            drawText(painter, toPixel(mark.from), m_texts.at(mark.text), colour);
            pen.reset();
            continue;
        }
        if (pen != mark.colour) {
            painter.setPen(QPen(colour, 1, Qt::SolidLine, Qt::SquareCap));
            pen = mark.colour;
        }
        const QPointF from = penPath(toPixel(mark.from), ratio);
        if (mark.kind == Mark::Point) {
            painter.drawPoint(from);
        } else {
            painter.drawLine(from, penPath(toPixel(mark.to), ratio));
        }
    }
}

QImage Canvas::image() const {
    const qreal ratio = devicePixelRatioF();
    QImage image((QSizeF(innerSize()) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintMarks(painter, ratio);
    return image;
}

void Canvas::paintEvent(QPaintEvent *event) {
    QFrame::paintEvent(event);  // the border
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.translate(contentsRect().topLeft());
    paintMarks(painter, devicePixelRatioF());
}
void Canvas::resizeEvent(QResizeEvent *event) {
    QFrame::resizeEvent(event);
    updateTransform();
}

}  // namespace forms
