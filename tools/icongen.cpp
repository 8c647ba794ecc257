// Writes the window icon as PNG files for the desktop's icon theme, at 32
// pixels and scaled up by whole multiples with nearest neighbour, so that the
// pixel drawing stays sharp: OUTPUT_DIR/NxN/apps/janken.png.
#include "forms/qt/widgets.h"
#include "mainwindow/pictures.h"

#include <QDir>

#include <cstdio>

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fputs("usage: janken_icongen OUTPUT_DIR\n", stderr);
        return 2;
    }
    const QImage icon = forms::qt::toImage(mainwindow::kIconPicture);
    for (int size : {32, 64, 128, 256}) {
        const QString dir =
            QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        const QImage scaled =
            icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (!QDir().mkpath(dir) || !scaled.save(dir + QStringLiteral("/janken.png"), "PNG")) {
            std::fprintf(stderr, "janken_icongen: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
