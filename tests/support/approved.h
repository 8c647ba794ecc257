#pragma once

// Approved images: a window in a named state is compared with a PNG file
// kept under tests/. After an intended change, `make approve` writes the
// files anew, and a person looks at them before committing.
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>

namespace testing {

// What the screen shows of a window: its backing store, which holds only
// what was really repainted. A part of a window, or a window at a pixel
// ratio above 1 (the offscreen screen then gives its logical size), is
// rendered afresh instead.
inline QImage shot(QWidget *widget) {
    if (!QTest::qWaitForWindowExposed(widget->window())) {
        return {};
    }
    QApplication::processEvents();
    const bool screen = widget->isWindow() && widget->devicePixelRatioF() == 1;
    return (screen ? widget->screen()->grabWindow(widget->winId()) : widget->grab()).toImage();
}

// Fails, leaving the image and a map of where it differs in the build tree,
// unless every pixel is within a small distance (anti-aliasing) of the
// approved image.
inline void compareWithApproved(const QImage &image, const QString &name) {
    const QString approved =
        QStringLiteral(JANKEN_APPROVED_DIR "/") + name + QStringLiteral(".png");
    const QImage actual = image.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIsSet("JANKEN_APPROVE")) {
        QVERIFY(QDir().mkpath(QStringLiteral(JANKEN_APPROVED_DIR)) && actual.save(approved));
        return;
    }
    const QImage expected = QImage(approved).convertToFormat(QImage::Format_RGB32);
    QImage diff =
        actual.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
    int differing = expected.size() == actual.size() ? 0 : -1;
    for (int y = 0; differing >= 0 && y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y), e = expected.pixel(x, y);
            if (std::max({std::abs(qRed(a) - qRed(e)), std::abs(qGreen(a) - qGreen(e)),
                          std::abs(qBlue(a) - qBlue(e))}) > 48) {
                diff.setPixel(x, y, qRgb(255, 0, 255));
                ++differing;
            }
        }
    }
    if (differing != 0) {
        const QString out = QStringLiteral(JANKEN_ACTUAL_DIR "/") + name;
        QDir().mkpath(QStringLiteral(JANKEN_ACTUAL_DIR));
        actual.save(out + QStringLiteral(".actual.png")),
            diff.save(out + QStringLiteral(".diff.png"));
        QFAIL(qPrintable(
            QStringLiteral(
                "%1 differs from %2 in %3 pixels (-1: in size); see %4.actual.png and %4.diff.png")
                .arg(name, approved)
                .arg(differing)
                .arg(out)));
    }
}

}  // namespace testing
