#include "forms/fonts.h"

#include <QStringList>

namespace forms {

QFont gothicFont(int pixelSize, bool bold, bool italic) {
    QFont font;
    font.setFamilies({
        QStringLiteral(u"ＭＳ Ｐゴシック"),
        QStringLiteral("MS PGothic"),
        QStringLiteral("Ume P Gothic"),
        QStringLiteral("IPAPGothic"),
        QStringLiteral("IPAGothic"),
        QStringLiteral("VL PGothic"),
        QStringLiteral("TakaoPGothic"),
        QStringLiteral("Noto Sans CJK JP"),
        QStringLiteral("Source Han Sans JP"),
        QStringLiteral("sans-serif"),
    });
    font.setPixelSize(pixelSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    return font;
}

}  // namespace forms
