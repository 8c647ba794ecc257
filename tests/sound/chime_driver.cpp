// The program as the chime test drives it: "chimes" 初期化 twice and HELP,
// each whole, then 終了 answered はい; "exit" 終了 answered はい at once. Status
// 0 only for a normal return from main once the whole program has ended.
#include "mainwindow/form1.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    Form1 form;
    form.show();
    form.setQuestion([](QWidget *, const QString &, const QString &) { return 6; });
    bool whole = true;
    QTimer::singleShot(0, &form, [&] {
        for (int i = 0; argc > 1 && qstrcmp(argv[1], "chimes") == 0 && i < 2; ++i) {
            form.Command4_Click(), form.Command5_Click();
            whole = whole && form.helpWindow() &&
                    form.findChild<QLabel *>(QStringLiteral("hanntei1"))->text().isEmpty();
        }
        form.Command6_Click();
    });
    return QApplication::exec() + (whole ? 0 : 3) + (form.isVisible() ? 5 : 0);
}
