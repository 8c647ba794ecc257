// A small driver for the sound-server tests: opens the main window, presses
// "初期化", then either quits at once ("quit", while the chime may still be
// loading) or waits to hear the chime start ("listen": exit 0 once playing,
// 3 if it never starts).
#include "experiment/form1.h"
#include "sound/effectdevice.h"

#include <QApplication>
#include <QTimer>

#include <cstring>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const bool listen = argc > 1 && std::strcmp(argv[1], "listen") == 0;
    Form1 form;
    form.show();
    QTimer::singleShot(0, &form, [&] {
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
    return QApplication::exec();
}
