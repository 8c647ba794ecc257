// Real timers on the offscreen platform with a silent sound device:
//   1. a manual shuffle for JANKEN_BENCH_SHUFFLE_SECONDS (default 10):
//      ticks of Timer1, 20 a second;
//   2. automatic play for JANKEN_BENCH_AUTO_SECONDS (default 60): rounds
//      judged, 120 a minute.
// Prints "shuffle_ticks <n> <seconds>" and "auto_rounds <n> <seconds>".
#include "experiment/module1.h"
#include "forms/qt/window.h"
#include "mainwindow/form1.h"
#include "sound/mmcontrol.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

namespace {

class Silent final : public sound::SoundDevice {
public:
    void setFileName(std::u16string_view) override {}
    void command(std::u16string_view) override {}
};

// Runs the event loop for the given time after calling start; returns the
// seconds that really passed.
template <typename Start>
double runFor(int seconds, Start start) {
    QElapsedTimer clock;
    QTimer::singleShot(0, [&] {
        clock.start();
        start();
        // exit(), not quit(): quit() closes the windows, which ends the program.
        QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, qApp,
                           [] { QCoreApplication::exit(0); });
    });
    QApplication::exec();
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

}  // namespace

int main(int argc, char **argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const auto setting = [](const char *name, int fallback) {
        bool ok = false;
        const int value = qEnvironmentVariableIntValue(name, &ok);
        return ok && value > 0 ? value : fallback;
    };
    const int shuffleSeconds = setting("JANKEN_BENCH_SHUFFLE_SECONDS", 10);
    const int autoSeconds = setting("JANKEN_BENCH_AUTO_SECONDS", 60);
    Form1 form;
    QWidget *window = forms::qt::widget(form);
    dynamic_cast<MMControl *>(window->findChild<QWidget *>(QStringLiteral("MMControl1")))
        ->setDevice(std::make_unique<Silent>());
    form.Show();

    int ticks = 0;
    QObject::connect(window->findChild<QTimer *>(QStringLiteral("Timer1")), &QTimer::timeout,
                     [&ticks] { ++ticks; });
    const double shuffle = runFor(shuffleSeconds, [&] { form.Command1_Click(); });
    const int shuffleTicks = ticks;
    form.Command2_Click();
    form.Form_Load();  // count the automatic rounds from zero

    const double automatic = runFor(autoSeconds, [&] { form.Command3_Click(); });
    const int rounds = Module1::aikocount + Module1::abc1katicount + Module1::abc1makecount;

    std::printf("shuffle_ticks %d %.3f\n", shuffleTicks, shuffle);
    std::printf("auto_rounds %d %.3f\n", rounds, automatic);
    return 0;
}
