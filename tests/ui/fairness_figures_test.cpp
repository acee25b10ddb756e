// The fairness figures in the editor: the faction window's turn order, its new columns and the turn-order
// balance; オプション → 移動コスト…, after which every figure follows; the lead picture (先着差) of the overlay;
// the ruler under a cost table; and stored rules that cannot be read.

#include "../core/FactionGoldenMaps.h"
#include "TestMaps.h"

#include "MapCheck.h"
#include "TerritoryTint.h"
#include "TileBitmaps.h"
#include "TileRender.h"

#include <QAction>
#include <QSettings>
#include <QStringList>

namespace tav::testing {
namespace {

// The column of the faction window's table and its place in a row (TableRow).
constexpr int TerritoryByTurnColumn = 6;
constexpr int FirstDistanceColumn = 13;

QStringList Column(EditorDriver& d, int column) {
    QStringList values;
    for (int f = 0; f < FactionCount; ++f)
        values << d.TableRow("faction table", f).value(column);
    return values;
}

QStringList Expected(const FactionAnalysis& analysis, int (*figure)(const FactionFigures&)) {
    QStringList values;
    for (const FactionFigures& figures : analysis.Factions)
        values << QString::number(figure(figures));
    return values;
}

QStringList Distances(const FactionAnalysis& analysis, int to) {
    QStringList values;
    for (int f = 0; f < FactionCount; ++f) {
        const int distance = analysis.Distance[static_cast<std::size_t>(f)][static_cast<std::size_t>(to)];
        values << (distance == NoDistance ? QStringLiteral("—") : QString::number(distance));
    }
    return values;
}

int ByTurn(const FactionFigures& f) { return f.TerritoryByTurn; }
int Territory(const FactionFigures& f) { return f.Territory; }
int Lost(const FactionFigures& f) { return f.Threat.Lost; }

// A 9 x 9 field in the water with a castle in each corner, a band of forest down the middle and a house of
// each faction by the next faction's castle.
MapGrid ForestField() {
    MapGrid grid = FilledGrid(48);
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 9; ++y)
            grid[static_cast<std::size_t>(CellIndex(x, y))] = x == 4 ? 1 : 0;
    for (const auto& [x, y, code] : {std::tuple{0, 0, 20}, {8, 0, 21}, {0, 8, 22}, {8, 8, 23}, {5, 0, 8},
                                     {8, 5, 9}, {3, 8, 10}, {0, 3, 11}})
        grid[static_cast<std::size_t>(CellIndex(x, y))] = static_cast<TileCode>(code);
    return grid;
}

// The picture the edit window shows under the overlay: the territory or the lead picture, threats framed.
QImage ExpectedOverlay(const MapGrid& grid, TileSet tileSet, int edge, const FactionAnalysis& analysis, bool lead) {
    TileBitmaps bitmaps;
    bitmaps.LoadTileSetBitmaps(tileSet);
    QImage map = RenderMap(grid, bitmaps.Picture(*TileEdgeOfPixels(edge)), edge).convertToFormat(QImage::Format_RGB32);
    if (!lead)
        return TerritoryPicture(analysis, tileSet, map, true);
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y) {
            const auto cell = static_cast<std::size_t>(CellIndex(x, y));
            TintLeadCell(map, x, y, edge, LeadShadeOf(analysis, cell));
            MarkThreat(map, x, y, edge, analysis.Threat[cell]);
        }
    return map;
}

::testing::AssertionResult ShowsOverlay(EditorDriver& d, const QImage& expected) {
    d.Move(11, 11); // the cursor away from the cells compared
    const QImage shown = d.Grab("map picture");
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y)
            for (const QPoint pixel : {QPoint(1, 1), QPoint(4, 5), QPoint(6, 2)})
                if (shown.pixel(d.CellOrigin(x, y) + pixel) != expected.pixel(QPoint(x, y) * d.EditEdge() + pixel))
                    return ::testing::AssertionFailure() << "cell " << x << "," << y;
    return ::testing::AssertionSuccess();
}

TEST_F(EditorUi, TurnOrderAndCostTableChangeTheFactionWindowsFiguresAndAreKeptBetweenRuns) {
    const MapGrid grid = ForestField();
    d.LoadMap(grid, 1);
    d.ClickButton("factionAnalysisButton");
    const FactionAnalysis plain = AnalyseFactions(grid);
    EXPECT_EQ(Column(d, TerritoryByTurnColumn), Expected(plain, ByTurn));
    EXPECT_EQ(d.LabelText("turn place 0"), "カルドア領(緑)");
    EXPECT_TRUE(d.LabelText("turn order balance").startsWith("手番順のバランス：0,1,2,3 ")) << d.LabelText("turn order balance").toStdString();

    // The first two factions trade turns: ties between them now go to the second.
    d.ClickButton("tradeTurns1Button");
    EXPECT_EQ(d.LabelText("turn place 0"), "ブレスト領(赤)");
    EXPECT_EQ(d.LabelText("turn place 1"), "カルドア領(緑)");
    const TurnOrder traded{{1, 0, 2, 3}};
    const FactionAnalysis tradedFigures = AnalyseFactions(grid, MovementCosts{}, traded);
    ASSERT_NE(Expected(tradedFigures, ByTurn), Expected(plain, ByTurn)) << "the map has no tie between them";
    EXPECT_EQ(Column(d, TerritoryByTurnColumn), Expected(tradedFigures, ByTurn));
    EXPECT_EQ(Column(d, 4), Expected(plain, Territory)); // the old territory leaves ties contested
    // Each rotation of 1,0,2,3, the worst named by who moves first in it.
    const QString balance = d.LabelText("turn order balance");
    for (const char* rotation : {"1,0,2,3", "0,2,3,1", "2,3,1,0", "3,1,0,2"})
        EXPECT_TRUE(balance.contains(rotation)) << rotation;
    EXPECT_TRUE(balance.contains(QStringLiteral("最悪：%1").arg(*tradedFigures.WorstTurnOrderBalance, 0, 'f', 3)))
        << balance.toStdString();

    // Forests cost 3, plains 2: the costs to the other castles and the territories follow at once.
    p.DialogAnswers.push_back(EditorDriver::Answer({{"costField0", 2}, {"costField1", 3}}, true));
    d.Trigger("movementCostsAction");
    ASSERT_EQ(p.Dialogs.back(), "movementCostDialog");
    MovementCosts slow;
    slow[CostClass::Plain] = 2;
    slow[CostClass::Forest] = 3;
    const FactionAnalysis slowFigures = AnalyseFactions(grid, slow, traded);
    ASSERT_NE(Distances(slowFigures, 1), Distances(tradedFigures, 1));
    EXPECT_EQ(Column(d, FirstDistanceColumn + 1), Distances(slowFigures, 1));
    EXPECT_EQ(Column(d, TerritoryByTurnColumn), Expected(slowFigures, ByTurn));

    // Closing the forest cuts the map in two halves: houses across it are lost to their owners.
    p.DialogAnswers.push_back(EditorDriver::Answer({{"costField1", 0}}, true));
    d.Trigger("movementCostsAction");
    slow[CostClass::Forest] = MovementCosts::Blocked;
    const FactionAnalysis closed = AnalyseFactions(grid, slow, traded);
    EXPECT_EQ(Column(d, 9), Expected(closed, Lost));
    EXPECT_EQ(Column(d, FirstDistanceColumn + 1), Distances(closed, 1));

    // Kept between runs, and the picture frames every lost house in red.
    d.Restart();
    d.LoadMap(grid, 1);
    d.ClickButton("factionAnalysisButton");
    EXPECT_EQ(d.LabelText("turn place 0"), "ブレスト領(赤)");
    EXPECT_EQ(Column(d, 9), Expected(closed, Lost));
    const QImage picture = d.LabelPicture("territory picture");
    int framed = 0;
    for (int i = 0; i < MapCells; ++i)
        if (closed.Threat[static_cast<std::size_t>(i)] == PropertyThreat::Lost) {
            EXPECT_EQ(picture.pixel(i / MapSize * 4, i % MapSize * 4), LostMark) << i;
            ++framed;
        }
    EXPECT_GT(framed, 0);

    // 既定値に戻す puts back the table of all 1: the figures are today's again, the order stays.
    p.DialogAnswers.push_back([](QDialog* dialog) {
        EXPECT_EQ(EditorDriver::Field(dialog, "costField1"), 0); // shown as 通行不可
        EXPECT_EQ(EditorDriver::Field(dialog, "costField0"), 2);
        EditorDriver::SetField(dialog, "costField6", 0); // the castle is never blocked: its field stops at 1
        EXPECT_EQ(EditorDriver::Field(dialog, "costField6"), 1);
        EXPECT_TRUE(EditorDriver::ClickDialogButton(dialog, "defaultCostsButton"));
        return EditorDriver::EndDialog(dialog, true);
    });
    d.Trigger("movementCostsAction");
    EXPECT_EQ(Column(d, FirstDistanceColumn + 1), Distances(tradedFigures, 1));
    EXPECT_EQ(Column(d, TerritoryByTurnColumn), Expected(tradedFigures, ByTurn));
}

TEST_F(EditorUi, LeadPictureBesideTheTerritoryTintsEachCellByItsLeadAndTheRulerMeasuresCost) {
    const MapGrid grid = golden::LoadGoldenMap("tie_line").Grid;
    d.LoadMap(grid, 1);
    d.Key("Ctrl+1");
    const FactionAnalysis analysis = AnalyseFactions(grid);
    // Hand-worked shades: (2,0) lies 2 from the first and second castles; (1,0) is 1 from the first, 3 from
    // the second; the first castle's cell is 4 from the second and third.
    EXPECT_EQ(LeadShadeOf(analysis, static_cast<std::size_t>(CellIndex(2, 0))), LeadTieShade);
    EXPECT_EQ(LeadShadeOf(analysis, static_cast<std::size_t>(CellIndex(1, 0))), LeadShade{2});
    EXPECT_EQ(LeadShadeOf(analysis, static_cast<std::size_t>(CellIndex(0, 0))), LeadShade{3});
    EXPECT_EQ(LeadShadeOf(analysis, static_cast<std::size_t>(CellIndex(7, 7))), LeadBlockedShade);

    d.Trigger("leadOverlayAction");
    EXPECT_TRUE(d.Checked("leadOverlayAction"));
    EXPECT_FALSE(d.Checked("territoryOverlayAction"));
    EXPECT_TRUE(d.Visible("balance"));
    EXPECT_TRUE(ShowsOverlay(d, ExpectedOverlay(grid, TileSet::Verda, 32, analysis, true)));

    // A paint follows: a castle of the third faction at (2,2) takes the middle of the cross.
    d.PickTile(22);
    d.Click(2, 2);
    EXPECT_TRUE(ShowsOverlay(d, ExpectedOverlay(d.Grid(), TileSet::Verda, 32, AnalyseFactions(d.Grid()), true)));
    d.Trigger("undoAction");

    // The other picture, beside it: one of the two at a time.
    d.Trigger("territoryOverlayAction");
    EXPECT_FALSE(d.Checked("leadOverlayAction"));
    EXPECT_TRUE(ShowsOverlay(d, ExpectedOverlay(grid, TileSet::Verda, 32, analysis, false)));
    d.Trigger("leadOverlayAction");
    d.Restart();
    d.LoadMap(grid, 1);
    d.Key("Ctrl+1");
    EXPECT_TRUE(d.Checked("leadOverlayAction"));

    // Plains at 3: the lead picture, the balance panel and the ruler follow the table.
    MovementCosts dear;
    dear[CostClass::Plain] = 3;
    p.DialogAnswers.push_back(EditorDriver::Answer({{"costField0", 3}}, true));
    d.Trigger("movementCostsAction");
    const FactionAnalysis dearFigures = AnalyseFactions(grid, dear, TurnOrder{});
    EXPECT_TRUE(ShowsOverlay(d, ExpectedOverlay(grid, TileSet::Verda, 32, dearFigures, true)));
    d.Key("Ctrl+R");
    d.Press(0, 0);
    d.Move(4, 4);
    EXPECT_TRUE(d.StatusText().endsWith(QStringLiteral("コスト %1（8歩）").arg(dearFigures.Distance[0][3])))
        << d.StatusText().toStdString();
    d.Release(4, 4);
    // The measure standing after the release follows the next table at once.
    p.DialogAnswers.push_back(EditorDriver::Answer({{"costField0", 1}}, true));
    d.Trigger("movementCostsAction");
    EXPECT_TRUE(d.StatusText().endsWith("  8歩")) << d.StatusText().toStdString();
}

TEST(StoredMovementRules, ThatCannotBeReadGiveWayToTheDefaultsAndAreToldOnce) {
    struct Case {
        const char* Name;
        QVariant Costs, Order;
        const char* Notice; // what the status bar's notice says; "" for none
        const char* FirstMover;
    };
    const Case cases[] = {
        {"readable", "森林 2\n台地 通行不可\n", "2,0,3,1", "", "シオネル領(白)"},
        {"hand-edited list", QVariant(), QStringList{"3", "0", "1", "2"}, "", "ヴォルグ領(黒)"},
        {"garbage table", "森林 10\n", "1,0,2,3", "設定の移動コストを読めないため、既定値を使います。", "ブレスト領(赤)"},
        {"garbage order", "森林 2\n", "0,0,1,2", "設定の手番の順を読めないため、既定値を使います。", "カルドア領(緑)"},
        {"both", QVariant(42), "x", "設定の移動コストと手番の順を読めないため、既定値を使います。", "カルドア領(緑)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EditorDriver d(EditorOptions{.Session = true});
        {
            QSettings store(QStringLiteral("Tavrenna"), QStringLiteral("Tavrenna MapEditor"));
            if (c.Costs.isValid())
                store.setValue("Analysis/MovementCosts", c.Costs);
            store.setValue("Analysis/TurnOrder", c.Order);
        }
        d.Restart();
        d.ClickButton("factionAnalysisButton");
        EXPECT_EQ(d.LabelText("turn place 0"), QString::fromUtf8(c.FirstMover));
        EXPECT_EQ(d.LabelText("status notice"), QString::fromUtf8(c.Notice));
        if (*c.Notice) {
            // Said once: a new order the user chooses is stored, and the notice goes.
            d.ClickButton("tradeTurns2Button");
            EXPECT_EQ(d.LabelText("status notice"), "");
            d.Restart();
            EXPECT_EQ(d.LabelText("status notice"), "");
        }
    }
}

} // namespace
} // namespace tav::testing
