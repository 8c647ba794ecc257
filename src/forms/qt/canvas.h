#pragma once

#include "forms/qt/widgets.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QStringList>
#include <QTransform>

namespace forms::qt {

// A picture box used as a canvas: white, with a two-pixel sunken border, and a user coordinate
// system mapped onto the area inside the border. What is drawn is kept as a list of marks in
// user units and drawn again whenever the box is exposed, at the screen's density.
class Canvas final : public Control<QFrame, forms::Canvas> {
    Q_OBJECT

public:
    explicit Canvas(QWidget *parent);

    // The user units across and down the inner area; by default its size in twips.
    void setScale(qreal width, qreal height);

    void cls() override;
    void line(Point from, Point to, Colour colour) override;
    void lineTo(Point to, Colour colour) override;
    void pset(Point at, Colour colour) override;
    void setCurrent(Point at) override { m_current = {at.x, at.y}; }
    void setForeColor(Colour colour) override { m_foreColour = colour; }
    void print(std::u16string_view text) override;

    // What the canvas shows inside its border, at the screen's pixel ratio.
    QImage image() const;
    // The text printed on it, one line a print, for a screen reader; and where a character of
    // that text is drawn, in the canvas's own coordinates.
    QString printedText() const { return m_texts.join(u'\n'); }
    QRect characterRect(qsizetype offset) const;

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
    QPoint toPixel(QPointF user) const;
    void updateTransform();

    QList<Mark> m_marks;
    QStringList m_texts;
    QTransform m_toPixels;  // user units -> logical pixels of the inner area
    qreal m_scaleWidth = 0;
    qreal m_scaleHeight = 0;
    QPointF m_current;
    Colour m_foreColour = 0x000000;
};

}  // namespace forms::qt
