// The tile palette (picks, drags, the blinking frame) and the preview's full redraw.

#include "EditorFixture.h"

namespace tav::testing {
namespace {

struct Pick {
    int x, y;
    int column, row;
};

TEST_F(EditorTest, PaletteDrawsTheGridAndTheTilesOfTheSetInForce) {
    const QImage& hidden = CharacterView->HiddenImage;
    const QRgb grey = qRgb(128, 128, 128);
    for (int line = 0; line <= 8; ++line) {
        EXPECT_EQ(hidden.pixel(17 * line, 0), grey);
        EXPECT_EQ(hidden.pixel(17 * line, 272), grey);
    }
    for (int line = 0; line <= 16; ++line)
        EXPECT_EQ(hidden.pixel(70, 17 * line), grey);
    for (int code : {0, 19, 48, 127}) {
        SCOPED_TRACE(code);
        const int left = 17 * (code % 8) + 1;
        const int top = 17 * (code / 8) + 1;
        for (int v = 0; v < 16; v += 5)
            for (int u = 0; u < 16; u += 5)
                EXPECT_EQ(hidden.pixel(left + u, top + v), TilePixel(1, code, u, v));
    }
    EXPECT_EQ(CharacterView->SelectedTileCode(), 0);
}

TEST_F(EditorTest, PalettePicksTheCellUnderThePressIncludingGridLinesAndEdges) {
    const Pick picks[] = {
        {17, 0, 1, 0},   {16, 16, 0, 0},   {3 * 17 + 5, 2 * 17 + 5, 3, 2}, {119, 255, 7, 15},
        {136, 272, 7, 15}, {137, 273, 7, 15}, {-3, -3, 0, 0},            {34, 17, 2, 1},
    };
    for (const Pick& p : picks) {
        SCOPED_TRACE(p.x * 1000 + p.y);
        CharacterView->CharSetImageMouseDown(Qt::LeftButton, p.x, p.y);
        CharacterView->CharSetImageMouseUp();
        EXPECT_EQ(CharacterView->SelectedColumn, p.column);
        EXPECT_EQ(CharacterView->SelectedRow, p.row);
        EXPECT_EQ(CharacterView->SelectedTileCode(), p.row * 8 + p.column);
    }
    // Through real mouse events: column 3 of row 2 is code 19.
    QTest::mouseClick(CharacterView->CharSetArea, Qt::LeftButton, Qt::NoModifier, QPoint(3 * 17 + 8, 2 * 17 + 8));
    EXPECT_EQ(CharacterView->SelectedTileCode(), 19);
    // A right press picks nothing.
    QTest::mouseClick(CharacterView->CharSetArea, Qt::RightButton, Qt::NoModifier, QPoint(8, 8));
    EXPECT_EQ(CharacterView->SelectedTileCode(), 19);
}

TEST_F(EditorTest, PaletteDragPicksUnderThePointerUntilAnyButtonIsReleased) {
    QWidget* area = CharacterView->CharSetArea;
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, QPoint(8, 8)); // the tile already picked
    EXPECT_EQ(CharacterView->MouseHeld, 1);
    QTest::mouseMove(area, QPoint(2 * 17 + 3, 4 * 17 + 3));
    EXPECT_EQ(CharacterView->SelectedTileCode(), 4 * 8 + 2);
    QTest::mouseMove(area, QPoint(400, 600)); // outside: the nearest edge cell
    EXPECT_EQ(CharacterView->SelectedTileCode(), 127);
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, QPoint(400, 600));
    EXPECT_EQ(CharacterView->MouseHeld, 0);
    QTest::mouseMove(area, QPoint(8, 8));
    EXPECT_EQ(CharacterView->SelectedTileCode(), 127);
}

TEST_F(EditorTest, SelectionFrameStepsThroughTheBlinkColoursOnTheVisiblePictureOnly) {
    // The frame is two rings: the tile's outer pixels and the grid lines around the cell.
    auto frameColourAt = [](int column, int row) {
        const QImage& shown = CharacterView->CharSetImage;
        const int left = 17 * column;
        const int top = 17 * row;
        const QRgb c = shown.pixel(left, top);
        for (const QPoint p : {QPoint(left + 17, top + 17), QPoint(left + 1, top + 1), QPoint(left + 16, top + 16),
                               QPoint(left + 8, top), QPoint(left + 8, top + 16), QPoint(left, top + 9)})
            if (shown.pixel(p) != c)
                return QRgb(0);
        return c;
    };
    for (int step = 1; step <= 21; ++step) {
        CharacterView->Timer1Timer();
        EXPECT_EQ(CharacterView->BlinkPhase, step % 20);
        EXPECT_EQ(frameColourAt(0, 0), BlinkColours[static_cast<std::size_t>(step % 20)]) << step;
    }
    EXPECT_EQ(CharacterView->Timer1.Interval(), 200);
    // Inside the rings the tile is untouched, and the off-screen picture never carries the frame.
    EXPECT_EQ(CharacterView->CharSetImage.pixel(3, 3), TilePixel(1, 0, 2, 2));
    EXPECT_EQ(CharacterView->HiddenImage.pixel(1, 1), TilePixel(1, 0, 0, 0));

    // A new pick erases the old frame and draws the new one in the next colour.
    const int phase = CharacterView->BlinkPhase;
    PickTile(10);
    EXPECT_TRUE(SameArea(CharacterView->CharSetImage, CharacterView->HiddenImage, QRect(0, 0, 18, 18)));
    EXPECT_EQ(frameColourAt(2, 1), BlinkColours[static_cast<std::size_t>((phase + 1) % 20)]);
}

TEST_F(EditorTest, PreviewShowsTheWholeMapAtFourPixelsPerCell) {
    // A new map: every cell shows the first tile of row 6.
    for (int x = 0; x < 48; x += 7)
        for (int y = 0; y < 48; y += 5)
            ASSERT_TRUE(CellShows(PreEditView->PreviewImage, x, y, 4, 3, 48));
    for (int x = 0; x < 48; ++x)
        for (int y = 0; y < 48; ++y)
            Doc().SetCell(x, y, static_cast<TileCode>((x * 3 + y) % 128));
    MapEditView->RedrawMap();
    const QImage expected = RenderMap(Doc().Grid, MainView->TileBitmaps.Picture(3), 4);
    EXPECT_TRUE(SameArea(PreEditView->PreviewImage, expected, QRect(0, 0, 192, 192)));
    EXPECT_TRUE(SameArea(PreEditView->HiddenPreviewImage, expected, QRect(0, 0, 192, 192)));
}

TEST_F(EditorTest, PreviewKeepsDrawingWhileMinimised) {
    ASSERT_TRUE(PreEditView->isMinimized());
    PickTile(33);
    ClickCell(4, 4);
    MainView->MenuShowPreviewClick();
    EXPECT_TRUE(CellShows(PreEditView->PreviewImage, 4, 4, 4, 3, 33));
}

} // namespace
} // namespace tav::testing
