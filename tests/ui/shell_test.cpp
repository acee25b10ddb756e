// The main window: start-up, geometry rules, menus, tool bar, tool and window commands, map shift.

#include "TestMaps.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QToolButton>

#include <random>

namespace tav::testing {
namespace {

// A first run gives the main window nine tenths of the screen's available area, centred, so that a window
// manager's title bar is on the screen too; the resize rule then sets its client area.
TEST(StartUp, MainWindowTakesMostOfTheAvailableAreaAndTheResizeRuleSetsItsClientArea) {
    const struct {
        QSize screen;
        QRect available;
        QRect first;
        std::optional<QSize> clientWhenShown; // none: the rule leaves the window as it is
    } cases[] = {
        {{1024, 768}, {0, 24, 1024, 744}, {51, 61, 921, 669}, std::nullopt},
        {{1024, 768}, {100, 0, 700, 500}, {135, 25, 630, 450}, QSize(792, 552)},
        {{640, 480}, {0, 0, 640, 480}, {32, 24, 576, 432}, QSize(640, 480)},
        {{800, 560}, {0, 0, 800, 560}, {40, 28, 720, 504}, QSize(792, 552)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screen.width() * 10000 + c.available.width());
        EditorDriver d(EditorOptions{.Screen = c.screen, .Show = false, .Available = c.available});
        EXPECT_EQ(d.FrameGeometry("main window"), c.first);
        EXPECT_FALSE(d.Widget("main window")->isMaximized());
        d.Show();
        if (c.clientWhenShown) {
            EXPECT_EQ(d.ClientSize("main window"), *c.clientWhenShown);
        } else {
            EXPECT_EQ(d.FrameGeometry("main window"), c.first);
        }
    }
}

TEST_F(EditorUi, StartsWithItsWindowsCaptionsAndANewMap) {
    EXPECT_EQ(QApplication::applicationName(), AppTitle);
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_EQ(d.MainTitle(), AppTitle);
    const struct {
        const char* role;
        const char* caption;
    } windows[] = {{"edit window", "MapEditView - New File"},
                   {"palette", "CharacterView"},
                   {"preview", "Preview EditScreen"},
                   {"check window", "MapCheck"}};
    for (const auto& w : windows)
        EXPECT_EQ(d.Widget(w.role)->windowTitle(), QString::fromUtf8(w.caption));

    EXPECT_EQ(d.Grid(), FilledGrid(NewMapTile));
    EXPECT_TRUE(d.ShowsGrid(d.Grid()));
    EXPECT_EQ(d.TileSet(), 1);
    EXPECT_FALSE(d.Modified());
    EXPECT_EQ(d.FileName(), QString());
    EXPECT_EQ(d.EditEdge(), 8);
    for (const char* mark : {"penButton", "penAction", "edge8Button", "tileSet1Action"})
        EXPECT_TRUE(d.Checked(QString::fromLatin1(mark))) << mark;

    EXPECT_TRUE(d.Minimised("preview"));
    EXPECT_TRUE(d.Minimised("check window"));
    EXPECT_FALSE(d.Minimised("palette"));
    EXPECT_EQ(d.ClientSize("palette"), QSize(138, 274));
    EXPECT_EQ(d.Geometry("edit window").topLeft(), QPoint(0, 0));
    EXPECT_EQ(qobject_cast<QMdiArea*>(d.Widget("frame"))->background().color(), QColor(0, 0, 94));
    EXPECT_EQ(d.Geometry("tool bar").height(), 30);
    EXPECT_EQ(d.Geometry("status bar").height(), 19);
    EXPECT_EQ(d.Geometry("status").width(), 150);
    // The panel's start-up text stands until the first blink draws the cursor at the origin.
    EXPECT_EQ(d.StatusText(), QStringLiteral("X=48, Y=48"));
    d.Blink();
    EXPECT_EQ(d.StatusText(), QStringLiteral("X=0, Y=0"));
    EXPECT_TRUE(d.IsBlinkColour(d.ShownPixel(0, 0, 0, 0)));
    EXPECT_EQ(d.PickedTile(), 0);
}

TEST_F(EditorUi, MainClientAreaNeverShrinksBelowTheLowerBound) {
    const struct {
        QSize request, result;
    } cases[] = {
        {{700, 552}, {792, 552}}, {{900, 552}, {900, 552}}, {{800, 552}, {792, 552}},
        {{793, 600}, {792, 600}}, {{801, 561}, {801, 561}}, {{792, 400}, {792, 552}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.request.width() * 10000 + c.request.height());
        d.SetClientSize("main window", c.request);
        EXPECT_EQ(d.ClientSize("main window"), c.result);
    }
}

TEST_F(EditorUi, ToolBarShowsItsButtonsInOrderWhereItsLayoutPlacesThem) {
    // Left to right.
    const struct {
        const char* name;
        const char* hint;
        bool checkable;
    } table[] = {
        {"newMapButton", "新規作成", false},
        {"openButton", "開く", false},
        {"saveAsButton", "名前をつけて保存", false},
        {"saveButton", "上書き保存", false},
        {"exitButton", "エディタの終了", false},
        {"penButton", "ペン", true},
        {"lineButton", "直線", true},
        {"boxButton", "四角形", true},
        {"boxFillButton", "塗りつぶし四角形", true},
        {"circleButton", "円", true},
        {"circleFillButton", "塗りつぶし円", true},
        {"bucketButton", "塗りつぶし", true},
        {"rangeSelectionButton", "範囲選択", true},
        {"cutButton", "選択範囲を切り取る", false},
        {"pasteButton", "貼りつけ", false},
        {"replaceButton", "置換", false},
        {"exchangeButton", "交換", false},
        {"shapeButton", "マップを整形する", false},
        {"unshapeButton", "マップの整形を解除する", false},
        {"undoButton", "直前の作業を取り消す", false},
        {"edge32Button", "大きいサイズ", true},
        {"edge16Button", "普通のサイズ", true},
        {"edge8Button", "小さいサイズ", true},
        {"mapCheckButton", "マップチェック", false},
        {"factionAnalysisButton", "勢力分析", false},
        {"helpButton", "ヘルプを開きます", false},
        {"symmetryButton", "対称描画の切り替え", true},
    };
    const std::vector<std::pair<QString, QRect>> plan = d.PlannedToolBar();
    QWidget* bar = d.Widget("tool bar");
    // Every button on the bar has its place in the layout, and the layout places no button that is not there.
    ASSERT_EQ(plan.size(), std::size(table));
    EXPECT_EQ(bar->findChildren<QToolButton*>().size(), static_cast<qsizetype>(plan.size()));
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const auto& b = table[i];
        SCOPED_TRACE(b.name);
        EXPECT_EQ(plan[i].first, QString::fromLatin1(b.name));
        auto* button = bar->findChild<QToolButton*>(QString::fromLatin1(b.name));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->geometry(), plan[i].second);
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(b.hint));
        EXPECT_EQ(button->isCheckable(), b.checkable);
        EXPECT_EQ(button->iconSize(), QSize(24, 24));
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_TRUE(button->autoRaise());
        // 26-pixel squares in one row, each right of the one before, with no gap or a group's between them;
        // the last one still on the bar at the main window's narrowest.
        EXPECT_EQ(plan[i].second.size(), QSize(26, 26));
        EXPECT_EQ(plan[i].second.top(), 2);
        const int gap = plan[i].second.left() - (i == 0 ? 0 : plan[i - 1].second.right() + 1);
        EXPECT_TRUE(gap == 0 || gap == 4 || gap == 8) << gap;
    }
    EXPECT_LE(plan.back().second.right(), 792 - 1);
    // The range button stands alone: a second click releases it.
    d.ClickButton("rangeSelectionButton");
    EXPECT_TRUE(d.Checked("rangeSelectionButton"));
    d.ClickButton("rangeSelectionButton");
    EXPECT_FALSE(d.Checked("rangeSelectionButton"));
}

TEST_F(EditorUi, MenuTableHasEveryItemWithItsCaptionAndShortcut) {
    const struct {
        const char* name;
        const char* caption;
        const char* shortcut;
    } table[] = {
        {"newMapAction", "新規作成(&N)", "Ctrl+N"},      {"openAction", "開く(&O)", "Ctrl+L"},
        {"saveAction", "上書き保存(&S)", "Ctrl+S"},    {"saveAsAction", "名前をつけて保存(&A)", ""},
        {"generateMapAction", "自動生成(&G)…", "Ctrl+Shift+N"},
        {"exitAction", "終了(&X)", "Ctrl+Q"},            {"penAction", "ペン(&P)", "P"},
        {"lineAction", "直線(&L)", "L"},                 {"boxAction", "四角形(&S)", "R"},
        {"boxFillAction", "塗りつぶし四角形(&B)", "Shift+R"},       {"circleAction", "円(&R)", "E"},
        {"circleFillAction", "塗りつぶし円(&M)", "Shift+E"},       {"bucketAction", "塗りつぶす(&F)", "F"}, {"rangeSelectionAction", "範囲選択", "S"},
        {"cutAction", "選択範囲を切り取る(&V)", "Ctrl+X"},    {"copyAction", "選択範囲をコピー(&C)", "Ctrl+C"},
        {"pasteAction", "貼りつけ(&P)", "Ctrl+V"},        {"shapeAction", "整形する", "Ctrl+F"},
        {"unshapeAction", "整形を解除する", "Ctrl+G"},       {"undoAction", "直前の作業を撤回(&U)", "Ctrl+Z"},
        {"tileSet1Action", "ヴェルダ(&1)", "Alt+1"},         {"tileSet9Action", "ステラン(&9)", "Alt+9"},
        {"showEditWindowAction", "エディットウインドウ", ""},     {"showPaletteAction", "キャラクターウインドウ", ""},
        {"showPreviewAction", "プレビューウインドウ", ""},     {"showMapCheckAction", "マップチェックウインドウ", ""},
        {"shiftLeftAction", "エディット面を左にシフト", "Shift+Left"},
        {"shiftRightAction", "エディット面を右にシフト", "Shift+Right"},
        {"shiftUpAction", "エディット面を上にシフト", "Shift+Up"},
        {"shiftDownAction", "エディット面を下にシフト", "Shift+Down"},
        {"edge32Action", "エディットサイズをＬする", "Ctrl+1"},
        {"edge16Action", "エディットサイズをＭにする", "Ctrl+2"},
        {"edge8Action", "エディットサイズをＳにする", "Ctrl+3"},
        {"rulerAction", "距離(&D)", "Ctrl+R"},        {"territoryOverlayAction", "勢力範囲を重ねる(&T)", "F7"},
    };
    for (const auto& i : table) {
        SCOPED_TRACE(i.name);
        QAction* action = d.Action(QString::fromLatin1(i.name));
        EXPECT_EQ(action->text(), QString::fromUtf8(i.caption));
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(i.shortcut)));
    }
    EXPECT_EQ(d.MenuTitles(), (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("編集(&E)"),
                                           QStringLiteral("キャラクター(&C)"), QStringLiteral("ウインドウ(&W)"),
                                           QStringLiteral("オプション(&O)"), QStringLiteral("ヘルプ(&H)"),
                                           QStringLiteral("バージョン(&V)")}));
    EXPECT_EQ(qobject_cast<QMenu*>(d.Widget("shortcut-only menu"))->title(), QStringLiteral("非メニュー項目"));
}

// The drawing tools answer single keys, as image editors' do, shown in the Edit menu.
TEST_F(EditorUi, SingleKeysChooseTheDrawingToolsOutsideTextFields) {
    const struct {
        const char* key;
        const char* button;
    } keys[] = {{"L", "lineButton"},     {"R", "boxButton"},      {"Shift+R", "boxFillButton"},
                {"E", "circleButton"},   {"Shift+E", "circleFillButton"}, {"F", "bucketButton"},
                {"P", "penButton"}};
    for (const auto& k : keys) {
        SCOPED_TRACE(k.key);
        d.Key(k.key);
        EXPECT_TRUE(d.Checked(QString::fromLatin1(k.button)));
    }
    d.Key("S");
    EXPECT_TRUE(d.Checked("rangeSelectionButton"));
    d.Key("S");
    EXPECT_FALSE(d.Checked("rangeSelectionButton"));
    EXPECT_FALSE(d.Modified());
}

TEST_F(EditorUi, InertItemsButtonsAndShortcutsChangeNothing) {
    const MapGrid before = d.Grid();
    for (const char* item : {"cutAction", "copyAction", "pasteAction", "undoAction"})
        d.Trigger(QString::fromLatin1(item));
    for (const char* button :
         {"cutButton", "pasteButton", "replaceButton", "exchangeButton", "undoButton", "factionAnalysisButton", "helpButton"})
        d.ClickButton(QString::fromLatin1(button));
    d.Key("Ctrl+X");
    d.Key("Ctrl+Z");
    EXPECT_EQ(d.Grid(), before);
    EXPECT_FALSE(d.Modified());
    EXPECT_TRUE(d.Checked("penButton"));
    EXPECT_TRUE(d.Visible("main window"));
}

TEST_F(EditorUi, ShiftArrowsTurnTheMapAndFortyEightShiftsRestoreIt) {
    std::mt19937 rng(7);
    MapGrid original{};
    for (auto& c : original)
        c = static_cast<TileCode>(rng() % 128);
    d.LoadMap(original);
    const struct {
        Qt::Key key;
        ShiftDirection direction;
    } cases[] = {{Qt::Key_Left, ShiftDirection::Left},
                 {Qt::Key_Right, ShiftDirection::Right},
                 {Qt::Key_Up, ShiftDirection::Up},
                 {Qt::Key_Down, ShiftDirection::Down}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.key));
        d.LoadMap(d.Grid());
        MapGrid expected = d.Grid();
        ShiftMap(expected, c.direction);
        d.Key(QKeySequence(Qt::SHIFT | c.key));
        EXPECT_EQ(d.Grid(), expected);
        EXPECT_TRUE(d.Modified());
        EXPECT_TRUE(d.ShowsGrid(expected));
        for (int i = 1; i < MapSize; ++i)
            d.Key(QKeySequence(Qt::SHIFT | c.key));
        EXPECT_EQ(d.Grid(), original);
    }
}

TEST_F(EditorUi, WindowMenuRestoresMinimisedWindowsAndCloseOnlyMinimises) {
    const struct {
        const char* item;
        const char* role;
        QPoint pos;
        QSize client;
    } cases[] = {{"showPreviewAction", "preview", {}, {192, 192}},
                 {"showMapCheckAction", "check window", {246, 282}, {350, 200}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.role);
        d.Trigger(QString::fromLatin1(c.item));
        EXPECT_FALSE(d.Minimised(c.role));
        EXPECT_TRUE(d.Visible(c.role));
        EXPECT_TRUE(d.Active(c.role));
        if (c.pos.isNull()) { // restored beside the palette, never over it
            EXPECT_FALSE(d.Geometry(c.role).intersects(d.Geometry("palette")));
        } else { // at its place, moved up as far as the frame needs to show it whole
            EXPECT_EQ(d.Geometry(c.role).left(), c.pos.x());
            EXPECT_LE(d.Geometry(c.role).top(), c.pos.y());
        }
        EXPECT_TRUE(d.Widget("frame")->rect().contains(d.Geometry(c.role)));
        EXPECT_EQ(d.ClientSize(c.role), c.client);
        d.Widget(c.role)->close();
        EXPECT_TRUE(d.Minimised(c.role));
        EXPECT_TRUE(d.Visible(c.role));
    }
    // The edit window and the palette cannot be closed; the menu makes them active.
    for (const auto& [item, role] :
         {std::pair{"showPaletteAction", "palette"}, std::pair{"showEditWindowAction", "edit window"}}) {
        d.Widget(role)->close();
        EXPECT_TRUE(d.Visible(role));
        d.Trigger(QString::fromLatin1(item));
        EXPECT_TRUE(d.Active(role)) << role;
    }
}

} // namespace
} // namespace tav::testing
