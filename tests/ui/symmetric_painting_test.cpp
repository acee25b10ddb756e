// Symmetric painting as a user meets it: the mode chosen from the Edit menu, F6 or the tool-bar button and
// shown in the status bar, and every edit made in each image of the mode as one step of the history.

#include "CellGrid.h"
#include "TestMaps.h"

#include "Symmetry.h"

#include <QFontMetrics>
#include <QUndoStack>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace tav::testing {
namespace {

// The modes' items in the order F6 cycles through them.
constexpr std::array<const char*, 6> ModeItems = {"symmetryNoneAction", "symmetryLeftRightAction",
                                                  "symmetryTopBottomAction", "symmetryQuadAction",
                                                  "symmetryHalfAction", "symmetryQuarterAction"};

QString ModeItem(SymmetryMode mode) {
    return QString::fromLatin1(ModeItems[static_cast<std::size_t>(mode)]);
}

TEST_F(EditorUi, SymmetryModeCyclesByF6AndTheButtonAndShowsInMenuStatusBarAndAxes) {
    const QRgb axis = qRgb(255, 0, 255);
    // Seven steps from なし: every mode once, then なし again; F6 and the button take turns.
    for (std::size_t step = 0; step <= AllSymmetryModes.size(); ++step) {
        const SymmetryMode mode = AllSymmetryModes[step % AllSymmetryModes.size()];
        SCOPED_TRACE(std::string(SymmetryModeCliName(mode)));
        EXPECT_TRUE(d.Checked(ModeItem(mode)));
        EXPECT_EQ(d.Checked("symmetryButton"), mode != SymmetryMode::None);
        const QString text = d.LabelText("symmetry");
        EXPECT_EQ(text, QStringLiteral("対称描画 ") + QString::fromUtf8(SymmetryModeName(mode).data()));
        // Readable whole within the first window's 792 pixels, beside the other panels.
        const QRect panel = d.Geometry("symmetry");
        EXPECT_GE(panel.width(), d.Widget("symmetry")->fontMetrics().horizontalAdvance(text));
        for (const char* role : {"status", "cell code", "picked code", "symmetry"})
            EXPECT_LE(d.Geometry(role).right(), d.Geometry("status bar").width()) << role;
        EXPECT_EQ(d.Geometry("status bar").width(), 792);
        // The axes: a line along the left edge of column 24 for the modes that mirror left and right, along
        // the top edge of row 24 for those that mirror top and bottom; in the edit window and the preview alike.
        const bool vertical = mode != SymmetryMode::None && mode != SymmetryMode::TopBottom;
        const bool horizontal = mode != SymmetryMode::None && mode != SymmetryMode::LeftRight;
        EXPECT_EQ(d.ShownPixel(24, 10, 0, 3) == axis, vertical);
        EXPECT_EQ(d.ShownPixel(10, 24, 3, 0) == axis, horizontal);
        EXPECT_NE(d.ShownPixel(23, 10, 3, 3), axis); // the cells themselves stay uncovered
        const QImage preview = d.Grab("preview picture"); // 4 pixels a cell
        EXPECT_EQ(preview.pixel(96, 41) == axis, vertical);
        EXPECT_EQ(preview.pixel(41, 96) == axis, horizontal);
        if (step % 2 == 0)
            d.Key("F6");
        else
            d.ClickButton("symmetryButton");
    }

    d.Trigger(ModeItem(SymmetryMode::Quarter));
    EXPECT_EQ(d.LabelText("symmetry"), QStringLiteral("対称描画 四方回転"));
    d.Restart(); // never stored: every run starts at なし
    EXPECT_TRUE(d.Checked(ModeItem(SymmetryMode::None)));
    EXPECT_EQ(d.LabelText("symmetry"), QStringLiteral("対称描画 なし"));
}

struct CellWrite {
    QPoint Cell;
    TileCode Code;
};

// `grid` with each write made in every image of `mode`: the image code at the image cell.
MapGrid WithImages(MapGrid grid, SymmetryMode mode, const std::vector<CellWrite>& writes) {
    for (const CellWrite& w : writes)
        for (int image = 0; image <= SymmetryImageCount(mode); ++image) {
            const MapCell at = ImageCell(mode, image, {w.Cell.x(), w.Cell.y()});
            grid[GridIndex(at)] = ImageCode(mode, image, w.Code);
        }
    return grid;
}

std::vector<CellWrite> Rectangle(QPoint from, QPoint to, TileCode code) {
    std::vector<CellWrite> cells;
    for (int x = from.x(); x <= to.x(); ++x)
        for (int y = from.y(); y <= to.y(); ++y)
            cells.push_back({{x, y}, code});
    return cells;
}

TEST_F(EditorUi, EveryEditIsMadeInEachImageOfTheModeAsOneStep) {
    const MapGrid blank = FilledGrid(NewMapTile);
    // A wall down column 5 shuts the fill's start cell (2, 2) into a strip of its own; an image whose start
    // cell lies right of the wall fills the whole rest of the map from there.
    MapGrid walled = blank;
    for (int y = 0; y < MapSize; ++y)
        walled[GridIndex(5, y)] = 0x60;
    constexpr TileCode House = 8; // faction 0's: its images are the image factions' houses
    constexpr TileCode Shore = 0x35;

    const struct {
        const char* Name;
        MapGrid Before;
        std::function<void(EditorDriver&)> Edit;
        // What the edit makes of `Before` in `mode`; the user's cells lie in the top-left quarter, so that
        // no two images meet except in the fill.
        std::function<MapGrid(SymmetryMode)> Expected;
    } edits[] = {
        {"pen stroke", blank,
         [](EditorDriver& d) {
             d.ClickButton("penButton");
             d.PickTile(House);
             d.Drag({{3, 4}, {6, 4}, {6, 7}});
         },
         [&](SymmetryMode mode) {
             std::vector<CellWrite> stroke = Rectangle({3, 4}, {6, 4}, House);
             for (const CellWrite& w : Rectangle({6, 5}, {6, 7}, House))
                 stroke.push_back(w);
             return WithImages(blank, mode, stroke);
         }},
        {"filled rectangle", blank,
         [](EditorDriver& d) {
             d.ClickButton("boxFillButton");
             d.PickTile(Shore);
             d.Drag({{10, 2}, {14, 5}});
         },
         [&](SymmetryMode mode) { return WithImages(blank, mode, Rectangle({10, 2}, {14, 5}, Shore)); }},
        {"floating paste", blank,
         [](EditorDriver& d) {
             EditorDriver::PutTextOnClipboard(QStringLiteral("08 35\n60 15\n"));
             d.Trigger("pasteAction");
             d.Click(5, 10);
         },
         [&](SymmetryMode mode) {
             return WithImages(blank, mode, {{{5, 10}, 0x08}, {{6, 10}, 0x35}, {{5, 11}, 0x60}, {{6, 11}, 0x15}});
         }},
        {"fill", walled,
         [](EditorDriver& d) {
             d.ClickButton("bucketButton");
             d.PickTile(House);
             d.Click(2, 2);
         },
         [&](SymmetryMode mode) {
             MapGrid expected = walled;
             for (int x = 0; x < 5; ++x)
                 for (int y = 0; y < MapSize; ++y)
                     expected[GridIndex(x, y)] = House;
             // The lowest image whose own start cell lies right of the wall fills that side with its code.
             for (int image = 1; image <= SymmetryImageCount(mode); ++image) {
                 if (ImageCell(mode, image, {2, 2}).X < 5)
                     continue;
                 for (int x = 6; x < MapSize; ++x)
                     for (int y = 0; y < MapSize; ++y)
                         expected[GridIndex(x, y)] = ImageCode(mode, image, House);
                 break;
             }
             return expected;
         }},
    };

    for (const SymmetryMode mode : AllSymmetryModes) {
        d.Trigger(ModeItem(mode));
        for (const auto& edit : edits) {
            SCOPED_TRACE(std::string(SymmetryModeCliName(mode)) + ", " + edit.Name);
            d.LoadMap(edit.Before);
            edit.Edit(d);
            EXPECT_EQ(d.Grid(), edit.Expected(mode));
            d.Trigger("undoAction");
            EXPECT_EQ(d.Grid(), edit.Before);
            EXPECT_FALSE(d.Action("undoAction")->isEnabled()) << "more than one step";
        }
    }
}

} // namespace
} // namespace tav::testing
