#pragma once
// The generator's randomness: a small seeded stream and smooth value noise, both in integers only, so that a
// seed gives the same map on every machine and with every compiler.

#include "MapGrid.h"

#include <array>
#include <cstdint>

namespace tav {

// SplitMix64's finaliser: spreads every bit of the input over the whole output.
constexpr std::uint64_t MixBits(std::uint64_t value) {
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
}

// The seed of a stream derived from another: each stage of the generator draws from its own, so a change to
// one stage leaves the numbers of the others as they were.
constexpr std::uint64_t DeriveSeed(std::uint64_t seed, std::uint64_t stream) {
    return MixBits(seed ^ MixBits(stream + 0x9E3779B97F4A7C15ull));
}

// SplitMix64.
class RandomStream {
public:
    explicit RandomStream(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        state_ += 0x9E3779B97F4A7C15ull;
        return MixBits(state_);
    }

    // A whole number in 0..bound-1 (bound >= 1), by multiplying the top 32 bits: no division, no modulo bias
    // worth the name for the small bounds used here.
    int Below(int bound) {
        return static_cast<int>(((Next() >> 32) * static_cast<std::uint64_t>(bound)) >> 32);
    }

    // lo..hi, both included.
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }

    bool Percent(int chance) { return Below(100) < chance; }

private:
    std::uint64_t state_;
};

// A value per cell in grid order (x * 48 + y).
using CellValues = std::array<std::int32_t, MapCells>;

// Smooth value noise: random heights at the corners of a lattice `spacing` cells wide, shifted by a random
// offset, blended with a smoothstep in 1/256 steps. Every cell gets 0..65535.
void AddValueNoise(CellValues& values, std::uint64_t seed, int spacing, int weight);

// Octaves of value noise from `spacing` down to 3 cells, each half the weight of the one before; the first
// has weight 4. Values 0 .. about 8 x 65535.
CellValues FractalNoise(std::uint64_t seed, int spacing);

} // namespace tav
