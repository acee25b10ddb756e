// Tile-set and edit-scale switching.

#include "TestMaps.h"
#include "TileRender.h"
#include "TileSets.h"

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

// The edit window keeps its map picture up to date by parts: the cells an edit names, the tile set's pictures
// converted from what was read at the set's first use, a picture buffer kept across scales. Whatever path
// drew it, the picture must be pixel for pixel the whole map drawn from the set's freshly read files, for
// every set at every scale, after the first switch to a set and after later ones, growing and shrinking.
TEST_F(EditorUi, MapPictureMatchesAWholeRedrawFromTheFilesAfterEveryKindOfRedraw) {
    // Mostly one terrain with scattered tiles and codes without a tile, so that a shift changes some cells only.
    std::mt19937 random(26);
    MapGrid grid = FilledGrid(NewMapTile);
    for (TileCode& cell : grid)
        if (random() % 6 == 0)
            cell = static_cast<TileCode>(random() % 256);
    d.LoadMap(grid, 1);
    auto fromFiles = [](int set, int edge) {
        const QString name = PictureName(TileSetNumbered(set).value(), TileEdgeOfPixels(edge).value());
        return QImage(QStringLiteral(":/tiles/%1.png").arg(name)).convertToFormat(QImage::Format_RGB32);
    };
    const struct {
        const char* EdgeAction;
        int Edge;
    } scales[] = {{"edge8Action", 8}, {"edge32Action", 32}, {"edge16Action", 16}, {"edge8Action", 8}};
    for (const auto& scale : scales) {
        d.Trigger(scale.EdgeAction);
        for (const TileSetInfo& set : TileSets) {
            const int number = TileSetNumber(set.Set);
            SCOPED_TRACE(::testing::Message() << "set " << number << " at " << scale.Edge << " px");
            d.Trigger(set.ActionName);
            ASSERT_EQ(d.TileSet(), number);
            ASSERT_EQ(d.EditEdge(), scale.Edge);
            EXPECT_EQ(d.EditWindowMap(), RenderMap(d.Grid(), fromFiles(number, scale.Edge), scale.Edge));
            d.Key("Shift+Right"); // a shift: the cells it changed
            d.Key("Ctrl+F");      // shaping: the cells it changed
            EXPECT_NE(d.Grid(), grid);
            EXPECT_EQ(d.EditWindowMap(), RenderMap(d.Grid(), fromFiles(number, scale.Edge), scale.Edge));
            EXPECT_TRUE(d.ShowsGrid(d.Grid()));
            d.Key("Ctrl+Z");
            d.Key("Ctrl+Z");
            ASSERT_EQ(d.Grid(), grid);
            EXPECT_EQ(d.EditWindowMap(), RenderMap(grid, fromFiles(number, scale.Edge), scale.Edge));
        }
    }
}

} // namespace
} // namespace tav::testing
