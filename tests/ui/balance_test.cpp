// Balance while painting: the territory overlay of the edit window, the balance in the status bar with the
// change of each step of the history, and the step ruler.

#include "../core/FactionGoldenMaps.h"
#include "CellGrid.h"
#include "StepPath.h"
#include "TestMaps.h"

#include "MapCheck.h"
#include "TerritoryTint.h"
#include "TileBitmaps.h"
#include "TileRender.h"

#include <QAction>

#include <cmath>
#include <set>

namespace tav::testing {
namespace {

// The territory picture of `grid` at `edge` pixels, as the faction analysis window draws it: the threatened
// and lost houses and fields framed.
QImage ExpectedTerritory(const MapGrid& grid, TileSet tileSet, int edge) {
    TileBitmaps bitmaps;
    bitmaps.LoadTileSetBitmaps(tileSet);
    const QImage map = RenderMap(grid, bitmaps.Picture(*TileEdgeOfPixels(edge)), edge);
    return TerritoryPicture(AnalyseFactions(grid), tileSet, map, true);
}

// One cell of each holder the analysis gives (each faction, contested, unreachable, blocked) that lies in
// the first `reach` rows and columns, away from the cursor's cell (0, 0).
std::vector<QPoint> CellOfEachHolder(const MapGrid& grid, int reach) {
    const FactionAnalysis analysis = AnalyseFactions(grid);
    std::vector<QPoint> cells;
    std::set<int> seen;
    for (int y = 0; y < reach; ++y)
        for (int x = 0; x < reach; ++x)
            if ((x || y) && seen.insert(analysis.Holder[GridIndex(x, y)]).second)
                cells.emplace_back(x, y);
    return cells;
}

TEST_F(EditorUi, TerritoryOverlayTintsEachCellByItsHolderAtEveryEdgeAndIsKeptBetweenRuns) {
    struct Case {
        const char* Map;
        int TileSetNumber;
        int ExpectedHolders; // how many kinds of holder the chosen cells cover
    };
    const Case cases[] = {{"walls_and_gates", 1, 4}, {"sealed_castle", 4, 7}, {"tie_line", 7, 6}};
    d.Key("F7");
    ASSERT_TRUE(d.Checked("territoryOverlayAction"));
    for (const char* edgeKey : {"Ctrl+3", "Ctrl+1"}) {
        d.Key(edgeKey);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.Map) + " at " + std::to_string(d.EditEdge()) + " px");
            const MapGrid grid = golden::LoadGoldenMap(c.Map).Grid;
            d.LoadMap(grid, c.TileSetNumber);
            const QImage expected = ExpectedTerritory(grid, *TileSetNumbered(c.TileSetNumber), d.EditEdge());
            const std::vector<QPoint> cells = CellOfEachHolder(grid, 8);
            EXPECT_EQ(static_cast<int>(cells.size()), c.ExpectedHolders);
            const QImage shown = d.Grab("map picture");
            for (const QPoint cell : cells)
                for (const QPoint pixel : {QPoint(3, 3), QPoint(4, 5), QPoint(6, 2)}) {
                    const QPoint at = cell * d.EditEdge() + pixel;
                    EXPECT_EQ(shown.pixel(d.CellOrigin(cell.x(), cell.y()) + pixel), expected.pixel(at))
                        << "cell " << cell.x() << "," << cell.y();
                }
        }
    }

    // It follows a paint: a castle of the third faction on the shore at (3,5) ties with the fourth at (3,4)
    // and (3,3), which turn contested.
    d.PickTile(22);
    d.Click(3, 5);
    const QImage expected = ExpectedTerritory(d.Grid(), TileSet::Orcana, d.EditEdge());
    EXPECT_EQ(AnalyseFactions(d.Grid()).Holder[GridIndex(3, 3)], ContestedCell);
    for (const QPoint cell : {QPoint(3, 3), QPoint(3, 4), QPoint(3, 5), QPoint(1, 3)})
        for (const QPoint pixel : {QPoint(5, 4), QPoint(6, 4)})
            EXPECT_EQ(d.ShownPixel(cell.x(), cell.y(), pixel.x(), pixel.y()),
                      expected.pixel(cell * d.EditEdge() + pixel));

    d.Restart();
    EXPECT_TRUE(d.Checked("territoryOverlayAction"));
    EXPECT_TRUE(d.Visible("balance"));
    d.Trigger("territoryOverlayAction");
    EXPECT_FALSE(d.Visible("balance"));
    EXPECT_TRUE(d.ShowsGrid(d.Grid()));
}

QString BalanceFigure(const FactionAnalysis& analysis) {
    return analysis.Balance ? QString::number(*analysis.Balance, 'f', 2) : QStringLiteral("—");
}

// What the panel says after the balance and its change: the worst turn-order balance, where it differs.
QString TurnOrderFigure(const FactionAnalysis& analysis) {
    const auto shown = [](const std::optional<double>& b) { return b ? QString::number(*b, 'f', 2) : QStringLiteral("—"); };
    const QString worst = shown(analysis.WorstTurnOrderBalance);
    return worst == shown(analysis.Balance) ? QString() : "　手番順 " + worst;
}

int Hundredths(const FactionAnalysis& analysis) {
    return static_cast<int>(std::lround(*analysis.Balance * 100));
}

QString SignedChange(int hundredths) {
    return QString::asprintf("%c%d.%02d", hundredths < 0 ? '-' : '+', std::abs(hundredths) / 100,
                             std::abs(hundredths) % 100);
}

TEST_F(EditorUi, StrokeThatWallsOffACastleChangesTheBalanceAsTheAnalysisSaysAndUndoShowsTheReverse) {
    // A field in the water with a castle in each corner and a second castle of the first faction in the middle.
    MapGrid grid = FilledGrid(48);
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y)
            grid[GridIndex(x, y)] = 0;
    for (const auto& [x, y, code] : {std::tuple{0, 0, 20}, {8, 0, 21}, {0, 8, 22}, {8, 8, 23}, {4, 4, 20}})
        grid[GridIndex(x, y)] = static_cast<TileCode>(code);
    d.LoadMap(golden::LoadGoldenMap("walls_and_gates").Grid, 1);
    d.Trigger("territoryOverlayAction");
    EXPECT_EQ(d.LabelText("balance"), "バランス —"); // two factions without territory

    d.LoadMap(grid, 1);
    const FactionAnalysis before = AnalyseFactions(grid);
    EXPECT_EQ(d.LabelText("balance"), "バランス " + BalanceFigure(before) + TurnOrderFigure(before));

    // One stroke of water around the middle castle.
    d.PickTile(48);
    d.Drag({{3, 3}, {5, 3}, {5, 5}, {3, 5}, {3, 3}});
    const FactionAnalysis after = AnalyseFactions(d.Grid());
    ASSERT_EQ(d.Cell(4, 4), 20);
    ASSERT_LT(after.Factions[0].Territory, before.Factions[0].Territory) << "not walled off as meant";
    const int change = Hundredths(after) - Hundredths(before);
    ASSERT_NE(change, 0);
    EXPECT_EQ(d.LabelText("balance"),
              "バランス " + BalanceFigure(after) + " (" + SignedChange(change) + ")" + TurnOrderFigure(after));
    // The panel shows its whole text inside the 792-pixel window, beside the other panels.
    d.Settle();
    EXPECT_GE(d.Geometry("balance").width(), d.Widget("balance")->sizeHint().width());
    EXPECT_LE(d.Geometry("balance").right(), d.Geometry("status bar").width());
    // The largest change of territory is the first faction's, which lost the middle.
    EXPECT_TRUE(d.ToolTip("balance").contains("カルドア領(緑)")) << d.ToolTip("balance").toStdString();

    d.Trigger("undoAction");
    EXPECT_EQ(d.Grid(), grid);
    EXPECT_EQ(d.LabelText("balance"),
              "バランス " + BalanceFigure(before) + " (" + SignedChange(-change) + ")" + TurnOrderFigure(before));
}

// Whether the ruler's path crosses the middle of the cell: the walk is drawn through the cells' middles.
bool RulerCrosses(const QImage& shown, QPoint origin, int edge) {
    return shown.pixel(origin + QPoint(edge / 2, edge / 2)) == qRgb(255, 224, 64);
}

TEST_F(EditorUi, RulerMeasuresTheAnalysisDistanceAlongAShortestWalkAndChangesNothing) {
    struct Case {
        const char* Map;
        QPoint From, To;
        int FromFaction, ToFaction; // whose castles the two cells hold
    };
    const Case cases[] = {{"walls_and_gates", {1, 1}, {7, 1}, 0, 1}, {"sealed_castle", {0, 0}, {6, 0}, 0, 1},
                          {"tie_line", {4, 4}, {0, 0}, 3, 0}, {"sealed_castle", {0, 0}, {1, 2}, 0, 2}};
    d.Key("Ctrl+R");
    ASSERT_TRUE(d.Checked("rulerAction"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Map);
        const MapGrid grid = golden::LoadGoldenMap(c.Map).Grid;
        d.LoadMap(grid, 1);
        d.Press(c.From.x(), c.From.y());
        d.Move(c.To.x(), c.To.y());
        const int steps = AnalyseFactions(grid).Distance[static_cast<std::size_t>(c.FromFaction)]
                                                         [static_cast<std::size_t>(c.ToFaction)];
        if (steps == NoDistance) {
            EXPECT_TRUE(d.StatusText().endsWith("到達不能")) << d.StatusText().toStdString();
        } else {
            EXPECT_TRUE(d.StatusText().endsWith(QStringLiteral("  %1歩").arg(steps))) << d.StatusText().toStdString();
            // The drawn walk: steps + 1 open cells, the two ends among them, each but the ends with two
            // side neighbours in the walk and the ends with one, so one chain without branches.
            const QImage shown = d.Grab("map picture");
            std::set<std::pair<int, int>> walk;
            for (int x = 0; x < 12; ++x)
                for (int y = 0; y < 12; ++y)
                    if (RulerCrosses(shown, d.CellOrigin(x, y), d.EditEdge()))
                        walk.insert({x, y});
            EXPECT_EQ(static_cast<int>(walk.size()), steps + 1);
            EXPECT_TRUE(walk.count({c.From.x(), c.From.y()}) && walk.count({c.To.x(), c.To.y()}));
            for (const auto& [x, y] : walk) {
                EXPECT_TRUE(IsPassableCode(grid[GridIndex(x, y)])) << x << "," << y;
                int neighbours = 0;
                for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                    neighbours += static_cast<int>(walk.count({x + dx, y + dy}));
                const bool end = QPoint(x, y) == c.From || QPoint(x, y) == c.To;
                EXPECT_EQ(neighbours, end ? 1 : 2) << x << "," << y;
            }
        }
        d.Release(c.To.x(), c.To.y());
        d.Key("Esc");
        EXPECT_EQ(d.StatusText(), QStringLiteral("X=%1, Y=%2").arg(c.To.x()).arg(c.To.y()));
        EXPECT_FALSE(RulerCrosses(d.Grab("map picture"), d.CellOrigin(c.From.x(), c.From.y()), d.EditEdge()));
        EXPECT_EQ(d.Grid(), grid);
        EXPECT_FALSE(d.Action("undoAction")->isEnabled());
    }
}

// Mended: the measure stayed as it was taken while the map changed under it, its steps and its walk drawn
// across what had become a lake. It is measured again at every change: a shift, an undo, a new map.
TEST_F(EditorUi, RulerMeasuresAgainWhenTheMapChangesUnderIt) {
    // Open ground with a wall of water in column 5 from row 16 to row 24, below the measured row until
    // the map is shifted down.
    MapGrid grid = FilledGrid(0);
    for (int y = 16; y <= 24; ++y)
        grid[GridIndex(5, y)] = 48;
    d.LoadMap(grid, 1);
    d.Key("Ctrl+R");
    d.Drag({{3, 28}, {4, 28}, {5, 28}, {6, 28}, {7, 28}, {8, 28}});
    ASSERT_EQ(d.StatusText(), QStringLiteral("X=8, Y=28  5歩"));

    const struct {
        const char* name;
        const char* key;
        int times;
    } cases[] = {{"shifted down", "Shift+Down", 8}, {"shift undone", "Ctrl+Z", 8}, {"shifted up", "Shift+Up", 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < c.times; ++i)
            d.Key(c.key);
        StepPath path;
        FindStepPath(d.Grid(), 3, 28, 8, 28, path);
        ASSERT_GT(path.Steps, 0);
        EXPECT_EQ(d.StatusText(), QStringLiteral("X=8, Y=28  %1歩").arg(path.Steps));
        const QImage shown = d.Grab("map picture");
        for (int i = 0; i < path.CellCount; ++i) {
            const int cell = path.Cells[static_cast<std::size_t>(i)];
            EXPECT_TRUE(RulerCrosses(shown, d.CellOrigin(cell / MapSize, cell % MapSize), d.EditEdge()));
        }
        for (int x = 3; x <= 8; ++x) { // the straight way, drawn only where the walk takes it
            if (!IsPassableCode(d.Cell(x, 28))) {
                EXPECT_FALSE(RulerCrosses(shown, d.CellOrigin(x, 28), d.EditEdge())) << x;
            }
        }
    }
    // A new map ends no measure: it is measured on the new map.
    d.LoadMap(FilledGrid(48), 1);
    EXPECT_EQ(d.StatusText(), QStringLiteral("X=8, Y=28  到達不能"));
}

} // namespace
} // namespace tav::testing
