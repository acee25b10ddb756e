// The edit window's comforts as a user meets them: shapes by press, drag and release, Esc, the wheel and
// Ctrl+wheel, the eyedropper, the code readouts in the status bar, the preview's frame and navigation, grid
// lines and the preferences, which are kept between runs.

#include "TestMaps.h"

#include "DrawTools.h"

#include <QAbstractScrollArea>
#include <QSettings>

#include <ostream>
#include <string>

// Texts in failure messages as text.
static void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace tav::testing {
namespace {

MapGrid Painted(MapGrid grid, DrawTool tool, int code, QPoint from, QPoint to) {
    ShapeCells cells;
    ApplyToolToGrid(cells, grid, tool, static_cast<TileCode>(code), from.x(), from.y(), to.x(), to.y());
    return grid;
}

// The cell the status bar names with the pointer at `at` on the map picture, reached by way of another
// cell: a move to where the pointer already is would be dropped as no move.
QString CellUnder(EditorDriver& d, QPoint at) {
    d.MoveTo(at + QPoint(40, 40));
    d.MoveTo(at);
    return d.StatusText();
}

// Whether a change was one step of the history: one undo gives `before` back and leaves nothing to undo.
::testing::AssertionResult OneStepFrom(EditorDriver& d, const MapGrid& before) {
    d.Trigger("undoAction");
    if (d.Grid() != before || d.Action("undoAction")->isEnabled())
        return ::testing::AssertionFailure() << "one undo does not give the map before the change";
    d.Trigger("redoAction");
    return ::testing::AssertionSuccess();
}

TEST_F(EditorUi, ShapesPaintByDragAsByTwoClicksInOneStep) {
    const struct {
        const char* Button;
        DrawTool Tool;
    } shapes[] = {{"lineButton", DrawTool::Line},     {"boxButton", DrawTool::Box},
                  {"boxFillButton", DrawTool::BoxFill}, {"circleButton", DrawTool::Circle},
                  {"circleFillButton", DrawTool::CircleFill}};
    const MapGrid blank = FilledGrid(NewMapTile);
    d.PickTile(0x60);
    for (const auto& shape : shapes) {
        SCOPED_TRACE(shape.Button);
        const MapGrid expected = Painted(blank, shape.Tool, 0x60, {2, 3}, {9, 7});
        d.ClickButton(shape.Button);
        d.LoadMap(blank);
        d.Press(2, 3);
        d.Move(5, 5);
        d.Move(9, 7);
        EXPECT_EQ(d.StatusText(), "X1=2, Y1=3, X2=9, Y2=7"); // the shape follows the drag
        EXPECT_EQ(d.Grid(), blank);
        d.Release(9, 7);
        EXPECT_EQ(d.Grid(), expected);
        EXPECT_TRUE(OneStepFrom(d, blank));
        EXPECT_EQ(d.StatusText(), "X=9, Y=7");

        d.LoadMap(blank);
        d.Click(2, 3);
        EXPECT_EQ(d.Grid(), blank); // a release where the press was leaves the first point set
        d.Click(9, 7);
        EXPECT_EQ(d.Grid(), expected);
    }
}

TEST_F(EditorUi, EscapeDropsAClickedOrDraggedFirstPoint) {
    d.ClickButton("lineButton");
    d.PickTile(0x60);
    const MapGrid before = d.Grid();
    d.Click(2, 3);
    EXPECT_EQ(d.StatusText(), "X1=2, Y1=3, X2=2, Y2=3");
    d.Key("Esc");
    EXPECT_EQ(d.StatusText(), "X=2, Y=3");

    d.Press(2, 3);
    d.Move(9, 7);
    d.Key("Esc");
    d.Release(9, 7);
    EXPECT_EQ(d.Grid(), before);
    EXPECT_EQ(d.StatusText(), "X=9, Y=7");
}

TEST_F(EditorUi, WheelAndTouchpadScrollTheEditWindow) {
    const struct {
        const char* What;
        std::vector<QPoint> Angles, Pixels;
        Qt::KeyboardModifiers Modifiers;
        const char* CellAtTopLeft;
    } cases[] = {
        {"one notch down: three rows", {{0, -120}}, {{}}, {}, "X=0, Y=3"},
        {"Shift: three columns", {{0, -120}}, {{}}, Qt::ShiftModifier, "X=3, Y=0"},
        {"half notches add up", {{0, -60}, {0, -60}}, {{}, {}}, {}, "X=0, Y=3"},
        {"touchpad pixels, in small steps", {{0, -30}, {0, -30}}, {{-10, -20}, {-30, -20}}, {}, "X=1, Y=1"},
        {"up at the top stays there", {{0, 120}}, {{}}, {}, "X=0, Y=0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        d.Restart();
        d.ClickButton("edge32Button");
        for (std::size_t i = 0; i < c.Angles.size(); ++i)
            d.Wheel({16, 16}, c.Angles[i], c.Pixels[i], c.Modifiers);
        EXPECT_EQ(CellUnder(d, {16, 16}), c.CellAtTopLeft);
    }
}

TEST_F(EditorUi, ControlWheelStepsTheScaleKeepingTheCellUnderThePointer) {
    const QPoint pointer = d.CellCentre(10, 8);
    const struct {
        int Notch;
        const char* Button;
    } steps[] = {{120, "edge16Button"}, {120, "edge32Button"}, {120, "edge32Button"},
                 {-120, "edge16Button"}, {-120, "edge8Button"}, {-120, "edge8Button"}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Button);
        d.Wheel(pointer, {0, step.Notch}, {}, Qt::ControlModifier);
        EXPECT_TRUE(d.Checked(step.Button));
        EXPECT_EQ(CellUnder(d, pointer), "X=10, Y=8");
    }
}

TEST_F(EditorUi, EyedropperPicksTheCodeAndTheStatusBarNamesCodes) {
    d.PickTile(0x14);
    EXPECT_EQ(d.LabelText("picked code"), "選択タイル 0x14 城");
    d.Click(5, 5); // the pen paints a castle
    d.PickTile(0x60);
    const MapGrid painted = d.Grid();
    const struct {
        Qt::MouseButton Button;
        Qt::KeyboardModifiers Modifiers;
        QPoint At;
        int Picked;
        const char* Under;
    } picks[] = {{Qt::LeftButton, Qt::AltModifier, {5, 5}, 0x14, "0x14 城"},
                 {Qt::MiddleButton, {}, {6, 5}, 0x30, "0x30 水辺"}};
    for (const auto& pick : picks) {
        SCOPED_TRACE(pick.Picked);
        d.Move(pick.At.x(), pick.At.y());
        EXPECT_EQ(d.LabelText("cell code"), pick.Under);
        d.Click(pick.At.x(), pick.At.y(), pick.Button, pick.Modifiers);
        EXPECT_EQ(d.LabelText("picked code"), QStringLiteral("選択タイル ") + pick.Under);
        d.Blink();
        EXPECT_EQ(d.PickedTile(), pick.Picked);
        EXPECT_EQ(d.Grid(), painted);
    }
    d.Click(7, 7); // the pen paints the picked code
    EXPECT_EQ(d.Cell(7, 7), 0x30);
    EXPECT_EQ(d.LabelText("cell code"), "0x30 水辺");
}

// The status bar names the code under the pointer with its kind: codes that unshape to one plain code are
// one kind, and every code, tile or not, has a name.
TEST_F(EditorUi, CellCodeReadoutNamesEveryCodesKind) {
    MapGrid grid = FilledGrid(NewMapTile);
    for (int code = 0; code < 256; ++code)
        grid[CellIndex(code % 32, code / 32)] = static_cast<TileCode>(code);
    d.LoadMap(grid);
    auto readout = [&](int code) {
        d.Move(0, 20); // by way of a cell outside the codes, so that the move to the code's cell is one
        d.Move(code % 32, code / 32);
        return d.LabelText("cell code");
    };
    auto kind = [](const QString& readout) { return readout.mid(5); }; // after "0xNN "
    for (int code = 0; code < 256; ++code) {
        SCOPED_TRACE(code);
        const QString text = readout(code);
        EXPECT_EQ(text.left(5), QStringLiteral("0x") + QString::number(code, 16).toUpper().rightJustified(2, u'0') + u' ');
        EXPECT_FALSE(kind(text).isEmpty());
        if (code < 128) { // the plain code's kind
            EXPECT_EQ(kind(text), kind(readout(PlainCode(static_cast<TileCode>(code)))));
        }
    }
    const struct {
        int Code;
        const char* Text;
    } names[] = {{0x00, "0x00 平地"}, {0x1D, "0x1D 城門"}, {0x2F, "0x2F 台地"}, {0x7A, "0x7A 障害物"}, {0xC8, "0xC8 タイルなし"}};
    for (const auto& name : names)
        EXPECT_EQ(readout(name.Code), name.Text);
}

TEST_F(EditorUi, PreviewFramesTheVisibleAreaAndNavigatesTheEditWindow) {
    d.ClickButton("edge32Button");
    d.Trigger("showPreviewAction");
    const QRgb white = qRgb(255, 255, 255);
    EXPECT_EQ(d.Grab("preview picture").pixel(0, 20), white); // the left edge of the frame
    const QSize view = d.Widget("map picture")->size();
    const QPoint middle(view.width() / 2, view.height() / 2);
    d.PreviewPressAt({24 * 4, 24 * 4}); // the corner of cell 24,24: the view centres on it
    d.PreviewReleaseAt({24 * 4, 24 * 4});
    EXPECT_EQ(CellUnder(d, middle), "X=24, Y=24");
    const QImage framed = d.Grab("preview picture");
    const int left = (24 * 32 - view.width() / 2) / 8;
    EXPECT_EQ(framed.pixel(left, 24 * 4), white);
    EXPECT_NE(framed.pixel(0, 20), white);
    EXPECT_TRUE(d.ShowsGrid(d.Grid())); // the frame stands where the edit window looks

    d.DragInPreview({10, 10}, {20, 30});
    EXPECT_EQ(CellUnder(d, middle), "X=20, Y=30");
}

TEST_F(EditorUi, RestoredPreviewLeavesThePaletteUncovered) {
    QWidget* preview = d.Widget("preview");
    const QRect frame = qobject_cast<QAbstractScrollArea*>(d.Widget("frame"))->viewport()->rect();
    for (const char* scale : {"edge8Button", "edge16Button", "edge32Button"}) {
        for (bool byMenu : {false, true}) {
            SCOPED_TRACE(std::string(scale) + (byMenu ? " by the window menu" : " by its own button"));
            d.ClickButton(scale);
            preview->showMinimized();
            if (byMenu)
                d.Trigger("showPreviewAction");
            else
                preview->showNormal();
            QApplication::processEvents();
            EXPECT_FALSE(d.Geometry("preview").intersects(d.Geometry("palette")));
            EXPECT_TRUE(frame.contains(d.Geometry("preview")));
        }
    }
}

TEST_F(EditorUi, GridLinesToggleFromTheOptionsMenuAndAreRemembered) {
    const QRgb plain = d.Grab("map picture").pixel(8, 3);
    d.Trigger("gridLinesAction");
    EXPECT_TRUE(d.Checked("gridLinesAction"));
    EXPECT_NE(d.Grab("map picture").pixel(8, 3), plain);
    d.Restart();
    EXPECT_TRUE(d.Checked("gridLinesAction"));
    EXPECT_NE(d.Grab("map picture").pixel(8, 3), plain);
    d.Trigger("gridLinesAction");
    EXPECT_EQ(d.Grab("map picture").pixel(8, 3), plain);
    d.Restart();
    EXPECT_FALSE(d.Checked("gridLinesAction"));
}

// The preferences dialog's fields, in order, as it opens now.
const QStringList PreferenceFields = {"startTileSet", "startEdge", "gridLines", "blink", "autosaveInterval", "language"};

std::vector<int> ShownPreferences(EditorDriver& d) {
    std::vector<int> values;
    d.platform().DialogAnswers.push_back([&](QDialog* dialog) {
        for (const QString& field : PreferenceFields)
            values.push_back(EditorDriver::Field(dialog, field));
        return EditorDriver::EndDialog(dialog, false);
    });
    d.Trigger("preferencesAction");
    return values;
}

std::vector<std::pair<QString, int>> PreferenceAnswer(const std::vector<int>& values) {
    std::vector<std::pair<QString, int>> fields;
    for (std::size_t i = 0; i < values.size(); ++i)
        fields.emplace_back(PreferenceFields[static_cast<int>(i)], values[i]);
    return fields;
}

TEST_F(EditorUi, PreferencesApplyAtOnceAndStartTheNextRun) {
    const std::vector<int> defaults = {0, 0, 0, 1, 1, 0}; // copies every 30 seconds
    ASSERT_EQ(ShownPreferences(d), defaults);
    // Set three, middle scale, grid lines, no blink, every 10 minutes, English.
    const std::vector<int> chosen = {2, 1, 1, 0, 5, 1};
    p.DialogAnswers.push_back(EditorDriver::Answer(PreferenceAnswer(chosen), false));
    d.Trigger("preferencesAction");
    EXPECT_EQ(ShownPreferences(d), defaults);
    EXPECT_FALSE(d.Checked("gridLinesAction"));

    p.DialogAnswers.push_back(EditorDriver::Answer(PreferenceAnswer(chosen), true));
    d.Trigger("preferencesAction");
    EXPECT_EQ(ShownPreferences(d), chosen);
    EXPECT_TRUE(d.Checked("gridLinesAction"));
    EXPECT_TRUE(d.Checked("edge8Button")); // the start values wait for the next run
    EXPECT_EQ(d.TileSet(), 1);

    d.Restart();
    EXPECT_EQ(d.TileSet(), 3);
    EXPECT_TRUE(d.Checked("tileSet3Action"));
    EXPECT_TRUE(d.Checked("edge16Button"));
    EXPECT_EQ(ShownPreferences(d), chosen);
}

// The settings file keeps the start values as earlier runs wrote them: the set's number and the tile edge in
// pixels. An edge the edit window does not show (the preview's 4) is refused like any other stray value.
TEST_F(EditorUi, StartValuesStoredByEarlierRunsStartTheEditor) {
    for (const auto& [edge, shown] : {std::pair{16, 16}, std::pair{32, 32}, std::pair{4, 8}}) {
        SCOPED_TRACE(edge);
        {
            QSettings store(QStringLiteral("Tavrenna"), QStringLiteral("Tavrenna MapEditor"));
            store.setValue(QStringLiteral("Editor/StartTileSet"), 4);
            store.setValue(QStringLiteral("Editor/StartScaleEdge"), edge);
        }
        d.Restart();
        EXPECT_EQ(d.TileSet(), 4);
        EXPECT_EQ(d.EditEdge(), shown);
    }
}

TEST_F(EditorUi, StoredPreferencesOutOfRangeFallBackToTheirDefaults) {
    // Set nine, large scale, grid lines, no blink, no autosave, English; then the file is spoilt.
    p.DialogAnswers.push_back(EditorDriver::Answer(PreferenceAnswer({8, 2, 1, 0, 0, 1}), true));
    d.Trigger("preferencesAction");
    {
        QSettings store(QStringLiteral("Tavrenna"), QStringLiteral("Tavrenna MapEditor"));
        store.setValue(QStringLiteral("Editor/StartTileSet"), 10);
        store.setValue(QStringLiteral("Editor/StartScaleEdge"), 12);
        store.setValue(QStringLiteral("Editor/AutosaveSeconds"), 45);
        store.setValue(QStringLiteral("Editor/Language"), QStringLiteral("fr"));
    }
    d.Restart();
    // The defaults for the refused values; the others as stored.
    EXPECT_EQ(ShownPreferences(d), (std::vector<int>{0, 0, 1, 0, 1, 0}));
    EXPECT_EQ(d.TileSet(), 1);
    EXPECT_EQ(d.EditEdge(), 8);
    EXPECT_TRUE(d.Checked("gridLinesAction"));
}

} // namespace
} // namespace tav::testing
