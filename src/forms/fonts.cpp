#include "forms/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace forms {

namespace {

// The first face of the list that is installed, or else the whole list for
// fontconfig to choose from. Each missing family the toolkit is handed costs
// a fontconfig sort per script and style at the first paint. Looked up among
// the installed families rather than with hasFamily(), which runs
// fontconfig's substitution rules for each name (half a millisecond apiece).
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

QFont gothicFont(int pixelSize, bool bold, bool italic) {
    QFont font;
    font.setFamilies(gothicFamilies());
    font.setPixelSize(pixelSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    // Japanese needs no shaping, and the first shaping of each size and
    // weight loads the face's layout tables.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

}  // namespace forms
