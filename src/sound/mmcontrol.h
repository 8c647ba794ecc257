#pragma once

#include "sound/sounddevice.h"

#include <memory>
#include <string_view>

// The multimedia control. It only passes its settings on to its sound device, which is made on
// the first setting, so that nothing of the sound system loads before a chime is asked for.
class MMControl {
public:
    MMControl();
    ~MMControl();
    MMControl(const MMControl &) = delete;
    MMControl &operator=(const MMControl &) = delete;

    void setCommand(std::u16string_view command);
    void setFileName(std::u16string_view name);

    // Replaces the device, for instance by a silent one in tests.
    void setDevice(std::unique_ptr<sound::SoundDevice> device);

private:
    sound::SoundDevice &device();

    std::unique_ptr<sound::SoundDevice> m_device;
};
