// Writes the program's two chimes as 16-bit mono WAV files:
//   pinpon.wav     a bright two-tone "pin-pon" (reset and help)
//   endpinpon.wav  a slower, falling three-tone close (exit)
// Each tone is a sine with a soft octave partial, a 5 ms attack and an
// exponential decay, like a small bell.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;

struct Tone {
    double start;  // seconds
    double hertz;
    double length;  // seconds
    double decay;   // seconds to fall to 1/e
};

std::vector<std::int16_t> render(const std::vector<Tone> &tones, double seconds) {
    std::vector<double> mix(static_cast<std::size_t>(seconds * kRate), 0.0);
    for (const Tone &tone : tones) {
        const auto first = static_cast<std::size_t>(tone.start * kRate);
        const auto count = static_cast<std::size_t>(tone.length * kRate);
        for (std::size_t i = 0; i < count && first + i < mix.size(); ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double attack = std::min(1.0, t / 0.005);
            const double release = std::min(1.0, (tone.length - t) / 0.02);  // no click at the end
            const double envelope = attack * release * std::exp(-t / tone.decay);
            const double phase = 2 * std::numbers::pi * tone.hertz * t;
            mix[first + i] += envelope * (std::sin(phase) + 0.25 * std::sin(2 * phase));
        }
    }
    std::vector<std::int16_t> samples(mix.size());
    for (std::size_t i = 0; i < mix.size(); ++i) {
        samples[i] =
            static_cast<std::int16_t>(std::lround(std::clamp(mix[i] * 0.45, -1.0, 1.0) * 32767));
    }
    return samples;
}

void put(std::FILE *f, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        std::fputc(static_cast<int>((value >> (8 * i)) & 0xFF), f);
    }
}

bool writeWav(const std::string &path, const std::vector<std::int16_t> &samples) {
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) {
        return false;
    }
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::fputs("RIFF", f);
    put(f, 36 + dataBytes, 4);
    std::fputs("WAVEfmt ", f);
    put(f, 16, 4);  // format chunk size
    put(f, 1, 2);   // PCM
    put(f, 1, 2);   // mono
    put(f, kRate, 4);
    put(f, kRate * 2, 4);  // bytes per second
    put(f, 2, 2);          // block align
    put(f, 16, 2);         // bits per sample
    std::fputs("data", f);
    put(f, dataBytes, 4);
    for (std::int16_t s : samples) {
        put(f, static_cast<std::uint16_t>(s), 2);
    }
    return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fputs("usage: janken_chimegen OUTPUT_DIR\n", stderr);
        return 2;
    }
    const std::string dir = argv[1];
    // E6 then C6: the classic door chime.
    const auto pinpon = render({{0.00, 1318.5, 0.45, 0.18}, {0.30, 1046.5, 0.70, 0.30}}, 1.0);
    // G5, E5, C5, falling and lingering: the program is about to close.
    const auto endpinpon = render(
        {{0.00, 783.99, 0.40, 0.20}, {0.28, 659.26, 0.40, 0.20}, {0.56, 523.25, 0.90, 0.40}}, 1.5);
    if (!writeWav(dir + "/pinpon.wav", pinpon) || !writeWav(dir + "/endpinpon.wav", endpinpon)) {
        std::fprintf(stderr, "janken_chimegen: cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
