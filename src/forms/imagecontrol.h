#pragma once

#include <QImage>
#include <QWidget>

namespace forms {

// An image control: stretches its picture over its whole rectangle with
// nearest-neighbour scaling, so the stored bitmap's hard outline stays hard.
//
// Its visibility is its own, not the widget's: a hidden image control stays
// a shown widget that paints nothing, so the window beneath shows through.
// Showing a widget makes Qt ask the windowing system where the pointer is
// (to send hover events), a round trip to the X server; the shuffle shows
// sixty pictures a second.
class ImageControl : public QWidget {
    Q_OBJECT

public:
    explicit ImageControl(const QImage &picture, QWidget *parent = nullptr);

    const QImage &picture() const { return m_picture; }

    void setShown(bool shown);
    bool isShown() const { return m_shown; }

    // The picture stretched to a size in device pixels, each target pixel
    // taking the source pixel under its centre.
    static QImage stretch(const QImage &picture, QSize size);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QImage m_stretched;  // cached for the current size and pixel ratio
    bool m_shown = true;
};

}  // namespace forms
