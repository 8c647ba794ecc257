#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QTransform>

namespace forms {

// A picture box used as a canvas: white, with a two-pixel sunken border, and
// a user coordinate system mapped onto the area inside the border. What is
// drawn is kept until the canvas is cleared and painted again whenever the
// box is exposed: in a backing image at the screen's pixel density once a
// line or point is drawn; text alone (a page of help) as its lines, which
// spares a window that only prints a megabyte of image.
class Canvas : public QFrame {
    Q_OBJECT

public:
    explicit Canvas(QWidget *parent = nullptr);
    ~Canvas() override;

    // The user units spanning the inner area; by default its size in twips.
    void setScale(qreal width, qreal height);

    void cls();  // erase to white, current position (0, 0)
    void line(QPointF from, QPointF to, QColor colour);
    void lineTo(QPointF to, QColor colour);  // from the current position
    void pset(QPointF at, QColor colour);
    void setCurrent(QPointF at) { m_current = at; }
    QPointF current() const { return m_current; }
    void setForeColor(QColor colour) { m_foreColour = colour; }
    QColor foreColor() const { return m_foreColour; }
    void print(const QString &text = QString());  // one text line

    // The pixel (in logical coordinates of the inner area) a user point falls on.
    QPoint toPixel(QPointF user) const;
    QPointF toUser(QPoint pixel) const;
    // What the canvas shows, at the screen's pixel ratio.
    QImage image();
    int printedLines() const { return m_printedLines; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void ensureImage();
    void drawText(QPainter &painter, QPoint topLeft, const QString &text, QColor colour) const;
    // One painter stays open on the backing image across a run of drawing
    // calls (a graph is thousands of segments) and is closed before the
    // image is shown, copied, refilled or replaced.
    QPainter &imagePainter(QColor pen);
    void finishPainting() const;
    QSize innerSize() const { return contentsRect().size(); }
    void updateTransform();

    QImage m_image;
    struct Printed {
        QPoint topLeft;
        QString text;
        QColor colour;
    };
    QList<Printed> m_printed;  // while there is no image
    mutable QPainter m_painter;
    QTransform m_toPixels;  // user units -> logical pixels of the inner area
    qreal m_scaleWidth = 0;
    qreal m_scaleHeight = 0;
    QPointF m_current;
    QColor m_foreColour = Qt::black;
    int m_printedLines = 0;
};

}  // namespace forms
