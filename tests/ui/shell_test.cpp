// The main window: start-up, geometry rules, menus, tool bar, tool and window commands, map shift.

#include "EditorFixture.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>

#include <random>

namespace tav::testing {
namespace {

TEST(StartUp, FormCreatePlacesTheMainWindowAndTheResizeRuleSetsItsClientArea) {
    struct Case {
        QSize screen;
        QSize outerAtCreation;
        QSize clientWhenShown;
    };
    const Case cases[] = {
        {{1024, 768}, {792, 552}, {792, 552}},
        {{640, 480}, {640, 480}, {640, 480}},
        {{800, 560}, {800, 560}, {792, 552}}, // exactly 800 wide is not wider than 800, but at least 800
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen.width());
        Editor editor(c.screen, false);
        EXPECT_EQ(MainView->pos(), QPoint(1, 1));
        EXPECT_EQ(MainView->frameGeometry().size(), c.outerAtCreation);
        EXPECT_EQ(MapEditView->Timer1.Interval(), 0);
        EXPECT_EQ(CharacterView->Timer1.Interval(), 0);
        editor.Show();
        EXPECT_EQ(MainView->ClientSize(), c.clientWhenShown);
    }
}

TEST(StartUp, CreatesTheSixWindowsWithTheirCaptionsAndStartValues) {
    Editor editor;
    ASSERT_NE(MainView, nullptr);
    ASSERT_NE(MapEditView, nullptr);
    ASSERT_NE(CharacterView, nullptr);
    ASSERT_NE(PreEditView, nullptr);
    ASSERT_NE(MapCheckView, nullptr);
    ASSERT_NE(VersionView, nullptr);
    EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Tavrenna MapEditor"));
    EXPECT_EQ(MainView->windowTitle(), QStringLiteral("Tavrenna MapEditor"));
    EXPECT_EQ(MapEditView->windowTitle(), QStringLiteral("MapEditView - New File"));
    EXPECT_EQ(CharacterView->windowTitle(), QStringLiteral("CharacterView"));
    EXPECT_EQ(PreEditView->windowTitle(), QStringLiteral("Preview EditScreen"));
    EXPECT_EQ(MapCheckView->windowTitle(), QStringLiteral("MapCheck"));
    EXPECT_EQ(VersionView->windowTitle(), QStringLiteral("Tavrena MapEditor バージョン情報"));
    EXPECT_FALSE(QApplication::windowIcon().isNull());

    const MapDocument& doc = MainView->Document;
    EXPECT_EQ(doc.Grid, MapDocument::FilledGrid(48));
    EXPECT_EQ(doc.CurrentTool, Pen);
    EXPECT_EQ(doc.EditScale, Small);
    EXPECT_EQ(doc.CurrentTileSet, 1);
    EXPECT_EQ(doc.Modified, 0);
    EXPECT_TRUE(MainView->TileBitmaps.IsLoaded());
    EXPECT_EQ(MainView->TileBitmaps.LoadedTileSet(), 1);
    EXPECT_EQ(MapEditView->Timer1.Interval(), 200);
    EXPECT_EQ(CharacterView->Timer1.Interval(), 200);

    EXPECT_TRUE(PreEditView->isMinimized());
    EXPECT_TRUE(MapCheckView->isMinimized());
    EXPECT_FALSE(CharacterView->isMinimized());
    EXPECT_EQ(ClientSize(CharacterView), QSize(138, 274));
    EXPECT_EQ(MapEditView->pos(), QPoint(0, 0));
    EXPECT_EQ(MainView->MdiArea->background().color(), QColor(0, 0, 94));
    EXPECT_EQ(MainView->SpeedBar->height(), 30);
    EXPECT_EQ(MainView->StatusBar->height(), 19);
    EXPECT_EQ(MainView->StatusPanel->width(), 150);
    // The panel's start-up text stands until the first blink.
    EXPECT_EQ(MainView->StatusText(), QStringLiteral("X=48, Y=48"));
    EXPECT_EQ(MainView->MenuPen->isChecked(), true);
    EXPECT_EQ(MainView->MenuChar[0]->isChecked(), true);
}

TEST(MainWindow, ClientAreaNeverShrinksBelowTheLowerBound) {
    Editor editor;
    struct Case {
        QSize request;
        QSize result;
    };
    const Case cases[] = {
        {{700, 552}, {792, 552}}, {{900, 552}, {900, 552}}, {{800, 552}, {792, 552}},
        {{793, 600}, {792, 600}}, {{801, 561}, {801, 561}}, {{792, 400}, {792, 552}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request.width() * 10000 + c.request.height());
        MainView->SetClientSize(c.request);
        EXPECT_EQ(MainView->ClientSize(), c.result);
    }
}

TEST(MainWindow, ToolBarHoldsTheTwentySixButtonsAtTheirPlaces) {
    Editor editor;
    struct Button {
        int left;
        const char* name;
        const char* hint;
        bool checkable;
    };
    const Button table[] = {
        {8, "NewButton", "新規作成", false},        {34, "OpenButton", "開く", false},
        {60, "SaveAsButton", "名前をつけて保存", false}, {86, "SaveButton", "上書き保存", false},
        {120, "ExitButton", "エディタの終了", false},   {154, "PenButton", "ペン", true},
        {180, "LineButton", "直線", true},          {206, "BoxButton", "四角形", true},
        {232, "BoxFillButton", "塗りつぶし四角形", true}, {258, "CircleButton", "円", true},
        {284, "CircleFillButton", "塗りつぶし円", true}, {310, "BucketButton", "塗りつぶし", true},
        {344, "RangeButton", "範囲選択", true},      {370, "CutButton", "選択範囲を切り取る", false},
        {396, "PasteButton", "貼りつけ", false},     {422, "ChangeButton", "置換", false},
        {448, "ExchangeButton", "交換", false},      {474, "FormButton", "マップを整形する", false},
        {500, "UnformButton", "マップの整形を解除する", false}, {534, "UndoButton", "直前の作業を取り消す", false},
        {568, "LargeCharButton", "大きいサイズ", true}, {594, "MiddleCharButton", "普通のサイズ", true},
        {620, "SmallCharButton", "小さいサイズ", true}, {654, "CheckButton", "マップチェック", false},
        {688, "StatusButton", "勢力分析", false},     {722, "HelpButton", "ヘルプを開きます", false},
    };
    EXPECT_EQ(MainView->SpeedBar->findChildren<QToolButton*>().size(), 26);
    for (const Button& b : table) {
        SCOPED_TRACE(b.name);
        auto* button = MainView->SpeedBar->findChild<QToolButton*>(QString::fromLatin1(b.name));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->geometry(), QRect(b.left, 2, 26, 26));
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(b.hint));
        EXPECT_EQ(button->isCheckable(), b.checkable);
        EXPECT_EQ(button->iconSize(), QSize(24, 24));
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_TRUE(button->autoRaise());
    }
    EXPECT_TRUE(MainView->PenButton->isChecked());
    EXPECT_TRUE(MainView->SmallCharButton->isChecked());
    // The range button stands alone: a second click releases it.
    MainView->RangeButton->click();
    EXPECT_TRUE(MainView->RangeButton->isChecked());
    MainView->RangeButton->click();
    EXPECT_FALSE(MainView->RangeButton->isChecked());
}

TEST(MainWindow, MenuTableHasEveryItemWithItsCaptionAndShortcut) {
    Editor editor;
    struct Item {
        const char* name;
        const char* caption;
        const char* shortcut;
    };
    const Item table[] = {
        {"MenuNewFile", "新規作成(&N)", "Ctrl+N"},      {"MenuOpenFile", "開く(&O)", "Ctrl+L"},
        {"MenuSaveFile", "上書き保存(&S)", "Ctrl+S"},    {"MenuSaveAsFile", "名前をつけて保存(&A)", ""},
        {"MenuExit", "終了(&X)", "Ctrl+Q"},            {"MenuPen", "ペン(&P)", ""},
        {"MenuLine", "直線(&L)", ""},                 {"MenuBox", "四角形(&S)", ""},
        {"MenuBoxFill", "塗りつぶし四角形(&B)", ""},       {"MenuCircle", "円(&R)", ""},
        {"MenuCircleFill", "塗りつぶし円(&M)", ""},       {"MenuBucket", "塗りつぶす(&F)", ""},
        {"MenuCut", "選択範囲を切り取る(&V)", "Ctrl+X"},    {"MenuCopy", "選択範囲をコピー(&C)", "Ctrl+C"},
        {"MenuPaste", "貼りつけ(&P)", "Ctrl+V"},        {"MenuForm", "整形する", "Ctrl+F"},
        {"MenuUnform", "整形を解除する", "Ctrl+G"},       {"MenuUndo", "直前の作業を撤回(&U)", "Ctrl+Z"},
        {"MenuChar1", "ヴェルダ(&1)", "Alt+1"},         {"MenuChar9", "ステラン(&9)", "Alt+9"},
        {"MenuShowEditView", "エディットウインドウ", ""},     {"MenuShowCharView", "キャラクターウインドウ", ""},
        {"MenuShowPreview", "プレビューウインドウ", ""},     {"MenuShowMapCheckView", "マップチェックウインドウ", ""},
        {"MenuShiftLeft1", "エディット面を左にシフト", "Shift+Left"},
        {"MenuShiftRight1", "エディット面を右にシフト", "Shift+Right"},
        {"MenuShiftUpper1", "エディット面を上にシフト", "Shift+Up"},
        {"MenuShiftLower1", "エディット面を下にシフト", "Shift+Down"},
        {"MenuChangeSizeL", "エディットサイズをＬする", "Ctrl+1"},
        {"MenuChangeSizeM", "エディットサイズをＭにする", "Ctrl+2"},
        {"MenuChangeSizeS", "エディットサイズをＳにする", "Ctrl+3"},
    };
    for (const Item& i : table) {
        SCOPED_TRACE(i.name);
        auto* action = MainView->findChild<QAction*>(QString::fromLatin1(i.name));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromUtf8(i.caption));
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(i.shortcut)));
    }
    QStringList bar;
    for (QAction* a : MainView->menuBar()->actions())
        bar << a->text();
    EXPECT_EQ(bar, (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("編集(&E)"),
                                QStringLiteral("キャラクター(&C)"), QStringLiteral("ウインドウ(&W)"),
                                QStringLiteral("オプション(&O)"), QStringLiteral("ヘルプ(&H)"),
                                QStringLiteral("バージョン(&V)")}));
    EXPECT_EQ(MainView->N1->title(), QStringLiteral("非メニュー項目"));
}

TEST(MainWindow, InertItemsAndButtonsChangeNothing) {
    Editor editor;
    MapDocument before = MainView->Document;
    for (QAction* a : {MainView->MenuCut, MainView->MenuCopy, MainView->MenuPaste, MainView->MenuUndo})
        a->trigger();
    for (QToolButton* b : {MainView->CutButton, MainView->PasteButton, MainView->ChangeButton,
                           MainView->ExchangeButton, MainView->UndoButton, MainView->StatusButton,
                           MainView->HelpButton})
        b->click();
    for (QKeySequence key : {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::CTRL | Qt::Key_Z)})
        QTest::keySequence(MainView, key);
    const MapDocument& after = MainView->Document;
    EXPECT_EQ(after.Grid, before.Grid);
    EXPECT_EQ(after.Modified, before.Modified);
    EXPECT_EQ(after.CurrentTool, before.CurrentTool);
    EXPECT_TRUE(MainView->isVisible());
}

TEST(MainWindow, ShiftArrowsTurnTheMapAndFortyEightShiftsRestoreIt) {
    Editor editor;
    MapDocument& doc = MainView->Document;
    std::mt19937 rng(7);
    for (auto& c : doc.Grid)
        c = static_cast<TileCode>(rng() % 128);
    const MapGrid original = doc.Grid;
    struct Case {
        Qt::Key key;
        ShiftDirection direction;
    };
    const Case cases[] = {{Qt::Key_Left, ShiftDirection::Left},
                          {Qt::Key_Right, ShiftDirection::Right},
                          {Qt::Key_Up, ShiftDirection::Up},
                          {Qt::Key_Down, ShiftDirection::Down}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.key));
        doc.Modified = 0;
        MapGrid expected = doc.Grid;
        ShiftMap(expected, c.direction);
        QTest::keyClick(MainView, c.key, Qt::ShiftModifier);
        EXPECT_EQ(doc.Grid, expected);
        EXPECT_EQ(doc.Modified, 1);
        // The shift ends in a full redraw: the edit window and the preview show the shifted map.
        EXPECT_TRUE(EditorTest::CellShows(MapEditView->HiddenMapImage, 0, 0, 8, 2, doc.Cell(0, 0)));
        EXPECT_TRUE(EditorTest::CellShows(PreEditView->PreviewImage, 47, 47, 4, 3, doc.Cell(47, 47)));
        for (int i = 1; i < 48; ++i)
            QTest::keyClick(MainView, c.key, Qt::ShiftModifier);
        EXPECT_EQ(doc.Grid, original);
    }
}

TEST(MainWindow, ToolCommandsSetToolKindButtonAndMenuMark) {
    Editor editor;
    struct Case {
        void (TMainView::*command)();
        int tool;
        int kind;
        QToolButton* TMainView::*button;
        QAction* TMainView::*item;
    };
    const Case cases[] = {
        {&TMainView::MenuLineClick, Line, ShapeTool, &TMainView::LineButton, &TMainView::MenuLine},
        {&TMainView::MenuBoxClick, Box, ShapeTool, &TMainView::BoxButton, &TMainView::MenuBox},
        {&TMainView::MenuBoxFillClick, BoxFill, ShapeTool, &TMainView::BoxFillButton, &TMainView::MenuBoxFill},
        {&TMainView::MenuCircleClick, Circle, ShapeTool, &TMainView::CircleButton, &TMainView::MenuCircle},
        {&TMainView::MenuCircleFillClick, CircleFill, ShapeTool, &TMainView::CircleFillButton,
         &TMainView::MenuCircleFill},
        {&TMainView::MenuBucketClick, Bucket, CellTool, &TMainView::BucketButton, &TMainView::MenuBucket},
        {&TMainView::MenuPenClick, Pen, CellTool, &TMainView::PenButton, &TMainView::MenuPen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tool);
        // Through the button, as the user does it.
        (MainView->*c.button)->click();
        EXPECT_EQ(MainView->Document.CurrentTool, c.tool);
        EXPECT_EQ(MainView->Document.ToolKind, c.kind);
        EXPECT_TRUE((MainView->*c.button)->isChecked());
        EXPECT_TRUE((MainView->*c.item)->isChecked());
        EXPECT_EQ(MapEditView->Timer1.Interval(), 200);
    }
    // And through the menu item.
    MainView->MenuBox->trigger();
    EXPECT_EQ(MainView->Document.CurrentTool, Box);
    EXPECT_TRUE(MainView->BoxButton->isChecked());
}

TEST(MainWindow, WindowMenuRestoresMinimisedWindowsAndCloseOnlyMinimises) {
    Editor editor;
    MainView->MenuShowPreview->trigger();
    EXPECT_FALSE(PreEditView->isMinimized());
    EXPECT_TRUE(PreEditView->isVisible());
    EXPECT_EQ(PreEditView->pos(), QPoint(413, 224));
    EXPECT_EQ(ClientSize(PreEditView), QSize(192, 192));
    PreEditView->close();
    EXPECT_TRUE(PreEditView->isMinimized());
    EXPECT_TRUE(PreEditView->isVisible());

    MainView->MenuShowMapCheckView->trigger();
    EXPECT_FALSE(MapCheckView->isMinimized());
    EXPECT_EQ(MapCheckView->pos(), QPoint(246, 282));
    EXPECT_EQ(ClientSize(MapCheckView), QSize(350, 200));

    // The edit window and the palette cannot be closed.
    MapEditView->close();
    CharacterView->close();
    EXPECT_TRUE(MapEditView->isVisible());
    EXPECT_TRUE(CharacterView->isVisible());
    MainView->MenuShowCharView->trigger();
    EXPECT_EQ(MainView->MdiArea->activeSubWindow(), CharacterView);
    MainView->MenuShowEditView->trigger();
    EXPECT_EQ(MainView->MdiArea->activeSubWindow(), MapEditView);
}

TEST(MainWindow, VersionItemCentresTheAboutBoxAndShowsItModally) {
    Editor editor;
    MainView->V1->trigger();
    EXPECT_EQ(editor.Platform->ModalShows, 1);
    const QRect main = MainView->frameGeometry();
    const QRect box = VersionView->frameGeometry();
    EXPECT_EQ(box.left(), main.left() + (main.width() - box.width()) / 2);
    EXPECT_EQ(box.top(), main.top() + (main.height() - box.height()) / 2);
}

TEST(MainWindow, ExitFreesThePicturesAndClosesTheMainWindow) {
    Editor editor;
    QTest::keyClick(MainView, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(MainView->TileBitmaps.IsLoaded());
    EXPECT_FALSE(MainView->isVisible());
}

} // namespace
} // namespace tav::testing
