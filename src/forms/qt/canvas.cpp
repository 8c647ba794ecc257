#include "forms/qt/canvas.h"

#include <QFontMetrics>

#include <cmath>
#include <optional>

namespace forms::qt {

namespace {

// Where the pen must run to fill the logical pixel `pixel`. A pen one device pixel wide fills
// the pixel right of and below an integer point; a wider one (a pixel ratio above 1) is centred
// on its path and must pass through the pixel's centre, or it fills half of this pixel and half
// of the one above or to the left.
QPointF penPath(QPoint pixel, qreal ratio) {
    return ratio > 1 ? QPointF(pixel) + QPointF(0.5, 0.5) : QPointF(pixel);
}

}  // namespace

Canvas::Canvas(QWidget *parent) : Control(parent) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void Canvas::setScale(qreal width, qreal height) {
    m_scaleWidth = width;
    m_scaleHeight = height;
    updateTransform();
}

void Canvas::updateTransform() {
    const QSize size = contentsRect().size();
    const qreal w = m_scaleWidth > 0 ? m_scaleWidth : size.width() * 15.0;
    const qreal h = m_scaleHeight > 0 ? m_scaleHeight : size.height() * 15.0;
    m_toPixels = QTransform::fromScale(size.width() / w, size.height() / h);
}

QPoint Canvas::toPixel(QPointF user) const {
    // The pixel a point falls in; the tolerance keeps exact multiples (225 twips = 15 pixels)
    // from rounding down by a hair.
    const QPointF p = m_toPixels.map(user);
    return {static_cast<int>(std::floor(p.x() + 1e-6)), static_cast<int>(std::floor(p.y() + 1e-6))};
}

void Canvas::add(const Mark &mark) {
    m_marks.append(mark);
    update();
}

void Canvas::cls() {
    m_marks.clear();
    m_texts.clear();
    m_current = QPointF(0, 0);
    update();
}

void Canvas::line(Point from, Point to, Colour colour) {
    add({QPointF(from.x, from.y), QPointF(to.x, to.y), colour, Mark::Line});
    m_current = QPointF(to.x, to.y);
}

void Canvas::lineTo(Point to, Colour colour) {
    line({float(m_current.x()), float(m_current.y())}, to, colour);
}

void Canvas::pset(Point at, Colour colour) {
    m_current = QPointF(at.x, at.y);
    add({m_current, m_current, colour, Mark::Point});
}

void Canvas::print(std::u16string_view text) {
    const QPoint topLeft = toPixel(m_current);
    m_texts.append(toQString(text));  // an empty line too, as a screen reader reads the lines
    if (!text.empty()) {
        add({m_current, m_current, m_foreColour, Mark::Text, m_texts.size() - 1});
    }
    // Back to the left edge, one line of the font down.
    const int down = QFontMetrics(font()).height();
    m_current = QPointF(0, m_toPixels.inverted().map(QPointF(0, topLeft.y() + down)).y());
}

void Canvas::paintMarks(QPainter &painter, qreal ratio) const {
    // The pen is set when the colour changes, and after text, which sets its own.
    std::optional<QRgb> pen;
    painter.setFont(font());
    const int ascent = QFontMetrics(font()).ascent();
    for (const Mark &mark : m_marks) {
        const QColor colour = QColor::fromRgb(mark.colour);
        if (mark.kind == Mark::Text) {
            painter.setPen(colour);
            painter.drawText(toPixel(mark.from) + QPoint(0, ascent), m_texts.at(mark.text));
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

QRect Canvas::characterRect(qsizetype offset) const {
    qsizetype line = 0;
    while (line < m_texts.size() && offset > m_texts[line].size()) {
        offset -= m_texts[line].size() + 1;
        ++line;
    }
    for (const Mark &mark : m_marks) {
        if (mark.kind == Mark::Text && mark.text == line) {
            const QString &text = m_texts[line];
            const QFontMetrics metrics(font());
            const QPoint at = contentsRect().topLeft() + toPixel(mark.from) +
                              QPoint(metrics.horizontalAdvance(text.left(offset)), 0);
            return {at, QSize(metrics.horizontalAdvance(text.mid(offset, 1)), metrics.height())};
        }
    }
    return {};
}

QImage Canvas::image() const {
    const qreal ratio = devicePixelRatioF();
    QImage image((QSizeF(contentsRect().size()) * ratio).toSize(), QImage::Format_RGB32);
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

}  // namespace forms::qt
