#pragma once

#include <QString>

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
