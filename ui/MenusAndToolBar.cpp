#include "MenusAndToolBar.h"

#include "Document.h"
#include "FileController.h"
#include "MainWindow.h"
#include "MapCommands.h"
#include "PictureReadAhead.h"
#include "Platform.h"
#include "tools/ToolRegistry.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QUndoStack>

#include <functional>
#include <map>

namespace tav {

namespace {

// Where a command appears: a menu of the menu bar, the menu bar itself, the menu that is never shown, whose
// items only work through their shortcuts, or only the tool bar.
enum class Place { File, Edit, Window, Options, Help, MenuBar, ShortcutOnly, ToolBarOnly };

// Tool and edge buttons are radio groups; a toggle button keeps its pressed look until clicked again.
// An on/off item carries a check mark and has no button. The row of kind DrawingTools stands for the
// registered drawing tools: an Edit menu item and a tool button each.
enum class ButtonKind { Plain, Tool, Edge, Toggle, OnOff, DrawingTools };

using RunFunction = void (*)(MainWindow&, bool checked); // `checked`: a checkable item's new state

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
    RunFunction Run;
};

// Every command of the editor, in menu order; the tool-bar buttons sit at their own positions.
constexpr Command Commands[] = {
    {"newMapAction", Place::File, QT_TRANSLATE_NOOP("Commands", "新規作成(&N)"), "Ctrl+N", false, "newMapButton",
     "new-map", 8, QT_TRANSLATE_NOOP("Commands", "新規作成"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.Files()->NewMap(); }},
    {"generateMapAction", Place::File, QT_TRANSLATE_NOOP("Commands", "自動生成(&G)…"), "Ctrl+Shift+N", false,
     nullptr, nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.Files()->NewGeneratedMap(); }},
    {"openAction", Place::File, QT_TRANSLATE_NOOP("Commands", "開く(&O)"), "Ctrl+L", false, "openButton",
     "open", 34, QT_TRANSLATE_NOOP("Commands", "開く"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.Files()->Open(); }},
    {"saveAction", Place::File, QT_TRANSLATE_NOOP("Commands", "上書き保存(&S)"), "Ctrl+S", false, "saveButton",
     "save", 86, QT_TRANSLATE_NOOP("Commands", "上書き保存"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.Files()->Save(); }},
    {"saveAsAction", Place::File, QT_TRANSLATE_NOOP("Commands", "名前をつけて保存(&A)"), "", false, "saveAsButton",
     "save-as", 60, QT_TRANSLATE_NOOP("Commands", "名前をつけて保存"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.Files()->SaveAs(true); }},
    {"exportImageAction", Place::File, QT_TRANSLATE_NOOP("Commands", "画像として書き出す(&E)"), "", true, nullptr,
     nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.Files()->ExportImage(); }},
    {"exitAction", Place::File, QT_TRANSLATE_NOOP("Commands", "終了(&X)"), "Ctrl+Q", false, "exitButton",
     "exit", 120, QT_TRANSLATE_NOOP("Commands", "エディタの終了"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.close(); }},

    // Here come the registered drawing tools: pen, line, box, filled box, circle, filled circle, bucket.
    {nullptr, Place::Edit, "", "", false, nullptr, nullptr, 0, "", ButtonKind::DrawingTools, nullptr},
    {"rangeSelectionAction", Place::ToolBarOnly, QT_TRANSLATE_NOOP("Commands", "範囲選択"), "", false,
     "rangeSelectionButton", "range-selection", 344, QT_TRANSLATE_NOOP("Commands", "範囲選択"),
     ButtonKind::Toggle, [](MainWindow& w, bool on) { w.MapEdits()->SetRangeSelection(on); }},
    {"cutAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "選択範囲を切り取る(&V)"), "Ctrl+X", true, "cutButton",
     "cut", 370, QT_TRANSLATE_NOOP("Commands", "選択範囲を切り取る"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.MapEdits()->CutSelection(); }},
    {"copyAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "選択範囲をコピー(&C)"), "Ctrl+C", false, nullptr,
     nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.MapEdits()->CopySelection(); }},
    {"pasteAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "貼りつけ(&P)"), "Ctrl+V", false, "pasteButton",
     "paste", 396, QT_TRANSLATE_NOOP("Commands", "貼りつけ"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.MapEdits()->Paste(false); }},
    {"pasteInPlaceAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "同じ位置に貼りつけ"), "Ctrl+Shift+V", false,
     nullptr, nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.MapEdits()->Paste(true); }},
    {"selectAllAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "全て選択"), "Ctrl+A", false, nullptr, nullptr,
     0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.MapEdits()->SelectAll(); }},
    {"deselectAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "選択を解除"), "Esc", false, nullptr, nullptr, 0,
     "", ButtonKind::Plain, [](MainWindow& w, bool) { w.MapEdits()->Deselect(); }},
    {nullptr, Place::ToolBarOnly, "", "", false, "replaceButton", "replace", 422,
     QT_TRANSLATE_NOOP("Commands", "置換"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.MapEdits()->ReplaceCodes(); }},
    {nullptr, Place::ToolBarOnly, "", "", false, "exchangeButton", "exchange", 448,
     QT_TRANSLATE_NOOP("Commands", "交換"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.MapEdits()->ExchangeCodes(); }},
    {"shapeAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "整形する"), "Ctrl+F", true, "shapeButton",
     "shape", 474, QT_TRANSLATE_NOOP("Commands", "マップを整形する"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.MapEdits()->ShapeWholeMap(); }},
    {"unshapeAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "整形を解除する"), "Ctrl+G", false, "unshapeButton",
     "unshape", 500, QT_TRANSLATE_NOOP("Commands", "マップの整形を解除する"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.MapEdits()->UnshapeWholeMap(); }},
    {"symmetrizeAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "対称にする"), "", false, nullptr, nullptr, 0,
     "", ButtonKind::Plain, [](MainWindow& w, bool) { w.MapEdits()->SymmetrizeMap(); }},
    {"undoAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "直前の作業を撤回(&U)"), "Ctrl+Z", true, "undoButton",
     "undo", 534, QT_TRANSLATE_NOOP("Commands", "直前の作業を取り消す"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.Map()->UndoStack()->undo(); }},
    {"redoAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "やり直す(&R)"), "Ctrl+Y", false, nullptr, nullptr,
     0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.Map()->UndoStack()->redo(); }},

    {"showEditWindowAction", Place::Window, QT_TRANSLATE_NOOP("Commands", "エディットウインドウ"), "", false, nullptr,
     nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.ShowEditView(); }},
    {"showPaletteAction", Place::Window, QT_TRANSLATE_NOOP("Commands", "キャラクターウインドウ"), "", false, nullptr,
     nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.ShowPalette(); }},
    {"showPreviewAction", Place::Window, QT_TRANSLATE_NOOP("Commands", "プレビューウインドウ"), "", false, nullptr,
     nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.ShowPreview(); }},
    {"showMapCheckAction", Place::Window, QT_TRANSLATE_NOOP("Commands", "マップチェックウインドウ"), "", false, nullptr,
     nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.ShowCheckView(); }},
    {"showFactionAnalysisAction", Place::Window, QT_TRANSLATE_NOOP("Commands", "勢力分析ウインドウ"), "", false,
     nullptr, nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.ShowFactionView(); }},

    {"gridLinesAction", Place::Options, QT_TRANSLATE_NOOP("Commands", "グリッド線を表示(&G)"), "", false, nullptr,
     nullptr, 0, "", ButtonKind::OnOff, [](MainWindow& w, bool on) { w.SetGridLines(on); }},
    {"territoryOverlayAction", Place::Options, QT_TRANSLATE_NOOP("Commands", "勢力範囲を重ねる(&T)"), "F7", false,
     nullptr, nullptr, 0, "", ButtonKind::OnOff, [](MainWindow& w, bool on) { w.SetTerritoryOverlay(on); }},
    {"leadOverlayAction", Place::Options, QT_TRANSLATE_NOOP("Commands", "先着差を重ねる(&L)"), "Shift+F7", false,
     nullptr, nullptr, 0, "", ButtonKind::OnOff, [](MainWindow& w, bool on) { w.SetLeadOverlay(on); }},
    {"movementCostsAction", Place::Options, QT_TRANSLATE_NOOP("Commands", "移動コスト(&M)…"), "", false, nullptr,
     nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.ShowMovementCosts(); }},
    {"preferencesAction", Place::Options, QT_TRANSLATE_NOOP("Commands", "環境設定(&P)..."), "", true, nullptr,
     nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.ShowPreferences(); }},

    {"aboutAction", Place::MenuBar, QT_TRANSLATE_NOOP("Commands", "バージョン(&V)"), "", false, nullptr, nullptr,
     0, "", ButtonKind::Plain, [](MainWindow& w, bool) { w.ShowAbout(); }},

    {"shiftLeftAction", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディット面を左にシフト"), "Shift+Left",
     false, nullptr, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w, bool) { w.MapEdits()->ShiftMapOrSelection(ShiftDirection::Left); }},
    {"shiftRightAction", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディット面を右にシフト"), "Shift+Right",
     false, nullptr, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w, bool) { w.MapEdits()->ShiftMapOrSelection(ShiftDirection::Right); }},
    {"shiftUpAction", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディット面を上にシフト"), "Shift+Up", false,
     nullptr, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w, bool) { w.MapEdits()->ShiftMapOrSelection(ShiftDirection::Up); }},
    {"shiftDownAction", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディット面を下にシフト"), "Shift+Down",
     false, nullptr, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w, bool) { w.MapEdits()->ShiftMapOrSelection(ShiftDirection::Down); }},
    {"edge32Action", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディットサイズをＬする"), "Ctrl+1", false,
     "edge32Button", "edge-32", 568, QT_TRANSLATE_NOOP("Commands", "大きいサイズ"), ButtonKind::Edge,
     [](MainWindow& w, bool) { w.SelectEdge(TileEdge::Px32); }},
    {"edge16Action", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディットサイズをＭにする"), "Ctrl+2", false,
     "edge16Button", "edge-16", 594, QT_TRANSLATE_NOOP("Commands", "普通のサイズ"), ButtonKind::Edge,
     [](MainWindow& w, bool) { w.SelectEdge(TileEdge::Px16); }},
    {"edge8Action", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディットサイズをＳにする"), "Ctrl+3", false,
     "edge8Button", "edge-8", 620, QT_TRANSLATE_NOOP("Commands", "小さいサイズ"), ButtonKind::Edge,
     [](MainWindow& w, bool) { w.SelectEdge(TileEdge::Px8); }},

    {nullptr, Place::ToolBarOnly, "", "", false, "mapCheckButton", "map-check", 654,
     QT_TRANSLATE_NOOP("Commands", "マップチェック"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.RunMapCheck(); }},
    {nullptr, Place::ToolBarOnly, "", "", false, "factionAnalysisButton", "faction-analysis", 688,
     QT_TRANSLATE_NOOP("Commands", "勢力分析"), ButtonKind::Plain,
     [](MainWindow& w, bool) { w.ShowFactionView(); }},
    {"helpAction", Place::Help, QT_TRANSLATE_NOOP("Commands", "ヘルプを開く(&H)"), "F1", false, "helpButton",
     "help", 722, QT_TRANSLATE_NOOP("Commands", "ヘルプを開きます"), ButtonKind::Plain,
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

// A text of the tables above, or of a tool's description, in the editor's language.
QString CommandText(const char* text) {
    return QCoreApplication::translate("Commands", text);
}

QString ToolbarPicturePath(const char* picture) {
    return QStringLiteral(":/toolbar/") + QString::fromLatin1(picture) + QStringLiteral(".png");
}

QString ToolActionName(const ToolDescription& tool) {
    return QString::fromLatin1(tool.Name) + QStringLiteral("Action");
}

QString ToolButtonName(const ToolDescription& tool) {
    return QString::fromLatin1(tool.Name) + QStringLiteral("Button");
}

// The edge items, by edge.
constexpr std::pair<TileEdge, const char*> EdgeActions[] = {
    {TileEdge::Px8, "edge8Action"}, {TileEdge::Px16, "edge16Action"}, {TileEdge::Px32, "edge32Action"}};

// One menu item, tool-bar button or both, from a table row or a registered tool.
struct Item {
    QString Name; // the action's object name; empty for a tool-bar button alone
    Place Where;
    QString Shortcut;
    bool SeparatorBefore;
    QString Button; // the button's object name; empty for a menu item alone
    const char* Picture;
    int ButtonLeft;
    ButtonKind Kind;
    std::function<void(bool checked)> Run; // empty: a control without a command
};

// Makes the items into the window's menus and onto its tool bar.
struct Builder {
    MainWindow* Window;
    QWidget* ToolBar;
    PictureReadAhead& Pictures;
    const std::map<int, QMenu*>& Menus; // by place
    QActionGroup* ToolItems;
    QActionGroup* EdgeItems;
    QButtonGroup* ToolButtons;
    QButtonGroup* EdgeButtons;

    void Make(const Item& item) const;
};

void Builder::Make(const Item& item) const {
    QAction* action = nullptr;
    if (!item.Name.isEmpty()) {
        action = new QAction(Window);
        action->setObjectName(item.Name);
        if (!item.Shortcut.isEmpty())
            action->setShortcut(QKeySequence::fromString(item.Shortcut, QKeySequence::PortableText));
        if (item.Run)
            QObject::connect(action, &QAction::triggered, Window,
                             [run = item.Run](bool checked) { RunCommand([&] { run(checked); }); });
        if (item.Where == Place::MenuBar) {
            Window->menuBar()->addAction(action);
        } else if (item.Where != Place::ToolBarOnly) {
            QMenu* target = Menus.at(static_cast<int>(item.Where));
            if (item.SeparatorBefore)
                target->addSeparator();
            target->addAction(action);
        }
        if (item.Kind == ButtonKind::Toggle || item.Kind == ButtonKind::OnOff)
            action->setCheckable(true);
        if (item.Kind == ButtonKind::Tool || item.Kind == ButtonKind::Edge) {
            action->setCheckable(true);
            (item.Kind == ButtonKind::Tool ? ToolItems : EdgeItems)->addAction(action);
        }
    }
    if (item.Button.isEmpty())
        return;
    auto* button = new QToolButton(ToolBar);
    button->setObjectName(item.Button);
    button->setAutoRaise(true); // flat
    button->setGeometry(item.ButtonLeft, 2, 26, 26);
    button->setIconSize(QSize(24, 24));
    if (const QImage picture = Pictures.Picture(ToolbarPicturePath(item.Picture)); !picture.isNull())
        button->setIcon(QIcon(QPixmap::fromImage(picture)));
    button->setFocusPolicy(Qt::NoFocus);
    button->setCheckable(item.Kind != ButtonKind::Plain);
    if (item.Kind == ButtonKind::Tool)
        ToolButtons->addButton(button);
    else if (item.Kind == ButtonKind::Edge)
        EdgeButtons->addButton(button);
    if (action) {
        // The button is the item's twin: it runs the same command, follows its check mark and is
        // greyed with it.
        QObject::connect(button, &QToolButton::clicked, action, &QAction::trigger);
        QObject::connect(action, &QAction::toggled, button, &QToolButton::setChecked);
        QObject::connect(action, &QAction::enabledChanged, button, &QToolButton::setEnabled);
        button->setEnabled(action->isEnabled());
    } else if (item.Run) {
        QObject::connect(button, &QToolButton::clicked, Window,
                         [run = item.Run](bool checked) { RunCommand([&] { run(checked); }); });
    }
}

} // namespace

QStringList MenusAndToolBar::ButtonPicturePaths() {
    QStringList paths;
    for (const Command& c : Commands)
        if (c.Button)
            paths.push_back(ToolbarPicturePath(c.Picture));
    for (const ToolRegistration& registration : RegisteredTools())
        if (registration.ButtonLeft != NoToolButton)
            paths.push_back(ToolbarPicturePath(registration.Make()->Description().Picture));
    return paths;
}

MenusAndToolBar::MenusAndToolBar(MainWindow* window, QWidget* toolBar, PictureReadAhead& pictures,
                                 std::vector<ToolDescription> tools)
    : window_(window), toolBar_(toolBar), tools_(std::move(tools)) {
    QMenuBar* bar = window_->menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    // The texts of menus, items and buttons are set by Retranslate, in the editor's language.
    for (const MenuInfo& info : Menus) {
        QMenu* m = bar->addMenu(QString());
        m->setObjectName(QString::fromLatin1(info.Name));
        menus_[static_cast<int>(info.Where)] = m;
    }
    // Never shown: its items are added to the window itself so that their shortcuts still work.
    auto* shortcutOnlyMenu = new QMenu(window_);
    menus_[static_cast<int>(Place::ShortcutOnly)] = shortcutOnlyMenu;
    shortcutOnlyMenu->setObjectName(QStringLiteral("shortcutOnlyMenu"));

    const Builder builder{window_,
                          toolBar_,
                          pictures,
                          menus_,
                          new QActionGroup(window_),
                          new QActionGroup(window_),
                          new QButtonGroup(window_),
                          new QButtonGroup(window_)};
    for (const Command& c : Commands) {
        if (c.Kind == ButtonKind::DrawingTools) {
            for (std::size_t i = 0; i < tools_.size(); ++i) {
                const int buttonLeft = RegisteredTools()[i].ButtonLeft;
                builder.Make({ToolActionName(tools_[i]), c.Where, QString::fromLatin1(tools_[i].Shortcut),
                              false, buttonLeft == NoToolButton ? QString() : ToolButtonName(tools_[i]),
                              tools_[i].Picture, buttonLeft, ButtonKind::Tool,
                              [window, i](bool) { window->SelectTool(i); }});
            }
            continue;
        }
        std::function<void(bool)> run;
        if (c.Run)
            run = [window, run = c.Run](bool checked) { run(*window, checked); };
        builder.Make({c.Name ? QString::fromLatin1(c.Name) : QString(), c.Where,
                      QString::fromLatin1(c.Shortcut), c.SeparatorBefore,
                      c.Button ? QString::fromLatin1(c.Button) : QString(), c.Picture, c.ButtonLeft, c.Kind, run});
    }
    window_->addActions(shortcutOnlyMenu->actions());

    // Filled by the editor's session, which keeps the list between runs.
    QMenu* fileMenu = menus_[static_cast<int>(Place::File)];
    recentMenu_ = new QMenu(fileMenu);
    recentMenu_->setObjectName(QStringLiteral("recentFilesMenu"));
    recentMenu_->setEnabled(false);
    fileMenu->insertMenu(Action("exitAction"), recentMenu_);
    fileMenu->insertSeparator(Action("exitAction"));

    auto* tileSetItems = new QActionGroup(window_);
    for (const TileSetInfo& info : TileSets) {
        auto* action = new QAction(window_);
        action->setObjectName(QString::fromLatin1(info.ActionName));
        action->setShortcut(
            QKeySequence::fromString(QString::fromLatin1(info.Shortcut), QKeySequence::PortableText));
        action->setCheckable(true);
        QObject::connect(action, &QAction::triggered, window_,
                         [window, set = info.Set] { RunCommand([&] { window->SelectTileSet(set); }); });
        tileSetItems->addAction(action);
        menus_[static_cast<int>(Place::MenuBar)]->addAction(action);
    }
    MarkTileSet(TileSets[0].Set);
    MarkTool(0);
    MarkEdge(TileEdge::Px8);
}

MenusAndToolBar::~MenusAndToolBar() = default;

QAction* MenusAndToolBar::Action(const char* name) const {
    return Action(QString::fromLatin1(name));
}

QAction* MenusAndToolBar::Action(const QString& name) const {
    return window_->findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void MenusAndToolBar::MarkTool(std::size_t tool) {
    Action(ToolActionName(tools_[tool]))->setChecked(true);
}

void MenusAndToolBar::MarkEdge(TileEdge edge) {
    for (const auto& [e, name] : EdgeActions)
        if (e == edge)
            Action(name)->setChecked(true);
}

void MenusAndToolBar::MarkTileSet(TileSet tileSet) {
    Action(InfoOf(tileSet).ActionName)->setChecked(true);
}

void MenusAndToolBar::Retranslate() {
    for (const MenuInfo& info : Menus)
        menus_[static_cast<int>(info.Where)]->setTitle(CommandText(info.Caption));
    menus_[static_cast<int>(Place::ShortcutOnly)]->setTitle(CommandText(ShortcutOnlyMenuCaption));
    recentMenu_->setTitle(CommandText(RecentFilesCaption));
    for (const Command& c : Commands) {
        if (c.Name)
            Action(c.Name)->setText(CommandText(c.Caption));
        if (c.Button)
            toolBar_->findChild<QToolButton*>(QString::fromLatin1(c.Button))->setToolTip(CommandText(c.Hint));
    }
    for (const ToolDescription& tool : tools_) {
        Action(ToolActionName(tool))->setText(CommandText(tool.MenuCaption));
        if (auto* button = toolBar_->findChild<QToolButton*>(ToolButtonName(tool)))
            button->setToolTip(CommandText(tool.Hint));
    }
    for (const TileSetInfo& info : TileSets)
        Action(info.ActionName)->setText(TileSetText(info.MenuCaption));
}

} // namespace tav
