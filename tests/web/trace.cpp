// The same rounds on the desktop's platform and in the browser, from the same generator: what
// each build judges, counts and records, as lines of text to compare.
#include "experiment/history.h"
#include "experiment/module1.h"
#include "mainwindow/form1.h"

#include <cstdint>
#include <memory>
#include <string>

namespace {

std::string state(const Form1 &form) {
    std::string line;
    for (std::int16_t value :
         {form.ahand, form.bhand, form.chand, Module1::aikocount, Module1::abc1katicount,
          Module1::abc1makecount, form.a1katicount, form.b1katicount, form.c1katicount,
          form.a1makecount, form.b1makecount, form.c1makecount, Module1::recordfull}) {
        line += std::to_string(value) + ' ';
    }
    return line + '\n';
}

// Rounds by hand and automatic play in turn, past the limit of 999, with a reset between.
std::string trace() {
    Form1 form;
    form.setRandomSource(std::make_unique<experiment::HandGenerator>(20261209));
    form.setTimeOfDay([] { return 36000.5f; });
    std::string out;
    for (int turn = 0; turn < 40; ++turn) {
        for (int round = 0; round < 5; ++round) {
            form.Command1_Click();
            form.Timer1_Timer();
            form.Timer2_Timer();
            form.Timer3_Timer();
            form.Command2_Click();
            out += state(form);
        }
        form.Command3_Click();
        for (int tick = 0; tick < 80; ++tick) {
            form.Timer4_Timer();
        }
        form.Command7_Click();
        out += state(form);
        if (turn == 3) {
            form.Command4_Click();
        }
    }
    // The three histories, all 1000 rows, by a checksum (FNV-1a) of the table the graph copies.
    std::uint32_t hash = 2166136261u;
    for (char16_t c : forms::tableText(experiment::historyTable())) {
        hash = (hash ^ c) * 16777619u;
    }
    return out + "histories " + std::to_string(hash) + '\n';
}

}  // namespace

#ifdef __EMSCRIPTEN__
#include <emscripten/val.h>

int main() {
    emscripten::val::global("document")["body"]["dataset"].set("trace", trace());
}
#else
#include <QApplication>

#include <cstdio>

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    std::fputs(trace().c_str(), stdout);
}
#endif
