#include "FairnessSearch.h"

#include "MapCheck.h"
#include "Shaping.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <span>
#include <stdexcept>

namespace tav {

// ---- The figures and their order ------------------------------------------------------------------------

std::optional<double> NearestEnemyRatio(const FactionAnalysis& analysis) {
    int shortest = 0;
    int longest = 0;
    for (std::size_t from = 0; from < FactionCount; ++from) {
        int nearest = NoDistance;
        for (std::size_t to = 0; to < FactionCount; ++to) {
            const int cost = analysis.Distance[from][to];
            if (to != from && cost != NoDistance && (nearest == NoDistance || cost < nearest))
                nearest = cost;
        }
        if (nearest <= 0)
            return std::nullopt;
        shortest = from == 0 ? nearest : std::min(shortest, nearest);
        longest = std::max(longest, nearest);
    }
    return static_cast<double>(longest) / static_cast<double>(shortest);
}

FairnessFigures MeasureFairness(const FactionAnalysis& analysis) {
    FairnessFigures figures;
    int leastSafe = MapCells;
    int mostSafe = 0;
    for (std::size_t f = 0; f < FactionCount; ++f) {
        const FactionFigures& faction = analysis.Factions[f];
        figures.Lost += faction.Threat.Lost;
        figures.Safe[f] = faction.Threat.Safe;
        figures.Territory[f] = faction.Territory;
        figures.TerritoryByTurn[f] = faction.TerritoryByTurn;
        leastSafe = std::min(leastSafe, faction.Threat.Safe);
        mostSafe = std::max(mostSafe, faction.Threat.Safe);
    }
    figures.SafeGap = mostSafe - leastSafe;
    figures.WorstTurnOrderBalance = analysis.WorstTurnOrderBalance;
    figures.Balance = analysis.Balance;
    figures.NearestEnemyRatio = NearestEnemyRatio(analysis);
    figures.Unreachable = analysis.Unreachable;

    const auto over = [](const std::optional<double>& value, double limit) { return !value || *value > limit; };
    figures.LimitsFailing = (figures.Lost > 0) + over(figures.WorstTurnOrderBalance, FairnessLimits::Balance) +
                            over(figures.Balance, FairnessLimits::Balance) +
                            over(figures.NearestEnemyRatio, FairnessLimits::NearestEnemyRatio) +
                            (figures.SafeGap > FairnessLimits::SafeGap);
    return figures;
}

bool IsAlreadyFair(const FairnessFigures& figures) { return figures.LimitsFailing == 0; }

namespace {

// -1 when `a` is better (smaller), 1 when worse, 0 when equal; ratios rounded to 3 places, none the worst.
int CompareRatios(const std::optional<double>& a, const std::optional<double>& b) {
    if (!a || !b)
        return a ? -1 : b ? 1 : 0;
    const double left = std::round(*a * 1000.0);
    const double right = std::round(*b * 1000.0);
    return left < right ? -1 : left > right ? 1 : 0;
}

int CompareCounts(int a, int b) { return a < b ? -1 : a > b ? 1 : 0; }

struct KeyComparison {
    std::optional<FairnessKey> Key;
    int Sign = 0;
};

KeyComparison CompareFigures(const FairnessFigures& a, const FairnessFigures& b) {
    const int signs[] = {CompareCounts(a.LimitsFailing, b.LimitsFailing),
                         CompareCounts(a.Lost, b.Lost),
                         CompareRatios(a.WorstTurnOrderBalance, b.WorstTurnOrderBalance),
                         CompareRatios(a.Balance, b.Balance),
                         CompareRatios(a.NearestEnemyRatio, b.NearestEnemyRatio),
                         CompareCounts(a.SafeGap, b.SafeGap)};
    for (std::size_t i = 0; i < std::size(signs); ++i)
        if (signs[i] != 0)
            return {static_cast<FairnessKey>(i), signs[i]};
    return {};
}

} // namespace

std::optional<FairnessKey> FirstDifferingKey(const FairnessFigures& a, const FairnessFigures& b) {
    return CompareFigures(a, b).Key;
}

bool IsFairer(const FairnessFigures& a, const FairnessFigures& b) { return CompareFigures(a, b).Sign < 0; }

// ---- The search ------------------------------------------------------------------------------------------

namespace {

// The terrain the search may write, as plain codes.
constexpr TileCode PlainGround = 0;
constexpr TileCode Trees = 1;
constexpr TileCode Plateau = 32;
constexpr TileCode Water = 48;
constexpr TileCode Mountains = 96;
constexpr std::array<TileCode, 6> TerrainKinds = {PlainGround, Trees, Plateau, Water, Mountains, RaisedObstacle};

bool IsTerrainKind(TileCode plain) {
    return std::find(TerrainKinds.begin(), TerrainKinds.end(), plain) != TerrainKinds.end();
}
// Kinds whose lone tiles look like noise: the border-only edits never leave one behind.
bool IsClusteredKind(TileCode plain) {
    return plain == Trees || plain == Plateau || plain == Water || plain == Mountains;
}
bool IsProperty(TileCode code) { return code >= 8 && code <= 15; }
bool IsCastleCode(TileCode code) { return code >= 20 && code <= 23; }

// SplitMix64: the same numbers on every machine, unlike the standard distributions.
struct SearchRandom {
    std::uint64_t State;
    std::uint64_t Next() {
        std::uint64_t z = (State += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    template <typename T> void Shuffle(std::vector<T>& items) {
        for (std::size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1], items[static_cast<std::size_t>(Next() % i)]);
    }
};

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

struct CellWrite {
    std::uint16_t Cell = 0;
    TileCode Code = 0; // the plain code written
};

// One change the search tries: a terrain change or a property move, with every image under the mode.
struct Edit {
    std::array<CellWrite, 8> Writes{};
    int Count = 0;
    bool MovesProperty = false;
    std::span<const CellWrite> Cells() const { return std::span<const CellWrite>(Writes).first(static_cast<std::size_t>(Count)); }
};

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
        : original_(grid), options_(options), random_{SeedOf(grid, options)},
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

    // Adds the write and its images; false when an image is not editable, not terrain where terrain is
    // wanted, or two writes meet.
    bool AddWithImages(Edit& edit, std::size_t cell, TileCode plain, bool overTerrain) const {
        const MapCell at{static_cast<int>(cell) / MapSize, static_cast<int>(cell) % MapSize};
        for (int image = 0; image <= SymmetryImageCount(options_.Mode); ++image) {
            const MapCell to = ImageCell(options_.Mode, image, at);
            const auto index = static_cast<std::uint16_t>(CellIndex(to.X, to.Y));
            if (!editable_[index] || (overTerrain && !IsTerrainKind(PlainCode(work_[index]))))
                return false;
            for (const CellWrite& write : edit.Cells())
                if (write.Cell == index)
                    return false;
            if (edit.Count == static_cast<int>(edit.Writes.size()))
                return false;
            edit.Writes[static_cast<std::size_t>(edit.Count++)] = {index, ImageCode(options_.Mode, image, plain)};
        }
        return true;
    }

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

    // ---- The changes worth trying from the current map ----

    // The new kind for a cell under the edit rules: among `wanted` (in order of preference), the first that
    // the border rule allows (a side neighbour holds it), or the first at all under free edits.
    std::optional<TileCode> KindFor(std::size_t cell, std::span<const TileCode> wanted) const {
        const TileCode now = PlainCode(work_[cell]);
        for (const TileCode kind : wanted) {
            if (kind == now)
                continue;
            if (options_.Terrain == TerrainEdits::Any)
                return kind;
            bool beside = false;
            ForEachSide(cell, [&](std::size_t side) { beside = beside || PlainCode(work_[side]) == kind; });
            if (beside)
                return kind;
        }
        return std::nullopt;
    }

    template <typename Visit> static void ForEachSide(std::size_t cell, Visit visit) {
        const int x = static_cast<int>(cell) / MapSize;
        const int y = static_cast<int>(cell) % MapSize;
        if (y > 0)
            visit(cell - 1);
        if (x > 0)
            visit(cell - MapSize);
        if (x < MapSize - 1)
            visit(cell + MapSize);
        if (y < MapSize - 1)
            visit(cell + 1);
    }

    // Open kinds from the cheapest to enter, and blocking kinds (water first where it touches water).
    std::vector<TileCode> OpenKindsByCost() const {
        std::vector<TileCode> kinds;
        for (const TileCode kind : TerrainKinds)
            if (OpenKind(kind))
                kinds.push_back(kind);
        std::stable_sort(kinds.begin(), kinds.end(), [this](TileCode a, TileCode b) {
            return options_.Costs.EntryCost(a) < options_.Costs.EntryCost(b);
        });
        return kinds;
    }

    std::vector<TileCode> BlockingKindsFor(std::size_t cell) const {
        bool nearWater = false;
        ForEachSide(cell, [&](std::size_t side) { nearWater = nearWater || PlainCode(work_[side]) == Water; });
        std::vector<TileCode> kinds = nearWater ? std::vector<TileCode>{Water, Mountains}
                                                : std::vector<TileCode>{Mountains, Water};
        for (const TileCode kind : {Plateau, Trees, RaisedObstacle, PlainGround}) // blocked by the table
            if (!OpenKind(kind))
                kinds.push_back(kind);
        return kinds;
    }

    void Keep(std::vector<Edit>& into, std::vector<Edit> found, std::size_t most) {
        random_.Shuffle(found);
        if (found.size() > most)
            found.resize(most);
        into.insert(into.end(), found.begin(), found.end());
    }

    std::vector<Edit> Candidates(std::size_t width) {
        const FactionAnalysis& a = *current_;
        std::array<int, FactionCount> size{};
        double mean = 0;
        for (std::size_t f = 0; f < FactionCount; ++f) {
            size[f] = a.Factions[f].TerritoryByTurn + a.Factions[f].Territory;
            mean += size[f] / 4.0;
        }
        const int smallest = *std::min_element(size.begin(), size.end());
        const int largest = *std::max_element(size.begin(), size.end());
        const auto holder = [&](std::size_t cell) { return static_cast<int>(a.HolderByTurn[cell]); };
        const auto isFaction = [](int h) { return h >= 0 && h < FactionCount; };

        std::vector<Edit> opensSmallest, opensBelow, tunnels, blocksLargest, blocksAbove, pricier, cheaper;
        const std::vector<TileCode> openKinds = OpenKindsByCost();
        for (std::size_t cell = 0; cell < MapCells; ++cell) {
            if (!EditableTerrain(cell))
                continue;
            if (!Open(cell)) {
                // Opening a blocked cell beside a small faction's land, or a tunnel through a thin wall.
                int best = -1;
                ForEachSide(cell, [&](std::size_t side) {
                    const int h = holder(side);
                    if (isFaction(h) && size[static_cast<std::size_t>(h)] < mean &&
                        (best < 0 || size[static_cast<std::size_t>(h)] < size[static_cast<std::size_t>(best)]))
                        best = h;
                });
                if (best < 0)
                    continue;
                Edit edit;
                if (const auto kind = KindFor(cell, openKinds); kind && AddWithImages(edit, cell, *kind, true))
                    (size[static_cast<std::size_t>(best)] == smallest ? opensSmallest : opensBelow).push_back(edit);
                AddTunnels(cell, best, openKinds, tunnels);
                continue;
            }
            const int h = holder(cell);
            if (!isFaction(h))
                continue;
            bool front = false;
            ForEachSide(cell, [&](std::size_t side) { front = front || (isFaction(holder(side)) && holder(side) != h); });
            if (!front)
                continue;
            const bool large = size[static_cast<std::size_t>(h)] > mean;
            if (large) {
                Edit edit;
                if (const auto kind = KindFor(cell, BlockingKindsFor(cell)); kind && AddWithImages(edit, cell, *kind, true))
                    (size[static_cast<std::size_t>(h)] == largest ? blocksLargest : blocksAbove).push_back(edit);
            }
            if (!options_.Costs.IsDefault()) {
                // Dearer ground on a large faction's front, cheaper on a small one's.
                std::vector<TileCode> kinds = openKinds;
                if (large)
                    std::reverse(kinds.begin(), kinds.end());
                const int now = options_.Costs.EntryCost(work_[cell]);
                kinds.erase(std::remove_if(kinds.begin(), kinds.end(),
                                           [&](TileCode k) {
                                               const int cost = options_.Costs.EntryCost(k);
                                               return large ? cost <= now : cost >= now;
                                           }),
                            kinds.end());
                Edit edit;
                if (const auto kind = KindFor(cell, kinds); kind && AddWithImages(edit, cell, *kind, true))
                    (large ? pricier : cheaper).push_back(edit);
            }
        }
        std::vector<Edit> edits;
        Keep(edits, std::move(opensSmallest), 30 * width);
        Keep(edits, std::move(opensBelow), 10 * width);
        Keep(edits, std::move(tunnels), 16 * width);
        Keep(edits, std::move(blocksLargest), 30 * width);
        Keep(edits, std::move(blocksAbove), 10 * width);
        Keep(edits, std::move(pricier), 12 * width);
        Keep(edits, std::move(cheaper), 12 * width);
        Keep(edits, PathBlocks(), 12 * width);
        Keep(edits, PropertyMoves(), 24 * width);
        return edits;
    }

    // Opening 2 or 3 blocked cells in a line from a faction's land through a wall to open ground.
    void AddTunnels(std::size_t cell, int faction, const std::vector<TileCode>& openKinds, std::vector<Edit>& into) const {
        const int x = static_cast<int>(cell) / MapSize;
        const int y = static_cast<int>(cell) % MapSize;
        constexpr int steps[4][2] = {{0, -1}, {-1, 0}, {1, 0}, {0, 1}};
        for (const auto& step : steps) {
            const int fromX = x - step[0];
            const int fromY = y - step[1];
            if (!InMap(fromX, fromY) || current_->HolderByTurn[static_cast<std::size_t>(CellIndex(fromX, fromY))] != faction)
                continue;
            Edit edit;
            if (openKinds.empty() || !AddWithImages(edit, cell, openKinds.front(), true))
                continue;
            for (int length = 2; length <= 3; ++length) {
                const int tx = x + step[0] * (length - 1);
                const int ty = y + step[1] * (length - 1);
                if (!InMap(tx, ty))
                    break;
                const auto next = static_cast<std::size_t>(CellIndex(tx, ty));
                if (!EditableTerrain(next) || Open(next) || !AddWithImages(edit, next, openKinds.front(), true))
                    break;
                const int ax = tx + step[0];
                const int ay = ty + step[1];
                if (InMap(ax, ay) && Open(static_cast<std::size_t>(CellIndex(ax, ay)))) {
                    if (options_.Terrain == TerrainEdits::Any)
                        into.push_back(edit);
                    break;
                }
            }
        }
    }

    // When the castles lie unevenly far apart: blocking cells on a least-cost way between the two nearest.
    std::vector<Edit> PathBlocks() const {
        std::vector<Edit> edits;
        const FactionAnalysis& a = *current_;
        const auto ratio = NearestEnemyRatio(a);
        if (!ratio || *ratio <= FairnessLimits::NearestEnemyRatio)
            return edits;
        std::size_t from = 0;
        std::size_t to = 1;
        for (std::size_t i = 0; i < FactionCount; ++i)
            for (std::size_t j = 0; j < FactionCount; ++j)
                if (i != j && a.Distance[i][j] != NoDistance &&
                    (a.Distance[from][to] == NoDistance || a.Distance[i][j] < a.Distance[from][to])) {
                    from = i;
                    to = j;
                }
        const int distance = a.Distance[from][to];
        for (std::size_t cell = 0; cell < MapCells; ++cell) {
            if (!EditableTerrain(cell) || !Open(cell))
                continue;
            const int there = a.LeastCost[from][cell];
            const int back = a.LeastCost[to][cell];
            if (there == NotReachable || back == NotReachable || there + back > distance)
                continue;
            Edit edit;
            if (const auto kind = KindFor(cell, BlockingKindsFor(cell)); kind && AddWithImages(edit, cell, *kind, true))
                edits.push_back(edit);
        }
        return edits;
    }

    // Moving a lost or threatened house or field of a faction to a cell of its territory by turn, the
    // safest first; the cell it leaves becomes plain ground.
    std::vector<Edit> PropertyMoves() const {
        std::vector<Edit> edits;
        const FactionAnalysis& a = *current_;
        for (int f = 0; f < FactionCount; ++f) {
            std::vector<std::size_t> weak;
            for (const PropertyThreat threat : {PropertyThreat::Lost, PropertyThreat::Threatened})
                for (std::size_t cell = 0; cell < MapCells; ++cell)
                    if (editable_[cell] && IsProperty(work_[cell]) && FactionOf(work_[cell]) == f && a.Threat[cell] == threat)
                        weak.push_back(cell);
            if (weak.empty())
                continue;
            struct Spot {
                std::size_t Cell;
                int Safe;
                int Lead;
            };
            std::vector<Spot> spots;
            for (std::size_t cell = 0; cell < MapCells; ++cell) {
                if (a.HolderByTurn[cell] != f || !EditableTerrain(cell) || !Open(cell))
                    continue;
                const int own = a.LeastCost[static_cast<std::size_t>(f)][cell];
                int enemy = NotReachable;
                for (std::size_t g = 0; g < FactionCount; ++g)
                    if (static_cast<int>(g) != f)
                        enemy = std::min<int>(enemy, a.LeastCost[g][cell]);
                spots.push_back({cell, 3 * own <= 2 * enemy, enemy - own});
            }
            std::stable_sort(spots.begin(), spots.end(), [](const Spot& l, const Spot& r) {
                return l.Safe != r.Safe ? l.Safe > r.Safe : l.Lead > r.Lead;
            });
            for (std::size_t w = 0; w < weak.size() && w < 3; ++w)
                for (std::size_t s = 0, tried = 0; s < spots.size() && tried < 3; ++s) {
                    Edit edit;
                    edit.MovesProperty = true;
                    if (!AddWithImages(edit, weak[w], PlainGround, false) ||
                        !AddWithImages(edit, spots[s].Cell, work_[weak[w]], true) || !ImagesInOwnLand(edit))
                        continue;
                    ++tried;
                    edits.push_back(edit);
                }
        }
        return edits;
    }

    // Each property an edit writes lands in its own faction's territory by turn (images included).
    bool ImagesInOwnLand(const Edit& edit) const {
        for (const CellWrite& write : edit.Cells())
            if (IsProperty(write.Code) && current_->HolderByTurn[write.Cell] != FactionOf(write.Code))
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
                for (const Edit& edit : Candidates(static_cast<std::size_t>(width))) {
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
            if (const KeyComparison compared = CompareFigures(after, upTo); compared.Key == key && compared.Sign < 0) {
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
