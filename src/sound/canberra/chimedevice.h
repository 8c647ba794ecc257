#pragma once

#include "sound/sounddevice.h"

#include <filesystem>
#include <string>

struct ca_context;

namespace sound {

// Plays wave files through libcanberra, the desktop's event-sound library, which sends them to
// PulseAudio or PipeWire, or else to ALSA, and plays them asynchronously. Its context is made on
// the first chime, so that nothing of the sound server loads before one is asked for.
//
// A file name without a folder is looked for in the working directory, then in the installed
// data folder (share/janken beside the program's bin/). A chime that cannot be played (no such
// file, no sound server) is silence; the device's first such chime says so on standard error.
class ChimeDevice final : public SoundDevice {
public:
    ChimeDevice() = default;
    ~ChimeDevice() override;
    ChimeDevice(const ChimeDevice &) = delete;
    ChimeDevice &operator=(const ChimeDevice &) = delete;

    void setFileName(std::u16string_view name) override { m_fileName = name; }
    // "Stop" and "Close" cancel the chime now playing, "Open" finds the file, "Sound" plays it.
    void command(std::u16string_view command) override;

    // Where a chime file is found, or empty.
    static std::filesystem::path resolve(const std::filesystem::path &fileName);

private:
    void play();
    void sayOnce(const std::string &why);

    ca_context *m_context = nullptr;
    std::u16string m_fileName;
    std::filesystem::path m_path;  // the file "Open" found
    bool m_said = false;
};

}  // namespace sound
