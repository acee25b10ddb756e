#include "MapGenerator.h"

#include "CastleValley.h"
#include "GeneratorNoise.h"
#include "MapCheck.h"
#include "Shaping.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <stdexcept>
#include <vector>

namespace tav {

namespace {

constexpr TileCode Ground = 0;
constexpr TileCode Trees = 1;
constexpr TileCode Plateau = RaisedClass;
constexpr TileCode Water = EdgedClass;
constexpr TileCode Mountain = RidgeClass;
constexpr TileCode FirstHouse = 8;
constexpr TileCode FirstField = FactionAlternate;
constexpr TileCode FirstCastle = CastleClass;

// One random stream per stage, so that a change to one stage leaves the others' numbers alone.
enum Stage : std::uint64_t {
    LayoutStage = 1,
    ElevationStage,
    SiteStage,
    RiverStage,
    MountainStage,
    LakeStage,
    VillageStage,
    PlateauStage,
    ForestStage,
    CoastStage,
};

constexpr int NeighbourDx[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
constexpr int NeighbourDy[8] = {-1, -1, -1, 0, 0, 1, 1, 1};
constexpr int SideDx[4] = {0, -1, 1, 0};
constexpr int SideDy[4] = {-1, 0, 0, 1};

using CellMask = std::array<bool, MapCells>;
using CellList = std::vector<int>;

int CellX(int cell) {
    return cell / MapSize;
}
int CellY(int cell) {
    return cell % MapSize;
}
std::size_t At(int cell) {
    return static_cast<std::size_t>(cell);
}
bool OnRim(int cell) {
    const int x = CellX(cell);
    const int y = CellY(cell);
    return x == 0 || y == 0 || x == MapSize - 1 || y == MapSize - 1;
}

// The side neighbours of a cell inside the map; returns how many were written.
int SideNeighbours(int cell, std::array<int, 4>& out) {
    int count = 0;
    for (int side = 0; side < 4; ++side) {
        const int x = CellX(cell) + SideDx[side];
        const int y = CellY(cell) + SideDy[side];
        if (InMap(x, y)) out[static_cast<std::size_t>(count++)] = CellIndex(x, y);
    }
    return count;
}

int Percentage(int percent, int whole) {
    return (percent * whole + 50) / 100;
}

// A group of motions of the map: the identity and the images of a symmetry mode's cells.
class CellGroup {
public:
    explicit CellGroup(SymmetryMode motions) : size_(SymmetryImageCount(motions) + 1) {
        for (int image = 0; image < size_; ++image)
            for (int cell = 0; cell < MapCells; ++cell) {
                const MapCell moved = ImageCell(motions, image, {CellX(cell), CellY(cell)});
                images_[static_cast<std::size_t>(image)][At(cell)] =
                    static_cast<std::uint16_t>(CellIndex(moved.X, moved.Y));
            }
    }

    int Size() const { return size_; }
    int Image(int image, int cell) const { return images_[static_cast<std::size_t>(image)][At(cell)]; }

    // The one cell of each orbit that stands for it: the lowest index.
    bool Represents(int cell) const {
        for (int image = 1; image < size_; ++image)
            if (Image(image, cell) < cell) return false;
        return true;
    }

private:
    int size_;
    std::array<std::array<std::uint16_t, MapCells>, 4> images_{};
};

// Takes whole orbits of eligible cells, highest score first, until about `count` cells
// are taken, and calls `take` on each cell. The sort keys are unique, so every library sorts them alike.
template <typename Take>
int TakeBest(const CellGroup& group, const CellValues& score, const CellMask& eligible, int count,
             Take take) {
    std::vector<std::int64_t> keys;
    keys.reserve(MapCells);
    for (int cell = 0; cell < MapCells; ++cell) {
        if (!group.Represents(cell)) continue;
        // The orbit's best cell speaks for it: a chain or a wood in one image is a chain or a wood in all,
        // where a sum would blur them into the blobs where the images meet in the middle of the map.
        std::int64_t best = score[At(cell)];
        bool usable = true;
        for (int image = 0; image < group.Size() && usable; ++image) {
            usable = eligible[At(group.Image(image, cell))];
            best = std::max<std::int64_t>(best, score[At(group.Image(image, cell))]);
        }
        if (usable) keys.push_back(((std::int64_t{1} << 40) - best) * 4096 + cell);
    }
    std::sort(keys.begin(), keys.end());
    int taken = 0;
    for (const std::int64_t key : keys) {
        if (2 * (taken + group.Size()) > 2 * count + group.Size()) break;
        const int cell = static_cast<int>(key % 4096);
        for (int image = 0; image < group.Size(); ++image)
            take(group.Image(image, cell));
        taken += group.Size();
    }
    return taken;
}

// Cells joined to the start cells through cells that `inside` accepts, side neighbours only.
template <typename Inside> CellMask FloodFrom(const CellList& starts, Inside inside) {
    CellMask reached{};
    std::array<std::uint16_t, MapCells> queue;
    std::size_t tail = 0;
    for (const int cell : starts)
        if (!reached[At(cell)] && inside(cell)) {
            reached[At(cell)] = true;
            queue[tail++] = static_cast<std::uint16_t>(cell);
        }
    std::array<int, 4> next{};
    for (std::size_t head = 0; head < tail; ++head) {
        const int count = SideNeighbours(queue[head], next);
        for (int i = 0; i < count; ++i) {
            const int cell = next[static_cast<std::size_t>(i)];
            if (!reached[At(cell)] && inside(cell)) {
                reached[At(cell)] = true;
                queue[tail++] = static_cast<std::uint16_t>(cell);
            }
        }
    }
    return reached;
}

// The cheapest way from any start cell to any goal cell, where entering a cell costs cost(cell) (0..15, or -1
// for a cell that may not be entered). Returns the cells of the way, start and goal included, or nothing.
template <typename Cost, typename Goal> CellList CheapestWay(const CellList& starts, Cost cost, Goal goal) {
    constexpr int Unreached = 1 << 30;
    std::array<int, MapCells> spent;
    spent.fill(Unreached);
    std::array<std::int16_t, MapCells> from;
    from.fill(-1);
    std::array<std::vector<int>, 16> buckets; // Dial's queue: costs are small whole numbers
    for (const int cell : starts) {
        spent[At(cell)] = 0;
        buckets[0].push_back(cell);
    }
    std::array<int, 4> next{};
    for (int level = 0, empty = 0; empty < 16; ++level) {
        std::vector<int>& bucket = buckets[static_cast<std::size_t>(level % 16)];
        if (bucket.empty()) {
            ++empty;
            continue;
        }
        empty = 0;
        // Free steps land in this same bucket while it is worked through, so it is read by index.
        for (std::size_t i = 0; i < bucket.size(); ++i) {
            const int cell = bucket[i];
            if (spent[At(cell)] != level) continue;
            if (goal(cell)) {
                CellList way;
                for (int at = cell; at >= 0; at = from[At(at)])
                    way.push_back(at);
                return way;
            }
            const int count = SideNeighbours(cell, next);
            for (int side = 0; side < count; ++side) {
                const int neighbour = next[static_cast<std::size_t>(side)];
                const int step = cost(neighbour);
                if (step < 0 || level + step >= spent[At(neighbour)]) continue;
                spent[At(neighbour)] = level + step;
                from[At(neighbour)] = static_cast<std::int16_t>(cell);
                buckets[static_cast<std::size_t>((level + step) % 16)].push_back(neighbour);
            }
        }
        bucket.clear();
    }
    return {};
}

// How the four castles stand: the motions that carry the first castle's site to the others, and which faction
// holds the castle at each image. The land is symmetric under these four motions, whatever the mode asks.
struct CastleLayout {
    SymmetryMode Motions = SymmetryMode::Quarter; // Quarter: turns; Quad: the two mirrors and the half turn
    std::array<int, FactionCount> Faction{0, 1, 2, 3};
};

// The faction mapping of each mode must agree with the layout's: under the mode's images the castle of
// faction f must stand where the image faction's castle stands.
CastleLayout ChooseLayout(SymmetryMode mode, RandomStream& stream) {
    switch (mode) {
    case SymmetryMode::Quarter:
        return {SymmetryMode::Quarter, {0, 1, 2, 3}};
    case SymmetryMode::Quad:
    case SymmetryMode::LeftRight:
        return {SymmetryMode::Quad, {0, 1, 2, 3}};
    case SymmetryMode::TopBottom:
        return {SymmetryMode::Quad, {0, 2, 1, 3}};
    case SymmetryMode::Half:
        return stream.Percent(50) ? CastleLayout{SymmetryMode::Quad, {0, 2, 3, 1}}
                                  : CastleLayout{SymmetryMode::Quarter, {0, 2, 1, 3}};
    case SymmetryMode::None:
        break;
    }
    CastleLayout layout{stream.Percent(50) ? SymmetryMode::Quarter : SymmetryMode::Quad, {0, 1, 2, 3}};
    for (int i = FactionCount - 1; i > 0; --i)
        std::swap(layout.Faction[static_cast<std::size_t>(i)],
                  layout.Faction[static_cast<std::size_t>(stream.Below(i + 1))]);
    return layout;
}

CastleLayout LayoutFor(SymmetryMode mode, std::uint64_t seed) {
    RandomStream stream(DeriveSeed(seed, LayoutStage));
    return ChooseLayout(mode, stream);
}

enum class AttemptEnd { Done, Cancelled, Failed };

// One attempt at a map from one sub-seed: the stages in order, each drawing from its own stream.
class MapBuilder {
public:
    MapBuilder(const GeneratorParameters& parameters, std::uint64_t seed, const std::atomic<bool>* cancel)
        : parameters_(parameters), seed_(seed), cancel_(cancel),
          layout_(LayoutFor(parameters.Symmetry, seed)), fair_(layout_.Motions), mode_(parameters.Symmetry) {}

    AttemptEnd Build(GeneratorFigure& failed);
    const MapGrid& Grid() const { return grid_; }

private:
    std::uint64_t Stream(Stage stage) const { return DeriveSeed(seed_, stage); }
    bool Cancelled() const { return cancel_ && cancel_->load(std::memory_order_relaxed); }
    TileCode& Code(int cell) { return grid_[At(cell)]; }
    bool IsWater(int cell) const { return grid_[At(cell)] == Water; }
    bool IsOpen(int cell) const { return IsPassableCode(grid_[At(cell)]); }
    int LandCount() const;
    CellMask SeaMask() const;
    // Writes `code` into a cell and into all its images under the castle layout, keeping the land symmetric.
    void SetEverywhere(int cell, TileCode code) {
        for (int image = 0; image < fair_.Size(); ++image)
            Code(fair_.Image(image, cell)) = code;
    }

    void RaiseLand();
    bool PlaceValleys();
    void LayRoads();
    void DrawCoast();
    void Flood(int landWanted);
    void Recede(int landWanted);
    void TrimSmallPieces();
    bool JoinMoats();
    // The lowest and highest elevation of the map as it stands.
    struct HeightRange {
        std::int32_t Lowest;
        std::int32_t Highest;
    };
    HeightRange Heights() const {
        const auto range = std::minmax_element(elevation_.begin(), elevation_.end());
        return {*range.first, *range.second};
    }
    void RunRivers();
    void RaiseMountains();
    void FillLakes();
    template <typename Free>
    int GrowBlobs(const CellGroup& group, RandomStream& stream, TileCode code, int want, int smallest,
                  int largest, const CellList& starts, Free free);
    template <typename Free> CellList StartCells(Free free, bool highest) const;
    bool JoinCastles();
    void RoughenCoast();
    bool BuildVillages(GeneratorFigure& failed);
    void Cover(TileCode code, Stage stage, int percent, int room);
    int CoverRoom() const;

    const GeneratorParameters& parameters_;
    std::uint64_t seed_;
    const std::atomic<bool>* cancel_;
    CastleLayout layout_;
    CellGroup fair_; // the motions the land follows, so that the four castles are alike
    CellGroup mode_; // the motions of the asked symmetry, which trees, plateaus and villages follow

    MapGrid grid_ = FilledGrid(Water); // plain codes until the end
    CellMask locked_{}; // valleys, the cells before the passes, moat channels and cleared ways: never changed
                        // again
    CellMask village_{};
    CellValues elevation_{};
    int landTarget_ = 0;
    bool moats_ = false;
    bool coverCourtyards_ = false; // trees and plateaus may take locked open ground too
    std::array<int, FactionCount> castleCell_{};
    std::array<int, FactionCount> passCell_{};
    CellList outerWalls_; // of the first valley
    CellList approach_;   // the cells before the first valley's pass
    CellMask road_{};     // a way of open land from every pass to the middle: no sea, mountain or lake on it
};

int MapBuilder::LandCount() const {
    const CellMask sea = SeaMask();
    return static_cast<int>(std::count(sea.begin(), sea.end(), false));
}

CellMask MapBuilder::SeaMask() const {
    CellList rim;
    for (int cell = 0; cell < MapCells; ++cell)
        if (OnRim(cell)) rim.push_back(cell);
    return FloodFrom(rim, [this](int cell) { return IsWater(cell); });
}

// Smooth noise summed over the layout's motions, so the land is symmetric and its coasts run on across the
// axes, lowered toward the rim so the sea surrounds the land.
void MapBuilder::RaiseLand() {
    const CellValues noise = FractalNoise(Stream(ElevationStage), 20);
    for (int cell = 0; cell < MapCells; ++cell) {
        std::int32_t sum = 0;
        for (int image = 0; image < fair_.Size(); ++image)
            sum += noise[At(fair_.Image(image, cell))];
        const int x = CellX(cell);
        const int y = CellY(cell);
        const int edge = std::min(std::min(x, MapSize - 1 - x), std::min(y, MapSize - 1 - y));
        const int nearRim = std::max(0, 6 - edge);
        elevation_[At(cell)] = 2 * sum - nearRim * nearRim * 100000;
    }
}

bool MapBuilder::PlaceValleys() {
    RandomStream stream(Stream(SiteStage));
    const bool turns = layout_.Motions == SymmetryMode::Quarter;
    const ValleyShape& shape = turns || stream.Percent(25) ? FourWayValley : TwoWayValley;

    // Mountain walls round every castle cost mountains the chains then lack; water walls cost nothing but
    // need the sea nearby. Walls shut in by the valley's own ground are mountains or lakes either way.
    int walls = 0;
    int outer = 0;
    for (const ValleyCell& cell : LayValley(shape, 0).Cells) {
        walls += cell.Part == ValleyPart::Wall ? FactionCount : 0;
        outer += cell.Part == ValleyPart::Wall && !cell.Enclosed ? FactionCount : 0;
    }
    // Each within the tolerance, and mountain walls only while they leave the chains most of their share.
    const int rimCells = 4 * (MapSize - 1);
    const bool moatsFit =
        rimCells + outer <= Percentage(100 - parameters_.Land + ShareTolerance - 1, MapCells);
    const bool ridgesFit = walls <= Percentage(parameters_.Mountains + ShareTolerance - 1, landTarget_);
    const bool ridgesLeaveChains = 10 * walls <= 6 * Percentage(parameters_.Mountains, landTarget_);
    if (moatsFit && ridgesLeaveChains)
        moats_ = stream.Percent(50);
    else
        moats_ = moatsFit || !ridgesFit;

    std::vector<std::int32_t> sorted(elevation_.begin(), elevation_.end());
    std::sort(sorted.begin(), sorted.end());
    const std::int32_t seaLevel =
        sorted[static_cast<std::size_t>(std::clamp(MapCells - landTarget_, 0, MapCells - 1))];
    CellMask high{};
    for (int cell = 0; cell < MapCells; ++cell)
        high[At(cell)] = elevation_[At(cell)] >= seaLevel;

    constexpr int Quadrant = MapSize / 2;
    constexpr int Middle = Quadrant - 1;
    auto fromMiddle = [](MapCell c) { return std::max(std::abs(c.X - Middle), std::abs(c.Y - Middle)); };
    int bestScore = -1;
    MapCell best{};
    ValleyLayout valley;
    for (int orientation = 0; orientation < ValleyOrientations; ++orientation) {
        if (!KeepsEvenWays(shape, orientation)) continue;
        ValleyLayout candidate = LayValley(shape, orientation);
        // Where the castle may stand so the valley fits in the quadrant (walls may lie on the rim, ground
        // not), and what each cell adds to the score on land and in the sea.
        int lowX = 3;
        int lowY = 3;
        int highX = Quadrant - 1;
        int highY = Quadrant - 1;
        struct Weight {
            int Offset;
            int OnLand;
            int AtSea;
        };
        std::vector<Weight> weights;
        auto bound = [&](ValleyOffset at, int low) {
            lowX = std::max(lowX, low - at.Dx);
            lowY = std::max(lowY, low - at.Dy);
            highX = std::min(highX, Quadrant - 1 - at.Dx);
            highY = std::min(highY, Quadrant - 1 - at.Dy);
        };
        for (const ValleyCell& cell : candidate.Cells) {
            const bool walled = cell.Part == ValleyPart::Wall;
            bound(cell.At, walled ? 0 : 1);
            const int offset = cell.At.Dx * MapSize + cell.At.Dy;
            if (!walled || cell.Enclosed)
                weights.push_back({offset, 2, 0});
            else
                weights.push_back({offset, moats_ ? 0 : 1, moats_ ? 1 : 0});
        }
        for (const ValleyOffset& at : candidate.Approach) {
            bound(at, 2);
            weights.push_back({at.Dx * MapSize + at.Dy, 6, 0});
        }
        bool better = false;
        for (int x = lowX; x <= highX; ++x)
            for (int y = lowY; y <= highY; ++y) {
                const int castle = CellIndex(x, y);
                int score = 0;
                for (const Weight& weight : weights)
                    score += high[At(castle + weight.Offset)] ? weight.OnLand : weight.AtSea;
                // The pass opens toward the middle, where the other castles are.
                for (const ValleyOffset& at : candidate.Approach)
                    score += fromMiddle({x + at.Dx, y + at.Dy}) < fromMiddle({x, y}) - 1 ? 12 : 0;
                // Castles well apart, neither on the rim nor crowding the middle.
                const int spread = std::max(std::abs(2 * x - (MapSize - 1)), std::abs(2 * y - (MapSize - 1)));
                score += spread >= 22 && spread <= 38 ? 8 : 0;
                score = score * 4 + stream.Below(24);
                if (score > bestScore) {
                    bestScore = score;
                    best = {x, y};
                    better = true;
                }
            }
        if (better) valley = std::move(candidate);
    }
    if (bestScore < 0) return false;

    // Walls shut in by ground are all mountains or all lake where one of them has room for them, else
    // mountains as far as their room goes and lake for the rest.
    const int enclosed = static_cast<int>(std::count_if(
        valley.Cells.begin(), valley.Cells.end(), [](const ValleyCell& cell) { return cell.Enclosed; }));
    const int mountainRoom = Percentage(parameters_.Mountains + 3, landTarget_) / FactionCount;
    const int lakeRoom = Percentage(parameters_.Water + 3, landTarget_) / FactionCount;
    int enclosedMountains = enclosed;
    if (moats_ && lakeRoom >= enclosed && (mountainRoom < enclosed || stream.Percent(40)))
        enclosedMountains = 0;
    else if (moats_ && mountainRoom < enclosed)
        enclosedMountains = mountainRoom;
    for (const ValleyCell& cell : valley.Cells) {
        const int at = CellIndex(best.X + cell.At.Dx, best.Y + cell.At.Dy);
        TileCode code = Ground;
        switch (cell.Part) {
        case ValleyPart::Wall:
            if (!cell.Enclosed) outerWalls_.push_back(at);
            if (!cell.Enclosed)
                code = moats_ ? Water : Mountain;
            else
                code = enclosedMountains-- > 0 ? Mountain : Water;
            break;
        case ValleyPart::Pass:
            for (int image = 0; image < fair_.Size(); ++image)
                passCell_[static_cast<std::size_t>(layout_.Faction[static_cast<std::size_t>(image)])] =
                    fair_.Image(image, at);
            break;
        case ValleyPart::Castle:
            for (int image = 0; image < fair_.Size(); ++image)
                castleCell_[static_cast<std::size_t>(layout_.Faction[static_cast<std::size_t>(image)])] =
                    fair_.Image(image, at);
            break;
        default:
            break;
        }
        SetEverywhere(at, code);
        for (int image = 0; image < fair_.Size(); ++image)
            locked_[At(fair_.Image(image, at))] = true;
    }
    for (const ValleyOffset& offset : valley.Approach) {
        const int at = CellIndex(best.X + offset.Dx, best.Y + offset.Dy);
        approach_.push_back(at);
        SetEverywhere(at, Ground);
        for (int image = 0; image < fair_.Size(); ++image)
            locked_[At(fair_.Image(image, at))] = true;
    }
    // Water walls open into a bay: the ground round them lies low, so the rising sea takes it first.
    if (moats_)
        for (const int wall : outerWalls_)
            for (int dx = -3; dx <= 3; ++dx)
                for (int dy = -3; dy <= 3; ++dy) {
                    const int x = CellX(wall) + dx;
                    const int y = CellY(wall) + dy;
                    if (!InMap(x, y) || locked_[At(CellIndex(x, y))]) continue;
                    const int depth = 4 - std::max(std::abs(dx), std::abs(dy));
                    for (int image = 0; image < fair_.Size(); ++image)
                        elevation_[At(fair_.Image(image, CellIndex(x, y)))] -= depth * 400000;
                }
    // Each castle with the ring shaping builds, gate below: the same pieces for every castle, never turned.
    for (int faction = 0; faction < FactionCount; ++faction) {
        const int castle = castleCell_[static_cast<std::size_t>(faction)];
        const auto code = static_cast<TileCode>(FirstCastle + faction);
        Code(castle) = code;
        const std::array<TileCode, 8> ring = CastleRing(code);
        for (int i = 0; i < 8; ++i)
            Code(CellIndex(CellX(castle) + NeighbourDx[i], CellY(castle) + NeighbourDy[i])) =
                ring[static_cast<std::size_t>(i)];
    }
    return true;
}

// Before the sea rises, a way over the highest ground joins each pass to the middle of the map, in every
// image: the four ways meet in the middle without closing a ring round any water, so the sea, rising from the
// rim, can flood everything but them and the castles still reach each other. Mountains, lakes and rivers keep
// off them; where a chain meets one, it has a pass.
void MapBuilder::LayRoads() {
    constexpr int Middle = MapSize / 2 - 1; // (23, 23): its images are the other three middle cells
    const HeightRange heights = Heights();
    const std::int32_t lowest = heights.Lowest; // plain values: the cost below captures them
    const std::int32_t highest = heights.Highest;
    const std::int32_t step = std::max<std::int32_t>(1, (highest - lowest) / 12);
    const int middle = CellIndex(Middle, Middle);
    // Within the first quadrant, so the images stay apart; low ground costs more, so the way follows the
    // heights.
    const CellList way = CheapestWay(
        approach_,
        [&](int cell) {
            if (locked_[At(cell)] || OnRim(cell) || CellX(cell) > Middle || CellY(cell) > Middle) return -1;
            return 1 + static_cast<int>((highest - elevation_[At(cell)]) / step);
        },
        [&](int cell) { return cell == middle; });
    for (const int cell : way)
        for (int image = 0; image < fair_.Size(); ++image)
            road_[At(fair_.Image(image, cell))] = !locked_[At(fair_.Image(image, cell))];
    // The land swells round the ways, so that on a map of little land they are broad necks, not causeways.
    const std::int32_t swell = (highest - lowest) / 10;
    CellValues raised = elevation_;
    for (int cell = 0; cell < MapCells; ++cell) {
        if (!road_[At(cell)]) continue;
        for (int dx = -3; dx <= 3; ++dx)
            for (int dy = -3; dy <= 3; ++dy) {
                const int x = CellX(cell) + dx;
                const int y = CellY(cell) + dy;
                if (!InMap(x, y)) continue;
                const std::int32_t lift = swell * (4 - std::max(std::abs(dx), std::abs(dy)));
                std::int32_t& e = raised[At(CellIndex(x, y))];
                e = std::max(e, elevation_[At(CellIndex(x, y))] + lift);
            }
    }
    elevation_ = raised;
}

// The sea rises from the rim over the lowest ground first, whole orbits at a time, until only the asked land
// is left. Rising from the rim, it never leaves a sea shut in by land; a moat it touches becomes part of it.
void MapBuilder::DrawCoast() {
    for (int cell = 0; cell < MapCells; ++cell)
        if (!locked_[At(cell)] && !OnRim(cell)) Code(cell) = Ground;
    Flood(landTarget_);
    TrimSmallPieces();
}

void MapBuilder::Flood(int landWanted) {
    CellMask sea = SeaMask();
    int land = static_cast<int>(std::count(sea.begin(), sea.end(), false));
    using Entry =
        std::pair<std::int32_t, int>; // elevation, representative cell: unique, so the order is fixed
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> front;
    std::array<int, 4> next{};
    auto pushNeighbours = [&](int cell) {
        const int count = SideNeighbours(cell, next);
        for (int i = 0; i < count; ++i) {
            const int n = next[static_cast<std::size_t>(i)];
            if (Code(n) == Ground && !locked_[At(n)] && !road_[At(n)])
                for (int image = 0; image < fair_.Size(); ++image)
                    if (fair_.Represents(fair_.Image(image, n)))
                        front.emplace(elevation_[At(n)], fair_.Image(image, n));
        }
    };
    for (int cell = 0; cell < MapCells; ++cell)
        if (sea[At(cell)]) pushNeighbours(cell);
    while (land > landWanted && !front.empty()) {
        const int cell = front.top().second;
        front.pop();
        if (Code(cell) != Ground) continue;
        // Never next to a lake: the sea would swallow it.
        bool besideLake = false;
        for (int image = 0; image < fair_.Size() && !besideLake; ++image) {
            const int count = SideNeighbours(fair_.Image(image, cell), next);
            for (int i = 0; i < count; ++i) {
                const int n = next[static_cast<std::size_t>(i)];
                besideLake = besideLake || (IsWater(n) && !sea[At(n)] && !locked_[At(n)]);
            }
        }
        if (besideLake) continue;
        SetEverywhere(cell, Water);
        // The new sea and any moat it now touches.
        CellList joined;
        for (int image = 0; image < fair_.Size(); ++image)
            joined.push_back(fair_.Image(image, cell));
        const CellMask now = FloodFrom(joined, [&](int c) { return IsWater(c) && !sea[At(c)]; });
        for (int c = 0; c < MapCells; ++c)
            if (now[At(c)]) {
                sea[At(c)] = true;
                --land;
                pushNeighbours(c);
            }
    }
}

// Where rivers, moats and small islets took more land than asked, the sea gives some back: its highest cells
// beside the land, as long as no water is cut off from the sea by them.
void MapBuilder::Recede(int landWanted) {
    CellMask sea = SeaMask();
    int land = static_cast<int>(std::count(sea.begin(), sea.end(), false));
    std::vector<std::pair<std::int32_t, int>> shore;
    std::array<int, 4> next{};
    for (int cell = 0; cell < MapCells; ++cell) {
        if (!sea[At(cell)] || locked_[At(cell)] || OnRim(cell) || !fair_.Represents(cell)) continue;
        bool besideLand = false;
        for (int image = 0; image < fair_.Size(); ++image) {
            const int count = SideNeighbours(fair_.Image(image, cell), next);
            for (int i = 0; i < count; ++i)
                besideLand = besideLand || !IsWater(next[static_cast<std::size_t>(i)]);
        }
        if (besideLand) shore.emplace_back(-elevation_[At(cell)], cell);
    }
    std::sort(shore.begin(), shore.end());
    for (const auto& [key, cell] : shore) {
        if (land >= landWanted) return;
        SetEverywhere(cell, Ground);
        const CellMask after = SeaMask();
        int lost = 0;
        for (int c = 0; c < MapCells; ++c)
            lost += sea[At(c)] && !after[At(c)] ? 1 : 0;
        if (lost > fair_.Size()) {
            SetEverywhere(cell, Water);
            continue;
        }
        sea = after;
        land += fair_.Size();
    }
}

// Islets of a few cells, ponds of one or two and strips of land one cell wide read as noise, not as land.
void MapBuilder::TrimSmallPieces() {
    for (int pass = 0; pass < 2; ++pass) {
        CellList strips;
        for (int cell = 0; cell < MapCells; ++cell) {
            if (Code(cell) != Ground || locked_[At(cell)] || road_[At(cell)]) continue;
            const int x = CellX(cell);
            const int y = CellY(cell);
            auto water = [&](int nx, int ny) { return InMap(nx, ny) && IsWater(CellIndex(nx, ny)); };
            if ((water(x - 1, y) && water(x + 1, y)) || (water(x, y - 1) && water(x, y + 1)))
                strips.push_back(cell);
        }
        for (const int cell : strips)
            Code(cell) = Water;
    }
    CellMask seen{};
    for (int start = 0; start < MapCells; ++start) {
        if (seen[At(start)] || locked_[At(start)]) continue;
        const bool water = IsWater(start);
        const CellMask piece =
            FloodFrom({start}, [&](int cell) { return IsWater(cell) == water && !locked_[At(cell)]; });
        int size = 0;
        bool touchesRim = false;
        bool touchesValley = false;
        std::array<int, 4> next{};
        for (int cell = 0; cell < MapCells; ++cell) {
            if (!piece[At(cell)]) continue;
            seen[At(cell)] = true;
            ++size;
            touchesRim = touchesRim || OnRim(cell);
            const int count = SideNeighbours(cell, next);
            for (int i = 0; i < count; ++i) {
                const int n = next[static_cast<std::size_t>(i)];
                touchesValley = touchesValley || (locked_[At(n)] && IsWater(n) == water);
            }
        }
        const bool small = water ? size <= 2 && !touchesRim : size <= 5;
        if (small && !touchesValley)
            for (int cell = 0; cell < MapCells; ++cell)
                if (piece[At(cell)]) Code(cell) = water ? Ground : Water;
    }
}

// Water walls are only sea when they reach the sea; a channel through the land joins each stretch that does
// not.
bool MapBuilder::JoinMoats() {
    if (!moats_) return true;
    const HeightRange heights = Heights();
    const std::int32_t lowest = heights.Lowest; // a plain value: the cost below captures it
    const std::int32_t step = std::max<std::int32_t>(1, (heights.Highest - lowest) / 12);
    for (int round = 0; round < 8; ++round) {
        const CellMask sea = SeaMask();
        const auto cut = std::find_if(outerWalls_.begin(), outerWalls_.end(),
                                      [&](int cell) { return IsWater(cell) && !sea[At(cell)]; });
        if (cut == outerWalls_.end()) return true;
        const CellMask stretch = FloodFrom({*cut}, [&](int cell) { return IsWater(cell) && !sea[At(cell)]; });
        CellList starts;
        int inland = 0;
        for (int cell = 0; cell < MapCells; ++cell) {
            if (stretch[At(cell)]) starts.push_back(cell);
            inland += IsWater(cell) && !sea[At(cell)] && !stretch[At(cell)] ? 1 : 0;
        }
        // Where lakes have room, the walls may stay a lake: a channel would cost land where there is little
        // sea.
        const int lakeRoom = Percentage(parameters_.Water + ShareTolerance - 1, LandCount()) - inland;
        if (static_cast<int>(starts.size()) * fair_.Size() <= lakeRoom) {
            for (const int cell : starts)
                std::erase(outerWalls_, cell);
            continue;
        }
        // Through the low ground, like a river, rather than straight across the land.
        const CellList channel = CheapestWay(
            starts,
            [&](int cell) {
                if (locked_[At(cell)] || road_[At(cell)]) return -1;
                return IsWater(cell) ? 0 : 1 + static_cast<int>((elevation_[At(cell)] - lowest) / step);
            },
            [&](int cell) { return sea[At(cell)]; });
        if (channel.empty()) return false;
        for (const int cell : channel)
            if (!locked_[At(cell)]) {
                SetEverywhere(cell, Water);
                for (int image = 0; image < fair_.Size(); ++image)
                    locked_[At(fair_.Image(image, cell))] = true;
            }
    }
    return false;
}

// Rivers spring at the foot of the mountains, well inland, and take the cheapest way down to the sea: low
// ground costs less, so they follow the valleys. A river is sea, so it takes land: only as much as the land's
// tolerance leaves.
void MapBuilder::RunRivers() {
    RandomStream stream(Stream(RiverStage));
    const int rivers = parameters_.Land >= 75 ? 2 : parameters_.Land >= 45 ? 1 : 0;
    for (int river = 0; river < rivers; ++river) {
        if (!stream.Percent(75)) continue;
        const CellMask sea = SeaMask();
        // Steps from the sea over land, to keep springs inland.
        std::array<int, MapCells> inland;
        inland.fill(-1);
        CellList queue;
        for (int cell = 0; cell < MapCells; ++cell)
            if (sea[At(cell)]) {
                inland[At(cell)] = 0;
                queue.push_back(cell);
            }
        std::array<int, 4> next{};
        for (std::size_t head = 0; head < queue.size(); ++head) {
            const int count = SideNeighbours(queue[head], next);
            for (int i = 0; i < count; ++i) {
                const int n = next[static_cast<std::size_t>(i)];
                if (inland[At(n)] < 0) {
                    inland[At(n)] = inland[At(queue[head])] + 1;
                    queue.push_back(n);
                }
            }
        }
        auto open = [&](int cell) { return Code(cell) == Ground && !locked_[At(cell)] && !road_[At(cell)]; };
        CellList springs;
        for (int cell = 0; cell < MapCells; ++cell) {
            if (!open(cell) || !fair_.Represents(cell) || inland[At(cell)] < 5 || inland[At(cell)] > 12)
                continue;
            bool besideMountain = false;
            const int count = SideNeighbours(cell, next);
            for (int i = 0; i < count; ++i)
                besideMountain = besideMountain || Code(next[static_cast<std::size_t>(i)]) == Mountain;
            if (besideMountain) springs.push_back(cell);
        }
        if (springs.empty()) return;
        const int spring = springs[static_cast<std::size_t>(stream.Below(static_cast<int>(springs.size())))];
        const HeightRange heights = Heights();
        const std::int32_t lowest = heights.Lowest;
        // Low ground is cheap, and a fine noise of its own bends the course, so it winds rather than runs
        // straight to the nearest shore.
        const std::int32_t step = std::max<std::int32_t>(1, (heights.Highest - lowest) / 3);
        const CellValues bends =
            FractalNoise(DeriveSeed(Stream(RiverStage), static_cast<std::uint64_t>(river) + 1), 4);
        const CellList course = CheapestWay(
            {spring},
            [&](int cell) {
                if (sea[At(cell)]) return 1;
                if (!open(cell)) return -1;
                return 1 + static_cast<int>((elevation_[At(cell)] - lowest) / step) + bends[At(cell)] / 24000;
            },
            [&](int cell) { return sea[At(cell)]; });
        const int seaRoom = Percentage(100 - parameters_.Land + ShareTolerance - 2, MapCells) -
                            static_cast<int>(std::count(sea.begin(), sea.end(), true));
        const int length = static_cast<int>(course.size()) - 1; // the last cell is the sea it reaches
        if (length < 4 || length * fair_.Size() > seaRoom) continue;
        for (const int cell : course)
            SetEverywhere(cell, Water);
    }
}

// Mountain ranges: chains that set out from high ground, a step at a time with a turn now and then, here and
// there two cells wide. Each chain rises in every image at once. Behind mountain walls, the first chains grow
// out of a valley's wall, so the castle sits in the range rather than in a ring of its own.
void MapBuilder::RaiseMountains() {
    const int land = LandCount();
    int have = 0;
    for (int cell = 0; cell < MapCells; ++cell)
        have += Code(cell) == Mountain ? 1 : 0;
    const int want = Percentage(parameters_.Mountains, land) - have;
    if (want <= 0) return;
    RandomStream stream(Stream(MountainStage));
    CellMask allowed{};
    for (int cell = 0; cell < MapCells; ++cell) {
        bool clear = !locked_[At(cell)] && !road_[At(cell)] && !OnRim(cell);
        // A chain keeps three cells from its own images, so mirrored chains never fuse into one figure.
        for (int image = 1; image < fair_.Size() && clear; ++image) {
            const int other = fair_.Image(image, cell);
            clear = std::max(std::abs(CellX(other) - CellX(cell)), std::abs(CellY(other) - CellY(cell))) >= 3;
        }
        // Keep the ground before each pass open.
        for (int i = 0; i < 8 && clear; ++i) {
            const int x = CellX(cell) + NeighbourDx[i];
            const int y = CellY(cell) + NeighbourDy[i];
            clear = !InMap(x, y) || !locked_[At(CellIndex(x, y))] || Code(CellIndex(x, y)) != Ground;
        }
        allowed[At(cell)] = clear;
    }
    auto free = [&](int cell) {
        for (int image = 0; image < fair_.Size(); ++image) {
            const int at = fair_.Image(image, cell);
            if (!allowed[At(at)] || Code(at) != Ground) return false;
        }
        return true;
    };
    int placed = 0;
    auto raise = [&](int x, int y) {
        if (!InMap(x, y) || !free(CellIndex(x, y))) return false;
        SetEverywhere(CellIndex(x, y), Mountain);
        placed += fair_.Size();
        return true;
    };

    // Springs: the highest third of the open land, and for mountain walls the ground beside them.
    CellList springs;
    for (int cell = 0; cell < MapCells; ++cell)
        if (free(cell)) springs.push_back(cell);
    std::sort(springs.begin(), springs.end(), [&](int a, int b) {
        return elevation_[At(a)] != elevation_[At(b)] ? elevation_[At(a)] > elevation_[At(b)] : a < b;
    });
    springs.resize(springs.size() / 3);
    CellList besideWalls;
    if (!moats_)
        for (const int wall : outerWalls_) {
            std::array<int, 4> next{};
            const int count = SideNeighbours(wall, next);
            for (int i = 0; i < count; ++i)
                if (free(next[static_cast<std::size_t>(i)]))
                    besideWalls.push_back(next[static_cast<std::size_t>(i)]);
        }
    if (springs.empty()) return;

    constexpr int Heading[8][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
    for (int chain = 0; chain < 96 && placed < want; ++chain) {
        const bool fromWall = chain < 2 && !besideWalls.empty();
        const int start =
            fromWall
                ? besideWalls[static_cast<std::size_t>(stream.Below(static_cast<int>(besideWalls.size())))]
                : springs[static_cast<std::size_t>(stream.Below(static_cast<int>(springs.size())))];
        int x = CellX(start);
        int y = CellY(start);
        int heading = stream.Below(8);
        const int length = stream.Between(4, 11);
        for (int step = 0; step < length && placed < want; ++step) {
            if (!raise(x, y)) break;
            const int dx = Heading[heading][0];
            const int dy = Heading[heading][1];
            if (stream.Percent(30)) raise(x - dy, y + dx); // a shoulder beside the ridge
            if (stream.Percent(35)) heading = (heading + (stream.Percent(50) ? 1 : 7)) % 8;
            // A diagonal step goes through a side cell, so the chain stays joined along its sides.
            if (dx != 0 && dy != 0 && !raise(x + dx, y) && !raise(x, y + dy)) break;
            x += dx;
            y += dy;
        }
    }
}

// Blobs of `code`, each grown from a start cell, the cells nearest it first, until it has its size (cells per
// image), in every image of `group` at once; blobs are added until about `want` cells are covered. A blob
// that finds no room to reach `smallest` is taken back. Returns the cells covered.
template <typename Free>
int MapBuilder::GrowBlobs(const CellGroup& group, RandomStream& stream, TileCode code, int want, int smallest,
                          int largest, const CellList& starts, Free free) {
    auto freeEverywhere = [&](int cell) {
        for (int image = 0; image < group.Size(); ++image)
            if (!free(group.Image(image, cell))) return false;
        return true;
    };
    int placed = 0;
    std::array<int, 4> next{};
    for (int blob = 0; blob < 64 && placed < want && !starts.empty(); ++blob) {
        const int start = starts[static_cast<std::size_t>(stream.Below(static_cast<int>(starts.size())))];
        const int size =
            std::min(stream.Between(smallest, largest), (want - placed + group.Size() - 1) / group.Size());
        // Nearest the start first, with a little jitter: round blobs with ragged edges.
        using Entry = std::pair<int, int>; // squared distance x 8 + jitter, cell
        std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> edge;
        CellMask queued{};
        edge.emplace(0, start);
        queued[At(start)] = true;
        CellList grown;
        while (static_cast<int>(grown.size()) < size && !edge.empty()) {
            const int cell = edge.top().second;
            edge.pop();
            if (!freeEverywhere(cell)) continue;
            for (int image = 0; image < group.Size(); ++image)
                Code(group.Image(image, cell)) = code;
            grown.push_back(cell);
            const int count = SideNeighbours(cell, next);
            for (int i = 0; i < count; ++i) {
                const int n = next[static_cast<std::size_t>(i)];
                if (queued[At(n)]) continue;
                queued[At(n)] = true;
                const int dx = CellX(n) - CellX(start);
                const int dy = CellY(n) - CellY(start);
                edge.emplace((dx * dx + dy * dy) * 8 + stream.Below(40), n);
            }
        }
        // A blob that found no room to grow reads as a speck: it goes again.
        if (static_cast<int>(grown.size()) < std::min(smallest, size)) {
            for (const int cell : grown)
                for (int image = 0; image < group.Size(); ++image)
                    Code(group.Image(image, cell)) = Ground;
            continue;
        }
        placed += static_cast<int>(grown.size()) * group.Size();
    }
    return placed;
}

// Cells where `free` holds, the lowest (or highest) third of them, to start blobs from.
template <typename Free> CellList MapBuilder::StartCells(Free free, bool highest) const {
    CellList cells;
    for (int cell = 0; cell < MapCells; ++cell)
        if (free(cell)) cells.push_back(cell);
    std::sort(cells.begin(), cells.end(), [&](int a, int b) {
        const std::int32_t ea = highest ? -elevation_[At(a)] : elevation_[At(a)];
        const std::int32_t eb = highest ? -elevation_[At(b)] : elevation_[At(b)];
        return ea != eb ? ea < eb : a < b;
    });
    cells.resize((cells.size() + 2) / 3);
    return cells;
}

// Lakes in the low ground, never beside the sea (they would join it) nor before a pass.
void MapBuilder::FillLakes() {
    const CellMask sea = SeaMask();
    int land = 0;
    int have = 0;
    for (int cell = 0; cell < MapCells; ++cell) {
        land += sea[At(cell)] ? 0 : 1;
        have += !sea[At(cell)] && IsWater(cell) ? 1 : 0;
    }
    const int want = Percentage(parameters_.Water, land) - have;
    if (want <= 0) return;
    std::array<int, 4> next{};
    auto free = [&](int cell) {
        if (Code(cell) != Ground || locked_[At(cell)] || road_[At(cell)] || OnRim(cell)) return false;
        const int count = SideNeighbours(cell, next);
        for (int i = 0; i < count; ++i) {
            const int n = next[static_cast<std::size_t>(i)];
            if (sea[At(n)] || (locked_[At(n)] && Code(n) == Ground)) return false;
        }
        return true;
    };
    // Lakes start where all round is free too, so they have room to grow, in the lower ground.
    auto roomy = [&](int cell) {
        for (int i = 0; i < 8; ++i) {
            const int x = CellX(cell) + NeighbourDx[i];
            const int y = CellY(cell) + NeighbourDy[i];
            if (!InMap(x, y) || !free(CellIndex(x, y))) return false;
        }
        return free(cell);
    };
    RandomStream stream(Stream(LakeStage));
    const CellList starts = StartCells(roomy, false);
    const int left = want - GrowBlobs(fair_, stream, Water, want, 4, 12, starts, free);
    if (left <= 0) return;
    // Where no blob found room, ponds on the highest values of a noise of their own.
    CellMask eligible{};
    for (int cell = 0; cell < MapCells; ++cell)
        eligible[At(cell)] = free(cell);
    TakeBest(fair_, FractalNoise(DeriveSeed(Stream(LakeStage), 1), 8), eligible, left,
             [this](int cell) { Code(cell) = Water; });
}

// Every pass must reach every other through open land: where mountains, lakes or the sea part them, the
// cheapest way is cleared, in every image at once. Large stretches of land no castle reaches are joined too.
bool MapBuilder::JoinCastles() {
    const CellMask sea = SeaMask();
    bool bridging =
        true; // castles may be joined over the sea; other land is not, as a bridge could shut water in
    auto cost = [&](int cell) {
        if (IsOpen(cell)) return 0;
        if (locked_[At(cell)] || OnRim(cell) || (sea[At(cell)] && !bridging)) return -1;
        if (Code(cell) == Mountain) return 2;
        return sea[At(cell)] ? 7 : 3;
    };
    for (int round = 0; round < 8; ++round) {
        const CellMask joined = FloodFrom({passCell_[0]}, [this](int cell) { return IsOpen(cell); });
        int target = -1;
        for (const int pass : passCell_)
            if (!joined[At(pass)] && target < 0) target = pass;
        if (target < 0) {
            // The castles meet; now a stretch of open land they do not reach, if a large one is left.
            CellMask seen = joined;
            for (int cell = 0; cell < MapCells && target < 0; ++cell) {
                if (seen[At(cell)] || !IsOpen(cell)) continue;
                const CellMask piece = FloodFrom({cell}, [this](int c) { return IsOpen(c); });
                int size = 0;
                for (int c = 0; c < MapCells; ++c)
                    if (piece[At(c)]) {
                        seen[At(c)] = true;
                        ++size;
                    }
                if (size >= 10) target = cell;
            }
            if (target < 0) return true;
            bridging = false;
        }
        CellList starts;
        for (int cell = 0; cell < MapCells; ++cell)
            if (joined[At(cell)]) starts.push_back(cell);
        const CellMask goal = FloodFrom({target}, [this](int cell) { return IsOpen(cell); });
        const CellList way = CheapestWay(starts, cost, [&](int cell) { return goal[At(cell)]; });
        if (way.empty() && !bridging) return true; // an island of its own: left as it is
        if (way.empty()) return false;
        for (const int cell : way)
            if (!IsOpen(cell)) {
                SetEverywhere(cell, Ground);
                for (int image = 0; image < fair_.Size(); ++image)
                    locked_[At(fair_.Image(image, cell))] = true;
            }
    }
    const CellMask joined = FloodFrom({passCell_[0]}, [this](int cell) { return IsOpen(cell); });
    return std::all_of(passCell_.begin(), passCell_.end(), [&](int pass) { return joined[At(pass)]; });
}

// Whether the side neighbours of a cell that `inside` accepts hang together round it (through the corner
// between two of them) in at most one piece: then the cell can change without parting them.
template <typename Inside> bool OnePieceAround(int cell, Inside inside) {
    const int x = CellX(cell);
    const int y = CellY(cell);
    auto in = [&](int dx, int dy) { return InMap(x + dx, y + dy) && inside(CellIndex(x + dx, y + dy)); };
    // Round the cell: N, NE, E, SE, S, SW, W, NW.
    const bool ring[8] = {in(0, -1), in(1, -1), in(1, 0),  in(1, 1),
                          in(0, 1),  in(-1, 1), in(-1, 0), in(-1, -1)};
    int pieces = 0;
    for (int side = 0; side < 8; side += 2) {
        const int previous = (side + 6) % 8;
        if (ring[side] && !(ring[previous] && ring[side - 1 < 0 ? 7 : side - 1])) ++pieces;
    }
    return pieces <= 1;
}

// Without a symmetry to keep, the coast is roughened by a noise of its own, and the faction analysis then
// evens the land out again: shore is taken from the largest territory and given to the smallest until they
// differ by at most 2 % and the nearest-enemy distances by at most 5 %. Should that not come about, the
// symmetric coast stays.
void MapBuilder::RoughenCoast() {
    if (parameters_.Symmetry != SymmetryMode::None) return;
    const MapGrid before = grid_;
    RandomStream stream(Stream(CoastStage));
    const CellValues noise = FractalNoise(DeriveSeed(Stream(CoastStage), 1), 6);
    std::array<int, 4> next{};
    // Shore ground, but none beside a lake: the sea would swallow it.
    auto shoreLand = [&](int cell, const CellMask& sea) {
        if (Code(cell) != Ground || locked_[At(cell)] || road_[At(cell)]) return false;
        bool shore = false;
        const int count = SideNeighbours(cell, next);
        for (int i = 0; i < count; ++i) {
            const int n = next[static_cast<std::size_t>(i)];
            if (IsWater(n) && !sea[At(n)]) return false;
            shore = shore || sea[At(n)];
        }
        return shore;
    };
    auto shoreSea = [&](int cell, const CellMask& sea) {
        if (!sea[At(cell)] || locked_[At(cell)] || OnRim(cell)) return false;
        const int count = SideNeighbours(cell, next);
        for (int i = 0; i < count; ++i)
            if (Code(next[static_cast<std::size_t>(i)]) == Ground) return true;
        return false;
    };
    auto passesJoined = [&] {
        const CellMask joined = FloodFrom({passCell_[0]}, [this](int cell) { return IsOpen(cell); });
        return std::all_of(passCell_.begin(), passCell_.end(), [&](int pass) { return joined[At(pass)]; });
    };
    // Turns land to sea or sea to land where `pick` says, the highest noise first, keeping every pass joined
    // and no water cut off from the sea; at most `count` cells. A cell whose own kind round it hangs together
    // in one piece can change without parting anything, which spares most of the floods.
    auto flip = [&](int count, auto pick) {
        CellMask sea = SeaMask();
        std::vector<std::pair<std::int32_t, int>> order;
        for (int cell = 0; cell < MapCells; ++cell)
            if (pick(cell, sea)) order.emplace_back(-noise[At(cell)] - stream.Below(20000), cell);
        std::sort(order.begin(), order.end());
        for (const auto& [key, cell] : order) {
            if (count <= 0) return;
            const bool toLand = IsWater(cell);
            const bool simple = toLand ? OnePieceAround(cell, [&](int c) { return sea[At(c)]; })
                                       : OnePieceAround(cell, [this](int c) { return IsOpen(c); });
            Code(cell) = toLand ? Ground : Water;
            if (!simple) {
                bool kept = true;
                if (toLand) {
                    const CellMask after = SeaMask();
                    for (int c = 0; c < MapCells && kept; ++c)
                        kept = !sea[At(c)] || after[At(c)] || c == cell;
                } else {
                    kept = passesJoined();
                }
                if (!kept) {
                    Code(cell) = toLand ? Water : Ground;
                    continue;
                }
            }
            sea[At(cell)] = !toLand;
            --count;
        }
    };
    const int roughness = Percentage(3, LandCount());
    flip(roughness, shoreLand);
    flip(roughness, shoreSea);

    for (int round = 0; round < 24; ++round) {
        const FactionAnalysis analysis = AnalyseFactions(grid_);
        int small = 0;
        int large = 0;
        for (int f = 1; f < FactionCount; ++f) {
            const int territory = analysis.Factions[static_cast<std::size_t>(f)].Territory;
            small = territory < analysis.Factions[static_cast<std::size_t>(small)].Territory ? f : small;
            large = territory > analysis.Factions[static_cast<std::size_t>(large)].Territory ? f : large;
        }
        const int smallest = analysis.Factions[static_cast<std::size_t>(small)].Territory;
        const int largest = analysis.Factions[static_cast<std::size_t>(large)].Territory;
        const std::array<int, FactionCount> nearest = NearestEnemyDistances(analysis);
        const auto [shortest, longest] = std::minmax_element(nearest.begin(), nearest.end());
        if (*shortest == NoDistance || 100 * *longest > 105 * *shortest) break;
        if (100 * largest <= 102 * smallest) {
            return;
        }
        const int step = std::max(1, (largest - smallest) / 4);
        flip(step, [&](int cell, const CellMask& sea) {
            return shoreSea(cell, sea) && [&] {
                // Sea beside the smallest territory only, so the new ground is surely its.
                bool beside = false;
                const int count = SideNeighbours(cell, next);
                for (int i = 0; i < count; ++i) {
                    const std::uint8_t holder = analysis.Holder[At(next[static_cast<std::size_t>(i)])];
                    if (holder < FactionCount && holder != small) return false;
                    beside = beside || holder == small;
                }
                return beside;
            }();
        });
        flip(step, [&](int cell, const CellMask& sea) {
            return shoreLand(cell, sea) && analysis.Holder[At(cell)] == large;
        });
    }
    grid_ = before;
}

// Each faction's houses and fields: a village on open ground of its own territory, a few steps beyond its
// pass. Houses never stand next to a house of their own faction, so shaping's alternation keeps every one of
// them; the fields are written as fields. The asked symmetry carries a village to the image factions.
bool MapBuilder::BuildVillages(GeneratorFigure& failed) {
    const int houses = parameters_.Houses;
    const int fields = parameters_.Fields;
    if (houses + fields == 0) return true;
    RandomStream stream(Stream(VillageStage));
    const FactionAnalysis analysis = AnalyseFactions(grid_);
    std::array<bool, FactionCount> done{};
    for (int faction = 0; faction < FactionCount; ++faction) {
        if (done[static_cast<std::size_t>(faction)]) continue;
        std::array<int, 4> imageFaction{};
        for (int image = 0; image < mode_.Size(); ++image) {
            imageFaction[static_cast<std::size_t>(image)] =
                ImageFaction(parameters_.Symmetry, image, faction);
            done[static_cast<std::size_t>(imageFaction[static_cast<std::size_t>(image)])] = true;
        }
        auto usable = [&](int cell) {
            for (int image = 0; image < mode_.Size(); ++image) {
                const int at = mode_.Image(image, cell);
                if (Code(at) != Ground || locked_[At(at)] || village_[At(at)] ||
                    analysis.Holder[At(at)] != imageFaction[static_cast<std::size_t>(image)])
                    return false;
            }
            return true;
        };
        // Steps from the pass through open land, to keep the village near its castle.
        std::array<int, MapCells> steps;
        steps.fill(-1);
        CellList queue{passCell_[static_cast<std::size_t>(faction)]};
        steps[At(queue[0])] = 0;
        std::array<int, 4> next{};
        for (std::size_t head = 0; head < queue.size(); ++head) {
            const int count = SideNeighbours(queue[head], next);
            for (int i = 0; i < count; ++i) {
                const int n = next[static_cast<std::size_t>(i)];
                if (steps[At(n)] < 0 && IsOpen(n)) {
                    steps[At(n)] = steps[At(queue[head])] + 1;
                    queue.push_back(n);
                }
            }
        }
        CellList candidates;
        for (const int cell : queue)
            if (steps[At(cell)] >= 2 && usable(cell)) candidates.push_back(cell);
        if (static_cast<int>(candidates.size()) < houses + fields) {
            failed = GeneratorFigure::Houses;
            return false;
        }
        // The village gathers round a centre a few steps out; jitter keeps it from looking drawn with a
        // compass.
        const int centre = candidates[static_cast<std::size_t>(
            stream.Below(std::max(1, std::min(static_cast<int>(candidates.size()), 3 * (houses + fields)))))];
        std::vector<std::pair<int, int>> order;
        for (const int cell : candidates) {
            const int distance =
                std::abs(CellX(cell) - CellX(centre)) + std::abs(CellY(cell) - CellY(centre));
            order.emplace_back(distance * 4 + stream.Below(6), cell);
        }
        std::sort(order.begin(), order.end());
        CellList placedHouses;
        auto besideHouse = [&](int cell) {
            for (const int house : placedHouses)
                if (std::abs(CellX(house) - CellX(cell)) <= 1 && std::abs(CellY(house) - CellY(cell)) <= 1)
                    return true;
            return false;
        };
        CellMask taken{};
        auto place = [&](int cell, TileCode first) {
            taken[At(cell)] = true;
            for (int image = 0; image < mode_.Size(); ++image) {
                const int at = mode_.Image(image, cell);
                Code(at) = static_cast<TileCode>(first + imageFaction[static_cast<std::size_t>(image)]);
                village_[At(at)] = true;
            }
        };
        for (const auto& [key, cell] : order) {
            if (static_cast<int>(placedHouses.size()) == houses) break;
            // An image of the village may touch the village itself (across a mirror axis); check there too.
            if (besideHouse(cell) || !usable(cell)) continue;
            place(cell, FirstHouse);
            placedHouses.push_back(cell);
        }
        if (static_cast<int>(placedHouses.size()) < houses) {
            failed = GeneratorFigure::Houses;
            return false;
        }
        int placedFields = 0;
        for (const auto& [key, cell] : order) {
            if (placedFields == fields) break;
            if (taken[At(cell)] || !usable(cell)) continue;
            place(cell, FirstField);
            ++placedFields;
        }
        if (placedFields < fields) {
            failed = GeneratorFigure::Fields;
            return false;
        }
    }
    return true;
}

// The open ground left for trees and plateaus.
int MapBuilder::CoverRoom() const {
    int room = 0;
    for (int cell = 0; cell < MapCells; ++cell)
        room += grid_[At(cell)] == Ground && (!locked_[At(cell)] || coverCourtyards_) && !village_[At(cell)];
    return room;
}

// Trees or plateaus on open ground where a noise of their own is highest, following the asked symmetry only:
// they do not hinder units, so they need not follow the castles' layout.
void MapBuilder::Cover(TileCode code, Stage stage, int percent, int room) {
    const int land = LandCount();
    int want = std::min(Percentage(percent, land), room);
    if (want <= 0) return;
    auto free = [&](int cell) {
        return Code(cell) == Ground && (!locked_[At(cell)] || coverCourtyards_) && !village_[At(cell)];
    };
    RandomStream stream(Stream(stage));
    // Plateaus are tablelands on the high ground; woods are patches of a noise of their own, everywhere.
    if (code == Plateau) want -= GrowBlobs(mode_, stream, code, want, 5, 16, StartCells(free, true), free);
    if (want <= 0) return;
    const CellValues score = FractalNoise(DeriveSeed(Stream(stage), 1), 7);
    CellMask eligible{};
    for (int cell = 0; cell < MapCells; ++cell)
        eligible[At(cell)] = free(cell);
    TakeBest(mode_, score, eligible, want, [this, code](int cell) { Code(cell) = code; });
}

AttemptEnd MapBuilder::Build(GeneratorFigure& failed) {
    landTarget_ = Percentage(parameters_.Land, MapCells);
    RaiseLand();
    if (!PlaceValleys()) {
        failed = GeneratorFigure::Rules;
        return AttemptEnd::Failed;
    }
    LayRoads();
    DrawCoast();
    if (!JoinMoats()) {
        failed = GeneratorFigure::Water;
        return AttemptEnd::Failed;
    }
    if (Cancelled()) return AttemptEnd::Cancelled;
    RaiseMountains();
    RunRivers();
    FillLakes();
    if (!JoinCastles()) {
        failed = GeneratorFigure::Reach;
        return AttemptEnd::Failed;
    }
    // Bring the land back to the asked share: rivers, moats and bridges moved it.
    const int slack = Percentage(1, MapCells);
    if (LandCount() > landTarget_ + slack)
        Flood(landTarget_);
    else if (LandCount() < landTarget_ - slack)
        Recede(landTarget_);
    if (!JoinCastles()) {
        failed = GeneratorFigure::Reach;
        return AttemptEnd::Failed;
    }
    RoughenCoast();
    if (Cancelled()) return AttemptEnd::Cancelled;
    if (!BuildVillages(failed)) return AttemptEnd::Failed;

    // At the top of the ranges trees and plateaus together ask for more open ground than there is; each then
    // gives up as much as the tolerance allows, leaving room for a way through.
    const int land = LandCount();
    int room = CoverRoom();
    int plateaus = parameters_.Plateaus;
    int forests = parameters_.Forests;
    const int fewestPlateaus = std::max(0, plateaus - 4);
    const int fewestForests = std::max(0, forests - 4);
    const int spare = Percentage(4, land);
    while (Percentage(plateaus + forests, land) > room - spare &&
           (plateaus > fewestPlateaus || forests > fewestForests)) {
        plateaus -= plateaus > fewestPlateaus ? 1 : 0;
        forests -= forests > fewestForests ? 1 : 0;
    }
    // With little land, the valleys' courtyards and the cleared ways take trees and plateaus too.
    if (Percentage(plateaus + forests, land) > room - spare) {
        coverCourtyards_ = true;
        room = CoverRoom();
    }
    Cover(Plateau, PlateauStage, plateaus, room);
    Cover(Trees, ForestStage, forests, CoverRoom());

    ShapeMap(grid_);
    return AttemptEnd::Done;
}

} // namespace

const std::array<GeneratorRange, 8> GeneratorRanges = {{
    {"land", &GeneratorParameters::Land, 30, 90, 65},
    {"mountains", &GeneratorParameters::Mountains, 0, 30, 12},
    {"forests", &GeneratorParameters::Forests, 0, 30, 15},
    {"plateaus", &GeneratorParameters::Plateaus, 0, 20, 6},
    {"water", &GeneratorParameters::Water, 0, 15, 4},
    {"houses", &GeneratorParameters::Houses, 0, 8, 3},
    {"fields", &GeneratorParameters::Fields, 0, 8, 2},
    {"tileset", &GeneratorParameters::TileSet, 1, TileSetCount, 1},
}};

std::optional<std::string> ParameterProblem(const GeneratorParameters& parameters) {
    for (const GeneratorRange& range : GeneratorRanges) {
        const int value = parameters.*range.Field;
        if (value < range.Min || value > range.Max)
            return "--" + std::string(range.Name) + " must be " + std::to_string(range.Min) + " to " +
                   std::to_string(range.Max);
    }
    return std::nullopt;
}

std::string_view GeneratorFigureName(GeneratorFigure figure) {
    constexpr std::array<std::string_view, GeneratorFigureCount> names = {
        "map check", "shaping",   "reach",    "houses in territory",
        "balance",   "distances", "symmetry", "land",
        "mountains", "forests",   "plateaus", "water",
        "houses",    "fields",
    };
    return names[static_cast<std::size_t>(figure)];
}

std::array<int, FactionCount> NearestEnemyDistances(const FactionAnalysis& analysis) {
    std::array<int, FactionCount> nearest{};
    for (int from = 0; from < FactionCount; ++from) {
        int shortest = NoDistance;
        for (int to = 0; to < FactionCount; ++to) {
            const int steps = analysis.Distance[static_cast<std::size_t>(from)][static_cast<std::size_t>(to)];
            if (steps != NoDistance && (shortest == NoDistance || steps < shortest)) shortest = steps;
        }
        nearest[static_cast<std::size_t>(from)] = shortest;
    }
    return nearest;
}

std::optional<GeneratorFigure> FirstFailedFigure(const MapGrid& grid, const GeneratorParameters& parameters) {
    if (CheckMap(grid, TileSetNumbered(parameters.TileSet).value_or(TileSet::Verda)).Problem) return GeneratorFigure::Rules;
    MapGrid reshaped = grid;
    ShapeMap(reshaped);
    if (reshaped != grid) return GeneratorFigure::Shaped;

    const FactionAnalysis analysis = AnalyseFactions(grid);
    for (int from = 0; from < FactionCount; ++from)
        for (int to = 0; to < FactionCount; ++to)
            if (from != to &&
                analysis.Distance[static_cast<std::size_t>(from)][static_cast<std::size_t>(to)] == NoDistance)
                return GeneratorFigure::Reach;
    int smallest = MapCells;
    int largest = 0;
    for (const FactionFigures& figures : analysis.Factions) {
        if (figures.InTerritory != figures.Houses + figures.Fields) return GeneratorFigure::HomeGround;
        smallest = std::min(smallest, figures.Territory);
        largest = std::max(largest, figures.Territory);
    }
    if (smallest == 0 || 100 * largest > BalanceLimit * smallest) return GeneratorFigure::Balance;
    const std::array<int, FactionCount> nearest = NearestEnemyDistances(analysis);
    const auto [shortest, longest] = std::minmax_element(nearest.begin(), nearest.end());
    if (100 * *longest > DistanceLimit * *shortest) return GeneratorFigure::Distances;
    if (FindAsymmetry(grid, parameters.Symmetry).Count != 0) return GeneratorFigure::Symmetry;

    const MapShares shares = MeasureShares(grid);
    if (!WithinPoints(shares.Land, MapCells, parameters.Land, ShareTolerance)) return GeneratorFigure::Land;
    const std::array<std::pair<int, int>, 4> kinds = {{{shares.Mountains, parameters.Mountains},
                                                       {shares.Forests, parameters.Forests},
                                                       {shares.Plateaus, parameters.Plateaus},
                                                       {shares.InlandWater, parameters.Water}}};
    for (std::size_t i = 0; i < kinds.size(); ++i)
        if (!WithinPoints(kinds[i].first, shares.Land, kinds[i].second, ShareTolerance))
            return static_cast<GeneratorFigure>(static_cast<int>(GeneratorFigure::Mountains) +
                                                static_cast<int>(i));
    for (const FactionFigures& figures : analysis.Factions) {
        if (figures.Houses != parameters.Houses) return GeneratorFigure::Houses;
        if (figures.Fields != parameters.Fields) return GeneratorFigure::Fields;
    }
    return std::nullopt;
}

GenerationResult GenerateMap(const GeneratorParameters& parameters, const std::atomic<bool>* cancel) {
    if (const auto problem = ParameterProblem(parameters)) throw std::invalid_argument(*problem);
    GenerationResult result;
    std::array<int, GeneratorFigureCount> failures{};
    for (int attempt = 0; attempt < GeneratorAttempts; ++attempt) {
        if (cancel && cancel->load(std::memory_order_relaxed)) {
            result.Cancelled = true;
            return result;
        }
        MapBuilder builder(parameters,
                           DeriveSeed(parameters.Seed, 1000 + static_cast<std::uint64_t>(attempt)), cancel);
        GeneratorFigure failed = GeneratorFigure::Rules;
        const AttemptEnd end = builder.Build(failed);
        if (end == AttemptEnd::Cancelled) {
            result.Cancelled = true;
            return result;
        }
        if (end == AttemptEnd::Done) {
            if (const auto figure = FirstFailedFigure(builder.Grid(), parameters))
                failed = *figure;
            else {
                GeneratedMap map;
                map.Grid = builder.Grid();
                map.Analysis = AnalyseFactions(map.Grid);
                map.Shares = MeasureShares(map.Grid);
                map.Attempt = attempt;
                result.Map = map;
                return result;
            }
        }
        ++failures[static_cast<std::size_t>(failed)];
    }
    result.Failed =
        static_cast<GeneratorFigure>(std::max_element(failures.begin(), failures.end()) - failures.begin());
    return result;
}

} // namespace tav
