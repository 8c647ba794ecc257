// The hand pictures and the window icon: the shipped files must be exactly
// what the reviewable character grids say, in the file layouts the program
// and other viewers read.
#include "experiment/form1.h"
#include "mainwindow/pictures.h"
#include "support/imagecompare.h"

#include <QFile>
#include <QtEndian>
#include <QtTest>

#include <memory>

using mainwindow::Picture;

Q_DECLARE_METATYPE(mainwindow::Picture)

namespace {

constexpr QRgb kWhite = 0xFFFFFFu;
constexpr QRgb kSkin = 0xFFFF80u;
constexpr QRgb kBlack = 0x000000u;
constexpr QRgb kGrey = 0x7F7F7Fu;

const char *handName(Picture picture)
{
    return picture == Picture::Guu ? "guu" : picture == Picture::Pii ? "pii" : "paa";
}

// The grid a shipped picture is generated from, as the program parses it.
QStringList grid(Picture picture)
{
    QFile file(QStringLiteral(JANKEN_PICTURE_DIR "/%1.txt").arg(QLatin1String(handName(picture))));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return mainwindow::parseGrid(file.readAll(), 32, 33).value_or(QStringList{});
}

QImage gridImage(const QStringList &rows)
{
    QImage image(32, int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const char c = rows[y][x].toLatin1();
            image.setPixel(x, y, c == 'y' ? kSkin : c == '#' ? kBlack : kWhite);
        }
    }
    return image;
}

quint32 u32(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}
quint16 u16(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}
quint8 u8(const QByteArray &bytes, int offset) { return quint8(bytes[offset]); }

// 24-bit pixels stored bottom-up in blue-green-red order, 32 to a 96-byte row.
QImage decodeRows(const QByteArray &bytes, int offset, int height)
{
    QImage image(32, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const int row = offset + (height - 1 - y) * 96;
        for (int x = 0; x < 32; ++x) {
            const int px = row + 3 * x;
            image.setPixel(x, y, qRgb(u8(bytes, px + 2), u8(bytes, px + 1), u8(bytes, px)));
        }
    }
    return image;
}

QImage decodedPicture(Picture picture) { return decodeRows(mainwindow::pictureFile(picture), 54, 33); }

int countOf(const QImage &image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += (image.pixel(x, y) & RGB_MASK) == colour;
        }
    }
    return n;
}

bool inked(const QImage &image, int x, int y) { return (image.pixel(x, y) & RGB_MASK) != kWhite; }

void addHandRows()
{
    QTest::addColumn<Picture>("picture");
    for (Picture p : {Picture::Guu, Picture::Pii, Picture::Paa}) {
        QTest::newRow(handName(p)) << p;
    }
}

}  // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void shippedBytesAgreeWithTheGrids_data();
    void shippedBytesAgreeWithTheGrids();
    void bitmapHeadersDescribeA24BitBottomUpPicture_data() { addHandRows(); }
    void bitmapHeadersDescribeA24BitBottomUpPicture();
    void bitmapPixelsReadTheSameByHandAndByQt_data() { addHandRows(); }
    void bitmapPixelsReadTheSameByHandAndByQt();
    void handsHaveTheirColourCountsAndExtent_data();
    void handsHaveTheirColourCountsAndExtent();
    void fingerTipsReachTheirTopRows_data();
    void fingerTipsReachTheirTopRows();
    void outlineEnclosesTheSkin_data() { addHandRows(); }
    void outlineEnclosesTheSkin();
    void iconHeadersDescribeOneOpaque32PixelImage();
    void iconIsTheScissorsBelowTheirTopRowWithAGreyTopEdge();
    void windowIconShowsTheIconPixels();
    void playersShowingTheSameHandShowIdenticalPictures_data() { addHandRows(); }
    void playersShowingTheSameHandShowIdenticalPictures();
};

void PicturesTest::shippedBytesAgreeWithTheGrids_data()
{
    QTest::addColumn<Picture>("picture");
    QTest::addColumn<bool>("icon");
    QTest::newRow("guu.bmp") << Picture::Guu << false;
    QTest::newRow("pii.bmp") << Picture::Pii << false;
    QTest::newRow("paa.bmp") << Picture::Paa << false;
    QTest::newRow("janken.ico") << Picture::Pii << true;
}

void PicturesTest::shippedBytesAgreeWithTheGrids()
{
    QFETCH(Picture, picture);
    QFETCH(bool, icon);
    const QStringList rows = grid(picture);
    QVERIFY2(!rows.isEmpty(), "the grid file is missing or not 33 rows of 32 known characters");
    const QByteArray shipped = icon ? mainwindow::iconFile() : mainwindow::pictureFile(picture);
    QVERIFY(!shipped.isEmpty());
    // Differing bytes mean the pictures were not regenerated after a grid edit.
    QVERIFY(shipped == (icon ? mainwindow::encodeIco(rows) : mainwindow::encodeBmp(rows)));
}

void PicturesTest::bitmapHeadersDescribeA24BitBottomUpPicture()
{
    QFETCH(Picture, picture);
    const QByteArray bmp = mainwindow::pictureFile(picture);
    QCOMPARE(bmp.size(), 3222);
    QCOMPARE(bmp.left(2), QByteArray("BM"));
    QCOMPARE(u32(bmp, 2), 3222u);
    QCOMPARE(u32(bmp, 10), 54u);
    QCOMPARE(u32(bmp, 14), 40u);
    QCOMPARE(qint32(u32(bmp, 18)), 32);
    QCOMPARE(qint32(u32(bmp, 22)), 33);  // positive: rows run bottom-up
    QCOMPARE(u16(bmp, 26), quint16(1));
    QCOMPARE(u16(bmp, 28), quint16(24));
    QCOMPARE(u32(bmp, 30), 0u);
    QCOMPARE(u32(bmp, 38), 3780u);
    QCOMPARE(u32(bmp, 42), 3780u);
    QCOMPARE(u32(bmp, 46), 0u);
}

void PicturesTest::bitmapPixelsReadTheSameByHandAndByQt()
{
    QFETCH(Picture, picture);
    const QImage own = decodedPicture(picture);
    const QImage byQt = QImage::fromData(mainwindow::pictureFile(picture), "BMP");
    QVERIFY(!byQt.isNull());
    QString difference = testing::firstDifference(byQt, own);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    const QStringList rows = grid(picture);
    QVERIFY(!rows.isEmpty());
    difference = testing::firstDifference(own, gridImage(rows));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void PicturesTest::handsHaveTheirColourCountsAndExtent_data()
{
    QTest::addColumn<Picture>("picture");
    QTest::addColumn<int>("skin");
    QTest::addColumn<int>("outline");
    QTest::addColumn<int>("background");
    QTest::addColumn<QRect>("extent");
    QTest::newRow("guu") << Picture::Guu << 322 << 142 << 592 << QRect(QPoint(3, 4), QPoint(28, 26));
    QTest::newRow("pii") << Picture::Pii << 312 << 163 << 581 << QRect(QPoint(3, 1), QPoint(28, 31));
    QTest::newRow("paa") << Picture::Paa << 421 << 191 << 444 << QRect(QPoint(3, 1), QPoint(28, 31));
}

void PicturesTest::handsHaveTheirColourCountsAndExtent()
{
    QFETCH(Picture, picture);
    QFETCH(int, skin);
    QFETCH(int, outline);
    QFETCH(int, background);
    QFETCH(QRect, extent);
    const QImage image = decodedPicture(picture);
    QCOMPARE(countOf(image, kSkin) + countOf(image, kBlack) + countOf(image, kWhite), 32 * 33);
    QCOMPARE(countOf(image, kSkin), skin);
    QCOMPARE(countOf(image, kBlack), outline);
    QCOMPARE(countOf(image, kWhite), background);
    QRect drawn;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (inked(image, x, y)) {
                drawn |= QRect(x, y, 1, 1);
            }
        }
    }
    QCOMPARE(drawn, extent);
}

void PicturesTest::fingerTipsReachTheirTopRows_data()
{
    // Within columns first..last the drawing begins at row top. A tip that is
    // the whole top row also says which columns that row holds: all of them
    // (width > 0) or a single run somewhere inside them (width 0).
    QTest::addColumn<Picture>("picture");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("top");
    QTest::addColumn<bool>("wholeRow");
    QTest::addColumn<int>("width");
    QTest::newRow("scissors middle finger") << Picture::Pii << 15 << 16 << 1 << true << 2;
    QTest::newRow("scissors index finger") << Picture::Pii << 19 << 22 << 2 << false << 0;
    QTest::newRow("paper middle finger") << Picture::Paa << 11 << 20 << 1 << true << 0;
}

void PicturesTest::fingerTipsReachTheirTopRows()
{
    QFETCH(Picture, picture);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, top);
    QFETCH(bool, wholeRow);
    QFETCH(int, width);
    const QImage image = decodedPicture(picture);
    int highest = image.height();
    for (int x = first; x <= last; ++x) {
        for (int y = 0; y < highest; ++y) {
            if (inked(image, x, y)) {
                highest = y;
            }
        }
    }
    QCOMPARE(highest, top);
    if (!wholeRow) {
        return;
    }
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        QVERIFY2(!inked(image, x, top - 1), "something stands above the finger tip");
        if (inked(image, x, top)) {
            columns << x;
        }
    }
    QVERIFY(!columns.isEmpty());
    QVERIFY(columns.first() >= first && columns.last() <= last);
    QCOMPARE(columns.last() - columns.first() + 1, columns.size());  // one finger, unbroken
    if (width > 0) {
        QCOMPARE(columns.size(), width);
    }
}

void PicturesTest::outlineEnclosesTheSkin()
{
    QFETCH(Picture, picture);
    const QImage image = decodedPicture(picture);
    const QRect bounds = image.rect();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & RGB_MASK) != kSkin) {
                continue;
            }
            for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                const QPoint n = QPoint(x, y) + step;
                QVERIFY2(bounds.contains(n) && (image.pixel(n) & RGB_MASK) != kWhite,
                         qPrintable(QStringLiteral("skin at (%1,%2) is open").arg(x).arg(y)));
            }
        }
    }
}

void PicturesTest::iconHeadersDescribeOneOpaque32PixelImage()
{
    const QByteArray ico = mainwindow::iconFile();
    QCOMPARE(ico.size(), 3262);
    QCOMPARE(u16(ico, 0), quint16(0));
    QCOMPARE(u16(ico, 2), quint16(1));
    QCOMPARE(u16(ico, 4), quint16(1));
    QCOMPARE(u8(ico, 6), quint8(32));
    QCOMPARE(u8(ico, 7), quint8(32));
    QCOMPARE(u8(ico, 8), quint8(0));
    QCOMPARE(u16(ico, 10), quint16(1));
    QCOMPARE(u16(ico, 12), quint16(24));
    QCOMPARE(u32(ico, 14), 3240u);
    QCOMPARE(u32(ico, 18), 22u);
    QCOMPARE(u32(ico, 22), 40u);
    QCOMPARE(qint32(u32(ico, 26)), 32);
    QCOMPARE(qint32(u32(ico, 30)), 64);  // the colour image and its mask
    QCOMPARE(u16(ico, 34), quint16(1));
    QCOMPARE(u16(ico, 36), quint16(24));
    const QByteArray mask = ico.mid(22 + 40 + 3072);
    QCOMPARE(mask, QByteArray(128, '\0'));
}

void PicturesTest::iconIsTheScissorsBelowTheirTopRowWithAGreyTopEdge()
{
    const QImage icon = decodeRows(mainwindow::iconFile(), 62, 32);
    const QImage scissors = decodedPicture(Picture::Pii);
    QImage expected = scissors.copy(0, 1, 32, 32);
    for (int x = 0; x < 32; ++x) {
        if ((expected.pixel(x, 0) & RGB_MASK) == kBlack) {
            expected.setPixel(x, 0, kGrey);
        }
    }
    const QString difference = testing::firstDifference(icon, expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QCOMPARE(countOf(icon, kGrey), 2);
    QCOMPARE(countOf(icon.copy(0, 0, 32, 1), kGrey), 2);
}

void PicturesTest::windowIconShowsTheIconPixels()
{
    const QIcon icon = mainwindow::windowIcon();
    QVERIFY(!icon.isNull());
    const QImage shown = icon.pixmap(32, 32).toImage();
    QCOMPARE(shown.size(), QSize(32, 32));
    const QString difference =
        testing::firstDifference(shown, decodeRows(mainwindow::iconFile(), 62, 32));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void PicturesTest::playersShowingTheSameHandShowIdenticalPictures()
{
    QFETCH(Picture, picture);
    Form1 form;
    form.Form_Activate();
    QImage first;
    for (int player = 1; player <= 3; ++player) {
        const QString name = QLatin1String(handName(picture)) + QString::number(player);
        auto *image = form.findChild<QWidget *>(name);
        QVERIFY(image);
        const QImage shown = image->grab().toImage();
        QCOMPARE(shown.size(), QSize(89, 81));
        if (first.isNull()) {
            first = shown;
        }
        const QString difference = testing::firstDifference(shown, first);
        QVERIFY2(difference.isEmpty(), qPrintable(name + QLatin1String(": ") + difference));
    }
}

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
