#include "mainwindow/imagecontrol.h"

#include <QPainter>

namespace mainwindow {

ImageControl::ImageControl(const QImage &picture, QWidget *parent)
    : QWidget(parent), m_picture(picture) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // the picture covers every pixel
}

void ImageControl::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), m_picture);
}

}  // namespace mainwindow
