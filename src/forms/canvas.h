#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QStringList>
#include <QTransform>

namespace forms {

// A picture box used as a canvas: white, with a two-pixel sunken border, and
// a user coordinate system mapped onto the area inside the border. What is
// drawn is kept, as a list of marks in user units, until the canvas is
// cleared, and drawn again whenever the box is exposed. A graph of three
// thousand segments is a hundred kilobytes so, where a backing image at the
// screen's density would be a megabyte; the marks follow the density and the
// size of the box by themselves.
class Canvas : public QFrame {
    Q_OBJECT

public:
    explicit Canvas(QWidget *parent = nullptr);

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
    QImage image() const;
    int printedLines() const { return m_printedLines; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Mark {
        enum Kind : quint8 { Line, Point, Text };
        QPointF from;
        QPointF to;  // a line's end
        QRgb colour = 0;
        Kind kind = Line;
        qsizetype text = -1;  // into m_texts
    };
    void add(const Mark &mark);
    void paintMarks(QPainter &painter, qreal ratio) const;
    void drawText(QPainter &painter, QPoint topLeft, const QString &text, QColor colour) const;
    QSize innerSize() const { return contentsRect().size(); }
    void updateTransform();

    QList<Mark> m_marks;
    QStringList m_texts;
    QTransform m_toPixels;  // user units -> logical pixels of the inner area
    qreal m_scaleWidth = 0;
    qreal m_scaleHeight = 0;
    QPointF m_current;
    QColor m_foreColour = Qt::black;
    int m_printedLines = 0;
};

}  // namespace forms
