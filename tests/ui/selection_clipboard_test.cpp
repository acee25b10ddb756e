// The range tool, moving a selection, the clipboard, painting inside a selection and the replace and exchange
// dialogs, driven as a user does.

#include "TestMaps.h"

#include "CellBlock.h"
#include "TileRender.h"
#include "TileSets.h"

#include <string_view>

namespace tav::testing {
namespace {

// Every cell holds (x + 2y) mod 100, so that each code tells where it came from.
MapGrid CountingGrid() {
    MapGrid grid{};
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y)
            grid[CellIndex(x, y)] = static_cast<TileCode>((x + 2 * y) % 100);
    return grid;
}

class SelectionUi : public EditorUi {
protected:
    void SetUp() override { d.LoadMap(CountingGrid(), 1); }
};

TEST_F(SelectionUi, DraggingSelectsCopyGivesHexTextAndDraggingInsideMovesTheCellsInOneStep) {
    d.ClickButton("rangeSelectionButton");
    d.Drag({{4, 3}, {2, 5}});
    EXPECT_EQ(d.StatusText(), "X1=2, Y1=3, X2=4, Y2=5 (3×3)");
    EXPECT_EQ(d.Selection(), QRect(QPoint(2, 3), QPoint(4, 5)));
    EXPECT_TRUE(d.ShowsGrid(d.Grid())); // the frame over the map, nothing else
    ASSERT_TRUE(d.Action("copyAction")->isEnabled());
    d.Trigger("copyAction");
    EXPECT_EQ(EditorDriver::ClipboardText(), "08 09 0A\n0A 0B 0C\n0C 0D 0E\n");

    const MapGrid before = d.Grid();
    d.Press(3, 4); // grab the middle cell, drop ten columns right
    d.Move(13, 4);
    EXPECT_TRUE(d.ShowsGrid(before)) << "the dragged cells float over the map until the release";
    d.Release(13, 4);
    MapGrid moved = before;
    MoveBlock(moved, {2, 3, 4, 5}, 10, 0, NewMapTile); // the hole takes the new map's code
    EXPECT_EQ(d.Grid(), moved);
    EXPECT_EQ(d.StatusText(), "X1=12, Y1=3, X2=14, Y2=5 (3×3)") << "the selection goes with the cells";
    d.Trigger("undoAction");
    EXPECT_EQ(d.Grid(), before);
    EXPECT_FALSE(d.Action("undoAction")->isEnabled());

    d.Key("Esc");
    EXPECT_FALSE(d.Action("copyAction")->isEnabled()) << "Esc clears the selection";
    EXPECT_EQ(d.Selection(), std::nullopt);
}

// The picture form is drawn only when something asks for it, and then shows the tiles as they were copied.
TEST_F(SelectionUi, CopyPutsAPictureOfTheTilesAsCopiedOnTheClipboard) {
    d.Trigger("edge16Action");
    d.ClickButton("rangeSelectionButton");
    d.Drag({{4, 3}, {2, 5}});
    d.Trigger("copyAction");
    d.Trigger("tileSet2Action"); // a later switch of set leaves the copied picture as it was
    const QImage tiles = QImage(QStringLiteral(":/tiles/%1.png").arg(PictureName(TileSet::Verda, TileEdge::Px16)))
                             .convertToFormat(QImage::Format_RGB32);
    QImage expected(3 * 16, 3 * 16, QImage::Format_RGB32);
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 3; ++y)
            DrawTile(expected, x * 16, y * 16, tiles, 16, CountingGrid()[CellIndex(2 + x, 3 + y)]);
    EXPECT_EQ(EditorDriver::ClipboardPicture().convertToFormat(QImage::Format_RGB32), expected);
}

TEST_F(SelectionUi, CutLeavesTheNewMapsCodeAndPastingInPlacePutsTheCellsBack) {
    const MapGrid before = d.Grid();
    d.ClickButton("rangeSelectionButton");
    d.Drag({{40, 44}, {47, 47}});
    d.Trigger("cutAction");
    MapGrid cut = before;
    FillRect(cut, {40, 44, 47, 47}, NewMapTile);
    EXPECT_EQ(d.Grid(), cut);
    d.Key("Ctrl+Shift+V");
    EXPECT_EQ(d.Grid(), before) << "the editor's own form knows where the cells came from";
}

TEST_F(SelectionUi, PastedTextFloatsUntilAClickPlacesItAndWhatIsNoBlockIsRefused) {
    EditorDriver::PutTextOnClipboard("01 02 03\n04 05 06\n");
    d.Key("Ctrl+V");
    d.Move(46, 10);
    EXPECT_TRUE(d.Pasting());
    EXPECT_EQ(d.Grid(), CountingGrid()) << "nothing is written while the block floats";
    EXPECT_TRUE(d.ShowsGrid(CountingGrid()));
    d.Click(46, 10);
    EXPECT_FALSE(d.Pasting());
    MapGrid pasted = CountingGrid();
    pasted[CellIndex(46, 10)] = 1;
    pasted[CellIndex(47, 10)] = 2;
    pasted[CellIndex(46, 11)] = 4;
    pasted[CellIndex(47, 11)] = 5; // the third column fell off the map
    EXPECT_EQ(d.Grid(), pasted);
    d.Click(0, 0); // the paste is over: the pen paints again
    EXPECT_EQ(d.Cell(0, 0), 0);

    const struct {
        const char* What;
        QByteArray Bytes; // the editor's own form, if any
        QString Text;
        const char* Names;
    } refused[] = {
        {"an item of three digits", {}, "01 02\n03 080\n", "2行目の2番目：タイルコードは 00 から FF まで"},
        {"an item of one digit", {}, "01 02\n03 8\n", "2行目の2番目：タイルコードは 00 から FF まで"},
        {"rows of two lengths", {}, "01 02\n03\n", "2行目"},
        {"the editor's form spoilt, no text", QByteArray("\x03\x00\x01", 3), {}, "タイルがありません"},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.What);
        const MapGrid before = d.Grid();
        p.Forget();
        if (r.Bytes.isEmpty())
            EditorDriver::PutTextOnClipboard(r.Text);
        else
            EditorDriver::PutBlockBytesOnClipboard(r.Bytes);
        d.Trigger("pasteAction");
        ASSERT_EQ(p.Messages.size(), 1u);
        EXPECT_TRUE(p.Messages[0].contains(QString::fromUtf8(r.Names))) << p.Messages[0].toStdString();
        EXPECT_EQ(d.Grid(), before);
        EXPECT_FALSE(d.Pasting());
        d.Click(5, 6);
        EXPECT_EQ(d.Cell(5, 6), 0) << "no block floats: the click is the pen's";
        EXPECT_EQ(d.Cell(6, 7), before[CellIndex(6, 7)]);
    }
}

// A loaded map may hold codes without a tile; a copy of them pastes back the same through either form.
TEST_F(SelectionUi, CodesAboveSevenFPasteBackFromTheTextAsFromTheEditorsOwnForm) {
    MapGrid grid = CountingGrid();
    grid[CellIndex(2, 3)] = 0xFF;
    grid[CellIndex(3, 3)] = 0x90;
    grid[CellIndex(2, 4)] = 0x80;
    d.LoadMap(grid, 1);
    d.ClickButton("rangeSelectionButton");
    d.Drag({{2, 3}, {3, 4}});
    d.Trigger("copyAction");
    const QString text = EditorDriver::ClipboardText();
    EXPECT_EQ(text, "FF 90\n80 0B\n");
    EditorDriver::PutTextOnClipboard(text); // the text alone, as from a text editor
    p.Forget();
    d.Key("Ctrl+V");
    d.Move(20, 30);
    d.Click(20, 30);
    EXPECT_TRUE(p.Messages.empty()) << p.Messages.front().toStdString();
    for (const auto& [dx, dy] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}})
        EXPECT_EQ(d.Cell(20 + dx, 30 + dy), grid[CellIndex(2 + dx, 3 + dy)]) << dx << "," << dy;
}

TEST_F(SelectionUi, ASelectionLimitsThePenAndShiftArrowsMoveOnlyItsCells) {
    d.Trigger("rangeSelectionAction");
    d.Drag({{10, 10}, {11, 11}});
    d.ClickButton("penButton");
    EXPECT_FALSE(d.Checked("rangeSelectionAction")) << "the pen takes the mouse; the selection stays";
    d.Drag({{9, 10}, {10, 10}, {12, 10}});
    EXPECT_EQ(d.Cell(9, 10), 29);
    EXPECT_EQ(d.Cell(10, 10), 0);
    EXPECT_EQ(d.Cell(12, 10), 32);

    const MapGrid before = d.Grid();
    d.Key("Shift+Right");
    MapGrid moved = before;
    MoveBlock(moved, {10, 10, 11, 11}, 1, 0, NewMapTile);
    EXPECT_EQ(d.Grid(), moved) << "the rest of the map did not turn";
    EXPECT_EQ(d.Selection(), QRect(QPoint(11, 10), QPoint(12, 11)));
}

TEST_F(SelectionUi, ReplaceAndExchangeChangeTheCodesTheDialogIsGiven) {
    const CellRect selection{5, 5, 20, 9};
    const struct {
        const char* Button;
        int A, B;
        bool InSelection, Accept;
    } cases[] = {
        {"replaceButton", 30, 7, false, true}, {"replaceButton", 30, 7, true, true},
        {"exchangeButton", 30, 7, true, true}, {"exchangeButton", 30, 7, false, false},
        {"replaceButton", 99, 98, true, true}, // no such code in the selection: OK is greyed
    };
    d.ClickButton("rangeSelectionButton");
    d.Drag({{5, 5}, {20, 9}});
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.Button << " " << c.A << "," << c.B << (c.InSelection ? " in the selection" : " everywhere"));
        d.LoadMap(CountingGrid());
        p.Forget();
        p.DialogAnswers.push_back(EditorDriver::Answer(
            {{"codeA", c.A}, {"codeB", c.B}, {c.InSelection ? "inSelection" : "wholeMap", 1}}, c.Accept));
        d.ClickButton(c.Button);
        const bool exchange = std::string_view(c.Button) == "exchangeButton";
        EXPECT_EQ(p.Dialogs, std::vector<QString>{exchange ? "exchangeDialog" : "replaceDialog"});
        MapGrid expected = CountingGrid();
        const CellRect area = c.InSelection ? selection : WholeMap;
        if (c.Accept && exchange)
            ExchangeCodes(expected, TileCode(c.A), TileCode(c.B), area);
        else if (c.Accept)
            ReplaceCodes(expected, TileCode(c.A), TileCode(c.B), area);
        EXPECT_EQ(d.Grid(), expected);
        EXPECT_EQ(d.Modified(), expected != CountingGrid());
    }
}

} // namespace
} // namespace tav::testing
