// The tile palette (picks, drags, the blinking frame) and the preview.

#include "TestMaps.h"

namespace tav::testing {
namespace {

TEST_F(EditorUi, PaletteShowsTheTilesOfTheSetInForceOnAGreyGrid) {
    const QImage shown = d.Grab("palette picture");
    const QRgb grey = qRgb(128, 128, 128);
    for (int line = 0; line <= 8; ++line) {
        EXPECT_EQ(shown.pixel(17 * line, 100), grey) << line;
        EXPECT_EQ(shown.pixel(17 * line, 272), grey) << line;
    }
    for (int line = 0; line <= 16; ++line)
        EXPECT_EQ(shown.pixel(70, 17 * line), grey) << line;
    for (int code : {0, 19, 48, 127})
        EXPECT_TRUE(d.PaletteShows(code)) << code;
}

TEST_F(EditorUi, PalettePicksTheCellUnderTheLeftPressIncludingGridLinesAndEdges) {
    const struct {
        QPoint at;
        int code;
    } picks[] = {
        {{17, 0}, 1},    {{16, 16}, 0},   {{3 * 17 + 5, 2 * 17 + 5}, 19}, {{119, 255}, 127},
        {{136, 272}, 127}, {{137, 273}, 127}, {{-3, -3}, 0},               {{34, 17}, 10},
    };
    for (const auto& p : picks) {
        SCOPED_TRACE(::testing::Message() << p.at.x() << "," << p.at.y());
        d.PalettePressAt(p.at);
        d.PaletteReleaseAt(p.at);
        d.Blink();
        EXPECT_EQ(d.PickedTile(), p.code);
    }
    d.PickTile(19);
    d.PalettePressAt({8, 8}, Qt::RightButton); // picks nothing
    d.PaletteReleaseAt({8, 8}, Qt::RightButton);
    d.Blink();
    EXPECT_EQ(d.PickedTile(), 19);
    // The picked tile is what the pen paints.
    d.Click(4, 4);
    EXPECT_EQ(d.Cell(4, 4), 19);
}

TEST_F(EditorUi, PaletteDragPicksUnderThePointerUntilTheButtonIsReleased) {
    d.PalettePressAt({8, 8}); // the tile already picked
    d.PaletteMoveTo({2 * 17 + 3, 4 * 17 + 3});
    EXPECT_EQ(d.PickedTile(), 34);
    d.PaletteMoveTo({400, 600}); // outside: the nearest edge cell
    EXPECT_EQ(d.PickedTile(), 127);
    d.PaletteReleaseAt({400, 600});
    d.PaletteMoveTo({8, 8});
    d.Blink();
    EXPECT_EQ(d.PickedTile(), 127);
    d.DragInPalette(3, 60);
    EXPECT_EQ(d.PickedTile(), 60);
}

TEST_F(EditorUi, SelectionFrameStepsThroughTheBlinkColoursAndFollowsThePick) {
    const auto colours = d.BlinkColours();
    auto frameColour = [&] { return d.Grab("palette picture").pixel(0, 9); };
    d.Blink();
    ASSERT_EQ(d.PickedTile(), 0);
    const auto first = std::find(colours.begin(), colours.end(), frameColour()) - colours.begin();
    for (int step = 1; step <= 20; ++step) {
        d.Blink();
        EXPECT_EQ(frameColour(), colours[static_cast<std::size_t>((first + step) % 20)]) << step;
    }
    EXPECT_TRUE(d.PaletteShows(0)); // the frame leaves the tile's inside alone
    // A new pick takes the frame away from the old tile at once.
    d.PickTile(10);
    EXPECT_EQ(d.PickedTile(), 10);
    EXPECT_EQ(frameColour(), qRgb(128, 128, 128));
    EXPECT_TRUE(d.PaletteShows(0));
}

TEST_F(EditorUi, LoadedMapShowsInTheEditWindowAndThePreview) {
    EXPECT_TRUE(d.ShowsGrid(FilledGrid(NewMapTile)));
    MapGrid grid{};
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y)
            grid[CellIndex(x, y)] = static_cast<TileCode>((x * 3 + y) % 128);
    d.LoadMap(grid);
    EXPECT_TRUE(d.ShowsGrid(grid));
}

TEST_F(EditorUi, PreviewFollowsPaintsWhileMinimisedAndClosingOnlyMinimisesIt) {
    ASSERT_TRUE(d.Minimised("preview"));
    d.PickTile(33);
    d.Click(4, 4);
    d.Trigger("showPreviewAction");
    EXPECT_FALSE(d.Minimised("preview"));
    EXPECT_TRUE(d.PreviewShows(4, 4, 33));
    d.ClickPreview(4, 4); // the preview only shows
    EXPECT_EQ(d.Cell(4, 4), 33);
    d.Widget("preview")->close();
    EXPECT_TRUE(d.Minimised("preview"));
    EXPECT_TRUE(d.Visible("preview"));
}

} // namespace
} // namespace tav::testing
