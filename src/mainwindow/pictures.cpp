#include "mainwindow/pictures.h"

#include <QFile>
#include <QtEndian>

#include <array>

namespace mainwindow {

namespace {

void putU16(QByteArray &out, quint16 value) {
    const auto le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&le), sizeof le);
}

void putU32(QByteArray &out, quint32 value) {
    const auto le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&le), sizeof le);
}

void putInfoHeader(QByteArray &out, int width, int height, quint32 imageSize, quint32 ppm) {
    putU32(out, 40);
    putU32(out, static_cast<quint32>(width));
    putU32(out, static_cast<quint32>(height));
    putU16(out, 1);   // planes
    putU16(out, 24);  // bits per pixel
    putU32(out, 0);   // uncompressed
    putU32(out, imageSize);
    putU32(out, ppm);
    putU32(out, ppm);
    putU32(out, 0);  // no colour table
    putU32(out, 0);
}

// Rows bottom-up, blue-green-red; 32 pixels make a 96-byte row, no padding.
void putPixels(QByteArray &out, const QStringList &rows) {
    for (auto row = rows.crbegin(); row != rows.crend(); ++row) {
        for (QChar c : *row) {
            const QRgb rgb = gridColour(c).value_or(kBackground);
            out.append(static_cast<char>(qBlue(rgb)));
            out.append(static_cast<char>(qGreen(rgb)));
            out.append(static_cast<char>(qRed(rgb)));
        }
    }
}

QString resourcePath(Picture picture) {
    switch (picture) {
        case Picture::Guu:
            return QStringLiteral(":/janken/pictures/guu.bmp");
        case Picture::Pii:
            return QStringLiteral(":/janken/pictures/pii.bmp");
        case Picture::Paa:
            return QStringLiteral(":/janken/pictures/paa.bmp");
        case Picture::None:
            break;
    }
    return {};
}

QByteArray readResource(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray{};
}

// Decodes the icon's 24-bit image and its AND mask without the image-format
// plugins, which the program would otherwise load at start-up just for this.
QImage decodeIco(const QByteArray &ico) {
    constexpr int kImageOffset = 22;
    constexpr int kRowBytes = kIconSize * 3;
    constexpr int kMaskRowBytes = kIconSize / 8;
    constexpr int kColourBytes = kRowBytes * kIconSize;
    if (ico.size() < kImageOffset + 40 + kColourBytes + kMaskRowBytes * kIconSize) {
        return {};
    }
    const auto *colour = reinterpret_cast<const uchar *>(ico.constData()) + kImageOffset + 40;
    const auto *mask = colour + kColourBytes;
    QImage image(kIconSize, kIconSize, QImage::Format_ARGB32);
    for (int y = 0; y < kIconSize; ++y) {
        const int stored = kIconSize - 1 - y;
        for (int x = 0; x < kIconSize; ++x) {
            const uchar *px = colour + stored * kRowBytes + x * 3;
            const bool transparent = mask[stored * kMaskRowBytes + x / 8] & (0x80 >> (x % 8));
            image.setPixel(x, y, transparent ? 0u : qRgb(px[2], px[1], px[0]));
        }
    }
    return image;
}

quint32 u32At(const QByteArray &data, int offset) {
    return qFromLittleEndian<quint32>(data.constData() + offset);
}

quint16 u16At(const QByteArray &data, int offset) {
    return qFromLittleEndian<quint16>(data.constData() + offset);
}

}  // namespace

QImage decodeBmp(const QByteArray &bmp) {
    constexpr int kHeaders = 54;
    if (bmp.size() < kHeaders || !bmp.startsWith("BM") || u32At(bmp, 14) < 40 ||
        u16At(bmp, 28) != 24 || u32At(bmp, 30) != 0) {
        return {};
    }
    const auto width = static_cast<qint32>(u32At(bmp, 18));
    const auto storedHeight = static_cast<qint32>(u32At(bmp, 22));
    const bool topDown = storedHeight < 0;
    const qint64 height = topDown ? -qint64(storedHeight) : storedHeight;
    const qint64 rowBytes = (qint64(width) * 3 + 3) / 4 * 4;  // rows padded to four bytes
    const qint64 offset = u32At(bmp, 10);
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096 ||
        offset + rowBytes * height > bmp.size()) {
        return {};
    }
    QImage image(width, static_cast<int>(height), QImage::Format_RGB32);
    const auto *pixels = reinterpret_cast<const uchar *>(bmp.constData()) + offset;
    for (int y = 0; y < image.height(); ++y) {
        const uchar *row = pixels + rowBytes * (topDown ? y : height - 1 - y);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            out[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        }
    }
    return image;
}

std::optional<QRgb> gridColour(QChar c) {
    switch (c.unicode()) {
        case '.':
            return kBackground;
        case 'y':
            return kSkin;
        case '#':
            return kOutline;
        case 'g':
            return kGrey;
        default:
            return std::nullopt;
    }
}

std::optional<QStringList> parseGrid(const QByteArray &text, int width, int height) {
    QStringList rows = QString::fromLatin1(text).split(QLatin1Char('\n'));
    if (!rows.isEmpty() && rows.back().isEmpty()) {
        rows.removeLast();
    }
    if (rows.size() != height) {
        return std::nullopt;
    }
    for (QString &row : rows) {
        if (row.endsWith(QLatin1Char('\r'))) {
            row.chop(1);
        }
        if (row.size() != width) {
            return std::nullopt;
        }
        for (QChar c : row) {
            if (!gridColour(c)) {
                return std::nullopt;
            }
        }
    }
    return rows;
}

QByteArray encodeBmp(const QStringList &grid) {
    constexpr quint32 kPixelBytes = kPictureWidth * 3 * kPictureHeight;
    QByteArray out;
    out.reserve(54 + static_cast<int>(kPixelBytes));
    out.append("BM", 2);
    putU32(out, 54 + kPixelBytes);
    putU32(out, 0);   // two reserved words
    putU32(out, 54);  // pixels follow the headers
    putInfoHeader(out, kPictureWidth, kPictureHeight, kPixelBytes, 3780);  // 96 dpi
    putPixels(out, grid);
    return out;
}

QByteArray encodeIco(const QStringList &scissorsGrid) {
    QStringList rows = scissorsGrid.mid(1, kIconSize);
    rows.first().replace(QLatin1Char('#'), QLatin1Char('g'));

    constexpr quint32 kColourBytes = kIconSize * 3 * kIconSize;
    constexpr quint32 kMaskBytes = kIconSize / 8 * kIconSize;
    constexpr quint32 kImageBytes = 40 + kColourBytes + kMaskBytes;
    QByteArray out;
    putU16(out, 0);  // reserved
    putU16(out, 1);  // icon
    putU16(out, 1);  // one image
    out.append(static_cast<char>(kIconSize));
    out.append(static_cast<char>(kIconSize));
    out.append('\0');  // no palette
    out.append('\0');
    putU16(out, 1);   // planes
    putU16(out, 24);  // bits per pixel
    putU32(out, kImageBytes);
    putU32(out, 22);
    // Twice the height: the colour image and the mask stacked.
    putInfoHeader(out, kIconSize, 2 * kIconSize, kColourBytes + kMaskBytes, 0);
    putPixels(out, rows);
    out.append(static_cast<int>(kMaskBytes), '\0');  // fully opaque
    return out;
}

QByteArray pictureFile(Picture picture) {
    return readResource(resourcePath(picture));
}

QByteArray iconFile() {
    return readResource(QStringLiteral(":/janken/pictures/janken.ico"));
}

const QImage &handImage(Picture picture) {
    static const std::array<QImage, 3> images{
        decodeBmp(pictureFile(Picture::Guu)),
        decodeBmp(pictureFile(Picture::Pii)),
        decodeBmp(pictureFile(Picture::Paa)),
    };
    static const QImage none;
    switch (picture) {
        case Picture::Guu:
            return images[0];
        case Picture::Pii:
            return images[1];
        case Picture::Paa:
            return images[2];
        case Picture::None:
            break;
    }
    return none;
}

QImage iconImage() {
    return decodeIco(iconFile());
}

QIcon windowIcon() {
    return QIcon(QPixmap::fromImage(iconImage()));
}

}  // namespace mainwindow
