#include "GeneratorNoise.h"

#include "CellGrid.h"

namespace tav {

namespace {

// The smoothstep 3t^2 - 2t^3 for t in 1/256 steps, 0..256, so neighbouring lattice squares join without a
// crease.
constexpr std::int64_t SmoothStep(std::int64_t t) {
    return (t * t * (3 * 256 - 2 * t)) >> 16;
}

constexpr int LargestLattice = 32; // points per side for the smallest spacing used, 2 cells

} // namespace

void AddValueNoise(CellValues& values, std::uint64_t seed, int spacing, int weight) {
    RandomStream stream(seed);
    const int offsetX = stream.Below(spacing);
    const int offsetY = stream.Below(spacing);
    const int points = (MapSize + spacing - 1) / spacing + 2;
    std::array<std::int64_t, LargestLattice * LargestLattice> heights{};
    for (int i = 0; i < points * points; ++i)
        heights[static_cast<std::size_t>(i)] = static_cast<std::int64_t>(stream.Next() >> 48);
    auto height = [&](int ix, int iy) { return heights[static_cast<std::size_t>(ix * points + iy)]; };

    for (int x = 0; x < MapSize; ++x) {
        const int gx = x + offsetX;
        const int ix = gx / spacing;
        const std::int64_t sx = SmoothStep((gx % spacing) * 256 / spacing);
        for (int y = 0; y < MapSize; ++y) {
            const int gy = y + offsetY;
            const int iy = gy / spacing;
            const std::int64_t sy = SmoothStep((gy % spacing) * 256 / spacing);
            const std::int64_t top = height(ix, iy) * 256 + (height(ix + 1, iy) - height(ix, iy)) * sx;
            const std::int64_t bottom =
                height(ix, iy + 1) * 256 + (height(ix + 1, iy + 1) - height(ix, iy + 1)) * sx;
            const std::int64_t value = (top * 256 + (bottom - top) * sy) >> 16;
            values[GridIndex(x, y)] += static_cast<std::int32_t>(value * weight);
        }
    }
}

CellValues FractalNoise(std::uint64_t seed, int spacing) {
    CellValues values{};
    int octave = 0;
    for (int weight = 4; weight >= 1 && spacing >= 3; weight /= 2, spacing /= 2)
        AddValueNoise(values, DeriveSeed(seed, static_cast<std::uint64_t>(++octave)), spacing, weight);
    return values;
}

} // namespace tav
