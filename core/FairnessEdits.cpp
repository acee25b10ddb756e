#include "FairnessEdits.h"

#include "FairnessFigures.h"

namespace tav::fairness {

bool AddWithImages(const EditScene& scene, Edit& edit, std::size_t cell, TileCode plain, bool overTerrain) {
    const MapCell at{static_cast<int>(cell) / MapSize, static_cast<int>(cell) % MapSize};
    for (int image = 0; image <= SymmetryImageCount(scene.Rules.Mode); ++image) {
        const MapCell to = ImageCell(scene.Rules.Mode, image, at);
        const auto index = static_cast<std::uint16_t>(CellIndex(to.X, to.Y));
        if (!scene.Editable[index] || (overTerrain && !IsTerrainKind(PlainCode(scene.Work[index]))))
            return false;
        for (const CellWrite& write : edit.Cells())
            if (write.Cell == index)
                return false;
        if (edit.Count == static_cast<int>(edit.Writes.size()))
            return false;
        edit.Writes[static_cast<std::size_t>(edit.Count++)] = {index, ImageCode(scene.Rules.Mode, image, plain)};
    }
    return true;
}

namespace {

class CandidateMaker {
public:
    CandidateMaker(const EditScene& scene, SearchRandom& random)
        : scene_(scene), work_(scene.Work), analysis_(scene.Analysis), editable_(scene.Editable),
          rules_(scene.Rules), random_(random) {}


    // The new kind for a cell under the edit rules: among `wanted` (in order of preference), the first that
    // the border rule allows (a side neighbour holds it), or the first at all under free edits.
    std::optional<TileCode> KindFor(std::size_t cell, std::span<const TileCode> wanted) const {
        const TileCode now = PlainCode(work_[cell]);
        for (const TileCode kind : wanted) {
            if (kind == now)
                continue;
            if (rules_.Terrain == TerrainEdits::Any)
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
            return rules_.Costs.EntryCost(a) < rules_.Costs.EntryCost(b);
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
        const FactionAnalysis& a = analysis_;
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
                if (const auto kind = KindFor(cell, openKinds); kind && AddWithImages(scene_, edit, cell, *kind, true))
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
                if (const auto kind = KindFor(cell, BlockingKindsFor(cell)); kind && AddWithImages(scene_, edit, cell, *kind, true))
                    (size[static_cast<std::size_t>(h)] == largest ? blocksLargest : blocksAbove).push_back(edit);
            }
            if (!rules_.Costs.IsDefault()) {
                // Dearer ground on a large faction's front, cheaper on a small one's.
                std::vector<TileCode> kinds = openKinds;
                if (large)
                    std::reverse(kinds.begin(), kinds.end());
                const int now = rules_.Costs.EntryCost(work_[cell]);
                kinds.erase(std::remove_if(kinds.begin(), kinds.end(),
                                           [&](TileCode k) {
                                               const int cost = rules_.Costs.EntryCost(k);
                                               return large ? cost <= now : cost >= now;
                                           }),
                            kinds.end());
                Edit edit;
                if (const auto kind = KindFor(cell, kinds); kind && AddWithImages(scene_, edit, cell, *kind, true))
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
            if (!InMap(fromX, fromY) || analysis_.HolderByTurn[static_cast<std::size_t>(CellIndex(fromX, fromY))] != faction)
                continue;
            Edit edit;
            if (openKinds.empty() || !AddWithImages(scene_, edit, cell, openKinds.front(), true))
                continue;
            for (int length = 2; length <= 3; ++length) {
                const int tx = x + step[0] * (length - 1);
                const int ty = y + step[1] * (length - 1);
                if (!InMap(tx, ty))
                    break;
                const auto next = static_cast<std::size_t>(CellIndex(tx, ty));
                if (!EditableTerrain(next) || Open(next) || !AddWithImages(scene_, edit, next, openKinds.front(), true))
                    break;
                const int ax = tx + step[0];
                const int ay = ty + step[1];
                if (InMap(ax, ay) && Open(static_cast<std::size_t>(CellIndex(ax, ay)))) {
                    if (rules_.Terrain == TerrainEdits::Any)
                        into.push_back(edit);
                    break;
                }
            }
        }
    }

    // When the castles lie unevenly far apart: blocking cells on a least-cost way between the two nearest.
    std::vector<Edit> PathBlocks() const {
        std::vector<Edit> edits;
        const FactionAnalysis& a = analysis_;
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
            if (const auto kind = KindFor(cell, BlockingKindsFor(cell)); kind && AddWithImages(scene_, edit, cell, *kind, true))
                edits.push_back(edit);
        }
        return edits;
    }

    // Moving a lost or threatened house or field of a faction to a cell of its territory by turn, the
    // safest first; the cell it leaves becomes plain ground.
    std::vector<Edit> PropertyMoves() const {
        std::vector<Edit> edits;
        const FactionAnalysis& a = analysis_;
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
                    if (!AddWithImages(scene_, edit, weak[w], PlainGround, false) ||
                        !AddWithImages(scene_, edit, spots[s].Cell, work_[weak[w]], true) || !ImagesInOwnLand(edit))
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
            if (IsProperty(write.Code) && analysis_.HolderByTurn[write.Cell] != FactionOf(write.Code))
                return false;
        return true;
    }

private:
    const EditScene& scene_;
    const MapGrid& work_;
    const FactionAnalysis& analysis_;
    const std::array<bool, MapCells>& editable_;
    const EditRules& rules_;
    SearchRandom& random_;

    bool EditableTerrain(std::size_t cell) const { return editable_[cell] && IsTerrainKind(PlainCode(work_[cell])); }
    bool Open(std::size_t cell) const { return rules_.Costs.EntryCost(work_[cell]) > 0; }
    bool OpenKind(TileCode plain) const { return rules_.Costs.EntryCost(plain) > 0; }
};

} // namespace

std::vector<Edit> CandidateEdits(const EditScene& scene, SearchRandom& random, std::size_t width) {
    return CandidateMaker(scene, random).Candidates(width);
}

} // namespace tav::fairness
