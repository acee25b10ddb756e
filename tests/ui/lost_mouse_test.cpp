// A release that never arrives — swallowed by a question that came up mid-stroke, or by another window taking
// the mouse — must not leave the pen or the palette painting or picking on moves with no button held.

#include "EditorDriver.h"
#include "TestMaps.h"

#include <QApplication>
#include <QMouseEvent>

namespace tav::testing {
namespace {

// A move as the window system sends it: with the buttons that are really held, whatever was pressed before.
void RawMove(QWidget* target, QPoint pos, Qt::MouseButtons held) {
    QMouseEvent event(QEvent::MouseMove, QPointF(pos), QPointF(target->mapToGlobal(pos)), Qt::NoButton, held, {});
    QApplication::sendEvent(target, &event);
}

// Another window of the desktop takes over, then the editor is active again.
void AnotherWindowTakesTheMouse(EditorDriver& d) {
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    other.hide();
    QApplication::setActiveWindow(d.Widget("main window"));
}

TEST_F(EditorUi, AStrokeWhoseReleaseWasLostPaintsNothingMore) {
    const MapGrid playable = PlayableGrid();
    const struct {
        const char* name;
        std::function<void()> loseRelease;
        Qt::MouseButtons heldAfterwards; // what the moves after it say is held
    } cases[] = {
        // The check fails, "save anyway?" comes up while the button is down, the release goes to the question.
        {"save question, moves without a button", [&] {
             d.LoadMap(FilledGrid(NewMapTile));
             p.Answers.push_back(false);
             d.Key("Ctrl+S");
         }, Qt::NoButton},
        {"another window, moves without a button", [&] { AnotherWindowTakesTheMouse(d); }, Qt::NoButton},
        // Even moves that claim the button is still held paint nothing once the window lost the mouse.
        {"another window, moves claiming the button", [&] { AnotherWindowTakesTheMouse(d); }, Qt::LeftButton},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        d.LoadMap(playable);
        d.ClickButton("penButton");
        d.PickTile(96);
        d.Press(2, 2);
        c.loseRelease();
        const MapGrid before = d.Grid();
        for (int x = 3; x < 30; ++x)
            RawMove(d.Widget("map picture"), d.CellCentre(x, 2), c.heldAfterwards);
        EXPECT_EQ(d.Grid(), before);
        EXPECT_TRUE(d.ShowsGrid(before));
        d.Release(29, 2);
        // The next stroke paints as ever.
        d.Drag({{5, 9}, {6, 9}});
        EXPECT_EQ(d.Cell(5, 9), 96);
        EXPECT_EQ(d.Cell(6, 9), 96);
    }
}

TEST_F(EditorUi, APaletteDragWhoseReleaseWasLostPicksNothingMore) {
    for (Qt::MouseButtons held : {Qt::MouseButtons(Qt::NoButton), Qt::MouseButtons(Qt::LeftButton)}) {
        SCOPED_TRACE(int(held));
        d.PickTile(0);
        d.PalettePressAt(EditorDriver::PaletteCentre(3));
        AnotherWindowTakesTheMouse(d);
        RawMove(d.Widget("palette picture"), EditorDriver::PaletteCentre(40), held);
        d.Blink();
        EXPECT_EQ(d.PickedTile(), 3);
        d.PaletteReleaseAt(EditorDriver::PaletteCentre(40));
    }
}

} // namespace
} // namespace tav::testing
