#pragma once

#include <memory>
#include <string_view>

namespace sound {

// What the multimedia control drives: a file name, and the commands "Stop", "Close", "Open" and
// "Sound" that act on it. Nothing is reported back; a sound that cannot be played is simply not
// heard.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual void setFileName(std::u16string_view name) = 0;
    virtual void command(std::u16string_view command) = 0;
};

// The platform's device.
std::unique_ptr<SoundDevice> makeDevice();

}  // namespace sound
