#include "sound/canberra/chimedevice.h"

#include <canberra.h>
#include <unistd.h>

#include <cstdio>
#include <system_error>

namespace sound {

namespace {

// Every chime is played under the same id, so that one cancel ends it.
constexpr std::uint32_t kChime = 1;

bool playable(const std::filesystem::path &file) {
    std::error_code error;
    return std::filesystem::is_regular_file(file, error) && access(file.c_str(), R_OK) == 0;
}

}  // namespace

std::unique_ptr<SoundDevice> makeDevice() {
    return std::make_unique<ChimeDevice>();
}

ChimeDevice::~ChimeDevice() {
    if (m_context) {
        ca_context_destroy(m_context);  // safe while a chime plays: it is cut off
    }
}

void ChimeDevice::sayOnce(const std::string &why) {
    if (!m_said) {
        m_said = true;
        std::fprintf(stderr, "janken: the chimes are silent: %s\n", why.c_str());
    }
}

std::filesystem::path ChimeDevice::resolve(const std::filesystem::path &fileName) {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    for (const std::filesystem::path &folder :
         {std::filesystem::current_path(error), program.parent_path() / JANKEN_DATA_RELATIVE_DIR}) {
        if (!fileName.empty() && playable(folder / fileName)) {
            return (folder / fileName).lexically_normal();
        }
    }
    return {};
}

void ChimeDevice::command(std::u16string_view command) {
    if (command == u"Stop" || command == u"Close") {
        if (m_context) {
            ca_context_cancel(m_context, kChime);
        }
        m_path.clear();
    } else if (command == u"Open") {
        const std::filesystem::path name(m_fileName);
        m_path = resolve(name);
        if (m_path.empty()) {
            sayOnce(name.string() + " is not in the working directory or the data folder");
        }
    } else if (command == u"Sound" && !m_path.empty()) {
        play();
    }
}

void ChimeDevice::play() {
    int error = m_context ? CA_SUCCESS : ca_context_create(&m_context);
    if (error == CA_SUCCESS) {
        error = ca_context_play(m_context, kChime, CA_PROP_MEDIA_FILENAME, m_path.c_str(),
                                CA_PROP_EVENT_DESCRIPTION, "janken chime", CA_PROP_APPLICATION_NAME,
                                "janken", nullptr);
    }
    if (error != CA_SUCCESS) {
        sayOnce(m_path.string() + ": " + ca_strerror(error));
    }
}

}  // namespace sound
