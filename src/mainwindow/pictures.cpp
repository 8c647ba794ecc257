#include "mainwindow/pictures.h"

#include <QFile>

#include <array>

namespace mainwindow {

namespace {

// The rows of a grid from rows `first` on, as an image of `height` rows.
QImage gridImage(const char *name, int first, int height) {
    QFile file(QStringLiteral(":/janken/pictures/%1.txt").arg(QLatin1String(name)));
    const QList<QByteArray> rows =
        file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QList<QByteArray>();
    QImage image(kPictureWidth, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < height && first + y < rows.size(); ++y) {
        const QByteArray &row = rows[first + y];
        for (int x = 0; x < kPictureWidth && x < row.size(); ++x) {
            if (row[x] == 'y' || row[x] == '#') {
                image.setPixel(x, y, row[x] == 'y' ? 0xFFFFFF80u : 0xFF000000u);
            }
        }
    }
    return image;
}

}  // namespace

const QImage &handImage(std::int16_t hand) {
    static const std::array<QImage, 3> images{gridImage("guu", 0, kPictureHeight),
                                              gridImage("pii", 0, kPictureHeight),
                                              gridImage("paa", 0, kPictureHeight)};
    return images.at(static_cast<std::size_t>(hand - 1));
}

QImage iconImage() {
    QImage icon = gridImage("pii", 1, kPictureWidth);
    for (int x = 0; x < icon.width(); ++x) {
        if (icon.pixel(x, 0) == 0xFF000000u) {
            icon.setPixel(x, 0, 0xFF7F7F7Fu);
        }
    }
    return icon;
}

QIcon windowIcon() {
    return QIcon(QPixmap::fromImage(iconImage()));
}

}  // namespace mainwindow
