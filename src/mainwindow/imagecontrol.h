#pragma once

#include <QImage>
#include <QWidget>

namespace mainwindow {

// An image control: stretches its picture over its whole rectangle with
// nearest-neighbour scaling, so the stored bitmap's hard outline stays hard.
class ImageControl : public QWidget {
    Q_OBJECT

public:
    explicit ImageControl(const QImage &picture, QWidget *parent = nullptr);

    const QImage &picture() const { return m_picture; }

    // The picture stretched to a size in device pixels, each target pixel
    // taking the source pixel under its centre.
    static QImage stretch(const QImage &picture, QSize size);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QImage m_stretched;  // cached for the current size and pixel ratio
};

}  // namespace mainwindow
