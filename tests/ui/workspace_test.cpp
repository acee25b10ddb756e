// The workspace: the windows of the frame, where they come up and what the main window's caption says
// whatever comes up.

#include "TestMaps.h"
#include "Workspace.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QSettings>

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
    EXPECT_EQ(d.FrameGeometry("main window"), QRect(64, 50, 1152, 900));
    // At 16 pixels the whole map fits beside the palette, with no scroll bar.
    d.ClickButton("edge16Button");
    EXPECT_EQ(d.ClientSize("edit window").width(), 48 * 16);
    EXPECT_FALSE(d.ScrollBar(Qt::Horizontal)->isVisible());
}

// Mended: a remembered place had only to touch the screen, so a stored size of 2147483647 opened a window
// of 32767 pixels at every start (and stored it again), and a place far up-left showed a corner of 88 x 78
// pixels. Every remembered place comes back whole on the screen's available area, title bar included.
TEST(Workspace, RememberedPlacesComeBackWholeOnTheScreen) {
    EditorDriver d(RoomyDesktop());
    const QRect available(0, 0, 1280, 1000);
    const struct {
        const char* name;
        QRect stored;
    } cases[] = {
        {"the largest size", {0, 0, 2147483647, 2147483647}},
        {"far up and left", {-790, -590, 800, 600}},
        {"far down and right", {5000, 4000, 900, 700}},
        {"title bar above the screen", {100, -20, 900, 700}},
        {"on the screen", {100, 80, 900, 700}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            QSettings store(QStringLiteral("Tavrenna"), QStringLiteral("Tavrenna MapEditor"));
            store.setValue(QStringLiteral("Workspace/MainWindow"), c.stored);
            store.setValue(QStringLiteral("Workspace/Help"), c.stored);
        }
        d.Restart();
        const QRect main = d.FrameGeometry("main window");
        EXPECT_TRUE(available.contains(main)) << main.x() << "," << main.y() << " " << main.width() << "x" << main.height();
        if (available.contains(c.stored)) {
            EXPECT_EQ(d.Geometry("main window").topLeft(), c.stored.topLeft());
        }
        if (c.stored.width() > available.width()) {
            EXPECT_EQ(main, available);
        }
        d.Key("F1");
        ASSERT_TRUE(d.Visible("helpWindow"));
        EXPECT_TRUE(available.contains(d.FrameGeometry("helpWindow")));
        // Stored again as it came back.
        ExitAndStartAgain(d);
        EXPECT_EQ(d.FrameGeometry("main window"), main);
    }
}

// The geometry a window manager's frame adds, which the offscreen platform has none of: title bar and borders
// are kept on the screen.
TEST(Workspace, WindowsOfTheirOwnFitTheScreenFrameIncluded) {
    const QRect available(0, 24, 1024, 744); // below a panel
    const QMargins frame(4, 24, 4, 4);
    EXPECT_EQ(FitOnScreen(available, frame, {0, 0, 2147483647, 2147483647}), QRect(4, 48, 1016, 716));
    EXPECT_EQ(FitOnScreen(available, frame, {-790, -590, 800, 600}), QRect(4, 48, 800, 600));
    EXPECT_EQ(FitOnScreen(available, frame, {0, 0, 800, 600}), QRect(4, 48, 800, 600));
    EXPECT_EQ(FitOnScreen(available, frame, {100, 100, 800, 600}), QRect(100, 100, 800, 600));
    // Sizes no window has, and a frame larger than the screen: still a window on it.
    EXPECT_EQ(FitOnScreen(available, frame, {-2147483647, 2000000000, 10, 10}), QRect(4, 754, 10, 10));
    EXPECT_EQ(FitOnScreen(available, frame, {300, 300, -50, -50}), QRect(300, 300, 1, 1));
    EXPECT_TRUE(available.contains(FitOnScreen(available, {2000, 2000, 2000, 2000}, {0, 0, 800, 600})));
    // A first run: the frame at nine tenths of the area, centred, so the title bar can be dragged.
    EXPECT_EQ(FirstMainWindowPlace(available, frame), QRect(55, 85, 913, 641));
    EXPECT_EQ(FirstMainWindowPlace({0, 0, 1920, 1080}, {}), QRect(96, 54, 1728, 972));
}

// Mended: the check window that Save brings up covered the edit window, the faction window opened as wide as
// the frame over everything, and the help window opened at the screen's corner over the tool bar. Their first
// places are beside the edit window where there is room, on the screen, off the tool bar.
TEST(Workspace, FirstPlacesOfTheWindowsGoBesideTheEditWindowAndFitTheScreen) {
    const struct {
        const char* name;
        QSize screen;
        bool room; // for the check and faction windows beside the edit window
    } cases[] = {{"1920 x 1080", {1920, 1080}, true}, {"1024 x 768", {1024, 768}, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect available(QPoint(0, 0), c.screen);
        EditorDriver d({.Screen = c.screen, .Available = available});
        d.ClickButton("saveButton"); // a new map has no castles: the check window comes up; Cancel
        ASSERT_TRUE(d.Visible("check window"));
        ASSERT_FALSE(d.Minimised("check window"));
        const QRect frame = d.Widget("frame")->rect();
        EXPECT_TRUE(frame.contains(d.Geometry("check window")));
        if (c.room) {
            EXPECT_FALSE(d.Geometry("check window").intersects(d.Geometry("edit window")));
        }

        d.ClickButton("factionAnalysisButton");
        EXPECT_TRUE(frame.contains(d.Geometry("faction window")));
        if (c.room) {
            EXPECT_FALSE(d.Geometry("faction window").intersects(d.Geometry("edit window")));
        }

        d.Key("F1");
        QWidget* toolBar = d.Widget("tool bar");
        const QRect toolBarOnScreen(toolBar->mapToGlobal(QPoint(0, 0)), toolBar->size());
        EXPECT_TRUE(available.contains(d.FrameGeometry("helpWindow")));
        EXPECT_FALSE(d.FrameGeometry("helpWindow").intersects(toolBarOnScreen));
    }
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
