#include "FairnessSearch.h"

#include "FairnessEdits.h"
#include "MapCheck.h"
#include "Shaping.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <span>
#include <stdexcept>

namespace tav {


namespace {

using namespace fairness;

std::uint64_t SeedOf(const MapGrid& grid, const FairnessSearchOptions& options) {
    std::uint64_t hash = 0xCBF29CE484222325ULL; // FNV-1a over the map's bytes and the settings
    const auto mix = [&hash](std::uint8_t byte) {
        hash ^= byte;
        hash *= 0x100000001B3ULL;
    };
    for (const TileCode code : grid)
        mix(code);
    mix(static_cast<std::uint8_t>(options.Mode));
    mix(static_cast<std::uint8_t>(options.Terrain));
    for (const std::uint8_t entry : options.Costs.Entry)
        mix(entry);
    for (const std::uint8_t faction : options.Order.Factions)
        mix(faction);
    return hash;
}


struct ShapedCounts {
    std::array<int, FactionCount> Houses{};
    std::array<int, FactionCount> Fields{};
    bool operator==(const ShapedCounts&) const = default;
};

ShapedCounts CountAfterShaping(const MapGrid& grid) {
    MapGrid shaped = grid;
    ShapeMap(shaped);
    ShapedCounts counts;
    for (const TileCode code : shaped) {
        if (code >= 8 && code <= 11)
            ++counts.Houses[FactionOf(code)];
        else if (code >= 12 && code <= 15)
            ++counts.Fields[FactionOf(code)];
    }
    return counts;
}

// How much a set of figures misses the limits by: the quantity the steps lower. The ordering of
// FairnessFigures decides what is fairer; this only guides the way there, so that a change that moves a
// balance toward its limit counts before the limit is met.
double Shortfall(const FairnessFigures& figures) {
    const auto excess = [](const std::optional<double>& value, double limit) {
        return value ? std::max(0.0, *value - limit) : 1.0;
    };
    const auto slack = [](const std::optional<double>& value) { return value ? *value - 1.0 : 1.0; };
    return 3.0 * figures.LimitsFailing + 4.0 * figures.Lost +
           100.0 * excess(figures.WorstTurnOrderBalance, FairnessLimits::Balance) +
           100.0 * excess(figures.Balance, FairnessLimits::Balance) +
           50.0 * excess(figures.NearestEnemyRatio, FairnessLimits::NearestEnemyRatio) +
           1.5 * std::max(0, figures.SafeGap - FairnessLimits::SafeGap) + 2.0 * slack(figures.WorstTurnOrderBalance) +
           2.0 * slack(figures.Balance) + 0.5 * slack(figures.NearestEnemyRatio);
}

// Runs of the greedy descent, each from another first change.
constexpr int MaxRuns = 16;

struct Tried {
    Edit Change;
    double Gain = 0; // shortfall lowered per changed cell
};

class FairnessSearcher {
public:
    FairnessSearcher(const MapGrid& grid, const FairnessSearchOptions& options)
        : original_(grid), options_(options), rules_{options.Mode, options.Costs, options.Terrain}, random_{SeedOf(grid, options)},
          current_(std::make_unique<FactionAnalysis>(AnalyseFactions(grid, options.Costs, options.Order))),
          start_(std::make_unique<FactionAnalysis>(*current_)) {
        work_ = grid;
        MarkEditableCells();
        before_ = MeasureFairness(*start_);
        counts_ = CountAfterShaping(grid);
        for (std::size_t i = 0; i < FactionCount; ++i)
            for (std::size_t j = 0; j < FactionCount; ++j)
                reached_[i][j] = start_->Distance[i][j] != NoDistance;
        analyses_ = 1;
    }

    const FairnessFigures& Before() const { return before_; }
    int Analyses() const { return analyses_; }
    bool Stopped() const { return stopped_; }

    std::vector<FairnessProposal> Run() {
        std::vector<FairnessProposal> proposals;
        std::vector<std::uint16_t> usedFirstCells;
        std::vector<Tried> firstSteps; // the first step's tries, the same for every run
        // Runs go on, each from another first change, until enough proposals meet every limit or the budget
        // is spent; a run that stalls short of the limits leaves the rest to the next.
        int fair = 0;
        for (int run = 0; run < MaxRuns && fair < options_.MaxProposals && !OutOfBudget(); ++run) {
            if (auto proposal = SearchOnce(run, usedFirstCells, firstSteps)) {
                const bool seen = std::any_of(proposals.begin(), proposals.end(),
                                              [&](const FairnessProposal& p) { return p.Grid == proposal->Grid; });
                if (!seen) {
                    fair += IsAlreadyFair(proposal->After);
                    proposals.push_back(std::move(*proposal));
                }
            }
            if (firstSteps.empty())
                break; // nothing to start differently with
        }
        std::stable_sort(proposals.begin(), proposals.end(), [](const FairnessProposal& a, const FairnessProposal& b) {
            if (IsFairer(a.After, b.After) || IsFairer(b.After, a.After))
                return IsFairer(a.After, b.After);
            return a.Changes.size() < b.Changes.size();
        });
        if (proposals.size() > static_cast<std::size_t>(options_.MaxProposals))
            proposals.resize(static_cast<std::size_t>(options_.MaxProposals));
        return proposals;
    }

private:
    const MapGrid& original_;
    const FairnessSearchOptions& options_;
    const EditRules rules_;
    SearchRandom random_;
    MapGrid work_{};
    std::unique_ptr<FactionAnalysis> current_; // the analysis of work_
    std::unique_ptr<const FactionAnalysis> start_;
    std::array<bool, MapCells> editable_{};
    FairnessFigures before_;
    ShapedCounts counts_;
    std::array<std::array<bool, FactionCount>, FactionCount> reached_{};
    int changed_ = 0; // cells of work_ whose plain code differs from the original's
    int analyses_ = 0;
    bool stopped_ = false;

    bool OutOfBudget() {
        if (options_.Stop && options_.Stop->load(std::memory_order_relaxed))
            stopped_ = true;
        return stopped_ || analyses_ >= options_.MaxAnalyses;
    }

    // Never the rim (a gap there would break the map check), a castle's 3 x 3 block, nor the cell before
    // its gate, which must stay enterable.
    void MarkEditableCells() {
        for (int x = 1; x < MapSize - 1; ++x)
            for (int y = 1; y < MapSize - 1; ++y)
                editable_[static_cast<std::size_t>(CellIndex(x, y))] = true;
        for (int x = 0; x < MapSize; ++x)
            for (int y = 0; y < MapSize; ++y) {
                if (!IsCastleCode(original_[static_cast<std::size_t>(CellIndex(x, y))]))
                    continue;
                for (int dx = -1; dx <= 1; ++dx)
                    for (int dy = -1; dy <= 2; ++dy)
                        if (InMap(x + dx, y + dy) && (dy < 2 || dx == 0))
                            editable_[static_cast<std::size_t>(CellIndex(x + dx, y + dy))] = false;
            }
    }

    bool EditableTerrain(std::size_t cell) const { return editable_[cell] && IsTerrainKind(PlainCode(work_[cell])); }
    bool Open(std::size_t cell) const { return options_.Costs.EntryCost(work_[cell]) > 0; }
    bool OpenKind(TileCode plain) const { return options_.Costs.EntryCost(plain) > 0; }

    // ---- Edits: made in all images, applied to work_ and taken back ----


    struct Undo {
        std::array<TileCode, 8> Codes{};
        int Changed = 0;
    };

    Undo Apply(const Edit& edit) {
        Undo undo;
        undo.Changed = changed_;
        for (int i = 0; i < edit.Count; ++i) {
            const CellWrite& write = edit.Writes[static_cast<std::size_t>(i)];
            const TileCode before = original_[write.Cell];
            TileCode& code = work_[write.Cell];
            undo.Codes[static_cast<std::size_t>(i)] = code;
            changed_ -= PlainCode(code) != PlainCode(before);
            // Back to the map's own plain code: its own byte, so a shaped cell stays as it was.
            code = PlainCode(before) == write.Code ? before : write.Code;
            changed_ += PlainCode(code) != PlainCode(before);
        }
        return undo;
    }

    void TakeBack(const Edit& edit, const Undo& undo) {
        for (int i = edit.Count - 1; i >= 0; --i)
            work_[edit.Writes[static_cast<std::size_t>(i)].Cell] = undo.Codes[static_cast<std::size_t>(i)];
        changed_ = undo.Changed;
    }

    // A tile of a clustered kind with no neighbour of its kind among the eight around.
    bool Lone(const MapGrid& grid, int x, int y) const {
        const TileCode plain = PlainCode(grid[static_cast<std::size_t>(CellIndex(x, y))]);
        if (!IsClusteredKind(plain))
            return false;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if ((dx || dy) && InMap(x + dx, y + dy) &&
                    PlainCode(grid[static_cast<std::size_t>(CellIndex(x + dx, y + dy))]) == plain)
                    return false;
        return true;
    }

    // Under border-only edits: whether the applied edit left a lone tile that was not lone before.
    bool LeavesLoneTile(const Edit& edit, const Undo& undo) {
        for (int i = 0; i < edit.Count; ++i) {
            const int cell = edit.Writes[static_cast<std::size_t>(i)].Cell;
            const int cx = cell / MapSize;
            const int cy = cell % MapSize;
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy) {
                    if (!InMap(cx + dx, cy + dy) || !Lone(work_, cx + dx, cy + dy))
                        continue;
                    MapGrid& grid = work_;
                    std::array<TileCode, 8> now{};
                    for (int k = 0; k < edit.Count; ++k) {
                        now[static_cast<std::size_t>(k)] = grid[edit.Writes[static_cast<std::size_t>(k)].Cell];
                        grid[edit.Writes[static_cast<std::size_t>(k)].Cell] = undo.Codes[static_cast<std::size_t>(k)];
                    }
                    const bool loneBefore = Lone(grid, cx + dx, cy + dy);
                    for (int k = 0; k < edit.Count; ++k)
                        grid[edit.Writes[static_cast<std::size_t>(k)].Cell] = now[static_cast<std::size_t>(k)];
                    if (!loneBefore)
                        return true;
                }
        }
        return false;
    }

    // Analyses work_ with the edit applied; the figures when the result keeps every promise.
    std::optional<FairnessFigures> Try(const Edit& edit) {
        const Undo undo = Apply(edit);
        std::optional<FairnessFigures> figures;
        if (changed_ <= options_.MaxChangedCells &&
            !(options_.Terrain == TerrainEdits::AtBorders && LeavesLoneTile(edit, undo)) &&
            !(edit.MovesProperty && CountAfterShaping(work_) != counts_)) {
            const FactionAnalysis analysis = AnalyseFactions(work_, options_.Costs, options_.Order);
            ++analyses_;
            if (options_.Progress && analyses_ % 256 == 0)
                options_.Progress(analyses_);
            if (KeepsPromises(analysis))
                figures = MeasureFairness(analysis);
        }
        TakeBack(edit, undo);
        return figures;
    }

    bool KeepsPromises(const FactionAnalysis& analysis) const {
        if (analysis.Unreachable > before_.Unreachable)
            return false;
        for (std::size_t i = 0; i < FactionCount; ++i)
            for (std::size_t j = 0; j < FactionCount; ++j)
                if (reached_[i][j] && analysis.Distance[i][j] == NoDistance)
                    return false;
        return true;
    }

    // ---- Runs ----

    struct Step {
        Edit Change;
        FairnessFigures Figures;
    };

    // One greedy descent from the map: each step takes the try that lowers the shortfall most per changed
    // cell. Later runs start with a different first change, so that proposals differ.
    std::optional<FairnessProposal> SearchOnce(int run, std::vector<std::uint16_t>& usedFirstCells,
                                               std::vector<Tried>& firstSteps) {
        work_ = original_;
        changed_ = 0;
        *current_ = *start_;
        FairnessFigures figures = before_;
        double shortfall = Shortfall(figures);
        std::optional<FairnessFigures> bestFigures;
        MapGrid bestGrid{};

        for (int step = 0;; ++step) {
            std::optional<Tried> chosen;
            std::optional<FairnessFigures> chosenFigures;
            if (step == 0 && run > 0) {
                // The first steps of the first run, in order, skipping those another run started with.
                for (const Tried& tried : firstSteps) {
                    const bool used = std::any_of(tried.Change.Cells().begin(), tried.Change.Cells().end(), [&](const CellWrite& w) {
                        return std::find(usedFirstCells.begin(), usedFirstCells.end(), w.Cell) != usedFirstCells.end();
                    });
                    if (!used) {
                        chosen = tried;
                        break;
                    }
                }
                if (!chosen)
                    return std::nullopt;
            } else {
                // A step that finds nothing better among a sample of the changes looks at more of them.
                for (int width = 1; width <= 4 && !chosen && !OutOfBudget(); width *= 4)
                for (const Edit& edit : CandidateEdits(EditScene{work_, *current_, editable_, rules_}, random_, static_cast<std::size_t>(width))) {
                    if (OutOfBudget() || analyses_ + 1 >= options_.MaxAnalyses)
                        break; // one analysis stays for the step taken
                    const int changedBefore = changed_;
                    const Undo undo = Apply(edit);
                    const int cells = std::max(1, changed_ - changedBefore);
                    TakeBack(edit, undo);
                    const auto tried = Try(edit);
                    if (!tried)
                        continue;
                    const double gain = (shortfall - Shortfall(*tried)) / cells;
                    if (step == 0 && run == 0 && gain > 0)
                        firstSteps.push_back({edit, gain});
                    if (gain > 0 && (!chosen || gain > chosen->Gain)) {
                        chosen = Tried{edit, gain};
                        chosenFigures = tried;
                    }
                }
                if (step == 0 && run == 0)
                    std::stable_sort(firstSteps.begin(), firstSteps.end(),
                                     [](const Tried& l, const Tried& r) { return l.Gain > r.Gain; });
            }
            if (!chosen)
                break;
            if (step == 0)
                for (const CellWrite& write : chosen->Change.Cells())
                    usedFirstCells.push_back(write.Cell);
            Apply(chosen->Change);
            *current_ = AnalyseFactions(work_, options_.Costs, options_.Order);
            ++analyses_;
            figures = chosenFigures ? *chosenFigures : MeasureFairness(*current_);
            shortfall = Shortfall(figures);
            if (IsFairer(figures, bestFigures ? *bestFigures : before_)) {
                bestFigures = figures;
                bestGrid = work_;
            }
            if (IsAlreadyFair(figures) || OutOfBudget())
                break;
        }
        if (!bestFigures || !FindMapProblems(bestGrid).empty() ||
            (options_.Mode != SymmetryMode::None && FindAsymmetry(bestGrid, options_.Mode).Count != 0))
            return std::nullopt;
        return MakeProposal(bestGrid, *bestFigures);
    }

    FairnessProposal MakeProposal(const MapGrid& grid, const FairnessFigures& after) const {
        FairnessProposal proposal;
        proposal.Grid = grid;
        for (std::size_t cell = 0; cell < MapCells; ++cell)
            if (grid[cell] != original_[cell])
                proposal.Changes.push_back({static_cast<std::uint16_t>(cell), original_[cell], grid[cell]});
        proposal.Before = before_;
        proposal.After = after;
        // The count of limits says little on its own: the reason names the first figure that improved.
        proposal.Decisive = FirstDifferingKey(after, before_).value_or(FairnessKey::LimitsFailing);
        FairnessFigures upTo = before_;
        upTo.LimitsFailing = after.LimitsFailing;
        for (const auto key : {FairnessKey::Lost, FairnessKey::WorstTurnOrderBalance, FairnessKey::Balance,
                               FairnessKey::NearestEnemyRatio, FairnessKey::SafeGap}) {
            if (FirstDifferingKey(after, upTo) == key && IsFairer(after, upTo)) {
                proposal.Decisive = key;
                break;
            }
            // Take the after figure at this key and look further on.
            switch (key) {
            case FairnessKey::Lost: upTo.Lost = after.Lost; break;
            case FairnessKey::WorstTurnOrderBalance: upTo.WorstTurnOrderBalance = after.WorstTurnOrderBalance; break;
            case FairnessKey::Balance: upTo.Balance = after.Balance; break;
            case FairnessKey::NearestEnemyRatio: upTo.NearestEnemyRatio = after.NearestEnemyRatio; break;
            default: break;
            }
        }
        for (int f = 0; f < FactionCount; ++f) {
            const int change = after.TerritoryByTurn[static_cast<std::size_t>(f)] - before_.TerritoryByTurn[static_cast<std::size_t>(f)];
            if (std::abs(change) > std::abs(proposal.TerritoryChange)) {
                proposal.Faction = f;
                proposal.TerritoryChange = change;
            }
        }
        return proposal;
    }
};

} // namespace

FairnessSearchResult SearchFairerMaps(const MapGrid& grid, const FairnessSearchOptions& options) {
    if (options.MaxChangedCells < 1 || options.MaxChangedCells > MapCells)
        throw std::invalid_argument("the limit of changed cells must lie in 1..2304");
    if (options.MaxAnalyses < 1)
        throw std::invalid_argument("the search needs a budget of one analysis or more");
    if (options.MaxProposals < 1 || options.MaxProposals > 4)
        throw std::invalid_argument("a search returns 1 to 4 proposals");

    FairnessSearchResult result;
    if (!FindMapProblems(grid).empty()) {
        result.Outcome = FairnessSearchOutcome::NotPlayable;
        return result;
    }
    if (options.Mode != SymmetryMode::None && FindAsymmetry(grid, options.Mode).Count != 0) {
        result.Outcome = FairnessSearchOutcome::NotSymmetric;
        return result;
    }
    FairnessSearcher searcher(grid, options);
    result.Figures = searcher.Before();
    if (IsAlreadyFair(result.Figures)) {
        result.Outcome = FairnessSearchOutcome::AlreadyFair;
        result.Analyses = searcher.Analyses();
        return result;
    }
    result.Proposals = searcher.Run();
    result.Analyses = searcher.Analyses();
    result.Stopped = searcher.Stopped();
    result.Outcome = !result.Proposals.empty() ? FairnessSearchOutcome::Proposed
                     : result.Stopped          ? FairnessSearchOutcome::Stopped
                                               : FairnessSearchOutcome::NoneFairer;
    return result;
}

} // namespace tav
