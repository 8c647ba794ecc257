#pragma once

#include "experiment/module1.h"
#include "mainwindow/form1.h"
#include "sound/mmcontrol.h"

#include <QStringList>
#include <QWidget>

#include <deque>
#include <functional>
#include <memory>

namespace testing {

// Hands out the values it is given (0, a rock, once they run out) and logs
// each seeding, 's' with the clock's latest reading or 'S' otherwise, and
// each value taken, 'r'.
class ScriptedRandom final : public experiment::RandomSource {
public:
    void randomize(float seed) override { log += seed == clock ? u's' : u'S'; }
    float rnd() override {
        const float r = values.empty() ? 0.0f : values.front();
        log += u'r';
        values.empty() ? void() : values.pop_front();
        return r;
    }
    // Values in the middle of each hand's third of [0, 1).
    void pushHands(int a, int b, int c) {
        for (int hand : {a, b, c}) {
            values.push_back((float(hand) - 0.5f) / 3.0f);
        }
    }
    std::deque<float> values;
    QString log;
    float clock = 0;
};

// Plays nothing; notes every setting, and at each "Sound" what `moment` says.
class RecordingDevice final : public sound::SoundDevice {
public:
    void setFileName(const QString &name) override { settings << "FileName=" + name; }
    void command(const QString &command) override {
        settings << command;
        if (command == u"Sound" && moment) {
            settings << moment();
        }
    }
    QStringList settings;
    std::function<QString()> moment;
};

// A main window as the program starts it, with scripted draws, a clock that
// moves on a second at each reading, a recording sound device, and the
// histories of program start.
struct ScriptedForm {
    ScriptedForm() {
        for (auto *history :
             {&Module1::aikorecord, &Module1::abc1katirecord, &Module1::abc1makerecord}) {
            history->fill(0.0f);
        }
        auto draws = std::make_unique<ScriptedRandom>();
        auto device = std::make_unique<RecordingDevice>();
        random = draws.get();
        sound = device.get();
        form->setRandomSource(std::move(draws));
        form->setTimeOfDay([r = random] { return r->clock += 1.0f; });
        child<MMControl>(QStringLiteral("MMControl1"))->setDevice(std::move(device));
        form->Form_Activate();
    }
    void play(int a, int b, int c) {
        random->pushHands(a, b, c);
        form->Command2_Click();
    }
    template <typename T = QWidget>
    T *child(const QString &name) const {
        return form->findChild<T *>(name);
    }

    std::unique_ptr<Form1> form = std::make_unique<Form1>();
    ScriptedRandom *random = nullptr;  // owned by the form
    RecordingDevice *sound = nullptr;  // owned by its control
};

}  // namespace testing
