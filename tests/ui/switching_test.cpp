// Tile-set and edit-scale switching.

#include "TestMaps.h"

namespace tav::testing {
namespace {

TEST_F(EditorUi, SetSwitchRedrawsEveryViewInTheNewSetAndKeepsCodesAndPick) {
    MapGrid grid = FilledGrid(NewMapTile);
    for (int x = 0; x < MapSize; ++x)
        grid[CellIndex(x, 0)] = static_cast<TileCode>(x);
    d.LoadMap(grid);
    d.PickTile(27);
    d.ClickButton("lineButton");
    d.Click(5, 5); // a half-made line

    d.Key("Alt+3");

    EXPECT_EQ(d.TileSet(), 3);
    EXPECT_EQ(d.Grid(), grid);
    EXPECT_TRUE(d.Checked("tileSet3Action"));
    EXPECT_FALSE(d.Checked("tileSet1Action"));
    EXPECT_TRUE(d.ShowsGrid(grid)); // in set 3's artwork
    EXPECT_TRUE(d.PaletteShows(27));
    d.Blink();
    EXPECT_EQ(d.PickedTile(), 27);
    EXPECT_EQ(d.StatusText(), QStringLiteral("X=5, Y=5")); // the line was dropped
}

TEST_F(EditorUi, ChoosingTheSetInForceKeepsTheHalfMadeShape) {
    d.ClickButton("boxButton");
    d.Click(4, 4);
    d.Move(8, 8);
    d.Trigger("tileSet1Action");
    EXPECT_TRUE(d.Checked("tileSet1Action"));
    EXPECT_FALSE(d.Shows(4, 4, NewMapTile)); // the box cursor is still on screen
    d.Blink();
    EXPECT_EQ(d.StatusText(), QStringLiteral("X1=4, Y1=4, X2=8, Y2=8"));
}

TEST_F(EditorUi, ScaleSwitchCancelsTheShapeRedrawsAndLaysOutInWholeCells) {
    const struct {
        const char* key;
        const char* button;
        int edge;
    } cases[] = {
        {"Ctrl+3", "edge8Button", 8}, // the scale in force
        {"Ctrl+1", "edge32Button", 32},
        {"Ctrl+2", "edge16Button", 16},
        {"Ctrl+3", "edge8Button", 8},
    };
    d.PickTile(60);
    d.Click(1, 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        d.ClickButton("lineButton");
        d.Click(1, 1);
        d.Move(4, 1);
        d.Key(c.key);
        EXPECT_EQ(d.EditEdge(), c.edge);
        EXPECT_TRUE(d.Checked(QString::fromLatin1(c.button)));
        EXPECT_TRUE(d.Shows(2, 1, NewMapTile)) << "the line cursor is gone";
        EXPECT_TRUE(d.Shows(1, 1, 60));
        EXPECT_TRUE(d.ShowsGrid(d.Grid()));
        EXPECT_EQ(d.Geometry("map picture").width() % c.edge, 0);
        EXPECT_EQ(d.Geometry("map picture").height() % c.edge, 0);
        d.Blink();
        EXPECT_EQ(d.StatusText(), QStringLiteral("X=4, Y=1"));
    }
}

} // namespace
} // namespace tav::testing
