// Real timers on the offscreen platform with a silent sound device, for
// JANKEN_BENCH_SECONDS each (default 10):
//   1. a manual shuffle: Timer1 ticks per second (goal 20),
//   2. automatic play: rounds judged per minute (goal 120).
#include "experiment/form1.h"
#include "experiment/module1.h"
#include "sound/mmcontrol.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

namespace {

class Silent final : public sound::SoundDevice {
public:
    void setFileName(const QString &) override {}
    void command(const QString &) override {}
};

// Runs the event loop for the given time after calling start; returns the
// seconds that really passed.
template <typename Start>
double runFor(int seconds, Start start) {
    QElapsedTimer clock;
    QTimer::singleShot(0, [&] {
        clock.start();
        start();
        QTimer::singleShot(seconds * 1000, qApp, &QApplication::quit);
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
    const int seconds = qEnvironmentVariableIsSet("JANKEN_BENCH_SECONDS")
                            ? qEnvironmentVariableIntValue("JANKEN_BENCH_SECONDS")
                            : 10;
    Form1 form;
    form.findChild<MMControl *>(QStringLiteral("MMControl1"))
        ->setDevice(std::make_unique<Silent>());
    form.show();

    int ticks = 0;
    QObject::connect(form.findChild<QTimer *>(QStringLiteral("Timer1")), &QTimer::timeout,
                     [&ticks] { ++ticks; });
    const double shuffle = runFor(seconds, [&] { form.Command1_Click(); });
    const int shuffleTicks = ticks;
    form.Command2_Click();
    form.Form_Load();  // count the automatic rounds from zero

    const double automatic = runFor(seconds, [&] { form.Command3_Click(); });
    const int rounds = Module1::aikocount + Module1::abc1katicount + Module1::abc1makecount;

    std::printf("manual shuffle, %.3f s: %d ticks of Timer1 = %.2f per second (goal 20)\n", shuffle,
                shuffleTicks, shuffleTicks / shuffle);
    std::printf("automatic play, %.3f s: %d rounds = %.2f per minute (goal 120)\n", automatic,
                rounds, rounds * 60.0 / automatic);
    return 0;
}
