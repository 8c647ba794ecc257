#include "sound/mmcontrol.h"

#include "sound/chimedevice.h"

MMControl::MMControl(QWidget *parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

MMControl::~MMControl() = default;

sound::SoundDevice *MMControl::device() {
    if (!m_device) {
        m_device = std::make_unique<sound::ChimeDevice>();
    }
    return m_device.get();
}

void MMControl::setDevice(std::unique_ptr<sound::SoundDevice> device) {
    m_device = std::move(device);
}

void MMControl::setCommand(const QString &command) {
    device()->command(command);
}

void MMControl::setFileName(const QString &name) {
    device()->setFileName(name);
}
