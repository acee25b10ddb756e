// Searches every map of a folder for a fairer variant and prints how far the proposals reach:
//
//   fairness_goals FOLDER [MODE] [PROPOSALS] [borders] [ANALYSES]
//
// The share of maps whose best proposal meets the fair limits (no lost house or field, balance and worst
// turn-order balance <= 1.05, nearest-enemy ratio <= 1.10) while keeping every castle reaching every other
// and no more unreachable open cells; the share that also has a safe gap <= 1; the share with any proposal;
// whether every proposal is symmetric-equal under MODE (default none); and the median and worst changed
// cells, analyses and processor time per map. PROPOSALS (1..4, default 1) is how many proposals each search returns;
// "borders" allows only the border-only terrain edits a generator uses, and ANALYSES lowers the budget of 20,000.
#include "FactionAnalysis.h"
#include "FairnessSearch.h"
#include "MapCheck.h"
#include "MapImage.h"
#include "Symmetry.h"

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace tav;

template <typename T> T Median(std::vector<T> values) {
    if (values.empty())
        return T{};
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
template <typename T> T Worst(const std::vector<T>& values) {
    return values.empty() ? T{} : *std::max_element(values.begin(), values.end());
}

bool MeetsGoal(const FairnessFigures& f) {
    return f.Lost == 0 && f.Balance && *f.Balance <= FairnessLimits::Balance && f.WorstTurnOrderBalance &&
           *f.WorstTurnOrderBalance <= FairnessLimits::Balance && f.NearestEnemyRatio &&
           *f.NearestEnemyRatio <= FairnessLimits::NearestEnemyRatio;
}

bool CastlesReachEachOther(const FactionAnalysis& analysis) {
    for (std::size_t i = 0; i < FactionCount; ++i)
        for (std::size_t j = 0; j < FactionCount; ++j)
            if (i != j && analysis.Distance[i][j] == NoDistance)
                return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [MODE] [PROPOSALS]\n", argv[0]);
        return 2;
    }
    const auto mode = SymmetryModeFromCliName(argc > 2 ? argv[2] : "none");
    const int proposals = argc > 3 ? std::atoi(argv[3]) : 1;
    const bool borders = argc > 4 && std::string(argv[4]) == "borders";
    const int budget = argc > 5 ? std::atoi(argv[5]) : FairnessSearchOptions{}.MaxAnalyses;
    if (!mode || proposals < 1 || proposals > 4 || budget < 1) {
        std::fprintf(stderr, "unknown mode or proposal count\n");
        return 2;
    }
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1]))
        if (entry.path().extension() == ".map")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());

    int maps = 0, proposed = 0, goal = 0, moonshot = 0, broken = 0, asymmetric = 0;
    std::vector<int> cells, analyses;
    std::vector<double> seconds;
    for (const auto& path : files) {
        std::ifstream in(path, std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto image = ReadMapImage(bytes);
        if (!image)
            continue;
        ++maps;
        FairnessSearchOptions options;
        options.Mode = *mode;
        options.MaxProposals = proposals;
        options.MaxAnalyses = budget;
        if (borders)
            options.Terrain = TerrainEdits::AtBorders;
        // Processor time, not wall time: the goal is per core, and the machine may be busy with other work.
        const std::clock_t start = std::clock();
        const FairnessSearchResult result = SearchFairerMaps(image->Grid, options);
        seconds.push_back(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
        analyses.push_back(result.Analyses);
        const char* verdict = "none";
        if (!result.Proposals.empty()) {
            ++proposed;
            const FairnessProposal& best = result.Proposals.front();
            if (const char* folder = std::getenv("FAIRNESS_GOALS_WRITE")) {
                // FAIRNESS_GOALS_WRITE=FOLDER keeps each best proposal there, to look at.
                const MapImage written = BuildMapImage(best.Grid, TileSet::Verda);
                std::ofstream out(std::filesystem::path(folder) / path.filename(), std::ios::binary);
                out.write(reinterpret_cast<const char*>(written.data()), static_cast<std::streamsize>(written.size()));
            }
            cells.push_back(static_cast<int>(best.Changes.size()));
            for (const FairnessProposal& p : result.Proposals) {
                const FactionAnalysis after = AnalyseFactions(p.Grid);
                if (!FindMapProblems(p.Grid).empty() || !CastlesReachEachOther(after) ||
                    after.Unreachable > result.Figures.Unreachable || MeasureFairness(after) != p.After ||
                    static_cast<int>(p.Changes.size()) > options.MaxChangedCells)
                    ++broken;
                if (*mode != SymmetryMode::None && FindAsymmetry(p.Grid, *mode).Count != 0)
                    ++asymmetric;
            }
            verdict = "fairer";
            if (MeetsGoal(best.After)) {
                ++goal;
                verdict = "goal";
                if (best.After.SafeGap <= FairnessLimits::SafeGap) {
                    ++moonshot;
                    verdict = "goal+safe";
                }
            }
        }
        const FairnessFigures& f = result.Figures;
        std::printf("%s  balance %.3f worst %.3f ratio %.3f lost %d gap %d -> %s (%d analyses, %.3f s",
                    path.filename().c_str(), f.Balance.value_or(0), f.WorstTurnOrderBalance.value_or(0),
                    f.NearestEnemyRatio.value_or(0), f.Lost, f.SafeGap, verdict, result.Analyses, seconds.back());
        if (!result.Proposals.empty()) {
            const FairnessFigures& a = result.Proposals.front().After;
            std::printf(", %zu cells: balance %.3f worst %.3f ratio %.3f lost %d gap %d",
                        result.Proposals.front().Changes.size(), a.Balance.value_or(0),
                        a.WorstTurnOrderBalance.value_or(0), a.NearestEnemyRatio.value_or(0), a.Lost, a.SafeGap);
        }
        std::printf(")\n");
        std::fflush(stdout);
    }
    if (maps == 0) {
        std::fprintf(stderr, "no maps in %s\n", argv[1]);
        return 2;
    }
    const auto share = [maps](int n) { return 100.0 * n / maps; };
    std::printf("\nmode %s, %d maps, %d proposal(s) asked, %s edits, %d analyses at most\n", SymmetryModeCliName(*mode).data(),
                maps, proposals, borders ? "border-only" : "any", budget);
    std::printf("fair limits met (goal >= 95 %%):        %5.1f %%\n", share(goal));
    std::printf("and safe gap <= 1 (moonshot >= 90 %%):  %5.1f %%\n", share(moonshot));
    std::printf("any fairer proposal:                    %5.1f %%\n", share(proposed));
    std::printf("proposals breaking a promise:           %d\n", broken);
    std::printf("proposals not symmetric-equal:          %d\n", asymmetric);
    std::printf("changed cells   median %d, worst %d\n", Median(cells), Worst(cells));
    std::printf("analyses        median %d, worst %d\n", Median(analyses), Worst(analyses));
    std::printf("processor time  median %.3f s, worst %.3f s\n", Median(seconds), Worst(seconds));
    return broken == 0 && asymmetric == 0 ? 0 : 1;
}
