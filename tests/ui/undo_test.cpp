// Undo and redo as the user reaches them: the menu items, the tool-bar button and the shortcuts, greyed when
// there is nothing to undo or redo; a stroke is one step; undoing back to the saved map makes it unmodified.

#include "EditorDriver.h"
#include "TestMaps.h"

#include <QAbstractButton>

namespace tav::testing {
namespace {

TEST_F(EditorUi, UndoAndRedoWalkTheHistoryByEveryWayAndAreGreyedAtItsEnds) {
    const struct {
        const char* name;
        std::function<void(EditorDriver&)> undo;
        std::function<void(EditorDriver&)> redo;
    } ways[] = {
        {"shortcuts", [](EditorDriver& e) { e.Key("Ctrl+Z"); }, [](EditorDriver& e) { e.Key("Ctrl+Y"); }},
        {"other redo shortcut", [](EditorDriver& e) { e.Key("Ctrl+Z"); },
         [](EditorDriver& e) { e.Key("Ctrl+Shift+Z"); }},
        {"menu and button", [](EditorDriver& e) { e.ClickButton("undoButton"); },
         [](EditorDriver& e) { e.Trigger("redoAction"); }},
    };
    auto greyed = [this](const char* name) { return !d.Action(QString::fromLatin1(name))->isEnabled(); };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        OpenMap("saved.map", PlainPaintedGrid(4));
        const MapGrid saved = d.Grid();
        EXPECT_TRUE(greyed("undoAction"));
        EXPECT_TRUE(greyed("redoAction"));
        EXPECT_FALSE(d.Widget("undoButton")->isEnabled());

        d.ClickButton("penButton");
        d.PickTile(96);
        d.Drag({{1, 1}, {2, 1}, {3, 1}, {3, 2}}); // one stroke
        const MapGrid stroke = d.Grid();
        d.ClickButton("boxButton");
        d.Click(10, 10);
        d.Click(14, 12); // one rectangle
        const MapGrid box = d.Grid();
        ASSERT_NE(stroke, saved);
        ASSERT_NE(box, stroke);
        EXPECT_TRUE(d.Widget("undoButton")->isEnabled());
        EXPECT_TRUE(d.MainTitle().contains(u'*'));

        way.undo(d);
        EXPECT_EQ(d.Grid(), stroke);
        EXPECT_TRUE(d.ShowsGrid(stroke));
        way.undo(d);
        EXPECT_EQ(d.Grid(), saved) << "the whole stroke is one step";
        EXPECT_TRUE(d.ShowsGrid(saved));
        EXPECT_FALSE(d.Modified()) << "back at the saved map";
        EXPECT_FALSE(d.MainTitle().contains(u'*'));
        EXPECT_TRUE(greyed("undoAction"));
        EXPECT_FALSE(greyed("redoAction"));

        way.redo(d);
        way.redo(d);
        EXPECT_EQ(d.Grid(), box);
        EXPECT_TRUE(d.ShowsGrid(box));
        EXPECT_TRUE(d.Modified());
        EXPECT_TRUE(greyed("redoAction"));
    }
}

} // namespace
} // namespace tav::testing
