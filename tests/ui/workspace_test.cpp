// The workspace: the windows of the frame, where they come up and what the main window's caption says
// whatever comes up.

#include "TestMaps.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>

#include <functional>
#include <string_view>

namespace tav::testing {
namespace {

// Mended: the caption lost its unsaved mark once the map check window came up, and kept it off through
// later edits.
TEST_F(EditorUi, UnsavedMarkFollowsTheMapWhateverWindowComesUp) {
    const struct {
        const char* name;
        std::function<void(EditorDriver&)> bringUp;
    } cases[] = {
        {"Save with a problem, then Cancel", [](EditorDriver& d) { d.ClickButton("saveButton"); }},
        {"the map check button", [](EditorDriver& d) { d.ClickButton("mapCheckButton"); }},
        {"the check window from the menu", [](EditorDriver& d) { d.Trigger("showMapCheckAction"); }},
        {"the preview from the menu", [](EditorDriver& d) { d.Trigger("showPreviewAction"); }},
        {"the faction analysis", [](EditorDriver& d) { d.ClickButton("factionAnalysisButton"); }},
        {"the help window", [](EditorDriver& d) { d.Trigger("helpAction"); }},
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

// A desktop with room for the windows beside each other.
EditorOptions RoomyDesktop() {
    return {.Screen = {1280, 1024}, .Available = {0, 0, 1280, 1000}};
}

// Ends the editor as the user does (the map unmodified) and starts it again.
void ExitAndStartAgain(EditorDriver& d) {
    d.Trigger("exitAction");
    d.Restart();
}

// Mended: every start put the windows where the first run does.
TEST(Workspace, MainWindowAndTheOtherWindowsComeBackWhereTheyWereInTheLastRun) {
    EditorDriver d(RoomyDesktop());
    const QRect main(40, 30, 1100, 900);
    d.Widget("main window")->setGeometry(main);
    // Beside the palette, off the edit window.
    const struct {
        const char* role;
        const char* bringUp;
        QRect place;
    } windows[] = {
        {"preview", "showPreviewAction", {600, 420, 0, 0}},
        {"check window", "showMapCheckAction", {600, 40, 380, 260}},
        {"faction window", "factionAnalysisButton", {560, 560, 520, 220}},
        {"helpWindow", "helpAction", {200, 150, 500, 450}},
    };
    for (const auto& w : windows) {
        if (QString::fromLatin1(w.bringUp).endsWith(QLatin1String("Button")))
            d.ClickButton(QString::fromLatin1(w.bringUp));
        else
            d.Trigger(QString::fromLatin1(w.bringUp));
        QWidget* window = d.Widget(QString::fromLatin1(w.role));
        window->setGeometry(QRect(w.place.topLeft(), w.place.isEmpty() ? window->size() : w.place.size()));
    }
    std::vector<QRect> places;
    for (const auto& w : windows)
        places.push_back(d.Geometry(QString::fromLatin1(w.role)));
    d.Widget("preview")->showMinimized(); // minimised at the end: its place is the one it is restored to
    // The palette is not remembered: it keeps standing beside the edit window.
    const auto paletteBeside = [&d] {
        return d.Geometry("palette").topLeft() - d.Geometry("edit window").topRight();
    };
    const QPoint besideBefore = paletteBeside();
    d.Widget("palette")->move(700, 600); // moved by the user: not a place to come back to

    ExitAndStartAgain(d);
    EXPECT_EQ(d.Geometry("main window"), main);
    EXPECT_EQ(paletteBeside(), besideBefore);
    EXPECT_TRUE(d.Minimised("preview"));
    EXPECT_TRUE(d.Minimised("check window"));
    for (std::size_t i = 0; i < std::size(windows); ++i) {
        SCOPED_TRACE(windows[i].role);
        if (QString::fromLatin1(windows[i].bringUp).endsWith(QLatin1String("Button")))
            d.ClickButton(QString::fromLatin1(windows[i].bringUp));
        else
            d.Trigger(QString::fromLatin1(windows[i].bringUp));
        EXPECT_EQ(d.Geometry(QString::fromLatin1(windows[i].role)), places[i]);
    }

    // The maximised state too.
    d.Widget("main window")->showMaximized();
    ExitAndStartAgain(d);
    EXPECT_TRUE(d.Widget("main window")->isMaximized());
    EXPECT_EQ(d.Widget("main window")->normalGeometry(), main); // where it goes back to
}

TEST(Workspace, ARememberedPlaceOverTheEditWindowGoesBesideItOnlyWhileThereIsRoom) {
    const struct {
        const char* name;
        EditorOptions desktop;
        bool room;
    } cases[] = {
        {"room beside", RoomyDesktop(), true},
        {"no room", EditorOptions{}, false}, // the 792 x 552 window
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditorDriver d(c.desktop);
        d.Trigger("showMapCheckAction");
        const QRect over(30, 30, d.Geometry("check window").width(), d.Geometry("check window").height());
        d.Widget("check window")->setGeometry(over);
        ExitAndStartAgain(d);
        EXPECT_TRUE(d.Minimised("check window")); // minimised, it stays where minimised windows go
        d.Trigger("showMapCheckAction");
        const QRect place = d.Geometry("check window");
        EXPECT_EQ(place.size(), over.size());
        if (c.room) {
            EXPECT_FALSE(place.intersects(d.Geometry("edit window")));
            EXPECT_FALSE(place.intersects(d.Geometry("palette")));
            EXPECT_TRUE(d.Widget("frame")->rect().contains(place));
        } else {
            EXPECT_EQ(place, over);
        }
    }
}

TEST(Workspace, FirstRunGivesTheEditWindowTheRoomOfTheAvailableArea) {
    EditorDriver d(RoomyDesktop());
    EXPECT_EQ(d.FrameGeometry("main window"), QRect(0, 0, 1280, 1000));
    // At 16 pixels the whole map fits beside the palette, with no scroll bar.
    d.ClickButton("edge16Button");
    EXPECT_EQ(d.ClientSize("edit window").width(), 48 * 16);
    EXPECT_FALSE(d.ScrollBar(Qt::Horizontal)->isVisible());
}

// Mended: a window narrower than the table's columns showed a sideways scroll bar over the last faction.
TEST_F(EditorUi, FactionTableShowsAllFourFactionsWhileTheWindowHasRoom) {
    d.LoadMap(PlayableGrid(), 3);
    d.ClickButton("factionAnalysisButton");
    const QSize full = d.Geometry("faction window").size();
    for (const int width : {full.width(), 500, 300}) {
        SCOPED_TRACE(width);
        d.Widget("faction window")->resize(width, full.height());
        EXPECT_EQ(d.TableRowsShown("faction table"), 5); // the four factions and the spreads under them
    }
}

TEST_F(EditorUi, AClickOnAnInactiveEditWindowPaintsAsOnAnActiveOne) {
    for (const char* other : {"showMapCheckAction", "showPreviewAction", "factionAnalysisButton"}) {
        SCOPED_TRACE(other);
        d.LoadMap(FilledGrid(NewMapTile));
        d.PickTile(5);
        if (std::string_view(other) == "factionAnalysisButton")
            d.ClickButton(QString::fromLatin1(other));
        else
            d.Trigger(QString::fromLatin1(other));
        ASSERT_FALSE(d.Active("edit window"));
        d.ClickThroughTheWindow(4, 4);
        EXPECT_EQ(d.Cell(4, 4), 5);
        EXPECT_TRUE(d.ShowsGrid(d.Grid()));
        EXPECT_TRUE(d.Active("edit window"));
    }
}

} // namespace
} // namespace tav::testing
