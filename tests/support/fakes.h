#pragma once

#include "experiment/form1.h"
#include "experiment/module1.h"
#include "experiment/random.h"
#include "mainwindow/imagecontrol.h"
#include "sound/mmcontrol.h"

#include <QList>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <utility>

namespace testing {

// Whether a hand picture is shown. Image controls keep their visibility
// themselves (their widgets stay shown), so a picture that is not an image
// control counts as not shown.
inline bool pictureShown(const QWidget *picture) {
    const auto *image = qobject_cast<const mainwindow::ImageControl *>(picture);
    return image && image->isShown();
}

// A generator that hands out the values it was given, in order, and
// remembers every seed. Runs dry as 0 (rock).
class ScriptedRandom final : public experiment::RandomSource {
public:
    explicit ScriptedRandom(QList<float> *seeds = nullptr) : m_seeds(seeds) {}
    void randomize(float seed) override {
        if (m_seeds) {
            m_seeds->append(seed);
        }
    }
    float rnd() override {
        if (m_values.empty()) {
            return 0.0f;
        }
        const float r = m_values.front();
        m_values.pop_front();
        return r;
    }
    void push(float r) { m_values.push_back(r); }
    // A value of the generator that draws the given hand.
    static float valueFor(std::int16_t hand) { return (static_cast<float>(hand) - 0.5f) / 3.0f; }
    void pushHands(std::int16_t a, std::int16_t b, std::int16_t c) {
        push(valueFor(a));
        push(valueFor(b));
        push(valueFor(c));
    }
    bool exhausted() const { return m_values.empty(); }

private:
    std::deque<float> m_values;
    QList<float> *m_seeds = nullptr;
};

// A sound device that plays nothing and writes down every setting it gets,
// with whatever the test wants to know about the moment of each.
class RecordingDevice final : public sound::SoundDevice {
public:
    explicit RecordingDevice(std::function<QString()> snapshot = {})
        : m_snapshot(std::move(snapshot)) {}
    void setFileName(const QString &name) override { note(QStringLiteral("FileName=") + name); }
    void command(const QString &command) override { note(command); }

    QStringList settings;
    QStringList snapshots;

private:
    void note(const QString &setting) {
        settings << setting;
        if (m_snapshot) {
            snapshots << m_snapshot();
        }
    }
    std::function<QString()> m_snapshot;
};

// A main window whose draws come from a script, with the module's histories
// cleared so that every test starts from the program-start state.
struct ScriptedForm {
    ScriptedForm() {
        Module1::aikorecord.fill(0.0f);
        Module1::abc1katirecord.fill(0.0f);
        Module1::abc1makerecord.fill(0.0f);
        auto owned = std::make_unique<ScriptedRandom>();
        random = owned.get();
        form = std::make_unique<Form1>();
        form->setRandomSource(std::move(owned));
        form->setTimeOfDay([] { return 43200.0f; });
        auto device = std::make_unique<RecordingDevice>();
        sound = device.get();
        form->findChild<MMControl *>(QStringLiteral("MMControl1"))->setDevice(std::move(device));
        form->Form_Activate();
    }
    // One judged round with the given hands.
    void play(std::int16_t a, std::int16_t b, std::int16_t c) {
        random->pushHands(a, b, c);
        form->Command2_Click();
    }
    // Enabled buttons, Command1 to Command8, and running timers, Timer1 to
    // Timer4, each as a string of 0/1 flags.
    QString buttons() const { return flags("Command", 8); }
    QString timers() const { return flags("Timer", 4); }

    template <typename T>
    T *child(const char *name) const {
        return form->findChild<T *>(QString::fromLatin1(name));
    }

    ScriptedRandom *random = nullptr;
    RecordingDevice *sound = nullptr;

private:
    QString flags(const char *prefix, int count) const {
        QString s;
        for (int i = 1; i <= count; ++i) {
            const QObject *o =
                form->findChild<QObject *>(QLatin1String(prefix) + QString::number(i));
            const auto *timer = qobject_cast<const QTimer *>(o);
            const bool on =
                timer ? timer->isActive() : static_cast<const QWidget *>(o)->isEnabled();
            s += on ? QLatin1Char('1') : QLatin1Char('0');
        }
        return s;
    }

public:
    std::unique_ptr<Form1> form;
};

}  // namespace testing
