#include "sound/mmcontrol.h"

MMControl::MMControl() = default;
MMControl::~MMControl() = default;

sound::SoundDevice &MMControl::device() {
    if (!m_device) {
        m_device = sound::makeDevice();
    }
    return *m_device;
}

void MMControl::setDevice(std::unique_ptr<sound::SoundDevice> device) {
    m_device = std::move(device);
}

void MMControl::setCommand(std::u16string_view command) {
    device().command(command);
}

void MMControl::setFileName(std::u16string_view name) {
    device().setFileName(name);
}
