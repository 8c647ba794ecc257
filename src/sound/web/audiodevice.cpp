// The multimedia control's device in the browser: the chimes lie in the program's in-memory file
// system under their bare names and play through Web Audio (page.js).
#include "sound/sounddevice.h"

#include <emscripten/val.h>

#include <cstdio>
#include <string>
#include <vector>

namespace sound {

namespace {

using emscripten::val;

class WebAudioDevice final : public SoundDevice {
public:
    void setFileName(std::u16string_view name) override {
        m_fileName.clear();
        for (char16_t c : name) {
            m_fileName += static_cast<char>(c < 0x80 ? c : '?');  // the chimes' names are ASCII
        }
    }

    void command(std::u16string_view command) override {
        const val chimes = val::module_property("chimes");
        if (command == u"Open") {
            const std::vector<unsigned char> bytes = read(m_fileName);
            if (!bytes.empty()) {
                chimes.call<void>("open",
                                  val(emscripten::typed_memory_view(bytes.size(), bytes.data())));
            }
        } else if (command == u"Sound") {
            chimes.call<void>("play");
        } else if (command == u"Stop") {
            chimes.call<void>("stop");
        } else if (command == u"Close") {
            chimes.call<void>("close");
        }
    }

private:
    // With C's stdio rather than iostreams, whose locales made 184 KiB of the page's 486 KiB of
    // WebAssembly, and 0.25 MiB of the page.
    static std::vector<unsigned char> read(const std::string &fileName) {
        std::vector<unsigned char> bytes;
        if (std::FILE *file = std::fopen(fileName.c_str(), "rb")) {
            unsigned char block[4096];
            while (const std::size_t got = std::fread(block, 1, sizeof block, file)) {
                bytes.insert(bytes.end(), block, block + got);
            }
            std::fclose(file);
        }
        return bytes;
    }

    std::string m_fileName;
};

}  // namespace

std::unique_ptr<SoundDevice> makeDevice() {
    return std::make_unique<WebAudioDevice>();
}

}  // namespace sound
