#pragma once

#include <QString>
#include <QWidget>

#include <memory>

namespace sound {

// What the multimedia control drives: a file name, and the commands "Stop",
// "Close", "Open" and "Sound" that act on it. Nothing is reported back; a
// sound that cannot be played is simply not heard.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual void setFileName(const QString &name) = 0;
    virtual void command(const QString &command) = 0;
};

}  // namespace sound

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
