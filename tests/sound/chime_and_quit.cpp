// A small driver for the tests that need a process of their own: opens the
// main window, then
//   quit    presses "初期化" and quits at once, the chime perhaps still loading;
//   listen  presses "初期化" and waits for the chime to start playing
//           (exit 0 once playing, 3 if it never starts);
//   exit    opens the graph and help windows, presses "終了" and answers はい
//           at once, the exit chime perhaps still loading; the program itself
//           must end the process, with status 0.
#include "experiment/form1.h"
#include "sound/effectdevice.h"
#include "sound/mmcontrol.h"

#include <QApplication>
#include <QTimer>

#include <cstring>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const bool listen = argc > 1 && std::strcmp(argv[1], "listen") == 0;
    const bool exit = argc > 1 && std::strcmp(argv[1], "exit") == 0;
    Form1 form;
    form.show();
    QTimer::singleShot(0, &form, [&] {
        if (exit) {
            form.Command8_Click();
            form.Command5_Click();
            form.setQuestion([](QWidget *, const QString &, const QString &) { return 6; });
            form.Command6_Click();
            return;
        }
        form.Command4_Click();
        if (!listen) {
            QApplication::quit();
            return;
        }
        auto *control = form.findChild<MMControl *>(QStringLiteral("MMControl1"));
        auto *device = dynamic_cast<sound::EffectDevice *>(control->device());
        QSoundEffect *effect = device ? device->current() : nullptr;
        if (!effect) {
            QApplication::exit(4);
            return;
        }
        QObject::connect(effect, &QSoundEffect::playingChanged, &app, [effect] {
            if (effect->isPlaying()) {
                QApplication::exit(0);
            }
        });
        QTimer::singleShot(3000, &app, [] { QApplication::exit(3); });
    });
    const int status = QApplication::exec();
    // After はい the program must have stopped every timer: nothing may run on.
    return exit && form.isVisible() ? 5 : status;
}
