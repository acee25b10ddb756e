// The faction analysis window: the 勢力分析 button brings it up with what the analysis of the map finds (the
// golden maps' figures in the table, the missing castles, the summary and the tinted picture), and it
// follows every paint and the next map.

#include "../core/FactionGoldenMaps.h"
#include "TestMaps.h"

#include "TerritoryTint.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "TileSets.h"

#include <functional>
#include <set>

namespace tav::testing {
namespace {

QImage ExpectedPicture(const MapGrid& grid, TileSet tileSet) {
    TileBitmaps bitmaps;
    bitmaps.LoadTileSetBitmaps(tileSet);
    const QImage map = RenderMap(grid, bitmaps.Picture(PreviewTileEdge), Pixels(PreviewTileEdge));
    return TerritoryPicture(AnalyseFactions(grid), tileSet, map, true).convertToFormat(QImage::Format_RGB32);
}

TEST_F(EditorUi, FactionWindowShowsEachMapsFiguresAndFollowsPaintsAndTheNextMap) {
    const MapGrid walls = golden::LoadGoldenMap("walls_and_gates").Grid;
    d.LoadMap(walls, 1);
    ASSERT_FALSE(d.Visible("faction window"));
    d.ClickButton("factionAnalysisButton");
    ASSERT_TRUE(d.Visible("faction window"));
    // Castles, houses, fields, territory, in territory; by turn, safe, threatened, lost, margin, front, room;
    // the cost to each faction's castle. The four contested cells go to the first mover by turn, and with
    // them the second faction's house, which the first reaches at the same cost.
    EXPECT_EQ(d.TableRow("faction table", 0),
              QStringList({"カルドア領(緑)", "(1,1)", "1", "1", "9", "1", "13", "1", "0", "1", "-2", "4", "18", "—",
                           "10", "—", "—"}));
    EXPECT_EQ(d.TableRow("faction table", 1),
              QStringList({"ブレスト領(赤)", "(7,1)", "1", "0", "9", "0", "9", "0", "0", "1", "0", "4", "18", "10",
                           "—", "—", "—"}));
    EXPECT_EQ(d.TableRow("faction table", 2),
              QStringList({"シオネル領(白)", "なし", "0", "0", "0", "0", "0", "0", "0", "0", "—", "0", "—", "—", "—",
                           "—", "—"}));
    // The spreads: largest minus smallest over the factions that have the figure.
    EXPECT_EQ(d.TableRow("faction table", 4),
              QStringList({"差", "", "1", "1", "9", "1", "13", "1", "0", "1", "2", "4", "0", "0", "0", "—", "—"}));
    EXPECT_EQ(d.TableCellColour("faction table", 1, 0), FactionColour(TileSet::Verda, 1));
    EXPECT_EQ(d.TableHeaders("faction table").last(), "ヴォルグ領(黒)まで");
    EXPECT_TRUE(d.Visible("missing castles"));
    EXPECT_EQ(d.LabelText("missing castles"), "シオネル領(白)の城がありません。\nヴォルグ領(黒)の城がありません。");
    EXPECT_TRUE(d.LabelText("faction summary").startsWith("係争地：4　到達不能：0　バランス（最大÷最小の領土）：—"))
        << d.LabelText("faction summary").toStdString();
    EXPECT_EQ(d.LabelPicture("territory picture"), ExpectedPicture(walls, TileSet::Verda));

    // A castle of the third faction painted into the water.
    d.PickTile(22);
    d.Click(20, 20);
    ASSERT_EQ(d.Cell(20, 20), 22);
    EXPECT_EQ(d.TableRow("faction table", 2).mid(0, 2), QStringList({"シオネル領(白)", "(20,20)"}));
    EXPECT_EQ(d.LabelText("missing castles"), "ヴォルグ領(黒)の城がありません。");
    EXPECT_EQ(d.LabelPicture("territory picture"), ExpectedPicture(d.Grid(), TileSet::Verda));

    // The next map replaces everything: another tile set's names, all four castles, a balance.
    const MapGrid tie = golden::LoadGoldenMap("tie_line").Grid;
    d.LoadMap(tie, 7);
    EXPECT_EQ(d.TableRow("faction table", 3),
              QStringList({"ウミネコ港(黒)", "(4,4)", "0", "0", "4", "0", "4", "0", "0", "0", "—", "3", "0", "8", "4",
                           "4", "—"}));
    EXPECT_FALSE(d.Visible("missing castles"));
    EXPECT_EQ(d.LabelText("faction summary"), "係争地：9　到達不能：0　バランス（最大÷最小の領土）：1.000");
    EXPECT_EQ(d.LabelPicture("territory picture"), ExpectedPicture(tie, TileSet::Orcana));
}

// Mended: closed by its ×, the window came back as an empty grey frame for the rest of the run, by the
// button and the Window menu alike, whatever was painted.
TEST_F(EditorUi, FactionWindowClosedByItsCrossComesBackWithTheFiguresOfTheMapAsItIsNow) {
    d.LoadMap(golden::LoadGoldenMap("walls_and_gates").Grid, 1);
    const struct {
        const char* name;
        std::function<void()> show;
        int castle; // painted while the window is closed
        QPoint cell;
        int row;
    } cases[] = {
        {"button", [&] { d.ClickButton("factionAnalysisButton"); }, 22, {20, 20}, 2},
        {"Window menu", [&] { d.Trigger("showFactionAnalysisAction"); }, 23, {30, 30}, 3},
    };
    d.ClickButton("factionAnalysisButton");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        d.Widget("faction window")->close();
        ASSERT_FALSE(d.Visible("faction window"));
        d.PickTile(c.castle);
        d.Click(c.cell.x(), c.cell.y());
        c.show();
        ASSERT_TRUE(d.Visible("faction window"));
        EXPECT_TRUE(d.Visible("faction table"));
        EXPECT_TRUE(d.Visible("territory picture"));
        EXPECT_EQ(d.TableRow("faction table", c.row).at(1), QStringLiteral("(%1,%2)").arg(c.cell.x()).arg(c.cell.y()));
        EXPECT_EQ(d.LabelPicture("territory picture"), ExpectedPicture(d.Grid(), TileSet::Verda));
    }
}

// The rows and the picture tell the factions apart by colour: no two factions of a set share one, and none
// takes the contested or unreachable tint.
TEST(FactionColours, EveryFactionOfEverySetHasAColourOfItsOwn) {
    for (TileSet tileSet : AllTileSets) {
        std::set<QRgb> colours;
        for (int f = 0; f < FactionCount; ++f)
            colours.insert(FactionColour(tileSet, f));
        EXPECT_EQ(colours.size(), 4u) << TileSetNumber(tileSet);
        EXPECT_FALSE(colours.count(ContestedTint) || colours.count(UnreachableTint)) << TileSetNumber(tileSet);
    }
}

} // namespace
} // namespace tav::testing
