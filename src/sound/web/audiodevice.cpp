// The multimedia control's device in the browser: the chimes lie in the program's in-memory file
// system under their bare names and play through Web Audio (page.js).
#include "sound/sounddevice.h"

#include <emscripten/val.h>

#include <fstream>
#include <iterator>
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
            std::ifstream file(m_fileName, std::ios::binary);
            const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), {}};
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
    std::string m_fileName;
};

}  // namespace

std::unique_ptr<SoundDevice> makeDevice() {
    return std::make_unique<WebAudioDevice>();
}

}  // namespace sound
