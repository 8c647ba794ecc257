#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace experiment {

// The generator the round judgement draws its hands from: seeded from the
// time of day before every draw, then asked for a value in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void randomize(float seed) = 0;
    virtual float rnd() = 0;
};

// xoshiro256**. Seeding mixes the seed into the running state instead of
// restarting the sequence, so three seedings with the same time of day in one
// round still give three independent draws.
class HandGenerator final : public RandomSource {
public:
    HandGenerator();  // state from std::random_device
    explicit HandGenerator(std::uint64_t state);

    void randomize(float seed) override;
    float rnd() override;  // in [0, 1 - 2^-24], exactly a multiple of 2^-24

    std::uint64_t next64();

private:
    std::array<std::uint64_t, 4> m_state{};
};

// Seconds since midnight, as the round judgement seeds the generator with.
using TimeOfDay = std::function<float()>;
float systemTimeOfDay();

}  // namespace experiment
