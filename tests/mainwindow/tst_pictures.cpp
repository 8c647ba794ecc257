// The hand pictures and the window icon: the shipped files must be exactly
// what the reviewable character grids say, in the layouts viewers expect.
#include "experiment/form1.h"
#include "mainwindow/imagecontrol.h"
#include "mainwindow/pictures.h"
#include "support/imagecompare.h"

#include <QFile>
#include <QtEndian>
#include <QtTest>
#include <cstddef>
#include <cstdlib>

using mainwindow::Picture;

Q_DECLARE_METATYPE(mainwindow::Picture)

namespace {

constexpr QRgb kWhite = 0xFFFFFFu;
constexpr QRgb kSkin = 0xFFFF80u;
constexpr QRgb kBlack = 0x000000u;
constexpr QRgb kGrey = 0x7F7F7Fu;

const char *handName(Picture picture) {
    return picture == Picture::Guu ? "guu" : picture == Picture::Pii ? "pii" : "paa";
}

// The grid a shipped picture is generated from; empty if it does not parse.
QStringList grid(Picture picture) {
    QFile file(QStringLiteral(JANKEN_PICTURE_DIR "/%1.txt").arg(QLatin1String(handName(picture))));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return mainwindow::parseGrid(file.readAll(), 32, 33).value_or(QStringList{});
}

QImage gridImage(const QStringList &rows) {
    QImage image(32, int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < 32; ++x) {
            const char c = rows[y][x].toLatin1();
            image.setPixel(x, y, c == 'y' ? kSkin : c == '#' ? kBlack : kWhite);
        }
    }
    return image;
}

// A little-endian header field: offset, size in bytes, expected value.
struct Field {
    int offset;
    int size;
    qint64 value;
};

// File size, pixel offset, info size, width, height (positive: bottom-up),
// planes, bits, compression, pixels per metre both ways, colours used.
constexpr Field kBmpHeader[] = {
    {2, 4, 3222}, {10, 4, 54}, {14, 4, 40},   {18, 4, 32},   {22, 4, 33}, {26, 2, 1},
    {28, 2, 24},  {30, 4, 0},  {38, 4, 3780}, {42, 4, 3780}, {46, 4, 0},
};

// ICONDIR, its one entry, then the image's info header: the height doubled
// for the colour image and the mask stacked.
constexpr Field kIcoHeader[] = {
    {0, 2, 0},   {2, 2, 1},   {4, 2, 1},   {6, 1, 32},    {7, 1, 32},
    {8, 1, 0},   {10, 2, 1},  {12, 2, 24}, {14, 4, 3240}, {18, 4, 22},
    {22, 4, 40}, {26, 4, 32}, {30, 4, 64}, {34, 2, 1},    {36, 2, 24},
};

template <std::size_t N>
QString wrongFields(const QByteArray &bytes, const Field (&fields)[N]) {
    QString wrong;
    for (const Field &f : fields) {
        const char *at = bytes.constData() + f.offset;
        const qint64 value = f.size == 1   ? quint8(*at)
                             : f.size == 2 ? qint64(qFromLittleEndian<quint16>(at))
                                           : qint64(qFromLittleEndian<qint32>(at));
        if (value != f.value) {
            wrong += QStringLiteral(" @%1=%2 (expected %3)").arg(f.offset).arg(value).arg(f.value);
        }
    }
    return wrong;
}

// 24-bit pixels stored bottom-up in blue-green-red order, 32 to a 96-byte row.
QImage decodeRows(const QByteArray &bytes, int offset, int height) {
    QImage image(32, height, QImage::Format_RGB32);
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData()) + offset;
    for (int y = 0; y < height; ++y) {
        const uchar *row = data + (height - 1 - y) * 96;
        for (int x = 0; x < 32; ++x) {
            image.setPixel(x, y, qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]));
        }
    }
    return image;
}

QImage picture(Picture p) {
    return decodeRows(mainwindow::pictureFile(p), 54, 33);
}
QImage iconColours() {
    return decodeRows(mainwindow::iconFile(), 22 + 40, 32);
}

int countOf(const QImage &image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += (image.pixel(x, y) & RGB_MASK) == colour;
        }
    }
    return n;
}

bool inked(const QImage &image, int x, int y) {
    return (image.pixel(x, y) & RGB_MASK) != kWhite;
}

// A 24-bit BMP whose every pixel has its own colour, padding bytes set to
// a colour that must never show.
QByteArray syntheticBmp(int width, int height) {
    const int rows = std::abs(height);
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    QByteArray out(54 + rowBytes * rows, '\xAB');
    const auto put = [&out](int at, quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out[at + i] = static_cast<char>(value >> (8 * i));
        }
    };
    out[0] = 'B';
    out[1] = 'M';
    put(2, static_cast<quint32>(out.size()), 4);
    put(6, 0, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<quint32>(width), 4);
    put(22, static_cast<quint32>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(30, 0, 4);
    put(34, static_cast<quint32>(rowBytes * rows), 4);
    put(38, 2835, 4);
    put(42, 2835, 4);
    put(46, 0, 4);  // colours used
    put(50, 0, 4);  // colours important
    for (int r = 0; r < rows; ++r) {
        for (int x = 0; x < width; ++x) {
            const int at = 54 + r * rowBytes + 3 * x;
            out[at] = static_cast<char>(17 * x + 3);
            out[at + 1] = static_cast<char>(40 * r + 1);
            out[at + 2] = static_cast<char>(200 - 9 * x - r);
        }
    }
    return out;
}

void addHandRows() {
    QTest::addColumn<Picture>("hand");
    for (Picture p : {Picture::Guu, Picture::Pii, Picture::Paa}) {
        QTest::newRow(handName(p)) << p;
    }
}

}  // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void shippedBytesAgreeWithTheGrids_data() {
        QTest::addColumn<Picture>("hand");
        QTest::addColumn<bool>("icon");
        QTest::newRow("guu.bmp") << Picture::Guu << false;
        QTest::newRow("pii.bmp") << Picture::Pii << false;
        QTest::newRow("paa.bmp") << Picture::Paa << false;
        QTest::newRow("janken.ico") << Picture::Pii << true;
    }

    void shippedBytesAgreeWithTheGrids() {
        QFETCH(Picture, hand);
        QFETCH(bool, icon);
        const QStringList rows = grid(hand);
        QVERIFY2(!rows.isEmpty(), "the grid is missing or not 33 rows of 32 of '.', 'y', '#'");
        const QByteArray shipped = icon ? mainwindow::iconFile() : mainwindow::pictureFile(hand);
        QVERIFY2(shipped == (icon ? mainwindow::encodeIco(rows) : mainwindow::encodeBmp(rows)),
                 "the shipped file differs from its grid; rebuild the 'pictures' target");
    }

    void bitmapHeadersDescribeA24BitBottomUpPicture_data() { addHandRows(); }

    void bitmapHeadersDescribeA24BitBottomUpPicture() {
        QFETCH(Picture, hand);
        const QByteArray bmp = mainwindow::pictureFile(hand);
        QCOMPARE(bmp.size(), 3222);
        QCOMPARE(bmp.left(2), QByteArray("BM"));
        const QString wrong = wrongFields(bmp, kBmpHeader);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    void bitmapPixelsReadAlikeByHandByQtAndFromTheGrid_data() { addHandRows(); }

    void bitmapPixelsReadAlikeByHandByQtAndFromTheGrid() {
        QFETCH(Picture, hand);
        const QImage byQt = QImage::fromData(mainwindow::pictureFile(hand), "BMP");
        QVERIFY(!byQt.isNull());
        QString difference = testing::firstDifference(byQt, picture(hand));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        const QStringList rows = grid(hand);
        QVERIFY2(!rows.isEmpty(), "the grid is missing or does not parse");
        difference = testing::firstDifference(picture(hand), gridImage(rows));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void handsHaveTheirColourCountsAndExtent_data() {
        QTest::addColumn<Picture>("hand");
        QTest::addColumn<QList<int>>("skinOutlineBackground");
        QTest::addColumn<QRect>("extent");
        QTest::newRow("guu") << Picture::Guu << QList<int>{322, 142, 592}
                             << QRect(QPoint(3, 4), QPoint(28, 26));
        QTest::newRow("pii") << Picture::Pii << QList<int>{312, 163, 581}
                             << QRect(QPoint(3, 1), QPoint(28, 31));
        QTest::newRow("paa") << Picture::Paa << QList<int>{421, 191, 444}
                             << QRect(QPoint(3, 1), QPoint(28, 31));
    }

    void handsHaveTheirColourCountsAndExtent() {
        QFETCH(Picture, hand);
        QFETCH(QList<int>, skinOutlineBackground);
        QFETCH(QRect, extent);
        const QImage image = picture(hand);
        const QList<int> counts{countOf(image, kSkin), countOf(image, kBlack),
                                countOf(image, kWhite)};
        QCOMPARE(counts[0] + counts[1] + counts[2], 32 * 33);  // no other colour
        QCOMPARE(counts, skinOutlineBackground);
        QRect drawn;
        for (int y = 0; y < 33; ++y) {
            for (int x = 0; x < 32; ++x) {
                drawn |= inked(image, x, y) ? QRect(x, y, 1, 1) : QRect();
            }
        }
        QCOMPARE(drawn, extent);
    }

    void fingerTipsReachTheirTopRows_data() {
        // Within columns first..last the drawing starts at row top. Where the
        // tip is alone in its row, that row holds one unbroken run inside
        // first..last, of the given width (0: any).
        QTest::addColumn<Picture>("hand");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("top");
        QTest::addColumn<bool>("alone");
        QTest::addColumn<int>("width");
        QTest::newRow("scissors middle") << Picture::Pii << 15 << 16 << 1 << true << 2;
        QTest::newRow("scissors index") << Picture::Pii << 19 << 22 << 2 << false << 0;
        QTest::newRow("paper middle") << Picture::Paa << 11 << 20 << 1 << true << 0;
    }

    void fingerTipsReachTheirTopRows() {
        QFETCH(Picture, hand);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, top);
        QFETCH(bool, alone);
        QFETCH(int, width);
        const QImage image = picture(hand);
        int highest = 33;
        for (int x = first; x <= last; ++x) {
            for (int y = 0; y < highest; ++y) {
                highest = inked(image, x, y) ? y : highest;
            }
        }
        QCOMPARE(highest, top);
        if (alone) {
            QList<int> run;
            for (int x = 0; x < 32; ++x) {
                QVERIFY2(!inked(image, x, top - 1), "something stands above the tip");
                if (inked(image, x, top)) {
                    run << x;
                }
            }
            QVERIFY(run.first() >= first && run.last() <= last);
            QCOMPARE(run.last() - run.first() + 1, run.size());
            QVERIFY(width == 0 || run.size() == width);
        }
    }

    void outlineEnclosesTheSkin_data() { addHandRows(); }

    void outlineEnclosesTheSkin() {
        QFETCH(Picture, hand);
        const QImage image = picture(hand);
        for (int y = 0; y < 33; ++y) {
            for (int x = 0; x < 32; ++x) {
                if ((image.pixel(x, y) & RGB_MASK) != kSkin) {
                    continue;
                }
                for (const QPoint n :
                     {QPoint(x + 1, y), QPoint(x - 1, y), QPoint(x, y + 1), QPoint(x, y - 1)}) {
                    QVERIFY2(image.valid(n) && (image.pixel(n) & RGB_MASK) != kWhite,
                             qPrintable(QStringLiteral("skin at (%1,%2) is open").arg(x).arg(y)));
                }
            }
        }
    }

    void iconHeadersDescribeOneOpaque24BitImage() {
        const QByteArray ico = mainwindow::iconFile();
        QCOMPARE(ico.size(), 3262);
        const QString wrong = wrongFields(ico, kIcoHeader);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        QCOMPARE(ico.mid(22 + 40 + 3072), QByteArray(128, '\0'));
    }

    void iconIsTheScissorsBelowTheirTopRowWithAGreyTopEdge() {
        const QImage icon = iconColours();
        QImage expected = picture(Picture::Pii).copy(0, 1, 32, 32);
        for (int x = 0; x < 32; ++x) {
            if ((expected.pixel(x, 0) & RGB_MASK) == kBlack) {
                expected.setPixel(x, 0, kGrey);
            }
        }
        const QString difference = testing::firstDifference(icon, expected);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QCOMPARE(countOf(icon.copy(0, 0, 32, 1), kGrey), 2);
        QCOMPARE(countOf(icon, kGrey), 2);
    }

    void windowIconShowsTheIconPixels() {
        const QImage shown = mainwindow::windowIcon().pixmap(32, 32).toImage();
        QCOMPARE(shown.size(), QSize(32, 32));
        const QString difference = testing::firstDifference(shown, iconColours());
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    // Widths 1 to 5 cover every row padding; a negative height stores the
    // rows top-down.
    void bitmapDecoderAgreesWithQtOnAnyPaddingAndRowOrder_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        for (int width = 1; width <= 5; ++width) {
            QTest::addRow("%d x 3 bottom-up", width) << width << 3;
            QTest::addRow("%d x 2 top-down", width) << width << -2;
        }
    }

    void bitmapDecoderAgreesWithQtOnAnyPaddingAndRowOrder() {
        QFETCH(int, width);
        QFETCH(int, height);
        const QByteArray bmp = syntheticBmp(width, height);
        const QImage byQt = QImage::fromData(bmp, "BMP");
        QVERIFY(!byQt.isNull());
        const QImage byHand = mainwindow::decodeBmp(bmp);
        QCOMPARE(byHand.size(), byQt.size());
        const QString difference = testing::firstDifference(byHand, byQt);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void bitmapDecoderRefusesWhatItCannotRead_data() {
        QTest::addColumn<QByteArray>("bmp");
        const QByteArray good = syntheticBmp(3, 3);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("truncated pixels") << good.left(good.size() - 1);
        QTest::newRow("not a bitmap") << QByteArray("PK").append(good.mid(2));
        QByteArray eightBit = good;
        eightBit[28] = 8;
        QTest::newRow("8 bits per pixel") << eightBit;
        QByteArray compressed = good;
        compressed[30] = 1;
        QTest::newRow("run-length compressed") << compressed;
        QByteArray huge = good;
        huge[21] = 0x7f;  // a width near two thousand million
        QTest::newRow("absurd width") << huge;
    }

    void bitmapDecoderRefusesWhatItCannotRead() {
        QFETCH(QByteArray, bmp);
        QVERIFY(mainwindow::decodeBmp(bmp).isNull());
    }

    void playersShowingTheSameHandShowIdenticalPictures_data() { addHandRows(); }

    void playersShowingTheSameHandShowIdenticalPictures() {
        QFETCH(Picture, hand);
        Form1 form;
        form.Form_Activate();
        QImage first;
        for (char player : {'1', '2', '3'}) {
            const QString name = QLatin1String(handName(hand)) + QLatin1Char(player);
            auto *image = form.findChild<mainwindow::ImageControl *>(name);
            QVERIFY(image);
            image->setShown(true);  // whichever hand the player holds now
            const QImage shown = image->grab().toImage();
            QCOMPARE(shown.size(), QSize(89, 81));
            first = first.isNull() ? shown : first;
            const QString difference = testing::firstDifference(shown, first);
            QVERIFY2(difference.isEmpty(), qPrintable(name + QLatin1String(": ") + difference));
        }
    }
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
