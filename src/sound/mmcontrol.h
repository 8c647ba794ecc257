#pragma once

#include "sound/sounddevice.h"

#include <QWidget>

#include <memory>

// The main window's multimedia control. It has no face of its own and only
// passes its settings on to its sound device, which is created on the first
// setting so that nothing of the sound system loads before a chime is asked for.
class MMControl : public QWidget {
    Q_OBJECT

public:
    explicit MMControl(QWidget *parent = nullptr);
    ~MMControl() override;

    void setCommand(const QString &command);
    void setFileName(const QString &name);

    // Replaces the device, for instance by a silent one in tests.
    void setDevice(std::unique_ptr<sound::SoundDevice> device);
    sound::SoundDevice *device();

private:
    std::unique_ptr<sound::SoundDevice> m_device;
};
