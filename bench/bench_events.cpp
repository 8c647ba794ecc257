// The work each event costs, on the offscreen platform with a silent sound
// device: a judged round, a shuffle tick, a full graph drawing and a help
// drawing. Each is measured twice where it matters: the handler alone, and
// the handler followed by the repaint it causes (the event loop run until
// idle), which is what a person's screen waits for.
//
// Prints one line per measurement, "name<TAB>median nanoseconds", for
// bench/run.sh to put in its table; Google Benchmark's own arguments work too.
#include "experiment/module1.h"
#include "forms/qt/window.h"
#include "graph/form2.h"
#include "help/form4.h"
#include "mainwindow/form1.h"
#include "sound/mmcontrol.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

class Silent final : public sound::SoundDevice {
public:
    void setFileName(std::u16string_view) override {}
    void command(std::u16string_view) override {}
};

struct Windows {
    Form1 form1;
    Form2 form2;
    Form4 form4;

    Windows() {
        QWidget *window = forms::qt::widget(form1);
        dynamic_cast<MMControl *>(window->findChild<QWidget *>(QStringLiteral("MMControl1")))
            ->setDevice(std::make_unique<Silent>());
        form1.Show();
        form2.Show();
        form4.Show();
        settle();
    }

    static void settle() { QCoreApplication::processEvents(); }
};

Windows *g_windows = nullptr;

// Rounds until the experiment is started afresh, well below the 999 at
// which it closes: every timed round is an ordinary one.
constexpr int kRoundsPerExperiment = 900;

// ポ　ン: the hands are drawn, and the round is judged, counted, recorded
// and shown in every label. The ジャンケン before it, which opens the
// shuffle, is left out: the clock is read around ポ　ン alone (manual
// timing; pausing the benchmark's own timer costs microseconds itself).
template <bool Repaint>
void round(benchmark::State &state) {
    using Clock = std::chrono::steady_clock;
    Form1 &form = g_windows->form1;
    form.Form_Load();
    int rounds = 0;
    for (auto _ : state) {
        if (++rounds == kRoundsPerExperiment) {
            form.Form_Load();
            rounds = 0;
        }
        form.Command1_Click();
        if constexpr (Repaint) {
            Windows::settle();
        }
        const Clock::time_point start = Clock::now();
        form.Command2_Click();
        if constexpr (Repaint) {
            Windows::settle();
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}

// ジャンケン then ポ　ン, back to back: a whole round as automatic play runs it.
void wholeRound(benchmark::State &state) {
    Form1 &form = g_windows->form1;
    form.Form_Load();
    int rounds = 0;
    for (auto _ : state) {
        form.Command1_Click();
        form.Command2_Click();
        if (++rounds == kRoundsPerExperiment) {
            state.PauseTiming();
            form.Form_Load();
            rounds = 0;
            state.ResumeTiming();
        }
    }
}

template <bool Repaint>
void shuffleTick(benchmark::State &state) {
    Form1 &form = g_windows->form1;
    form.Form_Load();
    form.Command1_Click();
    // The real timers must not tick beside the measured calls.
    for (const char *name : {"Timer1", "Timer2", "Timer3"}) {
        forms::qt::widget(form)->findChild<QTimer *>(QString::fromLatin1(name))->stop();
    }
    for (auto _ : state) {
        form.Timer1_Timer();
        if constexpr (Repaint) {
            Windows::settle();
        }
    }
    form.Command2_Click();
}

void fillHistories() {
    // Three curves of 998 entries each, wandering around a third.
    for (std::size_t k = 1; k <= 998; ++k) {
        const float wobble = static_cast<float>((k * 37) % 101) / 1000.0f;
        Module1::aikorecord[k] = 0.30f + wobble;
        Module1::abc1katirecord[k] = 0.28f + wobble;
        Module1::abc1makerecord[k] = 0.32f + wobble;
    }
    Module1::aikocount = 998;
    Module1::abc1katicount = 998;
    Module1::abc1makecount = 998;
    Module1::recordfull = 0;
}

template <bool Repaint>
void graphDrawing(benchmark::State &state) {
    fillHistories();
    for (auto _ : state) {
        g_windows->form2.Form_Activate();
        if constexpr (Repaint) {
            Windows::settle();
        }
    }
    g_windows->form1.Form_Load();
}

// The help's lines are kept as marks and drawn at the repaint, which is
// where its cost lies.
void helpDrawing(benchmark::State &state) {
    for (auto _ : state) {
        g_windows->form4.Form_Activate();
        Windows::settle();
    }
}

// Keeps the medians of the repeated runs and prints them plainly.
class MedianReporter final : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context &) override { return true; }
    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &run : runs) {
            if (run.aggregate_name != "median") {
                continue;
            }
            const double ns = run.real_accumulated_time * 1e9 / static_cast<double>(run.iterations);
            std::printf("%s\t%.0f\n", run.run_name.function_name.c_str(), ns);
            std::fflush(stdout);
        }
    }
};

void registerAll() {
    const auto add = [](const char *name, void (*fn)(benchmark::State &)) {
        return benchmark::RegisterBenchmark(name, fn)
            ->Repetitions(15)
            ->ReportAggregatesOnly(true)
            ->MinTime(0.05)
            ->Unit(benchmark::kMicrosecond);
    };
    add("round", round<false>)->UseManualTime();
    add("round+repaint", round<true>)->UseManualTime();
    add("whole_round", wholeRound);
    add("shuffle_tick", shuffleTick<false>);
    add("shuffle_tick+repaint", shuffleTick<true>);
    add("graph_drawing", graphDrawing<false>);
    add("graph_drawing+repaint", graphDrawing<true>);
    add("help_drawing+repaint", helpDrawing);
}

}  // namespace

int main(int argc, char **argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Windows windows;
    g_windows = &windows;
    registerAll();
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    g_windows = nullptr;
    return 0;
}
