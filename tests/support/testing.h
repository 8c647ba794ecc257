// A main window with scripted draws and a recording sound device; approved images.
#pragma once

#include "experiment/module1.h"
#include "forms/qt/widgets.h"
#include "forms/qt/window.h"
#include "mainwindow/form1.h"
#include "sound/mmcontrol.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>

#include <functional>
#include <memory>

namespace testing {

using forms::qt::toQString;
using forms::qt::widget;

// Hands out the values it is given (then 0, a rock) and logs each seeding, 's' with the clock's
// latest reading or 'S' otherwise, and each value taken, 'r'.
struct ScriptedRandom final : experiment::RandomSource {
    void randomize(float seed) override { log += seed == clock ? u's' : u'S'; }
    float rnd() override {
        log += u'r';
        return values.isEmpty() ? 0.0f : values.takeFirst();
    }
    QList<float> values;
    QString log;
    float clock = 0;
};

// Plays nothing; notes every setting, and at each "Sound" what `moment` says.
struct RecordingDevice final : sound::SoundDevice {
    void setFileName(std::u16string_view name) override {
        settings << "FileName=" + toQString(name);
    }
    void command(std::u16string_view command) override {
        settings << toQString(command);
        if (command == u"Sound" && moment) {
            settings << moment();
        }
    }
    QStringList settings;
    std::function<QString()> moment;
};

// A main window as started: scripted draws, a clock a second on a reading, a recording device.
struct ScriptedForm {
    ScriptedForm() {
        Module1::aikorecord = Module1::abc1katirecord = Module1::abc1makerecord = {};
        auto draws = std::make_unique<ScriptedRandom>();
        auto device = std::make_unique<RecordingDevice>();
        random = draws.get();
        sound = device.get();
        form->setRandomSource(std::move(draws));
        form->setTimeOfDay([r = random] { return r->clock += 1.0f; });
        dynamic_cast<MMControl *>(child(QStringLiteral("MMControl1")))
            ->setDevice(std::move(device));
        form->Form_Activate();
    }
    template <typename T = QWidget>
    T *child(const QString &name) const {
        return window->findChild<T *>(name);
    }

    std::unique_ptr<Form1> form = std::make_unique<Form1>();
    QWidget *window = widget(*form);
    ScriptedRandom *random = nullptr;  // owned by the form
    RecordingDevice *sound = nullptr;  // owned by its control
};

// What the screen shows: a window's backing store (only what was repainted), or a part rendered.
inline QImage shot(QWidget *w) {
    if (!QTest::qWaitForWindowExposed(w->window())) {
        return {};
    }
    QApplication::processEvents();
    // At 2 x the offscreen platform grabs a window's backing store as if at 1 x: it is rendered.
    if (!w->isWindow() || w->devicePixelRatio() != 1) {
        return w->grab().toImage();
    }
    return w->screen()->grabWindow(w->winId()).toImage();
}

// Fails unless each pixel is near approved/NAME.png's; JANKEN_APPROVE=1 writes it anew.
inline void compareWithApproved(const QImage &image, const QString &name) {
    const QString approved = QStringLiteral(JANKEN_APPROVED_DIR "/%1.png").arg(name);
    const QImage actual = image.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIsSet("JANKEN_APPROVE")) {
        QVERIFY(QDir().mkpath(QStringLiteral(JANKEN_APPROVED_DIR)) && actual.save(approved));
        return;
    }
    const QImage expected = QImage(approved).convertToFormat(QImage::Format_RGB32);
    int differing = expected.size() == actual.size() ? 0 : -1;
    for (int y = 0; differing >= 0 && y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y);
            const QRgb e = expected.pixel(x, y);
            const int most = std::max({std::abs(qRed(a) - qRed(e)), std::abs(qGreen(a) - qGreen(e)),
                                       std::abs(qBlue(a) - qBlue(e))});
            differing += most > 48;
        }
    }
    const QString out = QStringLiteral(JANKEN_ACTUAL_DIR "/%1.actual.png").arg(name);
    if (differing != 0) {
        QDir().mkpath(QStringLiteral(JANKEN_ACTUAL_DIR));
        actual.save(out);
    }
    QVERIFY2(differing == 0,
             qPrintable(name + QStringLiteral(" differs from %1 in %2 pixels (-1: in size); see %3")
                                   .arg(approved, QString::number(differing), out)));
}

}  // namespace testing
