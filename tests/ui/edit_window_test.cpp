// The edit window: the blinking cursor, the click protocol of each tool, the status text, the
// preview following each paint, cell clamping, and the size rules.

#include "EditorFixture.h"

#include <QScrollBar>

#include <set>
#include <utility>

namespace tav::testing {
namespace {

using Cell = std::pair<int, int>;

std::set<Cell> ListedCells(const ShapeCells& cells) {
    std::set<Cell> out;
    for (int i = 0; i < cells.CellCount; ++i)
        out.insert({cells.CellColumns[static_cast<std::size_t>(i)], cells.CellRows[static_cast<std::size_t>(i)]});
    return out;
}

// The preview cells whose pixels differ between two pictures.
std::set<Cell> ChangedPreviewCells(const QImage& before, const QImage& after) {
    std::set<Cell> out;
    for (int x = 0; x < 48; ++x)
        for (int y = 0; y < 48; ++y)
            if (!EditorTest::SameArea(before, after, QRect(4 * x, 4 * y, 4, 4)))
                out.insert({x, y});
    return out;
}

TEST_F(EditorTest, FirstBlinkDrawsThePenCursorAtTheOriginInColourOne) {
    MapEditView->Timer1Timer();
    EXPECT_EQ(MainView->StatusText(), QStringLiteral("X=0, Y=0"));
    EXPECT_EQ(MapEditView->BlinkPhase, 1);
    EXPECT_EQ(MapEditView->CursorErased, 0);
    EXPECT_EQ(MapEditView->Timer1.Interval(), 200);
    // At the small scale the pen cursor is a one-pixel ring along the inside of the cell.
    const QImage& shown = MapEditView->EditMapImage;
    EXPECT_EQ(shown.pixel(0, 0), BlinkColours[1]);
    EXPECT_EQ(shown.pixel(7, 7), BlinkColours[1]);
    EXPECT_EQ(shown.pixel(3, 7), BlinkColours[1]);
    EXPECT_EQ(shown.pixel(1, 1), TilePixel(2, 48, 1, 1));
    EXPECT_EQ(shown.pixel(8, 0), TilePixel(2, 48, 0, 0));
    EXPECT_TRUE(CellShows(MapEditView->HiddenMapImage, 0, 0, 8, 2, 48));
    // Twenty ticks run through the colour table once.
    for (int i = 0; i < 20; ++i)
        MapEditView->Timer1Timer();
    EXPECT_EQ(MapEditView->BlinkPhase, 1);
}

TEST_F(EditorTest, CursorRingsAreOneTwoAndThreePixelsWideAtTheThreeScales) {
    struct Case {
        void (TMainView::*command)();
        int edge;
        int rings;
    };
    const Case cases[] = {{&TMainView::SmallCharButtonClick, 8, 1},
                          {&TMainView::MiddleCharButtonClick, 16, 2},
                          {&TMainView::LargeCharButtonClick, 32, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edge);
        (MainView->*c.command)();
        MapEditView->CursorX = 2;
        MapEditView->CursorY = 1;
        MapEditView->Timer1Timer();
        const QRgb colour = BlinkColours[static_cast<std::size_t>(MapEditView->BlinkPhase)];
        const int left = 2 * c.edge;
        const int top = c.edge;
        for (int i = 0; i < c.edge / 2; ++i) {
            const QRgb diagonal = MapEditView->EditMapImage.pixel(left + i, top + i);
            if (i < c.rings)
                EXPECT_EQ(diagonal, colour) << i;
            else
                EXPECT_EQ(diagonal, MapEditView->HiddenMapImage.pixel(left + i, top + i)) << i;
        }
    }
}

TEST_F(EditorTest, PenPaintsTheCellGridPictureAndPreviewAndMarksTheMapModified) {
    PickTile(19);
    ASSERT_EQ(CharacterView->SelectedTileCode(), 19);
    const QImage previewBefore = PreEditView->PreviewImage.copy();
    ClickCell(5, 6);
    EXPECT_EQ(Doc().Cell(5, 6), 19);
    EXPECT_EQ(Doc().Modified, 1);
    EXPECT_TRUE(CellShows(MapEditView->HiddenMapImage, 5, 6, 8, 2, 19));
    EXPECT_TRUE(CellShows(PreEditView->PreviewImage, 5, 6, 4, 3, 19));
    EXPECT_EQ(ChangedPreviewCells(previewBefore, PreEditView->PreviewImage), (std::set<Cell>{{5, 6}}));
    EXPECT_EQ(MapEditView->CursorX, 5);
    EXPECT_EQ(MapEditView->CursorY, 6);
    EXPECT_EQ(MainView->StatusText(), QStringLiteral("X=5, Y=6"));
    EXPECT_EQ(MapEditView->InStroke, 0); // the release ended the stroke
}

TEST_F(EditorTest, PenSkipsTheCursorCellThatHoldsTheCodeButDraggingOnPaints) {
    PickTile(5);
    ClickCell(0, 0);
    ASSERT_EQ(Doc().Cell(0, 0), 5);
    Doc().Modified = 0;
    MapEditView->Timer1.SetInterval(0);
    PressCell(0, 0);
    EXPECT_EQ(Doc().Modified, 0);
    EXPECT_EQ(MapEditView->Timer1.Interval(), 0); // nothing happened, not even a cursor redraw
    EXPECT_EQ(MapEditView->InStroke, 1);          // but the stroke is armed
    MoveToCell(1, 0);
    MoveToCell(2, 0);
    EXPECT_EQ(Doc().Cell(1, 0), 5);
    EXPECT_EQ(Doc().Cell(2, 0), 5);
    EXPECT_EQ(Doc().Modified, 1);
    ReleaseCell(2, 0);
    MoveToCell(3, 0);
    EXPECT_EQ(Doc().Cell(3, 0), 48);
    EXPECT_EQ(MainView->StatusText(), QStringLiteral("X=3, Y=0"));
}

TEST_F(EditorTest, TwoPointToolsAnchorOnTheFirstClickAndPaintOnTheSecond) {
    PickTile(7);
    MainView->MenuLineClick();
    ClickCell(3, 4);
    EXPECT_EQ(MapEditView->AnchorX, 3);
    EXPECT_EQ(MapEditView->AnchorY, 4);
    EXPECT_EQ(Doc().Modified, 0);
    MoveToCell(10, 4);
    EXPECT_EQ(MainView->StatusText(), QStringLiteral("X1=3, Y1=4, X2=10, Y2=4"));
    // The shape cursor fills every cell of the line with the blink colour, on the visible picture only.
    const QRgb colour = BlinkColours[static_cast<std::size_t>(MapEditView->BlinkPhase)];
    for (int x = 3; x <= 10; ++x)
        EXPECT_EQ(MapEditView->EditMapImage.pixel(x * 8 + 4, 4 * 8 + 4), colour) << x;
    EXPECT_TRUE(CellShows(MapEditView->HiddenMapImage, 6, 4, 8, 2, 48));

    const QImage previewBefore = PreEditView->PreviewImage.copy();
    ShapeCells line;
    ComputeShape(line, Line, 3, 4, 10, 4);
    ClickCell(10, 4);
    for (int x = 0; x < 48; ++x)
        EXPECT_EQ(Doc().Cell(x, 4), (x >= 3 && x <= 10) ? 7 : 48) << x;
    EXPECT_EQ(MapEditView->AnchorX, -1);
    EXPECT_EQ(Doc().Modified, 1);
    EXPECT_EQ(MainView->StatusText(), QStringLiteral("X=10, Y=4"));
    EXPECT_EQ(ChangedPreviewCells(previewBefore, PreEditView->PreviewImage), ListedCells(line));
    EXPECT_EQ(ListedCells(line).size(), 8u);
}

TEST_F(EditorTest, PreviewChangesExactlyInTheListedCellsOfEachOutlineTool) {
    struct Case {
        void (TMainView::*command)();
        int tool;
        Cell from, to;
    };
    const Case cases[] = {{&TMainView::MenuPenClick, Pen, {9, 9}, {9, 9}},
                          {&TMainView::MenuLineClick, Line, {0, 0}, {5, 2}},
                          {&TMainView::MenuBoxClick, Box, {10, 10}, {20, 15}},
                          {&TMainView::MenuCircleClick, Circle, {30, 30}, {40, 38}}};
    PickTile(100);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from.first);
        (MainView->*c.command)();
        const QImage before = PreEditView->PreviewImage.copy();
        ShapeCells painted;
        if (c.tool == Pen) {
            ComputeShape(painted, Pen, -1, -1, c.from.first, c.from.second);
            ClickCell(c.from.first, c.from.second);
        } else {
            ComputeShape(painted, c.tool, c.from.first, c.from.second, c.to.first, c.to.second);
            ClickCell(c.from.first, c.from.second);
            ClickCell(c.to.first, c.to.second);
        }
        // After the paint the list holds the new cursor's cells; the painted ones are the tool's shape.
        const std::set<Cell> listed = ListedCells(painted);
        EXPECT_FALSE(listed.empty());
        EXPECT_EQ(ChangedPreviewCells(before, PreEditView->PreviewImage), listed);
        for (const Cell& cell : listed)
            EXPECT_EQ(Doc().Cell(cell.first, cell.second), 100);
    }
}

TEST_F(EditorTest, FillToolsRedrawTheWholeMapAndThePreview) {
    PickTile(3);
    MainView->MenuBucketClick();
    ClickCell(20, 20);
    EXPECT_EQ(Doc().Grid, MapDocument::FilledGrid(3));
    const QImage expectedPreview = RenderMap(Doc().Grid, MainView->TileBitmaps.Picture(3), 4);
    EXPECT_TRUE(SameArea(PreEditView->PreviewImage, expectedPreview, QRect(0, 0, 192, 192)));
    const QImage expectedMap = RenderMap(Doc().Grid, MainView->TileBitmaps.Picture(2), 8);
    EXPECT_TRUE(SameArea(MapEditView->HiddenMapImage, expectedMap, QRect(0, 0, 384, 384)));

    PickTile(9);
    MainView->MenuBoxFillClick();
    ClickCell(2, 2);
    ClickCell(6, 5);
    for (int x = 0; x < 48; ++x)
        for (int y = 0; y < 48; ++y)
            ASSERT_EQ(Doc().Cell(x, y), (x >= 2 && x <= 6 && y >= 2 && y <= 5) ? 9 : 3) << x << "," << y;
    const QImage redrawn = RenderMap(Doc().Grid, MainView->TileBitmaps.Picture(3), 4);
    EXPECT_TRUE(SameArea(PreEditView->PreviewImage, redrawn, QRect(0, 0, 192, 192)));
}

TEST_F(EditorTest, ClickingOneCellTwiceWithATwoPointToolPaintsThatCell) {
    PickTile(12);
    MainView->MenuCircleClick();
    ClickCell(8, 8);
    ClickCell(8, 8);
    int painted = 0;
    for (TileCode c : Doc().Grid)
        painted += c == 12;
    EXPECT_EQ(painted, 1);
    EXPECT_EQ(Doc().Cell(8, 8), 12);
}

TEST_F(EditorTest, RightClickCancelsTheAnchorAndTheNextLeftClickAnchorsAgain) {
    MainView->MenuBoxClick();
    ClickCell(3, 3);
    MoveToCell(7, 6);
    ASSERT_EQ(MapEditView->AnchorX, 3);
    ClickCell(7, 6, Qt::RightButton);
    EXPECT_EQ(MapEditView->AnchorX, -1);
    EXPECT_EQ(MapEditView->AnchorY, -1);
    EXPECT_EQ(MapEditView->InStroke, 0);
    EXPECT_TRUE(MapPictureIsClean()); // the box cursor is gone until the next tick
    ClickCell(9, 9);
    EXPECT_EQ(MapEditView->AnchorX, 9);
    EXPECT_EQ(MapEditView->AnchorY, 9);
    EXPECT_EQ(Doc().Modified, 0);
    // A middle press does nothing at all.
    ClickCell(1, 1, Qt::MiddleButton);
    EXPECT_EQ(MapEditView->AnchorX, 9);
}

TEST_F(EditorTest, ToolSwitchErasesTheOldShapeCursorAndDropsTheAnchor) {
    MainView->MenuBoxClick();
    ClickCell(2, 2);
    MoveToCell(6, 5);
    ASSERT_FALSE(MapPictureIsClean());
    // Choosing the tool in force changes nothing.
    MainView->MenuBoxClick();
    EXPECT_FALSE(MapPictureIsClean());
    EXPECT_EQ(MapEditView->AnchorX, 2);

    MainView->MenuLineClick();
    EXPECT_TRUE(MapPictureIsClean());
    EXPECT_EQ(MapEditView->AnchorX, -1);
    EXPECT_EQ(MapEditView->InStroke, 0);
    EXPECT_EQ(MapEditView->CursorErased, 1);
    EXPECT_EQ(MapEditView->Timer1.Interval(), 200);
}

TEST_F(EditorTest, PixelsBecomeCellsClampedAtTheEdgesOfEachScale) {
    struct Case {
        int scale;
        int px, py;
        Cell cell;
    };
    const Case cases[] = {
        {Small, 0, 0, {0, 0}},      {Small, 383, 383, {47, 47}}, {Small, 384, 900, {47, 47}},
        {Small, -1, -50, {0, 0}},   {Small, 8, 15, {1, 1}},      {Middle, 767, 16, {47, 1}},
        {Middle, 768, 15, {47, 0}}, {Large, 31, 32, {0, 1}},     {Large, 1535, 1600, {47, 47}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.px * 10000 + c.py);
        Doc().EditScale = c.scale;
        const QPoint cell = MapEditView->CellAtPixel(c.px, c.py);
        EXPECT_EQ(Cell(cell.x(), cell.y()), c.cell);
    }
    // A drag that leaves the picture keeps painting the edge cell.
    Doc().EditScale = Small;
    PickTile(2);
    PressCell(46, 10);
    QTest::mouseMove(MapEditView->EditArea, QPoint(700, 10 * 8 + 4));
    EXPECT_EQ(MapEditView->CursorX, 47);
    EXPECT_EQ(Doc().Cell(47, 10), 2);
}

TEST(EditSize, ComputeEditSizeFitsTheMapBesideThePalette) {
    struct Case {
        EditSizeInputs in;
        QSize expected;
    };
    const Case cases[] = {
        {{8, 792, 552, 146, 19, 30}, {384, 384}},
        {{16, 792, 552, 146, 19, 30}, {608, 448}},
        {{32, 792, 552, 146, 19, 30}, {608, 448}},
        {{32, 1800, 552, 146, 19, 30}, {1536, 448}},  // width not reduced: +16 adds no row at 32
        {{16, 1800, 552, 146, 19, 30}, {768, 464}},   // one row more at 16
        {{8, 792, 472, 146, 19, 30}, {384, 392}},     // A = 376: two rows more, 8 below the map
        {{8, 792, 479, 146, 19, 30}, {384, 392}},     // A = 383
        {{8, 792, 480, 146, 19, 30}, {384, 384}},     // A = 384: the whole map fits
        {{8, 500, 472, 146, 19, 30}, {320, 376}},     // width reduced: no extra rows
        {{32, 1800, 2000, 146, 19, 30}, {1536, 1536}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in.Edge * 100000 + c.in.MainClientWidth * 10 + c.in.MainClientHeight);
        EXPECT_EQ(ComputeEditSize(c.in), c.expected);
    }
}

TEST(EditSize, ResizeRuleSnapsToWholeCellsUnderTheMaximum) {
    struct Case {
        QSize requested, maximum;
        int edge;
        QSize expected;
    };
    const Case cases[] = {
        {{500, 300}, {608, 448}, 32, {480, 288}},
        {{700, 500}, {608, 448}, 32, {608, 448}},
        {{383, 100}, {384, 392}, 8, {376, 96}},
        {{608, 447}, {608, 448}, 16, {608, 432}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SnapEditClientSize(c.requested, c.maximum, c.edge), c.expected);
}

TEST_F(EditorTest, LayoutSizesTheWindowInWholeCellsAndPlacesThePaletteBesideIt) {
    const int paletteWidth = CharacterView->width();
    struct Case {
        void (TMainView::*command)();
        QSize client;
        bool hbar, vbar;
    };
    const Case cases[] = {
        {&TMainView::LargeCharButtonClick, {608, 448}, true, true},
        {&TMainView::MiddleCharButtonClick, {608, 448}, true, true},
        {&TMainView::SmallCharButtonClick, {384, 384}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.client.width());
        (MainView->*c.command)();
        EXPECT_EQ(MapEditView->MaxClientWidth, c.client.width());
        EXPECT_EQ(MapEditView->MaxClientHeight, c.client.height());
        EXPECT_EQ(MapEditView->EditClientSize(), c.client);
        EXPECT_EQ(MapEditView->HorzScrollBarShown(), c.hbar);
        EXPECT_EQ(MapEditView->VertScrollBarShown(), c.vbar);
        EXPECT_EQ(MapEditView->pos(), QPoint(0, 0));
        EXPECT_EQ(CharacterView->pos(), QPoint(c.client.width() + 8 + (c.vbar ? 16 : 0), 0));
        EXPECT_EQ(CharacterView->width(), paletteWidth);
    }
}

TEST_F(EditorTest, ResizingTheEditWindowSnapsItsClientAndItCannotBeMoved) {
    MainView->LargeCharButtonClick();
    const QSize frame = MapEditView->size() - MapEditView->EditClientSize();
    MapEditView->resize(QSize(500, 300) + frame);
    EXPECT_EQ(MapEditView->EditClientSize(), QSize(480, 288));
    EXPECT_TRUE(MapEditView->HorzScrollBarShown());
    EXPECT_TRUE(MapEditView->VertScrollBarShown());
    EXPECT_EQ(MapEditView->HorzScrollBar->singleStep(), 32);
    MapEditView->resize(QSize(2000, 2000));
    EXPECT_EQ(MapEditView->EditClientSize(), QSize(608, 448));

    MapEditView->move(50, 40);
    EXPECT_EQ(MapEditView->pos(), QPoint(0, 0));

    // Scrolling shows the picture further on, and the mouse still lands on the right cell.
    MapEditView->VertScrollBar->setValue(320);
    EXPECT_EQ(MapEditView->EditArea->Offset(), QPoint(0, 320));
    PickTile(4);
    MainView->MenuPenClick();
    ClickCell(2, 20);
    EXPECT_EQ(Doc().Cell(2, 20), 4);
}

} // namespace
} // namespace tav::testing
