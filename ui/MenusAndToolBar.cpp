#include "MenusAndToolBar.h"

#include "FileController.h"
#include "MapCommands.h"
#include "PictureReadAhead.h"
#include "Platform.h"
#include "ToolBarLayout.h"
#include "tools/ToolRegistry.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QUndoStack>

#include <functional>
#include <map>
#include <utility>

namespace tav {

namespace {

// Where a command appears: a menu of the menu bar, the menu bar itself, the menu that is never shown, whose
// items only work through their shortcuts, or only the tool bar.
enum class Place { File, Edit, Window, Options, Help, MenuBar, ShortcutOnly, ToolBarOnly };

// Tool and edge buttons are radio groups; a toggle button keeps its pressed look until clicked again.
// An on/off item carries a check mark and has no button. The row of kind DrawingTools stands for the
// registered drawing tools: an Edit menu item and a tool button each.
enum class ButtonKind { Plain, Tool, Edge, Toggle, OnOff, DrawingTools };

using RunFunction = void (*)(const CommandTargets&, bool checked); // `checked`: a checkable item's new state

struct Command {
    const char* Name; // the action's object name; nullptr for a tool-bar button alone
    Place Where;
    const char* Caption;
    const char* Shortcut; // in QKeySequence's portable form; "" for none
    bool SeparatorBefore;
    const char* Button;  // the tool-bar button's object name; nullptr for a menu item alone
    const char* Picture; // the button's picture, ":/toolbar/<Picture>.png"
    const char* Hint;
    ButtonKind Kind;
    RunFunction Run;
};

// Every command of the editor, in menu order; the tool-bar buttons stand in the order of ToolBarOrder.
constexpr Command Commands[] = {
    {"newMapAction", Place::File, QT_TRANSLATE_NOOP("Commands", "新規作成(&N)"), "Ctrl+N", false, "newMapButton",
     "new-map", QT_TRANSLATE_NOOP("Commands", "新規作成"), ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.Files.NewMap(); }},
    {"generateMapAction", Place::File, QT_TRANSLATE_NOOP("Commands", "自動生成(&G)…"), "Ctrl+Shift+N", false,
     nullptr, nullptr, "", ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.Files.NewGeneratedMap(); }},
    {"openAction", Place::File, QT_TRANSLATE_NOOP("Commands", "開く(&O)"), "Ctrl+L", false, "openButton",
     "open", QT_TRANSLATE_NOOP("Commands", "開く"), ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.Files.Open(); }},
    {"saveAction", Place::File, QT_TRANSLATE_NOOP("Commands", "上書き保存(&S)"), "Ctrl+S", false, "saveButton",
     "save", QT_TRANSLATE_NOOP("Commands", "上書き保存"), ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.Files.Save(); }},
    {"saveAsAction", Place::File, QT_TRANSLATE_NOOP("Commands", "名前をつけて保存(&A)"), "", false, "saveAsButton",
     "save-as", QT_TRANSLATE_NOOP("Commands", "名前をつけて保存"), ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.Files.SaveAs(true); }},
    {"exportImageAction", Place::File, QT_TRANSLATE_NOOP("Commands", "画像として書き出す(&E)"), "", true, nullptr,
     nullptr, "", ButtonKind::Plain, [](const CommandTargets& t, bool) { t.Files.ExportImage(); }},
    {"exitAction", Place::File, QT_TRANSLATE_NOOP("Commands", "終了(&X)"), "Ctrl+Q", false, "exitButton",
     "exit", QT_TRANSLATE_NOOP("Commands", "エディタの終了"), ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.Window.close(); }},

    // Here come the registered drawing tools: pen, line, box, filled box, circle, filled circle, bucket.
    {nullptr, Place::Edit, "", "", false, nullptr, nullptr, "", ButtonKind::DrawingTools, nullptr},
    {"rangeSelectionAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "範囲選択"), "S", false,
     "rangeSelectionButton", "range-selection", QT_TRANSLATE_NOOP("Commands", "範囲選択"),
     ButtonKind::Toggle, [](const CommandTargets& t, bool on) { t.MapEdits.SetRangeSelection(on); }},
    {"cutAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "選択範囲を切り取る(&V)"), "Ctrl+X", true, "cutButton",
     "cut", QT_TRANSLATE_NOOP("Commands", "選択範囲を切り取る"), ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.MapEdits.CutSelection(); }},
    {"copyAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "選択範囲をコピー(&C)"), "Ctrl+C", false, nullptr,
     nullptr, "", ButtonKind::Plain, [](const CommandTargets& t, bool) { t.MapEdits.CopySelection(); }},
    {"pasteAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "貼りつけ(&P)"), "Ctrl+V", false, "pasteButton",
     "paste", QT_TRANSLATE_NOOP("Commands", "貼りつけ"), ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.MapEdits.Paste(false); }},
    {"pasteInPlaceAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "同じ位置に貼りつけ"), "Ctrl+Shift+V", false,
     nullptr, nullptr, "", ButtonKind::Plain, [](const CommandTargets& t, bool) { t.MapEdits.Paste(true); }},
    {"selectAllAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "全て選択"), "Ctrl+A", false, nullptr, nullptr,
     "", ButtonKind::Plain, [](const CommandTargets& t, bool) { t.MapEdits.SelectAll(); }},
    {"deselectAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "選択を解除"), "Esc", false, nullptr, nullptr,
     "", ButtonKind::Plain, [](const CommandTargets& t, bool) { t.MapEdits.Deselect(); }},
    {nullptr, Place::ToolBarOnly, "", "", false, "replaceButton", "replace",
     QT_TRANSLATE_NOOP("Commands", "置換"), ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.MapEdits.ReplaceCodes(); }},
    {nullptr, Place::ToolBarOnly, "", "", false, "exchangeButton", "exchange",
     QT_TRANSLATE_NOOP("Commands", "交換"), ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.MapEdits.ExchangeCodes(); }},
    {"shapeAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "整形する"), "Ctrl+F", true, "shapeButton",
     "shape", QT_TRANSLATE_NOOP("Commands", "マップを整形する"), ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.MapEdits.ShapeWholeMap(); }},
    {"unshapeAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "整形を解除する"), "Ctrl+G", false, "unshapeButton",
     "unshape", QT_TRANSLATE_NOOP("Commands", "マップの整形を解除する"), ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.MapEdits.UnshapeWholeMap(); }},
    {"symmetrizeAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "対称にする"), "", false, nullptr, nullptr,
     "", ButtonKind::Plain, [](const CommandTargets& t, bool) { t.MapEdits.SymmetrizeMap(); }},
    {"undoAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "直前の作業を撤回(&U)"), "Ctrl+Z", true, "undoButton",
     "undo", QT_TRANSLATE_NOOP("Commands", "直前の作業を取り消す"), ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.History.undo(); }},
    {"redoAction", Place::Edit, QT_TRANSLATE_NOOP("Commands", "やり直す(&R)"), "Ctrl+Y", false, nullptr, nullptr,
     "", ButtonKind::Plain, [](const CommandTargets& t, bool) { t.History.redo(); }},

    {"showEditWindowAction", Place::Window, QT_TRANSLATE_NOOP("Commands", "エディットウインドウ"), "", false, nullptr,
     nullptr, "", ButtonKind::Plain, [](const CommandTargets& t, bool) { t.Frame.ShowEditView(); }},
    {"showPaletteAction", Place::Window, QT_TRANSLATE_NOOP("Commands", "キャラクターウインドウ"), "", false, nullptr,
     nullptr, "", ButtonKind::Plain, [](const CommandTargets& t, bool) { t.Frame.ShowPalette(); }},
    {"showPreviewAction", Place::Window, QT_TRANSLATE_NOOP("Commands", "プレビューウインドウ"), "", false, nullptr,
     nullptr, "", ButtonKind::Plain, [](const CommandTargets& t, bool) { t.Frame.ShowPreview(); }},
    {"showMapCheckAction", Place::Window, QT_TRANSLATE_NOOP("Commands", "マップチェックウインドウ"), "", false, nullptr,
     nullptr, "", ButtonKind::Plain, [](const CommandTargets& t, bool) { t.Frame.ShowCheckView(); }},
    {"showFactionAnalysisAction", Place::Window, QT_TRANSLATE_NOOP("Commands", "勢力分析ウインドウ"), "", false,
     nullptr, nullptr, "", ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.Frame.ShowFactionView(); }},

    {"gridLinesAction", Place::Options, QT_TRANSLATE_NOOP("Commands", "グリッド線を表示(&G)"), "", false, nullptr,
     nullptr, "", ButtonKind::OnOff, [](const CommandTargets& t, bool on) { t.Frame.SetGridLines(on); }},
    {"territoryOverlayAction", Place::Options, QT_TRANSLATE_NOOP("Commands", "勢力範囲を重ねる(&T)"), "F7", false,
     nullptr, nullptr, "", ButtonKind::OnOff,
     [](const CommandTargets& t, bool on) { t.Frame.SetTerritoryOverlay(on); }},
    {"leadOverlayAction", Place::Options, QT_TRANSLATE_NOOP("Commands", "先着差を重ねる(&L)"), "Shift+F7", false,
     nullptr, nullptr, "", ButtonKind::OnOff, [](const CommandTargets& t, bool on) { t.Frame.SetLeadOverlay(on); }},
    {"movementCostsAction", Place::Options, QT_TRANSLATE_NOOP("Commands", "移動コスト(&M)…"), "", false, nullptr,
     nullptr, "", ButtonKind::Plain, [](const CommandTargets& t, bool) { t.Frame.ShowMovementCosts(); }},
    {"preferencesAction", Place::Options, QT_TRANSLATE_NOOP("Commands", "環境設定(&P)..."), "", true, nullptr,
     nullptr, "", ButtonKind::Plain, [](const CommandTargets& t, bool) { t.Frame.ShowPreferences(); }},

    {"aboutAction", Place::MenuBar, QT_TRANSLATE_NOOP("Commands", "バージョン(&V)"), "", false, nullptr, nullptr,
     "", ButtonKind::Plain, [](const CommandTargets& t, bool) { t.Frame.ShowAbout(); }},

    {"shiftLeftAction", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディット面を左にシフト"), "Shift+Left",
     false, nullptr, nullptr, "", ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.MapEdits.ShiftMapOrSelection(ShiftDirection::Left); }},
    {"shiftRightAction", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディット面を右にシフト"), "Shift+Right",
     false, nullptr, nullptr, "", ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.MapEdits.ShiftMapOrSelection(ShiftDirection::Right); }},
    {"shiftUpAction", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディット面を上にシフト"), "Shift+Up", false,
     nullptr, nullptr, "", ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.MapEdits.ShiftMapOrSelection(ShiftDirection::Up); }},
    {"shiftDownAction", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディット面を下にシフト"), "Shift+Down",
     false, nullptr, nullptr, "", ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.MapEdits.ShiftMapOrSelection(ShiftDirection::Down); }},
    {"edge32Action", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディットサイズをＬする"), "Ctrl+1", false,
     "edge32Button", "edge-32", QT_TRANSLATE_NOOP("Commands", "大きいサイズ"), ButtonKind::Edge,
     [](const CommandTargets& t, bool) { t.Frame.SelectEdge(TileEdge::Px32); }},
    {"edge16Action", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディットサイズをＭにする"), "Ctrl+2", false,
     "edge16Button", "edge-16", QT_TRANSLATE_NOOP("Commands", "普通のサイズ"), ButtonKind::Edge,
     [](const CommandTargets& t, bool) { t.Frame.SelectEdge(TileEdge::Px16); }},
    {"edge8Action", Place::ShortcutOnly, QT_TRANSLATE_NOOP("Commands", "エディットサイズをＳにする"), "Ctrl+3", false,
     "edge8Button", "edge-8", QT_TRANSLATE_NOOP("Commands", "小さいサイズ"), ButtonKind::Edge,
     [](const CommandTargets& t, bool) { t.Frame.SelectEdge(TileEdge::Px8); }},

    {nullptr, Place::ToolBarOnly, "", "", false, "mapCheckButton", "map-check",
     QT_TRANSLATE_NOOP("Commands", "マップチェック"), ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.Frame.RunMapCheck(); }},
    {nullptr, Place::ToolBarOnly, "", "", false, "factionAnalysisButton", "faction-analysis",
     QT_TRANSLATE_NOOP("Commands", "勢力分析"), ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.Frame.ShowFactionView(); }},
    {"helpAction", Place::Help, QT_TRANSLATE_NOOP("Commands", "ヘルプを開く(&H)"), "F1", false, "helpButton",
     "help", QT_TRANSLATE_NOOP("Commands", "ヘルプを開きます"), ButtonKind::Plain,
     [](const CommandTargets& t, bool) { t.Frame.ShowHelp(); }},
};

// The tool bar, left to right: each button by its object name with what parts it from the one before.
// DrawingToolButtons stands for the buttons of the registered drawing tools, in the registry's order.
struct ToolBarSlot {
    const char* Button;
    ButtonGap Before;
};
constexpr char DrawingToolButtons[] = "(drawing tools)";
constexpr ToolBarSlot ToolBarOrder[] = {
    {"newMapButton", ButtonGap::Group},
    {"openButton", ButtonGap::None},
    {"saveAsButton", ButtonGap::None},
    {"saveButton", ButtonGap::None},
    {"exitButton", ButtonGap::Group},
    {DrawingToolButtons, ButtonGap::Group},
    {"rangeSelectionButton", ButtonGap::Group},
    {"cutButton", ButtonGap::None},
    {"pasteButton", ButtonGap::None},
    {"replaceButton", ButtonGap::None},
    {"exchangeButton", ButtonGap::None},
    {"shapeButton", ButtonGap::None},
    {"unshapeButton", ButtonGap::None},
    {"undoButton", ButtonGap::Group},
    {"edge32Button", ButtonGap::Group},
    {"edge16Button", ButtonGap::None},
    {"edge8Button", ButtonGap::None},
    {"mapCheckButton", ButtonGap::Group},
    {"factionAnalysisButton", ButtonGap::Group},
    {"helpButton", ButtonGap::Group},
    {"symmetryButton", ButtonGap::Half}, // made by SymmetryControls; it switches a mode, so it stands apart
};

constexpr bool SameText(const char* a, const char* b) {
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// Every button of the table has one place on the tool bar.
constexpr bool EveryButtonPlacedOnce() {
    for (const Command& c : Commands) {
        if (!c.Button)
            continue;
        int places = 0;
        for (const ToolBarSlot& slot : ToolBarOrder)
            places += SameText(slot.Button, c.Button) ? 1 : 0;
        if (places != 1)
            return false;
    }
    return true;
}
static_assert(EveryButtonPlacedOnce(), "a button of Commands is not in ToolBarOrder, or is there twice");

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
    ButtonKind Kind;
    std::function<void(bool checked)> Run; // empty: a control without a command
};

// Makes the items into the window's menus and onto its tool bar.
struct Builder {
    QMainWindow* Window;
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
    button->resize(ToolButtonSide, ToolButtonSide); // placed with the others once all are made
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
        if (registration.Choice == ToolChoice::MenuAndButton)
            paths.push_back(ToolbarPicturePath(registration.Make()->Description().Picture));
    return paths;
}

std::vector<PlacedButton> MenusAndToolBar::ToolBarPlan() {
    std::vector<QString> names;
    std::vector<ButtonGap> gaps;
    for (const ToolBarSlot& slot : ToolBarOrder) {
        if (!SameText(slot.Button, DrawingToolButtons)) {
            names.push_back(QString::fromLatin1(slot.Button));
            gaps.push_back(slot.Before);
            continue;
        }
        ButtonGap before = slot.Before;
        for (const ToolRegistration& registration : RegisteredTools()) {
            if (registration.Choice != ToolChoice::MenuAndButton)
                continue;
            names.push_back(ToolButtonName(registration.Make()->Description()));
            gaps.push_back(std::exchange(before, ButtonGap::None));
        }
    }
    const std::vector<QRect> places = ToolButtonPlaces(gaps);
    std::vector<PlacedButton> plan;
    for (std::size_t i = 0; i < names.size(); ++i)
        plan.push_back({names[i], places[i]});
    return plan;
}

MenusAndToolBar::MenusAndToolBar(CommandTargets targets, QWidget* toolBar, PictureReadAhead& pictures,
                                 std::vector<ToolDescription> tools)
    : targets_(targets), window_(&targets.Window), toolBar_(toolBar), tools_(std::move(tools)) {
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
                const bool button = RegisteredTools()[i].Choice == ToolChoice::MenuAndButton;
                builder.Make({ToolActionName(tools_[i]), c.Where, QString::fromLatin1(tools_[i].Shortcut),
                              false, button ? ToolButtonName(tools_[i]) : QString(), tools_[i].Picture,
                              ButtonKind::Tool,
                              [frame = &targets_.Frame, i](bool) { frame->SelectTool(i); }});
            }
            continue;
        }
        std::function<void(bool)> run;
        if (c.Run)
            run = [targets = targets_, run = c.Run](bool checked) { run(targets, checked); };
        builder.Make({c.Name ? QString::fromLatin1(c.Name) : QString(), c.Where,
                      QString::fromLatin1(c.Shortcut), c.SeparatorBefore,
                      c.Button ? QString::fromLatin1(c.Button) : QString(), c.Picture, c.Kind, run});
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
                         [frame = &targets_.Frame, set = info.Set] {
                             RunCommand([&] { frame->SelectTileSet(set); });
                         });
        tileSetItems->addAction(action);
        menus_[static_cast<int>(Place::MenuBar)]->addAction(action);
    }
    MarkTileSet(TileSets[0].Set);
    MarkTool(0);
    MarkEdge(TileEdge::Px8);
}

MenusAndToolBar::~MenusAndToolBar() = default;

void MenusAndToolBar::PlaceToolBarButtons() {
    for (const PlacedButton& button : ToolBarPlan())
        if (auto* widget = toolBar_->findChild<QToolButton*>(button.Name, Qt::FindDirectChildrenOnly))
            widget->setGeometry(button.Place);
}

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
