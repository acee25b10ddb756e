// The map document: every kind of change undoes and redoes exactly, a pen stroke is one step, a change that
// changes nothing is not kept, and "modified" means "away from the last New, Open or save".

#include "CellCommands.h"
#include "CellGrid.h"
#include "Document.h"
#include "FillAreaCommand.h"
#include "PaintStrokeCommand.h"
#include "RestoreMapCommand.h"
#include "ShiftMapCommand.h"
#include "SwitchTileSetCommand.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace tav {
namespace {

// Land with a lake, a castle and a few houses: every command kind changes something on it.
MapGrid SampleGrid() {
    MapGrid grid = FilledGrid(0);
    for (int x = 10; x < 20; ++x)
        for (int y = 10; y < 16; ++y)
            grid[GridIndex(x, y)] = NewMapTile;
    grid[GridIndex(30, 30)] = 20;
    grid[GridIndex(5, 40)] = 8;
    grid[GridIndex(6, 40)] = 8;
    return grid;
}

struct Fixture {
    Document document;
    int modifiedSignals = 0;
    Fixture() {
        document.Reset(SampleGrid(), TileSet::Sandra, QStringLiteral("/maps/a.map"), QStringLiteral("/maps/a.map"));
        QObject::connect(&document, &Document::ModifiedChanged, [this](bool) { ++modifiedSignals; });
    }
};

TEST(DocumentCommands, EachKindUndoesToTheMapBeforeAndRedoesToTheMapAfter) {
    struct Case {
        const char* name;
        std::function<QUndoCommand*(Document*)> make;
    };
    const Case cases[] = {
        {"pen", [](Document* d) { return new edits::PaintStrokeCommand(d, 96, 3, 4, 1); }},
        {"line", [](Document* d) { return new edits::PaintShapeCommand(d, DrawTool::Line, 1, 0, 0, 47, 30); }},
        {"ellipse", [](Document* d) { return new edits::PaintShapeCommand(d, DrawTool::Circle, 16, 5, 5, 25, 20); }},
        {"filled rectangle", [](Document* d) { return new edits::FillAreaCommand(d, DrawTool::BoxFill, 2, 40, 40, 2, 2); }},
        {"bucket", [](Document* d) { return new edits::FillAreaCommand(d, DrawTool::Bucket, 112, -1, -1, 0, 0); }},
        {"shift", [](Document* d) { return new edits::ShiftMapCommand(d, ShiftDirection::Down); }},
        {"shape", [](Document* d) { return new edits::ShapeMapCommand(d); }},
        {"unshape", [](Document* d) {
             d->Push(new edits::ShapeMapCommand(d));
             return new edits::UnshapeMapCommand(d);
         }},
        {"tile set", [](Document* d) { return new edits::SwitchTileSetCommand(d, TileSet::Orcana); }},
        {"move", [](Document* d) { return new edits::MoveCellsCommand(d, {8, 8, 21, 17}, 30, -3); }},
        {"paste", [](Document* d) { return new edits::PasteBlockCommand(d, CopyBlock(d->Grid(), {0, 0, 47, 47}), 20, 20); }},
        {"cut", [](Document* d) { return new edits::CutCellsCommand(d, {25, 25, 35, 35}); }},
        {"replace", [](Document* d) { return new edits::ReplaceCodesCommand(d, 0, 96, {0, 0, 12, 47}); }},
        {"exchange", [](Document* d) { return new edits::ExchangeCodesCommand(d, 0, NewMapTile); }},
        {"restore", [](Document* d) { return new edits::RestoreMapCommand(d, FilledGrid(96), TileSet::Lapist); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        Document& d = f.document;
        QUndoCommand* command = c.make(&d);
        const MapGrid before = d.Grid();
        const TileSet setBefore = d.TileSet();
        const int depth = d.UndoStack()->count();
        d.Push(command);
        ASSERT_EQ(d.UndoStack()->count(), depth + 1) << "a change that changes something is kept";
        const MapGrid after = d.Grid();
        const TileSet setAfter = d.TileSet();
        EXPECT_TRUE(after != before || setAfter != setBefore);
        EXPECT_TRUE(d.IsModified());
        d.UndoStack()->undo();
        EXPECT_EQ(d.Grid(), before);
        EXPECT_EQ(d.TileSet(), setBefore);
        d.UndoStack()->redo();
        EXPECT_EQ(d.Grid(), after);
        EXPECT_EQ(d.TileSet(), setAfter);
    }
}

TEST(DocumentCommands, ChangesThatChangeNothingAreNotKept) {
    Fixture f;
    Document& d = f.document;
    d.Push(new edits::PaintStrokeCommand(&d, 0, 0, 0, 1));                 // the cell holds 0 already
    d.Push(new edits::FillAreaCommand(&d, DrawTool::Bucket, 0, -1, -1, 0, 0));        // the region is 0 already
    d.Push(new edits::SwitchTileSetCommand(&d, TileSet::Sandra));                         // the set in force
    d.Reset(FilledGrid(NewMapTile), TileSet::Verda, QString(), QString());
    d.Push(new edits::ShiftMapCommand(&d, ShiftDirection::Left));           // a map of one code
    d.Push(new edits::UnshapeMapCommand(&d));                               // nothing shaped
    d.Push(new edits::MoveCellsCommand(&d, {0, 0, 9, 9}, 5, 5));            // water moved over water
    d.Push(new edits::CutCellsCommand(&d, {3, 3, 4, 4}));                   // water cut to water
    d.Push(new edits::ReplaceCodesCommand(&d, 7, 9));                       // no 7 on the map
    d.Push(new edits::ExchangeCodesCommand(&d, NewMapTile, NewMapTile));     // a code with itself
    EXPECT_EQ(d.UndoStack()->count(), 0);
    EXPECT_FALSE(d.IsModified());
}

TEST(DocumentCommands, AStrokeIsOneStepThatUndoesEveryCellItCrossedEvenWhenItCrossesItself) {
    Fixture f;
    Document& d = f.document;
    const MapGrid before = d.Grid();
    // Stroke 1 paints a path that comes back over its first cell with another code in between.
    const int path[][3] = {{0, 0, 96}, {1, 0, 96}, {2, 0, 96}, {0, 0, 97}, {12, 12, 96}};
    for (const auto& step : path)
        d.Push(new edits::PaintStrokeCommand(&d, static_cast<TileCode>(step[2]), step[0], step[1], 1));
    d.Push(new edits::PaintStrokeCommand(&d, 5, 20, 20, 2)); // the next stroke is a step of its own
    EXPECT_EQ(d.UndoStack()->count(), 2);
    EXPECT_EQ(d.Cell(0, 0), 97);
    d.UndoStack()->undo();
    EXPECT_EQ(d.Cell(20, 20), 0);
    EXPECT_EQ(d.Cell(0, 0), 97);
    d.UndoStack()->undo();
    EXPECT_EQ(d.Grid(), before);
}

TEST(DocumentCommands, AFastPenMovePaintsEveryCellOnTheWayExceptThoseHoldingTheCode) {
    Fixture f;
    Document& d = f.document;
    d.Push(new edits::PaintStrokeCommand(&d, 96, 20, 5, 1));
    d.Push(new edits::PaintStrokeCommand(&d, 96, 0, 5, 47, 5, 1)); // one event across the whole map
    d.Push(new edits::PaintStrokeCommand(&d, 96, 47, 5, 47, 47, 1));
    EXPECT_EQ(d.UndoStack()->count(), 1);
    for (int x = 0; x < 48; ++x)
        EXPECT_EQ(d.Cell(x, 5), 96) << x;
    for (int y = 5; y < 48; ++y)
        EXPECT_EQ(d.Cell(47, y), 96) << y;
    const auto* stroke = dynamic_cast<const edits::CellEdit*>(d.UndoStack()->command(0));
    ASSERT_NE(stroke, nullptr);
    EXPECT_EQ(stroke->Changes().size(), 1u + 47u + 42u) << "the cells already painted are no change";
}

// Inside a selection a paint changes only selected cells, and the flood fill does not reach the parts of its
// region that join only outside the selection.
TEST(DocumentCommands, ASelectionLimitsPaintingAndWallsInTheFloodFill) {
    Fixture f;
    Document& d = f.document;
    // A U of water: two bars (rows 0 and 20) joined by columns 5..6, which lie outside the selection.
    MapGrid grid = FilledGrid(0);
    for (int x = 5; x <= 30; ++x)
        grid[GridIndex(x, 0)] = grid[GridIndex(x, 20)] = 48;
    for (int y = 0; y <= 20; ++y)
        grid[GridIndex(5, y)] = grid[GridIndex(6, y)] = 48;
    d.Reset(grid, TileSet::Verda, QString(), QString());
    const CellRect selection{10, 0, 30, 20};
    auto* bucket = new edits::FillAreaCommand(&d, DrawTool::Bucket, 1, -1, -1, 15, 0);
    bucket->LimitTo(selection);
    d.Push(bucket);
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y) {
            const TileCode wanted = y == 0 && x >= 10 && x <= 30 ? 1 : grid[GridIndex(x, y)];
            ASSERT_EQ(d.Cell(x, y), wanted) << x << "," << y;
        }
    edits::PaintShapeCommand line(&d, DrawTool::Line, 2, 0, 5, 47, 5);
    line.LimitTo(selection);
    EXPECT_EQ(line.Changes().size(), 21u) << "row 5 is selected in columns 10 to 30";
    auto* outside = new edits::PaintStrokeCommand(&d, 2, 0, 0, 9);
    outside->LimitTo(selection);
    d.Push(outside);
    EXPECT_EQ(d.Cell(0, 0), 0);
    EXPECT_EQ(d.UndoStack()->count(), 1) << "a paint wholly outside the selection is not kept";
}

TEST(DocumentModified, FollowsTheCleanPointOfTheHistory) {
    Fixture f;
    Document& d = f.document;
    EXPECT_FALSE(d.IsModified());
    d.Push(new edits::PaintStrokeCommand(&d, 96, 1, 1, 1));
    EXPECT_TRUE(d.IsModified());
    d.UndoStack()->undo();
    EXPECT_FALSE(d.IsModified()) << "undoing back to the opened map is no change";
    d.UndoStack()->redo();
    d.MarkSaved(QStringLiteral("/maps/b.map"), QStringLiteral("b.map"));
    EXPECT_FALSE(d.IsModified());
    EXPECT_EQ(d.FilePath(), QStringLiteral("/maps/b.map"));
    EXPECT_EQ(d.ShownName(), QStringLiteral("b.map"));
    d.UndoStack()->undo();
    EXPECT_TRUE(d.IsModified()) << "undoing past the save is a change again";
    d.Push(new edits::SwitchTileSetCommand(&d, TileSet::Stellan));
    EXPECT_TRUE(d.IsModified());
    d.Reset(SampleGrid(), TileSet::Coronet, QString(), QString());
    EXPECT_FALSE(d.IsModified());
    EXPECT_EQ(d.UndoStack()->count(), 0) << "New and Open start a fresh history";
    EXPECT_EQ(f.modifiedSignals, 6);
}

// New and Open put a whole new map in place; the views hear of it once, so that each draws it once, whatever
// else (the set, the file, the grid) came new with it.
TEST(DocumentReset, AnnouncesTheNewMapWithOneSignalAlone) {
    Fixture f;
    Document& d = f.document;
    d.Push(new edits::PaintStrokeCommand(&d, 96, 3, 4, 1));
    std::vector<std::string> heard;
    QObject::connect(&d, &Document::MapReset, [&] { heard.push_back("reset"); });
    QObject::connect(&d, &Document::MapChanged, [&] { heard.push_back("map"); });
    QObject::connect(&d, &Document::CellsChanged, [&](const std::vector<int>&) { heard.push_back("cells"); });
    QObject::connect(&d, &Document::TileSetChanged, [&](TileSet) { heard.push_back("tile set"); });
    QObject::connect(&d, &Document::FileNameChanged, [&] { heard.push_back("file name"); });
    d.Reset(FilledGrid(7), TileSet::Nocturna, QStringLiteral("/maps/c.map"), QStringLiteral("/maps/c.map"));
    EXPECT_EQ(heard, std::vector<std::string>{"reset"});
    EXPECT_EQ(d.Grid(), FilledGrid(7));
    EXPECT_EQ(d.TileSet(), TileSet::Nocturna);
    EXPECT_EQ(d.FilePath(), QStringLiteral("/maps/c.map"));
}

// Random sequences of every command kind: undoing all of them gives the map they started from, redoing
// all gives the last map, and the views' signals name every cell that changed.
TEST(DocumentCommands, UndoingAndRedoingAnyRandomSequenceRestoresBothEnds) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        Fixture f;
        Document& d = f.document;
        MapGrid seen = d.Grid(); // what a view that follows the signals would show
        QObject::connect(&d, &Document::CellsChanged, [&](const std::vector<int>& cells) {
            for (int i : cells)
                seen[static_cast<std::size_t>(i)] = d.Grid()[static_cast<std::size_t>(i)];
        });
        QObject::connect(&d, &Document::MapChanged, [&] { seen = d.Grid(); });
        const MapGrid start = d.Grid();
        const TileSet startSet = d.TileSet();
        for (int step = 0; step < 60; ++step) {
            const auto code = static_cast<TileCode>(pick(128));
            const int x = pick(48), y = pick(48), ax = pick(48), ay = pick(48);
            const DrawTool outline = pick(2) ? DrawTool::Circle : DrawTool::Line;
            const DrawTool filled = pick(2) ? DrawTool::CircleFill : DrawTool::BoxFill;
            switch (pick(8)) {
            case 0: d.Push(new edits::PaintStrokeCommand(&d, code, x, y, step / 4)); break;
            case 1: d.Push(new edits::PaintShapeCommand(&d, outline, code, ax, ay, x, y)); break;
            case 2: d.Push(new edits::FillAreaCommand(&d, filled, code, ax, ay, x, y)); break;
            case 3: d.Push(new edits::FillAreaCommand(&d, DrawTool::Bucket, code, -1, -1, x, y)); break;
            case 4: d.Push(new edits::ShiftMapCommand(&d, static_cast<ShiftDirection>(pick(4)))); break;
            case 5: d.Push(new edits::ShapeMapCommand(&d)); break;
            case 6: d.Push(new edits::UnshapeMapCommand(&d)); break;
            case 7: d.Push(new edits::SwitchTileSetCommand(&d, AllTileSets[static_cast<std::size_t>(pick(9))])); break;
            }
            if (pick(5) == 0)
                d.UndoStack()->undo();
            ASSERT_EQ(seen, d.Grid());
        }
        while (d.UndoStack()->canRedo())
            d.UndoStack()->redo();
        const MapGrid end = d.Grid();
        const TileSet endSet = d.TileSet();
        while (d.UndoStack()->canUndo())
            d.UndoStack()->undo();
        EXPECT_EQ(d.Grid(), start);
        EXPECT_EQ(d.TileSet(), startSet);
        EXPECT_FALSE(d.IsModified());
        while (d.UndoStack()->canRedo())
            d.UndoStack()->redo();
        EXPECT_EQ(d.Grid(), end);
        EXPECT_EQ(d.TileSet(), endSet);
        EXPECT_EQ(seen, d.Grid());
    }
}

} // namespace
} // namespace tav

namespace tav {
namespace {

// Under a symmetry mode a command is made in every image: the user's own cells win where an image meets them,
// replacing inside a selection replaces the images of both codes inside the selection's image, a selection
// limits each image to its image, and a change over the whole map is made as asked.
TEST(DocumentCommands, MirroredCommandsKeepTheUsersCellsAndMapCodesAndAreasToEachImage) {
    const auto at = [](int x, int y) { return GridIndex(x, y); };
    MapGrid houses = FilledGrid(0);
    houses[at(3, 3)] = 8;   // faction 0's house, in the selection below
    houses[at(44, 3)] = 9;  // faction 1's, at its image under lr
    houses[at(44, 4)] = 8;  // faction 0's again, outside the selection's image as the mode sees it
    const struct {
        const char* Name;
        SymmetryMode Mode;
        std::function<edits::CellEdit*(Document&)> Make;
        std::vector<std::pair<MapCell, TileCode>> Expected; // these cells; every other keeps its code
    } cases[] = {
        {"a stroke across the axis stays the user's", SymmetryMode::LeftRight,
         [](Document& d) { return new edits::PaintStrokeCommand(&d, 8, 22, 3, 25, 3, 1); },
         {{{22, 3}, 8}, {{23, 3}, 8}, {{24, 3}, 8}, {{25, 3}, 8}}},
        {"replacing in a selection replaces the image codes in its image", SymmetryMode::LeftRight,
         [](Document& d) { return new edits::ReplaceCodesCommand(&d, 8, 20, {0, 0, 10, 3}); },
         {{{3, 3}, 20}, {{44, 3}, 21}}},
        {"replacing over the whole map is not mirrored", SymmetryMode::LeftRight,
         [](Document& d) { return new edits::ReplaceCodesCommand(&d, 8, 20); },
         {{{3, 3}, 20}, {{44, 4}, 20}}},
        {"a selection limits each image to its image", SymmetryMode::Quarter,
         [](Document& d) {
             auto* box = new edits::FillAreaCommand(&d, DrawTool::BoxFill, 1, 0, 0, 3, 3);
             box->LimitTo({0, 0, 1, 0});
             return box;
         },
         // (x, y) -> (47 - y, x), three times
         {{{0, 0}, 1}, {{1, 0}, 1}, {{47, 0}, 1}, {{47, 1}, 1}, {{47, 47}, 1}, {{46, 47}, 1}, {{0, 47}, 1},
          {{0, 46}, 1}}},
        {"moving a block moves its image the image way", SymmetryMode::TopBottom,
         [](Document& d) { return new edits::MoveCellsCommand(&d, {3, 3, 3, 3}, 1, 2); },
         {{{3, 3}, NewMapTile}, {{4, 5}, 8}, {{3, 44}, NewMapTile}, {{4, 42}, 9}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Fixture f;
        Document& d = f.document;
        d.Reset(houses, TileSet::Verda, QString(), QString());
        d.SetSymmetry(c.Mode);
        d.Push(c.Make(d));
        MapGrid expected = houses;
        for (const auto& [cell, code] : c.Expected)
            expected[at(cell.X, cell.Y)] = code;
        EXPECT_EQ(d.Grid(), expected);
        d.UndoStack()->undo();
        EXPECT_EQ(d.Grid(), houses);
    }
}

} // namespace
} // namespace tav
