// Writes guu.bmp, pii.bmp, paa.bmp and janken.ico from the character grids
// guu.txt, pii.txt and paa.txt in the given folder.
#include "mainwindow/pictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

std::optional<QStringList> readGrid(const QDir &dir, const QString &name) {
    QFile file(dir.filePath(name + QStringLiteral(".txt")));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return mainwindow::parseGrid(file.readAll(), mainwindow::kPictureWidth,
                                 mainwindow::kPictureHeight);
}

bool write(const QDir &dir, const QString &name, const QByteArray &bytes) {
    QFile file(dir.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: janken_picturegen PICTURE_DIR\n", stderr);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    for (const QString &name :
         {QStringLiteral("guu"), QStringLiteral("pii"), QStringLiteral("paa")}) {
        const auto grid = readGrid(dir, name);
        if (!grid) {
            std::fprintf(stderr, "%s.txt: not a 32 x 33 grid of '.', 'y', '#'\n", qPrintable(name));
            return 1;
        }
        if (!write(dir, name + QStringLiteral(".bmp"), mainwindow::encodeBmp(*grid)) ||
            (name == QStringLiteral("pii") &&
             !write(dir, QStringLiteral("janken.ico"), mainwindow::encodeIco(*grid)))) {
            std::fprintf(stderr, "cannot write the pictures for %s\n", qPrintable(name));
            return 1;
        }
    }
    return 0;
}
