// The workspace: the windows of the frame, where they come up and what the main window's caption says
// whatever comes up.

#include "TestMaps.h"

#include <functional>

namespace tav::testing {
namespace {

// Mended: the caption lost its unsaved mark once the map check window came up, and kept it off through
// later edits.
TEST_F(EditorUi, UnsavedMarkFollowsTheMapWhateverWindowComesUp) {
    const struct {
        const char* name;
        std::function<void(EditorDriver&)> bringUp;
    } cases[] = {
        {"Save with a problem, then Cancel", [](EditorDriver& d) { d.ClickButton("SaveButton"); }},
        {"the map check button", [](EditorDriver& d) { d.ClickButton("CheckButton"); }},
        {"the check window from the menu", [](EditorDriver& d) { d.Trigger("MenuShowMapCheckView"); }},
        {"the preview from the menu", [](EditorDriver& d) { d.Trigger("MenuShowPreview"); }},
        {"the faction analysis", [](EditorDriver& d) { d.ClickButton("StatusButton"); }},
        {"the help window", [](EditorDriver& d) { d.Trigger("MenuHelp"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        d.Widget("preview")->showMinimized();
        d.Widget("check window")->showMinimized();
        d.LoadMap(FilledGrid(NewMapTile)); // no castles: the check finds a problem
        d.PickTile(5);
        d.Click(1, 1);
        ASSERT_EQ(d.MainTitle(), QStringLiteral("Tavrenna MapEditor*"));
        c.bringUp(d);
        EXPECT_EQ(d.MainTitle(), QStringLiteral("Tavrenna MapEditor*"));
        d.Click(2, 2);
        EXPECT_EQ(d.MainTitle(), QStringLiteral("Tavrenna MapEditor*"));
        d.Key("Ctrl+Z");
        d.Key("Ctrl+Z");
        EXPECT_EQ(d.MainTitle(), QStringLiteral("Tavrenna MapEditor"));
    }
}

} // namespace
} // namespace tav::testing
