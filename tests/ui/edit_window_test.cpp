// The edit window: the blinking cursor, the click protocol of each tool, the status text, the preview
// following each paint, cells clamped at the edges, and the size rules.

#include "DrawTools.h"
#include "TestMaps.h"

#include <QScrollBar>

#include <set>
#include <utility>

namespace tav::testing {
namespace {

using Cells = std::set<std::pair<int, int>>;

Cells Listed(const ShapeCells& cells) {
    Cells out;
    for (int i = 0; i < cells.CellCount; ++i)
        out.insert(
            {cells.CellColumns[static_cast<std::size_t>(i)], cells.CellRows[static_cast<std::size_t>(i)]});
    return out;
}

Cells ChangedCells(const MapGrid& before, const MapGrid& after) {
    Cells out;
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y)
            if (before[CellIndex(x, y)] != after[CellIndex(x, y)])
                out.insert({x, y});
    return out;
}

// The preview cells whose 4-pixel squares differ between two grabs.
Cells ChangedPreviewCells(const QImage& before, const QImage& after) {
    Cells out;
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y)
            if (before.copy(4 * x, 4 * y, 4, 4) != after.copy(4 * x, 4 * y, 4, 4))
                out.insert({x, y});
    return out;
}

TEST_F(EditorUi, PenCursorIsARingOneTwoOrThreePixelsWideThatStepsThroughTheBlinkColours) {
    const struct {
        const char* key;
        int rings;
    } cases[] = {{"Ctrl+3", 1}, {"Ctrl+2", 2}, {"Ctrl+1", 3}};
    const auto colours = d.BlinkColours();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        d.Key(c.key);
        d.Move(2, 1);
        d.Blink();
        EXPECT_EQ(d.StatusText(), QStringLiteral("X=2, Y=1"));
        const int e = d.EditEdge();
        const QRgb colour = d.ShownPixel(2, 1, 0, 0);
        ASSERT_TRUE(d.IsBlinkColour(colour));
        for (int i = 0; i < e / 2; ++i)
            EXPECT_EQ(d.ShownPixel(2, 1, i, i), i < c.rings ? colour : d.TilePixel(NewMapTile, e, i, i)) << i;
        EXPECT_EQ(d.ShownPixel(2, 1, e - 1, e / 2), colour);
        EXPECT_EQ(d.ShownPixel(3, 1, 0, 0), d.TilePixel(NewMapTile, e, 0, 0));
        // Each tick shows the next colour of the table; twenty ticks come back to it.
        const auto next = colours[static_cast<std::size_t>((std::find(colours.begin(), colours.end(), colour) -
                                                            colours.begin() + 1) % 20)];
        d.Blink();
        EXPECT_EQ(d.ShownPixel(2, 1, 0, 0), next);
        d.Blink(20);
        EXPECT_EQ(d.ShownPixel(2, 1, 0, 0), next);
    }
}

TEST_F(EditorUi, EachToolPaintsExactlyItsCellsInTheMapAndBothViewsAndIsMarkedInBarAndMenu) {
    const struct {
        const char* tool;
        DrawTool kind;
        QPoint from, to; // a cell tool clicks `to` only
    } cases[] = {{"pen", DrawTool::Pen, {-1, -1}, {9, 9}},         {"line", DrawTool::Line, {0, 0}, {5, 2}},
                 {"box", DrawTool::Box, {10, 10}, {20, 15}},        {"circle", DrawTool::Circle, {30, 30}, {40, 38}},
                 {"circle", DrawTool::Circle, {8, 8}, {8, 8}},      {"boxFill", DrawTool::BoxFill, {2, 30}, {6, 33}},
                 {"bucket", DrawTool::Bucket, {-1, -1}, {20, 20}}};
    d.PickTile(100);
    bool byMenu = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tool);
        const QString button = QString::fromLatin1(c.tool) + QStringLiteral("Button");
        const QString item = QString::fromLatin1(c.tool) + QStringLiteral("Action");
        if ((byMenu = !byMenu))
            d.Trigger(item);
        else
            d.ClickButton(button);
        EXPECT_TRUE(d.Checked(button) && d.Checked(item));
        d.LoadMap(FilledGrid(NewMapTile));
        const QImage previewBefore = d.Grab("preview picture");
        if (c.from.x() >= 0)
            d.Click(c.from.x(), c.from.y());
        d.Click(c.to.x(), c.to.y());
        Cells painted;
        for (int x = 0; x < MapSize; ++x) // the fills: every cell of the box, every cell of the empty map
            for (int y = 0; y < MapSize; ++y)
                if (c.kind == DrawTool::Bucket || (c.kind == DrawTool::BoxFill && QRect(c.from, c.to).contains(x, y)))
                    painted.insert({x, y});
        if (c.kind != DrawTool::Bucket && c.kind != DrawTool::BoxFill) {
            ShapeCells shape;
            ComputeShape(shape, c.kind, c.from.x(), c.from.y(), c.to.x(), c.to.y());
            painted = Listed(shape);
        }
        EXPECT_EQ(ChangedCells(FilledGrid(NewMapTile), d.Grid()), painted);
        for (const auto& [x, y] : painted)
            EXPECT_EQ(d.Cell(x, y), 100);
        EXPECT_EQ(ChangedPreviewCells(previewBefore, d.Grab("preview picture")), painted);
        EXPECT_TRUE(d.ShowsGrid(d.Grid()));
        EXPECT_TRUE(d.Modified());
        EXPECT_EQ(d.StatusText(), QStringLiteral("X=%1, Y=%2").arg(c.to.x()).arg(c.to.y()));
    }
}

TEST_F(EditorUi, TwoPointToolAnchorsOnTheFirstClickAndShowsItsShapeAsTheCursor) {
    d.PickTile(7);
    d.ClickButton("lineButton");
    d.Click(3, 4);
    EXPECT_FALSE(d.Modified());
    EXPECT_EQ(d.Grid(), FilledGrid(NewMapTile));
    d.Move(10, 4);
    EXPECT_EQ(d.StatusText(), QStringLiteral("X1=3, Y1=4, X2=10, Y2=4"));
    // The cursor fills every cell of the line with one blink colour; the cells around keep their tile.
    const QRgb colour = d.ShownPixel(3, 4, 4, 4);
    EXPECT_TRUE(d.IsBlinkColour(colour));
    for (int x = 3; x <= 10; ++x)
        EXPECT_EQ(d.ShownPixel(x, 4, 4, 4), colour) << x;
    EXPECT_TRUE(d.Shows(11, 4, NewMapTile));
    EXPECT_TRUE(d.Shows(6, 5, NewMapTile));
}

TEST_F(EditorUi, PenSkipsTheCursorCellThatHoldsTheCodeButDraggingOnPaints) {
    MapGrid grid = FilledGrid(NewMapTile);
    grid[CellIndex(0, 0)] = 5;
    d.LoadMap(grid);
    d.PickTile(5);
    d.Move(0, 0);
    d.Blink();
    const QImage before = d.Grab("map picture");
    d.Press(0, 0);
    EXPECT_FALSE(d.Modified());
    EXPECT_EQ(d.Grab("map picture"), before); // nothing happened, not even a cursor redraw
    d.Move(1, 0);
    d.Move(2, 0);
    EXPECT_EQ(d.Cell(1, 0), 5);
    EXPECT_EQ(d.Cell(2, 0), 5);
    EXPECT_TRUE(d.Modified());
    d.Release(2, 0);
    d.Move(3, 0);
    EXPECT_EQ(d.Cell(3, 0), NewMapTile);
    EXPECT_EQ(d.StatusText(), QStringLiteral("X=3, Y=0"));
}

TEST_F(EditorUi, RightClickCancelsTheAnchorAndMiddleClickDoesNothing) {
    d.ClickButton("boxButton");
    d.Click(3, 3);
    d.Move(7, 6);
    d.Click(7, 6, Qt::RightButton);
    for (int x = 3; x < 7; ++x)
        EXPECT_TRUE(d.Shows(x, 3, NewMapTile)) << "the box cursor is gone";
    d.Blink();
    EXPECT_EQ(d.StatusText(), QStringLiteral("X=7, Y=6"));
    d.Click(9, 9); // anchors again
    d.Click(1, 1, Qt::MiddleButton);
    d.Blink();
    EXPECT_EQ(d.StatusText(), QStringLiteral("X1=9, Y1=9, X2=9, Y2=9"));
    EXPECT_FALSE(d.Modified());
}

TEST_F(EditorUi, ToolSwitchErasesTheOldShapeCursorAndDropsTheAnchor) {
    d.ClickButton("boxButton");
    d.Click(2, 2);
    d.Move(6, 5);
    ASSERT_FALSE(d.Shows(2, 2, NewMapTile));
    d.ClickButton("boxButton"); // the tool in force: nothing changes
    EXPECT_FALSE(d.Shows(2, 2, NewMapTile));
    d.Trigger("lineAction");
    for (int x = 2; x <= 6; ++x)
        for (int y = 2; y <= 5; ++y)
            if (x != 6 || y != 5) { // the new tool's cursor may stand on the mouse's cell
                EXPECT_TRUE(d.Shows(x, y, NewMapTile)) << x << "," << y;
            }
    d.Blink();
    EXPECT_EQ(d.StatusText(), QStringLiteral("X=6, Y=5"));
}

TEST_F(EditorUi, PixelsBecomeCellsClampedAtTheEdgesOfEachScale) {
    const struct {
        const char* key;
        QPoint pixel; // of the whole map picture at the scale
        QPoint cell;
    } cases[] = {
        {"Ctrl+3", {0, 0}, {0, 0}},      {"Ctrl+3", {383, 383}, {47, 47}}, {"Ctrl+3", {384, 900}, {47, 47}},
        {"Ctrl+3", {-1, -50}, {0, 0}},   {"Ctrl+3", {8, 15}, {1, 1}},      {"Ctrl+2", {767, 16}, {47, 1}},
        {"Ctrl+2", {768, 15}, {47, 0}},  {"Ctrl+1", {31, 32}, {0, 1}},     {"Ctrl+1", {1535, 1600}, {47, 47}},
    };
    d.PickTile(2);
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.key << " " << c.pixel.x() << "," << c.pixel.y());
        d.Key(c.key);
        d.LoadMap(FilledGrid(NewMapTile));
        d.PressAt(c.pixel + d.CellOrigin(0, 0));
        d.ReleaseAt(c.pixel + d.CellOrigin(0, 0));
        EXPECT_EQ(ChangedCells(FilledGrid(NewMapTile), d.Grid()),
                  (Cells{{c.cell.x(), c.cell.y()}}));
    }
    // A drag that leaves the picture keeps painting the edge cell.
    d.Key("Ctrl+3");
    d.Press(46, 10);
    d.MoveTo(QPoint(700, 10 * 8 + 4));
    EXPECT_EQ(d.Cell(47, 10), 2);
}

TEST_F(EditorUi, LayoutSizesTheWindowInWholeCellsAndPlacesThePaletteBesideIt) {
    const int paletteWidth = d.Geometry("palette").width();
    const struct {
        const char* key;
        QSize client;
        bool bars;
    } cases[] = {{"Ctrl+1", {608, 448}, true}, {"Ctrl+2", {608, 448}, true}, {"Ctrl+3", {384, 384}, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        d.Key(c.key);
        EXPECT_EQ(d.Geometry("map picture").size(), c.client);
        EXPECT_EQ(!d.ScrollBar(Qt::Horizontal)->isHidden(), c.bars);
        EXPECT_EQ(!d.ScrollBar(Qt::Vertical)->isHidden(), c.bars);
        EXPECT_EQ(d.Geometry("edit window").topLeft(), QPoint(0, 0));
        EXPECT_EQ(d.Geometry("palette").topLeft(), QPoint(c.client.width() + 8 + (c.bars ? 16 : 0), 0));
        EXPECT_EQ(d.Geometry("palette").width(), paletteWidth);
    }
}

TEST_F(EditorUi, ResizingTheEditWindowSnapsItsClientAndItCannotBeMoved) {
    d.Key("Ctrl+1");
    QWidget* edit = d.Widget("edit window");
    const QSize frame = edit->size() - d.Geometry("map picture").size();
    edit->resize(QSize(500, 300) + frame);
    EXPECT_EQ(d.Geometry("map picture").size(), QSize(480, 288));
    EXPECT_FALSE(d.ScrollBar(Qt::Horizontal)->isHidden());
    EXPECT_FALSE(d.ScrollBar(Qt::Vertical)->isHidden());
    EXPECT_EQ(d.ScrollBar(Qt::Horizontal)->singleStep(), 32);
    edit->resize(QSize(2000, 2000));
    EXPECT_EQ(d.Geometry("map picture").size(), QSize(608, 448));
    edit->move(50, 40);
    EXPECT_EQ(d.Geometry("edit window").topLeft(), QPoint(0, 0));

    // Scrolled down by ten cells, a click lands on the cell shown under it, and the cell shows the paint there.
    d.ScrollBar(Qt::Vertical)->setValue(320);
    d.PickTile(4);
    const QPoint under(2 * 32 + 16, 20 * 32 + 16 - 320);
    d.PressAt(under);
    d.ReleaseAt(under);
    EXPECT_EQ(d.Cell(2, 20), 4);
    EXPECT_EQ(d.Grab("map picture").pixel(under), d.TilePixel(4, 32, 16, 16));
}

// A scale switch drops a shape's first point; the status bar says so at once instead of naming it still.
TEST_F(EditorUi, ScaleSwitchDropsTheFirstPointFromTheStatusBarToo) {
    for (const char* scale : {"Ctrl+2", "Ctrl+1", "Ctrl+3"}) {
        SCOPED_TRACE(scale);
        d.ClickButton("lineButton");
        d.Click(2, 3);
        d.Move(5, 5);
        ASSERT_EQ(d.StatusText(), QStringLiteral("X1=2, Y1=3, X2=5, Y2=5"));
        d.Key(scale);
        EXPECT_EQ(d.StatusText(), QStringLiteral("X=5, Y=5"));
        const MapGrid before = d.Grid();
        d.Click(9, 9); // a new first point, not the end of the old line
        EXPECT_EQ(d.Grid(), before);
        d.Key("Esc");
    }
}

} // namespace
} // namespace tav::testing
