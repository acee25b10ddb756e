// The fairer-map search on three of the kept unfair maps, one proposal asked (as the command-line tool and the
// generator ask), and four (as a window offering alternatives would): the time of a whole search, and the
// analyses it spent as a counter. The goals over all the unfair maps are printed by fairness_goals.sh.
#include "FairnessSearch.h"
#include "MapImage.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace tav;

MapGrid UnfairMap(int number) {
    char name[32];
    std::snprintf(name, sizeof name, "/unfair/unfair-%03d.map", number);
    std::ifstream in(std::string(TAV_BENCH_DATA_DIR) + name, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto image = ReadMapImage(bytes);
    return image ? image->Grid : FilledGrid(48);
}

void BM_FairnessSearch(benchmark::State& state) {
    const MapGrid grid = UnfairMap(static_cast<int>(state.range(0)));
    FairnessSearchOptions options;
    options.MaxProposals = static_cast<int>(state.range(1));
    int analyses = 0;
    for (auto _ : state) {
        const FairnessSearchResult result = SearchFairerMaps(grid, options);
        analyses = result.Analyses;
        benchmark::DoNotOptimize(result.Proposals.data());
    }
    state.counters["analyses"] = analyses;
}
// Maps 1, 2 and 3: a quick one, one of median effort and a slower one.
BENCHMARK(BM_FairnessSearch)->ArgsProduct({{1, 2, 3}, {1, 4}})->Unit(benchmark::kMillisecond);

} // namespace
