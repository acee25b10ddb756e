#include "MenusAndToolBar.h"

#include "Document.h"
#include "FileController.h"
#include "MainWindow.h"
#include "MapCommands.h"
#include "PictureReadAhead.h"
#include "Platform.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QUndoStack>

#include <map>

namespace tav {

namespace {

// Where a command appears: a menu of the menu bar, the menu bar itself, the menu that is never shown, whose
// items only work through their shortcuts, or only the tool bar.
enum class Place { File, Edit, Window, Options, Help, MenuBar, ShortcutOnly, ToolBarOnly };

// Tool and edge buttons are radio groups; a toggle button keeps its pressed look until clicked again.
// An on/off item carries a check mark and has no button.
enum class ButtonKind { Plain, Tool, Edge, Toggle, OnOff };

struct Command {
    const char* Name; // the action's object name; nullptr for a tool-bar button alone
    Place Where;
    const char* Caption;
    const char* Shortcut; // in QKeySequence's portable form; "" for none
    bool SeparatorBefore;
    const char* Button;  // the tool-bar button's object name; nullptr for a menu item alone
    const char* Picture; // the button's picture, ":/toolbar/<Picture>.png"
    int ButtonLeft;
    const char* Hint;
    ButtonKind Kind;
    void (*Run)(MainWindow&, bool checked); // `checked`: a checkable item's new state
};

// Every command of the editor, in menu order; the tool-bar buttons sit at their own positions.
constexpr Command Commands[] = {
    {"newMapAction", Place::File, QT_TRANSLATE_NOOP("Commands", "新規作成(&N)"), "Ctrl+N", false, "newMapButton", "new-map",
     8, QT_TRANSLATE_NOOP("Commands", "新規作成"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.Files()->NewMap(); }},
    {"openAction", Place::File, QT_TRANSLATE_NOOP("Commands", "開く(&O)"), "Ctrl+L", false, "openButton", "open",
     34, QT_TRANSLATE_NOOP("Commands", "開く"), ButtonKind::Plain, [](MainWindow& w, bool) { w.Files()->Open(); }},
    {"saveAction", Place::File, QT_TRANSLATE_NOOP("Commands", "上書き保存(&S)"), "Ctrl+S", false,
     "saveButton", "save", 86, QT_TRANSLATE_NOOP("Commands", "上書き保存"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.Files()->Save(); }},
    {"saveAsAction", Place::File, QT_TRANSLATE_NOOP("Commands", "名前をつけて保存(&A)"), "", false,
     "saveAsButton", "save-as", 60, QT_TRANSLATE_NOOP("Commands", "名前をつけて保存"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.Files()->SaveAs(true); }},
    {"exportImageAction", Place::File, QT_TRANSLATE_NOOP("Commands", "画像として書き出す(&E)"), "", true,
     nullptr, nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.Files()->ExportImage(); }},
    {"exitAction", Place::File, QT_TRANSLATE_NOOP("Commands", "終了(&X)"), "Ctrl+Q", false, "exitButton", "exit", 120,
     QT_TRANSLATE_NOOP("Commands", "エディタの終了"), ButtonKind::Plain, [](MainWindow& w, bool) { w.close(); }},

    {"penAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "ペン(&P)"), "", false, "penButton", "pen", 154,
     QT_TRANSLATE_NOOP("Commands", "ペン"), ButtonKind::Tool, [](MainWindow& w, bool) { w.SelectTool(DrawTool::Pen); }},
    {"lineAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "直線(&L)"), "", false, "lineButton", "line", 180,
     QT_TRANSLATE_NOOP("Commands", "直線"), ButtonKind::Tool, [](MainWindow& w, bool) { w.SelectTool(DrawTool::Line); }},
    {"boxAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "四角形(&S)"), "", false, "boxButton", "box", 206,
     QT_TRANSLATE_NOOP("Commands", "四角形"), ButtonKind::Tool, [](MainWindow& w, bool) { w.SelectTool(DrawTool::Box); }},
    {"boxFillAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "塗りつぶし四角形(&B)"), "", false,
     "boxFillButton", "box-fill", 232, QT_TRANSLATE_NOOP("Commands", "塗りつぶし四角形"), ButtonKind::Tool,
     [](MainWindow& w, bool) { w.SelectTool(DrawTool::BoxFill); }},
    {"circleAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "円(&R)"), "", false, "circleButton", "circle", 258,
     QT_TRANSLATE_NOOP("Commands", "円"), ButtonKind::Tool, [](MainWindow& w, bool) { w.SelectTool(DrawTool::Circle); }},
    {"circleFillAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "塗りつぶし円(&M)"), "", false,
     "circleFillButton", "circle-fill", 284, QT_TRANSLATE_NOOP("Commands", "塗りつぶし円"), ButtonKind::Tool,
     [](MainWindow& w, bool) { w.SelectTool(DrawTool::CircleFill); }},
    {"bucketAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "塗りつぶす(&F)"), "", false, "bucketButton", "bucket",
     310, QT_TRANSLATE_NOOP("Commands", "塗りつぶし"), ButtonKind::Tool,
     [](MainWindow& w, bool) { w.SelectTool(DrawTool::Bucket); }},
    {"rangeSelectionAction", Place::ToolBarOnly, QT_TRANSLATE_NOOP("Commands", "範囲選択"), "", false, "rangeSelectionButton", "range-selection",
     344, QT_TRANSLATE_NOOP("Commands", "範囲選択"), ButtonKind::Toggle,
     [](MainWindow& w, bool on) { w.MapEdits()->SetRangeSelection(on); }},
    {"cutAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "選択範囲を切り取る(&V)"), "Ctrl+X", true,
     "cutButton", "cut", 370, QT_TRANSLATE_NOOP("Commands", "選択範囲を切り取る"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.MapEdits()->CutSelection(); }},
    {"copyAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "選択範囲をコピー(&C)"), "Ctrl+C", false, nullptr, nullptr,
     0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.MapEdits()->CopySelection(); }},
    {"pasteAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "貼りつけ(&P)"), "Ctrl+V", false, "pasteButton", "paste",
     396, QT_TRANSLATE_NOOP("Commands", "貼りつけ"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.MapEdits()->Paste(false); }},
    {"pasteInPlaceAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "同じ位置に貼りつけ"), "Ctrl+Shift+V",
     false, nullptr, nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.MapEdits()->Paste(true); }},
    {"selectAllAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "全て選択"), "Ctrl+A", false, nullptr, nullptr, 0, "",
     ButtonKind::Plain, [](MainWindow& w, bool) { w.MapEdits()->SelectAll(); }},
    {"deselectAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "選択を解除"), "Esc", false, nullptr, nullptr, 0, "",
     ButtonKind::Plain, [](MainWindow& w, bool) { w.MapEdits()->Deselect(); }},
    {nullptr, Place::ToolBarOnly, "", "", false, "replaceButton", "replace", 422, QT_TRANSLATE_NOOP("Commands", "置換"),
     ButtonKind::Plain, [](MainWindow& w, bool) { w.MapEdits()->ReplaceCodes(); }},
    {nullptr, Place::ToolBarOnly, "", "", false, "exchangeButton", "exchange", 448, QT_TRANSLATE_NOOP("Commands", "交換"),
     ButtonKind::Plain, [](MainWindow& w, bool) { w.MapEdits()->ExchangeCodes(); }},
    {"shapeAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "整形する"), "Ctrl+F", true, "shapeButton", "shape", 474,
     QT_TRANSLATE_NOOP("Commands", "マップを整形する"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.MapEdits()->ShapeWholeMap(); }},
    {"unshapeAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "整形を解除する"), "Ctrl+G", false,
     "unshapeButton", "unshape", 500, QT_TRANSLATE_NOOP("Commands", "マップの整形を解除する"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.MapEdits()->UnshapeWholeMap(); }},
    {"undoAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "直前の作業を撤回(&U)"), "Ctrl+Z", true,
     "undoButton", "undo", 534, QT_TRANSLATE_NOOP("Commands", "直前の作業を取り消す"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.Map()->UndoStack()->undo(); }},
    {"redoAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "やり直す(&R)"), "Ctrl+Y", false, nullptr, nullptr, 0, "",
     ButtonKind::Plain, [](MainWindow& w, bool) { w.Map()->UndoStack()->redo(); }},

    {"showEditWindowAction", Place::Window, QT_TRANSLATE_NOOP("Commands", "エディットウインドウ"), "", false,
     nullptr, nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.ShowEditView(); }},
    {"showPaletteAction", Place::Window, QT_TRANSLATE_NOOP("Commands", "キャラクターウインドウ"), "", false,
     nullptr, nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.ShowPalette(); }},
    {"showPreviewAction", Place::Window, QT_TRANSLATE_NOOP("Commands", "プレビューウインドウ"), "", false,
     nullptr, nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.ShowPreview(); }},
    {"showMapCheckAction", Place::Window, QT_TRANSLATE_NOOP("Commands", "マップチェックウインドウ"), "",
     false, nullptr, nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.ShowCheckView(); }},
    {"showFactionAnalysisAction", Place::Window, QT_TRANSLATE_NOOP("Commands", "勢力分析ウインドウ"), "", false,
     nullptr, nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.ShowFactionView(); }},

    {"gridLinesAction", Place::Options, QT_TRANSLATE_NOOP("Commands", "グリッド線を表示(&G)"), "", false,
     nullptr, nullptr, 0, "", ButtonKind::OnOff, [](MainWindow& w, bool on) { w.SetGridLines(on); }},
    {"preferencesAction", Place::Options, QT_TRANSLATE_NOOP("Commands", "環境設定(&P)..."), "", true, nullptr, nullptr,
     0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.ShowPreferences(); }},

    {"aboutAction", Place::MenuBar, QT_TRANSLATE_NOOP("Commands", "バージョン(&V)"), "", false, nullptr, nullptr, 0, "",
     ButtonKind::Plain, [](MainWindow& w, bool) { w.ShowAbout(); }},

    {"shiftLeftAction", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディット面を左にシフト"), "Shift+Left",
     false, nullptr, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w, bool) { w.MapEdits()->ShiftMapOrSelection(ShiftDirection::Left); }},
    {"shiftRightAction", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディット面を右にシフト"),
     "Shift+Right", false, nullptr, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w, bool) { w.MapEdits()->ShiftMapOrSelection(ShiftDirection::Right); }},
    {"shiftUpAction", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディット面を上にシフト"), "Shift+Up",
     false, nullptr, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w, bool) { w.MapEdits()->ShiftMapOrSelection(ShiftDirection::Up); }},
    {"shiftDownAction", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディット面を下にシフト"),
     "Shift+Down", false, nullptr, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w, bool) { w.MapEdits()->ShiftMapOrSelection(ShiftDirection::Down); }},
    {"edge32Action", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディットサイズをＬする"), "Ctrl+1",
     false, "edge32Button", "edge-32", 568, QT_TRANSLATE_NOOP("Commands", "大きいサイズ"), ButtonKind::Edge,
     [](MainWindow& w, bool) { w.SelectEdge(TileEdge::Px32); }},
    {"edge16Action", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディットサイズをＭにする"), "Ctrl+2",
     false, "edge16Button", "edge-16", 594, QT_TRANSLATE_NOOP("Commands", "普通のサイズ"), ButtonKind::Edge,
     [](MainWindow& w, bool) { w.SelectEdge(TileEdge::Px16); }},
    {"edge8Action", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディットサイズをＳにする"), "Ctrl+3",
     false, "edge8Button", "edge-8", 620, QT_TRANSLATE_NOOP("Commands", "小さいサイズ"), ButtonKind::Edge,
     [](MainWindow& w, bool) { w.SelectEdge(TileEdge::Px8); }},

    {nullptr, Place::ToolBarOnly, "", "", false, "mapCheckButton", "map-check", 654,
     QT_TRANSLATE_NOOP("Commands", "マップチェック"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.RunMapCheck(); }},
    {nullptr, Place::ToolBarOnly, "", "", false, "factionAnalysisButton", "faction-analysis", 688,
     QT_TRANSLATE_NOOP("Commands", "勢力分析"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.ShowFactionView(); }},
    {"helpAction", Place::Help, QT_TRANSLATE_NOOP("Commands", "ヘルプを開く(&H)"), "F1", false, "helpButton", "help",
     722, QT_TRANSLATE_NOOP("Commands", "ヘルプを開きます"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.ShowHelp(); }},
};

// The menus of the menu bar, left to right.
struct MenuInfo {
    Place Where;
    const char* Name; // the menu's object name
    const char* Caption;
};
constexpr MenuInfo Menus[] = {
    {Place::File, "fileMenu", QT_TRANSLATE_NOOP("Commands", "ファイル(&F)")},
    {Place::Edit, "editMenu", QT_TRANSLATE_NOOP("Commands", "編集(&E)")},
    {Place::MenuBar, "tileSetMenu", QT_TRANSLATE_NOOP("Commands", "キャラクター(&C)")},
    {Place::Window, "windowMenu", QT_TRANSLATE_NOOP("Commands", "ウインドウ(&W)")},
    {Place::Options, "optionsMenu", QT_TRANSLATE_NOOP("Commands", "オプション(&O)")},
    {Place::Help, "helpMenu", QT_TRANSLATE_NOOP("Commands", "ヘルプ(&H)")},
};
constexpr char ShortcutOnlyMenuCaption[] = QT_TRANSLATE_NOOP("Commands", "非メニュー項目");
constexpr char RecentFilesCaption[] = QT_TRANSLATE_NOOP("Commands", "最近使ったファイル(&R)");

// A text of the tables above in the editor's language.
QString CommandText(const char* text) {
    return QCoreApplication::translate("Commands", text);
}

QString ToolbarPicturePath(const char* picture) {
    return QStringLiteral(":/toolbar/") + QString::fromLatin1(picture) + QStringLiteral(".png");
}

// The action of the tool or tile edge in force, by value.
constexpr std::pair<DrawTool, const char*> ToolActions[] = {
    {DrawTool::Pen, "penAction"},       {DrawTool::Line, "lineAction"},
    {DrawTool::Box, "boxAction"},       {DrawTool::BoxFill, "boxFillAction"},
    {DrawTool::Circle, "circleAction"}, {DrawTool::CircleFill, "circleFillAction"},
    {DrawTool::Bucket, "bucketAction"}};
constexpr std::pair<TileEdge, const char*> EdgeActions[] = {
    {TileEdge::Px8, "edge8Action"}, {TileEdge::Px16, "edge16Action"}, {TileEdge::Px32, "edge32Action"}};

template <class Table, class Value>
const char* ActionFor(const Table& table, Value value) {
    for (const auto& [v, name] : table)
        if (v == value)
            return name;
    return nullptr;
}

} // namespace

QStringList MenusAndToolBar::ButtonPicturePaths() {
    QStringList paths;
    for (const Command& c : Commands)
        if (c.Button)
            paths.push_back(ToolbarPicturePath(c.Picture));
    return paths;
}

MenusAndToolBar::MenusAndToolBar(MainWindow* window, QWidget* toolBar, PictureReadAhead& pictures)
    : window_(window), toolBar_(toolBar) {
    QMenuBar* bar = window_->menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    // The texts of menus, items and buttons are set by Retranslate, in the editor's language.
    std::map<Place, QMenu*> menus;
    for (const MenuInfo& info : Menus) {
        QMenu* m = bar->addMenu(QString());
        m->setObjectName(QString::fromLatin1(info.Name));
        menus[info.Where] = m;
    }
    QMenu* fileMenu = menus[Place::File];
    QMenu* tileSetMenu = menus[Place::MenuBar];
    // Never shown: its items are added to the window itself so that their shortcuts still work.
    auto* shortcutOnlyMenu = new QMenu(window_);
    menus[Place::ShortcutOnly] = shortcutOnlyMenu;
    shortcutOnlyMenu->setObjectName(QStringLiteral("shortcutOnlyMenu"));

    auto* toolItems = new QActionGroup(window_);
    auto* edgeItems = new QActionGroup(window_);
    auto* toolButtons = new QButtonGroup(window_);
    auto* edgeButtons = new QButtonGroup(window_);

    for (const Command& c : Commands) {
        QAction* action = nullptr;
        if (c.Name) {
            action = new QAction(window_);
            action->setObjectName(QString::fromLatin1(c.Name));
            if (*c.Shortcut)
                action->setShortcut(QKeySequence::fromString(QString::fromLatin1(c.Shortcut), QKeySequence::PortableText));
            if (c.Run)
                QObject::connect(action, &QAction::triggered, window_, [window, run = c.Run](bool checked) {
                    RunCommand([&] { run(*window, checked); });
                });
            QMenu* target = c.Where == Place::MenuBar || c.Where == Place::ToolBarOnly ? nullptr : menus[c.Where];
            if (target) {
                if (c.SeparatorBefore)
                    target->addSeparator();
                target->addAction(action);
            } else if (c.Where == Place::MenuBar) {
                bar->addAction(action);
            }
            if (c.Kind == ButtonKind::Toggle || c.Kind == ButtonKind::OnOff)
                action->setCheckable(true);
            if (c.Kind == ButtonKind::Tool || c.Kind == ButtonKind::Edge) {
                action->setCheckable(true);
                (c.Kind == ButtonKind::Tool ? toolItems : edgeItems)->addAction(action);
            }
        }
        if (!c.Button)
            continue;
        auto* button = new QToolButton(toolBar_);
        button->setObjectName(QString::fromLatin1(c.Button));
        button->setAutoRaise(true); // flat
        button->setGeometry(c.ButtonLeft, 2, 26, 26);
        button->setIconSize(QSize(24, 24));
        if (const QImage picture = pictures.Picture(ToolbarPicturePath(c.Picture)); !picture.isNull())
            button->setIcon(QIcon(QPixmap::fromImage(picture)));
        button->setFocusPolicy(Qt::NoFocus);
        button->setCheckable(c.Kind != ButtonKind::Plain);
        if (c.Kind == ButtonKind::Tool)
            toolButtons->addButton(button);
        else if (c.Kind == ButtonKind::Edge)
            edgeButtons->addButton(button);
        if (action) {
            // The button is the item's twin: it runs the same command, follows its check mark and is
            // greyed with it.
            QObject::connect(button, &QToolButton::clicked, action, &QAction::trigger);
            QObject::connect(action, &QAction::toggled, button, &QToolButton::setChecked);
            QObject::connect(action, &QAction::enabledChanged, button, &QToolButton::setEnabled);
            button->setEnabled(action->isEnabled());
        } else if (c.Run) {
            QObject::connect(button, &QToolButton::clicked, window_, [window, run = c.Run](bool checked) {
                RunCommand([&] { run(*window, checked); });
            });
        }
    }
    window_->addActions(shortcutOnlyMenu->actions());

    // Filled by the editor's session, which keeps the list between runs.
    recentMenu_ = new QMenu(fileMenu);
    recentMenu_->setObjectName(QStringLiteral("recentFilesMenu"));
    recentMenu_->setEnabled(false);
    fileMenu->insertMenu(Action("exitAction"), recentMenu_);
    fileMenu->insertSeparator(Action("exitAction"));

    auto* tileSetItems = new QActionGroup(window_);
    for (const TileSetInfo& info : TileSets) {
        auto* action = new QAction(window_);
        action->setObjectName(QString::fromLatin1(info.ActionName));
        action->setShortcut(QKeySequence::fromString(QString::fromLatin1(info.Shortcut), QKeySequence::PortableText));
        action->setCheckable(true);
        QObject::connect(action, &QAction::triggered, window_,
                         [window, set = info.Set] { RunCommand([&] { window->SelectTileSet(set); }); });
        tileSetItems->addAction(action);
        tileSetMenu->addAction(action);
    }
    MarkTileSet(TileSets[0].Set);
    MarkTool(DrawTool::Pen);
    MarkEdge(TileEdge::Px8);
}

QAction* MenusAndToolBar::Action(const char* name) const {
    return window_->findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

void MenusAndToolBar::MarkTool(DrawTool tool) {
    if (const char* name = ActionFor(ToolActions, tool))
        Action(name)->setChecked(true);
}

void MenusAndToolBar::MarkEdge(TileEdge edge) {
    if (const char* name = ActionFor(EdgeActions, edge))
        Action(name)->setChecked(true);
}

void MenusAndToolBar::MarkTileSet(TileSet tileSet) {
    Action(InfoOf(tileSet).ActionName)->setChecked(true);
}

void MenusAndToolBar::Retranslate() {
    for (const MenuInfo& info : Menus)
        window_->menuBar()->findChild<QMenu*>(QString::fromLatin1(info.Name))->setTitle(CommandText(info.Caption));
    window_->findChild<QMenu*>(QStringLiteral("shortcutOnlyMenu"))->setTitle(CommandText(ShortcutOnlyMenuCaption));
    recentMenu_->setTitle(CommandText(RecentFilesCaption));
    for (const Command& c : Commands) {
        if (c.Name)
            Action(c.Name)->setText(CommandText(c.Caption));
        if (c.Button)
            toolBar_->findChild<QToolButton*>(QString::fromLatin1(c.Button))->setToolTip(CommandText(c.Hint));
    }
    for (const TileSetInfo& info : TileSets)
        Action(info.ActionName)->setText(TileSetText(info.MenuCaption));
}

} // namespace tav
