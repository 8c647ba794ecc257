#include "experiment/random.h"

#include <bit>
#include <chrono>
#include <cstring>
#include <ctime>
#include <random>

namespace experiment {

namespace {

std::uint64_t splitmix64(std::uint64_t &x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

}  // namespace

HandGenerator::HandGenerator()
    : HandGenerator((std::uint64_t{std::random_device{}()} << 32) ^ std::random_device{}()) {}

HandGenerator::HandGenerator(std::uint64_t state) {
    for (auto &word : m_state) {
        word = splitmix64(state);
    }
}

void HandGenerator::randomize(float seed) {
    // Fold the seed into the state and stir once; the state never becomes all
    // zero because only one word is changed and the others stay as they were.
    // The seed's bits; memcpy rather than std::bit_cast, which the browser build's library lacks.
    std::uint32_t bits = 0;
    std::memcpy(&bits, &seed, sizeof bits);
    std::uint64_t x = bits;
    m_state[0] ^= splitmix64(x);
    if ((m_state[0] | m_state[1] | m_state[2] | m_state[3]) == 0) {
        m_state[0] = 0x9E3779B97F4A7C15ULL;
    }
    next64();
}

std::uint64_t HandGenerator::next64() {
    auto &s = m_state;
    const std::uint64_t result = std::rotl(s[1] * 5, 7) * 9;
    const std::uint64_t t = s[1] << 17;
    s[2] ^= s[0];
    s[3] ^= s[1];
    s[1] ^= s[2];
    s[0] ^= s[3];
    s[2] ^= t;
    s[3] = std::rotl(s[3], 45);
    return result;
}

float HandGenerator::rnd() {
    // 24 high bits: every value is exact in single precision and below 1.
    return static_cast<float>(next64() >> 40) * 0x1.0p-24f;
}

float systemTimeOfDay() {
    using namespace std::chrono;
    const system_clock::time_point now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const long long ms = ((local.tm_hour * 60LL + local.tm_min) * 60 + local.tm_sec) * 1000 +
                         duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return static_cast<float>(ms) / 1000.0f;
}

}  // namespace experiment
