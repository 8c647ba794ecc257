// The baseline for start-up and memory: the least a Qt Widgets program of
// the same size can be, one 488 x 497 window with one label. The label says
// "じゃんけん" in the toolkit's default font, so that the baseline, like any
// Japanese program, loads a Japanese face (fontconfig's fallback for kana).
#include <QApplication>
#include <QLabel>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral(u"じゃんけん"));
    window.setAlignment(Qt::AlignCenter);
    window.setWindowTitle(QStringLiteral("baseline"));
    window.setFixedSize(488, 497);
    window.show();
    return QApplication::exec();
}
