#pragma once
// Walks over cells through their side neighbours, from any number of start cells:
// - BreadthFirstWalk, for steps counted one per cell and for regions joined through side neighbours;
// - CostWalk, for the least total cost of entering cells when entering one costs a small whole number.
// The caller says through a callable which cells may be entered (and at what cost), and keeps what the walk
// finds in arrays of its own. Neither walk allocates: each keeps its queue inside itself, so a walk on the
// stack, or one reused, costs no heap on a hot path.

#include "CellGrid.h"

#include <array>
#include <cstdint>

namespace tav {

// A rectangle of cells stored as the map stores its cells, column by column: cell (x, y) is element
// x * Height + y. The map itself is MapShape; a walk over a smaller picture (a valley's rows) gives its own.
struct GridShape {
    int Width = MapSize;
    int Height = MapSize;

    constexpr bool Contains(MapCell cell) const {
        return cell.X >= 0 && cell.X < Width && cell.Y >= 0 && cell.Y < Height;
    }
    constexpr std::size_t Index(MapCell cell) const {
        return static_cast<std::size_t>(cell.X * Height + cell.Y);
    }
    constexpr int CellCount() const { return Width * Height; }
};
constexpr GridShape MapShape{};

// Calls visit(neighbour) for each side neighbour of `cell` (a cell of `shape`) inside the shape, in SideSteps
// order. Each side tests only the one bound it can cross: this is the walks' inner loop.
template <typename Visit> constexpr void ForEachSideNeighbourIn(GridShape shape, MapCell cell, Visit visit) {
    static_assert(SideSteps[0].Dy == -1 && SideSteps[1].Dx == -1 && SideSteps[2].Dx == 1 &&
                  SideSteps[3].Dy == 1);
    if (cell.Y > 0) visit(MapCell{cell.X, cell.Y - 1});
    if (cell.X > 0) visit(MapCell{cell.X - 1, cell.Y});
    if (cell.X < shape.Width - 1) visit(MapCell{cell.X + 1, cell.Y});
    if (cell.Y < shape.Height - 1) visit(MapCell{cell.X, cell.Y + 1});
}

// A breadth-first walk. Usage: mark the start cells reached in an array of your own, Start() each, then
// Run() with a callable that marks and accepts the cells it lets the walk enter:
//     BreadthFirstWalk walk;
//     steps.fill(NotReached); steps[GridIndex(start)] = 0; walk.Start(start);
//     walk.Run([&](MapCell from, MapCell to) {
//         if (!open(to) || steps[GridIndex(to)] != NotReached) return false;
//         steps[GridIndex(to)] = steps[GridIndex(from)] + 1;
//         return true;
//     });
class BreadthFirstWalk {
public:
    // `shape` holds at most 2304 cells and at most 256 columns and rows.
    explicit constexpr BreadthFirstWalk(GridShape shape = MapShape) : shape_(shape) {}

    // Queues a cell of the shape to walk from. Each cell must be queued at most once in all, by Start or by
    // an accepting answer of Run's callable, which is what the caller's marks are for.
    void Start(MapCell cell) {
        queueColumns_[tail_] = static_cast<std::uint8_t>(cell.X);
        queueRows_[tail_] = static_cast<std::uint8_t>(cell.Y);
        ++tail_;
    }

    // Takes the queued cells first in, first out, and offers each side neighbour inside the shape, in
    // SideSteps order, to enter(from, to); a true answer queues `to`. So cells are taken in order of steps
    // from the nearest start, and the first offer that a cell accepts comes from a cell on a shortest way.
    template <typename Enter> void Run(Enter enter) {
        // Kept in locals: a callable that writes bytes (marks) could alias the members, which would force
        // every step to reload them.
        const GridShape shape = shape_;
        std::size_t head = head_;
        std::size_t tail = tail_;
        while (head < tail && !stopped_) {
            const MapCell from{queueColumns_[head], queueRows_[head]};
            ++head;
            ForEachSideNeighbourIn(shape, from, [&](MapCell to) {
                if (!enter(from, to)) return;
                queueColumns_[tail] = static_cast<std::uint8_t>(to.X);
                queueRows_[tail] = static_cast<std::uint8_t>(to.Y);
                ++tail;
            });
        }
        head_ = head;
        tail_ = tail;
    }

    // Ends Run once the cell being taken has had its neighbours offered; for a walk that has found its goal.
    void Stop() { stopped_ = true; }

private:
    GridShape shape_;
    std::size_t head_ = 0;
    std::size_t tail_ = 0;
    bool stopped_ = false;
    // Left uninitialised: only entries below tail_ are read.
    std::array<std::uint8_t, MapCells> queueColumns_;
    std::array<std::uint8_t, MapCells> queueRows_;
};

// Per cell of the map in grid order: the least cost or number of steps found to it, or NotReached.
using CellCosts = std::array<std::uint16_t, MapCells>;
constexpr std::uint16_t NotReached = 0xFFFF;
// Per cell of the map in grid order: the grid index of the cell a cheapest way enters it from.
using CellSources = std::array<std::uint16_t, MapCells>;

// The largest cost of entering one cell that a cost walk takes. 15 x 2303 cells stays below NotReached.
constexpr int MaxEntryCost = 15;

// Least total entry costs over the map from any number of start cells (Dijkstra's order, kept in Dial's
// bucket queue: one bucket per cost, round robin, as entry costs are small whole numbers). Entering a cell
// costs 0..MaxEntryCost; free steps are allowed. Within one cost, cells are taken first in, first out, so
// with every entry costing 1 the walk takes cells, and records ways, exactly as BreadthFirstWalk does.
class CostWalk {
public:
    // Sets every cell of `costs` to NotReached; the walk writes there the least cost of each cell it reaches.
    // With `cameFrom`, it also records, for each reached cell, the grid index of the cell its cheapest way
    // comes from (a start cell: itself), so a way is read backwards from its last cell.
    explicit CostWalk(CellCosts& costs, CellSources* cameFrom = nullptr);

    // A cell of the map to walk from, at cost 0. Giving a cell twice is harmless.
    void Start(MapCell cell);

    // Takes the reached cells cheapest first. For each, settled(cell, cost) is called once, when its cost is
    // final; a false answer ends the walk there (a goal found, a cost bound passed). Then each side neighbour
    // in the map is offered to entryCost(from, to), which answers the cost of entering `to` from `from`,
    // 0..MaxEntryCost, or a negative number when `to` may not be entered.
    template <typename EntryCost, typename Settled> void Run(EntryCost entryCost, Settled settled);
    // The same, settling every reachable cell.
    template <typename EntryCost> void Run(EntryCost entryCost) {
        Run(entryCost, [](MapCell, int) { return true; });
    }

private:
    static constexpr int Buckets =
        MaxEntryCost + 1; // a listed cell costs at most MaxEntryCost above the level
    static constexpr std::uint16_t NoCell = 0xFFFF;

    // Each listed cell sits in the bucket of its cost, in a doubly linked list, so a cell that gets cheaper
    // moves to its new bucket at once and no stale entry is left behind.
    void Link(std::uint16_t cell, std::size_t bucket) {
        previous_[cell] = tails_[bucket];
        next_[cell] = NoCell;
        if (tails_[bucket] != NoCell)
            next_[tails_[bucket]] = cell;
        else
            heads_[bucket] = cell;
        tails_[bucket] = cell;
        ++listed_;
    }
    void Unlink(std::uint16_t cell, std::size_t bucket) {
        if (previous_[cell] != NoCell)
            next_[previous_[cell]] = next_[cell];
        else
            heads_[bucket] = next_[cell];
        if (next_[cell] != NoCell)
            previous_[next_[cell]] = previous_[cell];
        else
            tails_[bucket] = previous_[cell];
        --listed_;
    }

    CellCosts& costs_;
    CellSources* cameFrom_;
    int listed_ = 0;
    std::array<std::uint16_t, Buckets> heads_;
    std::array<std::uint16_t, Buckets> tails_;
    std::array<std::uint16_t, MapCells> next_; // set when a cell is listed, read only while it is
    std::array<std::uint16_t, MapCells> previous_;
};

template <typename EntryCost, typename Settled> void CostWalk::Run(EntryCost entryCost, Settled settled) {
    for (int level = 0; listed_ > 0; ++level) {
        const auto bucket = static_cast<std::size_t>(level % Buckets);
        // Free steps append to this same bucket while it is worked through.
        while (heads_[bucket] != NoCell) {
            const std::uint16_t index = heads_[bucket];
            Unlink(index, bucket);
            const MapCell from = CellOfIndex(index);
            if (!settled(from, level)) return;
            ForEachSideNeighbourIn(MapShape, from, [&](MapCell to) {
                const int price = entryCost(from, to);
                if (price < 0) return;
                const auto cell = static_cast<std::uint16_t>(GridIndex(to));
                const int reached = level + price;
                // A settled cell costs at most `level`, so only a listed or unreached cell can get cheaper.
                if (reached >= costs_[cell]) return;
                if (costs_[cell] != NotReached)
                    Unlink(cell, static_cast<std::size_t>(costs_[cell] % Buckets));
                costs_[cell] = static_cast<std::uint16_t>(reached);
                if (cameFrom_) (*cameFrom_)[cell] = index;
                Link(cell, static_cast<std::size_t>(reached % Buckets));
            });
        }
    }
}

} // namespace tav
