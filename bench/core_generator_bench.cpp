// The generator: one map at the defaults, shaping, map check and faction analysis included (targets: at least
// 100 maps a second on one core, one map under 50 ms), and the sweep over the test points with 2,000 seeds
// per point and mode (TAV_SWEEP_SEEDS changes the number), reporting the failures (target 0) and the worst
// figures.
//
//   build/<dir>/bench/core_bench --benchmark_filter=Generate
//   build/<dir>/bench/core_bench --benchmark_filter=GeneratorSweep

#include "FactionAnalysis.h"
#include "GeneratorNoise.h"
#include "MapGenerator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace tav;

void BM_GenerateMap(benchmark::State& state) {
    GeneratorParameters parameters;
    parameters.Symmetry = static_cast<SymmetryMode>(state.range(0));
    const bool largest = state.range(1) != 0;
    if (largest)
        for (const GeneratorRange& range : GeneratorRanges)
            parameters.*range.Field = range.Max;
    std::uint64_t seed = 0;
    for (auto _ : state) {
        parameters.Seed = MixBits(++seed);
        GenerationResult result = GenerateMap(parameters);
        benchmark::DoNotOptimize(result.Map);
    }
    state.counters["maps/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.SetLabel(std::string(SymmetryModeCliName(parameters.Symmetry)) +
                   (largest ? " all max" : " defaults"));
}
BENCHMARK(BM_GenerateMap)
    ->Args({static_cast<int>(SymmetryMode::Quarter), 0})
    ->Args({static_cast<int>(SymmetryMode::None), 0})
    ->Args({static_cast<int>(SymmetryMode::LeftRight), 0})
    ->Args({static_cast<int>(SymmetryMode::Quarter), 1})
    ->Unit(benchmark::kMillisecond);

// Point 0 is the defaults; 1..14 each ranged parameter at its minimum, then its maximum; 15 all at their
// minimum; 16 all at their maximum.
GeneratorParameters TestPoint(int point, std::string& name) {
    GeneratorParameters parameters;
    if (point == 0) {
        name = "defaults";
        return parameters;
    }
    const bool all = point >= 15;
    const bool maximum = all ? point == 16 : (point - 1) % 2 == 1;
    const int which = (point - 1) / 2;
    name = all ? std::string("all") : std::string(GeneratorRanges[static_cast<std::size_t>(which)].Name);
    name += maximum ? " max" : " min";
    for (std::size_t i = 0; i < GeneratorRanges.size(); ++i)
        if (all || static_cast<int>(i) == which)
            parameters.*GeneratorRanges[i].Field = maximum ? GeneratorRanges[i].Max : GeneratorRanges[i].Min;
    return parameters;
}

void BM_GeneratorSweep(benchmark::State& state) {
    const char* seedsText = std::getenv("TAV_SWEEP_SEEDS");
    const int seeds = seedsText ? std::max(1, std::atoi(seedsText)) : 2000;
    std::string name;
    GeneratorParameters parameters = TestPoint(static_cast<int>(state.range(0)), name);
    int failures = 0;
    int maps = 0;
    int worstAttempt = 0;
    double worstBalance = 1.0;
    double worstDistances = 1.0;
    for (auto _ : state)
        for (const SymmetryMode mode : AllSymmetryModes)
            for (int i = 0; i < seeds; ++i) {
                parameters.Symmetry = mode;
                parameters.Seed =
                    MixBits(static_cast<std::uint64_t>(i) * 8 + static_cast<std::uint64_t>(mode) + 1000003);
                const GenerationResult result = GenerateMap(parameters);
                ++maps;
                if (!result.Map) {
                    ++failures;
                    continue;
                }
                const FactionAnalysis& analysis = result.Map->Analysis;
                int smallest = MapCells;
                int largest = 0;
                for (const FactionFigures& figures : analysis.Factions) {
                    smallest = std::min(smallest, figures.Territory);
                    largest = std::max(largest, figures.Territory);
                }
                const std::array<int, FactionCount> nearest = NearestEnemyDistances(analysis);
                const auto [shortest, longest] = std::minmax_element(nearest.begin(), nearest.end());
                worstBalance = std::max(worstBalance, static_cast<double>(largest) / smallest);
                worstDistances = std::max(worstDistances, static_cast<double>(*longest) / *shortest);
                worstAttempt = std::max(worstAttempt, result.Map->Attempt);
            }
    state.counters["maps"] = maps;
    state.counters["failures"] = failures;
    state.counters["worst_balance"] = worstBalance;
    state.counters["worst_distance_ratio"] = worstDistances;
    state.counters["worst_attempt"] = worstAttempt;
    state.SetLabel(name);
}
BENCHMARK(BM_GeneratorSweep)->DenseRange(0, 16)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
