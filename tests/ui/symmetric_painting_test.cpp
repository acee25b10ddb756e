// Symmetric painting as a user meets it: the mode chosen from the Edit menu, F6 or the tool-bar button and
// shown in the status bar, and every edit made in each image of the mode as one step of the history.

#include "CellGrid.h"
#include "TestMaps.h"

#include "Symmetry.h"

#include <QFontMetrics>
#include <QUndoStack>

#include <algorithm>
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

// Mended: each move of the pen made its stretch on the map as the last move left it, so an image of a later
// stretch painted over a cell the user had painted earlier in the same stroke: across the axis of 左右対称
// the user's houses became the other faction's. Every cell of the stroke now holds the user's code.
TEST_F(EditorUi, EveryCellOfAPenStrokeHoldsTheUsersCodeAcrossTheAxes) {
    constexpr TileCode House = 8;
    const MapGrid blank = FilledGrid(NewMapTile);
    std::vector<QPoint> across, down; // one cell at a time over the axes at 23|24
    for (int i = 21; i <= 26; ++i) {
        across.push_back({i, 33});
        down.push_back({10, i});
    }
    const std::vector<std::pair<const char*, std::vector<QPoint>>> strokes = {
        {"left to right", across},
        {"right to left", {across.rbegin(), across.rend()}},
        {"top to bottom", down},
        {"bottom to top", {down.rbegin(), down.rend()}},
    };
    for (const SymmetryMode mode : AllSymmetryModes) {
        d.Trigger(ModeItem(mode));
        d.ClickButton("penButton");
        d.PickTile(House);
        for (const auto& [name, cells] : strokes) {
            SCOPED_TRACE(std::string(SymmetryModeCliName(mode)) + ", " + name);
            d.LoadMap(blank);
            d.Press(cells.front().x(), cells.front().y());
            for (const QPoint& cell : cells)
                d.Move(cell.x(), cell.y());
            d.Release(cells.back().x(), cells.back().y());
            QString row;
            for (const QPoint& cell : cells)
                row += QStringLiteral("%1 ").arg(d.Cell(cell.x(), cell.y()), 2, 16, QLatin1Char('0'));
            EXPECT_EQ(row, QStringLiteral("08 08 08 08 08 08 "));
            // The images still stand wherever the user did not paint.
            for (const QPoint& cell : cells)
                for (int image = 1; image <= SymmetryImageCount(mode); ++image) {
                    const MapCell at = ImageCell(mode, image, {cell.x(), cell.y()});
                    if (std::find(cells.begin(), cells.end(), QPoint(at.X, at.Y)) == cells.end()) {
                        EXPECT_NE(d.Cell(at.X, at.Y), NewMapTile) << at.X << "," << at.Y;
                    }
                }
            d.Trigger("undoAction");
            EXPECT_EQ(d.Grid(), blank);
        }
    }
}

// Mended: a castle painted beside an axis touched its image, and shaping then covered one with the other's
// ring, so the saved map lost a castle. Under a mode a castle within two cells of one of its images in both
// directions is not painted, and a fill or paste that would place one is refused whole; the status bar says
// why in 対称にする's words.
TEST_F(EditorUi, CastlesTooNearTheirImagesAreNotPaintedAndTheStatusBarSaysWhy) {
    const MapGrid blank = FilledGrid(NewMapTile);
    constexpr TileCode Castle = 0x14; // faction 0's
    const auto refused = [](int x, int y) {
        return QStringLiteral("(%1,%2)にあるカルドア領(緑)の城は対称の位置の城と重なるため取り除きました。").arg(x).arg(y);
    };
    const auto pen = [](QPoint cell) {
        return [cell](EditorDriver& d) {
            d.ClickButton("penButton");
            d.PickTile(Castle);
            d.Click(cell.x(), cell.y());
        };
    };
    MapGrid pocket = blank; // two cells of ground at the axis, for the fill
    pocket[GridIndex(23, 5)] = 0;
    pocket[GridIndex(23, 6)] = 0;
    const struct {
        const char* name;
        const char* mode;
        std::function<void(EditorDriver&)> edit;
        std::vector<CellWrite> painted; // the user's cells that change; their images change with them
        QString message;                // empty: none
        MapGrid before = FilledGrid(NewMapTile);
    } cases[] = {
        {"pen at the axis", "lr", pen({23, 5}), {}, refused(23, 5)},
        {"pen two cells off the axis", "lr", pen({22, 5}), {{{22, 5}, Castle}}, {}},
        {"pen below the axis", "tb", pen({30, 23}), {}, refused(30, 23)},
        {"pen near the centre", "half", pen({23, 24}), {}, refused(23, 24)},
        {"pen far from the centre", "quarter", pen({20, 20}), {{{20, 20}, Castle}}, {}},
        {"pen without a mode", "none", pen({23, 5}), {{{23, 5}, Castle}}, {}},
        {"pen stroke past the axis", "lr",
         [](EditorDriver& d) {
             d.ClickButton("penButton");
             d.PickTile(Castle);
             d.Drag({{21, 5}, {22, 5}, {23, 5}});
         },
         {{{21, 5}, Castle}, {{22, 5}, Castle}}, refused(23, 5)},
        {"filled rectangle over the axis", "lr",
         [](EditorDriver& d) {
             d.ClickButton("boxFillButton");
             d.PickTile(Castle);
             d.Drag({{20, 5}, {23, 6}});
         },
         {}, refused(23, 5) + QStringLiteral(" ほか 1 個")},
        {"fill", "lr",
         [](EditorDriver& d) {
             d.ClickButton("bucketButton");
             d.PickTile(Castle);
             d.Click(23, 5);
         },
         {}, refused(23, 5) + QStringLiteral(" ほか 1 個"), pocket},
        {"floating paste", "lr",
         [](EditorDriver& d) {
             EditorDriver::PutTextOnClipboard(QStringLiteral("00 14\n00 00\n"));
             d.Trigger("pasteAction");
             d.Click(22, 5);
         },
         {}, refused(23, 5)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        d.SetSymmetryMode(c.mode);
        d.LoadMap(c.before);
        c.edit(d);
        const SymmetryMode mode = *SymmetryModeFromCliName(c.mode);
        EXPECT_EQ(d.Grid(), WithImages(c.before, mode, c.painted));
        EXPECT_EQ(d.LabelText("status message"), c.message);
        d.Widget("status message")->setProperty("text", QString());
    }
}

// Mended: a floating paste showed only a one-cell ring at its images. The whole block shows in each image, its
// image codes half over the map, as the paste will place them.
TEST_F(EditorUi, AFloatingPasteShowsItsWholeBlockInEveryImage) {
    const MapGrid blank = FilledGrid(NewMapTile);
    const QString block = QStringLiteral("08 35\n60 15\n");
    const std::vector<CellWrite> placed = {{{5, 10}, 0x08}, {{6, 10}, 0x35}, {{5, 11}, 0x60}, {{6, 11}, 0x15}};
    const auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= 2 && std::abs(qGreen(a) - qGreen(b)) <= 2 &&
               std::abs(qBlue(a) - qBlue(b)) <= 2;
    };
    for (const char* mode : {"lr", "quad", "quarter"}) {
        SCOPED_TRACE(mode);
        d.SetSymmetryMode(mode);
        d.LoadMap(blank);
        EditorDriver::PutTextOnClipboard(block);
        d.Trigger("pasteAction");
        d.Move(5, 10);
        const SymmetryMode symmetry = *SymmetryModeFromCliName(mode);
        const int e = d.EditEdge();
        for (const CellWrite& w : placed)
            for (int image = 1; image <= SymmetryImageCount(symmetry); ++image) {
                const MapCell at = ImageCell(symmetry, image, {w.Cell.x(), w.Cell.y()});
                if (QPoint(at.X, at.Y) == QPoint(5, 10) || at == ImageCell(symmetry, image, {5, 10}))
                    continue; // under the cursor's rings
                // Half the image tile over half the map's: the middle pixel of the cell.
                const QRgb tile = d.TilePixel(ImageCode(symmetry, image, w.Code), e, e / 2, e / 2);
                const QRgb map = d.TilePixel(NewMapTile, e, e / 2, e / 2);
                const QRgb blend = qRgb((qRed(tile) + qRed(map)) / 2, (qGreen(tile) + qGreen(map)) / 2,
                                        (qBlue(tile) + qBlue(map)) / 2);
                EXPECT_TRUE(near(d.ShownPixel(at.X, at.Y, e / 2, e / 2), blend)) << at.X << "," << at.Y;
            }
        d.Click(5, 10);
        EXPECT_EQ(d.Grid(), WithImages(blank, symmetry, placed));
    }
}

} // namespace
} // namespace tav::testing
