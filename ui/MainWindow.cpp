#include "MainWindow.h"

#include "AboutDialog.h"
#include "DroppedFiles.h"
#include "Document.h"
#include "FileController.h"
#include "MapCheckView.h"
#include "MapEditView.h"
#include "Platform.h"
#include "PreviewView.h"
#include "ShapeMap.h"
#include "ShiftMap.h"
#include "SwitchTileSet.h"
#include "TilePalette.h"
#include "TileSetPictures.h"
#include "TileSets.h"
#include "Translations.h"
#include "UnshapeMap.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

#include <map>
#include <string_view>

namespace tav {

namespace {

const QString UiFontName = QStringLiteral("ＭＳ Ｐゴシック");

// Where a command appears: a menu of the menu bar, the menu bar itself, the hidden menu whose items only
// work through their shortcuts, or only the tool bar.
enum class Place { File, Edit, Window, MenuBar, Hidden, ToolBarOnly };

// Tool and scale buttons are radio groups; a toggle button keeps its pressed look until clicked again.
enum class ButtonKind { Plain, Tool, Scale, Toggle };

struct Command {
    const char* Name; // the action's object name; nullptr for a tool-bar button alone
    Place Where;
    const char* Caption;
    const char* Shortcut; // in QKeySequence's portable form; "" for none
    bool SeparatorBefore;
    const char* Button; // the tool-bar button's object name; nullptr for a menu item alone
    int ButtonLeft;
    const char* Hint;
    ButtonKind Kind;
    void (*Run)(MainWindow&); // nullptr: a control without a command yet
};

// Every command of the editor, in menu order; the tool-bar buttons sit at their own positions.
constexpr Command Commands[] = {
    {"MenuNewFile", Place::File, "新規作成(&N)", "Ctrl+N", false, "NewButton", 8, "新規作成", ButtonKind::Plain,
     [](MainWindow& w) { w.Files()->NewMap(); }},
    {"MenuOpenFile", Place::File, "開く(&O)", "Ctrl+L", false, "OpenButton", 34, "開く", ButtonKind::Plain,
     [](MainWindow& w) { w.Files()->Open(); }},
    {"MenuSaveFile", Place::File, "上書き保存(&S)", "Ctrl+S", false, "SaveButton", 86, "上書き保存", ButtonKind::Plain,
     [](MainWindow& w) { w.Files()->Save(); }},
    {"MenuSaveAsFile", Place::File, "名前をつけて保存(&A)", "", false, "SaveAsButton", 60, "名前をつけて保存",
     ButtonKind::Plain, [](MainWindow& w) { w.Files()->SaveAs(true); }},
    {"MenuExportImage", Place::File, "画像として書き出す(&E)", "", true, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w) { w.Files()->ExportImage(); }},
    {"MenuExit", Place::File, "終了(&X)", "Ctrl+Q", false, "ExitButton", 120, "エディタの終了", ButtonKind::Plain,
     [](MainWindow& w) { w.close(); }},

    {"MenuPen", Place::Edit, "ペン(&P)", "", false, "PenButton", 154, "ペン", ButtonKind::Tool,
     [](MainWindow& w) { w.SelectTool(Pen); }},
    {"MenuLine", Place::Edit, "直線(&L)", "", false, "LineButton", 180, "直線", ButtonKind::Tool,
     [](MainWindow& w) { w.SelectTool(Line); }},
    {"MenuBox", Place::Edit, "四角形(&S)", "", false, "BoxButton", 206, "四角形", ButtonKind::Tool,
     [](MainWindow& w) { w.SelectTool(Box); }},
    {"MenuBoxFill", Place::Edit, "塗りつぶし四角形(&B)", "", false, "BoxFillButton", 232, "塗りつぶし四角形",
     ButtonKind::Tool, [](MainWindow& w) { w.SelectTool(BoxFill); }},
    {"MenuCircle", Place::Edit, "円(&R)", "", false, "CircleButton", 258, "円", ButtonKind::Tool,
     [](MainWindow& w) { w.SelectTool(Circle); }},
    {"MenuCircleFill", Place::Edit, "塗りつぶし円(&M)", "", false, "CircleFillButton", 284, "塗りつぶし円",
     ButtonKind::Tool, [](MainWindow& w) { w.SelectTool(CircleFill); }},
    {"MenuBucket", Place::Edit, "塗りつぶす(&F)", "", false, "BucketButton", 310, "塗りつぶし", ButtonKind::Tool,
     [](MainWindow& w) { w.SelectTool(Bucket); }},
    {nullptr, Place::ToolBarOnly, "", "", false, "RangeButton", 344, "範囲選択", ButtonKind::Toggle, nullptr},
    {"MenuCut", Place::Edit, "選択範囲を切り取る(&V)", "Ctrl+X", true, "CutButton", 370, "選択範囲を切り取る",
     ButtonKind::Plain, nullptr},
    {"MenuCopy", Place::Edit, "選択範囲をコピー(&C)", "Ctrl+C", false, nullptr, 0, "", ButtonKind::Plain, nullptr},
    {"MenuPaste", Place::Edit, "貼りつけ(&P)", "Ctrl+V", false, "PasteButton", 396, "貼りつけ", ButtonKind::Plain,
     nullptr},
    {nullptr, Place::ToolBarOnly, "", "", false, "ChangeButton", 422, "置換", ButtonKind::Plain, nullptr},
    {nullptr, Place::ToolBarOnly, "", "", false, "ExchangeButton", 448, "交換", ButtonKind::Plain, nullptr},
    {"MenuForm", Place::Edit, "整形する", "Ctrl+F", true, "FormButton", 474, "マップを整形する", ButtonKind::Plain,
     [](MainWindow& w) { w.ShapeWholeMap(); }},
    {"MenuUnform", Place::Edit, "整形を解除する", "Ctrl+G", false, "UnformButton", 500, "マップの整形を解除する",
     ButtonKind::Plain, [](MainWindow& w) { w.UnshapeWholeMap(); }},
    {"MenuUndo", Place::Edit, "直前の作業を撤回(&U)", "Ctrl+Z", true, "UndoButton", 534, "直前の作業を取り消す",
     ButtonKind::Plain, [](MainWindow& w) { w.Map()->UndoStack()->undo(); }},
    {"MenuRedo", Place::Edit, "やり直す(&R)", "Ctrl+Y", false, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w) { w.Map()->UndoStack()->redo(); }},

    {"MenuShowEditView", Place::Window, "エディットウインドウ", "", false, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w) { w.ShowEditView(); }},
    {"MenuShowCharView", Place::Window, "キャラクターウインドウ", "", false, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w) { w.ShowPalette(); }},
    {"MenuShowPreview", Place::Window, "プレビューウインドウ", "", false, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w) { w.ShowPreview(); }},
    {"MenuShowMapCheckView", Place::Window, "マップチェックウインドウ", "", false, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w) { w.ShowCheckView(); }},

    {"MenuAbout", Place::MenuBar, "バージョン(&V)", "", false, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w) { w.ShowAbout(); }},

    {"MenuShiftLeft1", Place::Hidden, "エディット面を左にシフト", "Shift+Left", false, nullptr, 0, "",
     ButtonKind::Plain, [](MainWindow& w) { w.ShiftWholeMap(ShiftDirection::Left); }},
    {"MenuShiftRight1", Place::Hidden, "エディット面を右にシフト", "Shift+Right", false, nullptr, 0, "",
     ButtonKind::Plain, [](MainWindow& w) { w.ShiftWholeMap(ShiftDirection::Right); }},
    {"MenuShiftUpper1", Place::Hidden, "エディット面を上にシフト", "Shift+Up", false, nullptr, 0, "",
     ButtonKind::Plain, [](MainWindow& w) { w.ShiftWholeMap(ShiftDirection::Up); }},
    {"MenuShiftLower1", Place::Hidden, "エディット面を下にシフト", "Shift+Down", false, nullptr, 0, "",
     ButtonKind::Plain, [](MainWindow& w) { w.ShiftWholeMap(ShiftDirection::Down); }},
    {"MenuChangeSizeL", Place::Hidden, "エディットサイズをＬする", "Ctrl+1", false, "LargeCharButton", 568,
     "大きいサイズ", ButtonKind::Scale, [](MainWindow& w) { w.SelectScale(Large); }},
    {"MenuChangeSizeM", Place::Hidden, "エディットサイズをＭにする", "Ctrl+2", false, "MiddleCharButton", 594,
     "普通のサイズ", ButtonKind::Scale, [](MainWindow& w) { w.SelectScale(Middle); }},
    {"MenuChangeSizeS", Place::Hidden, "エディットサイズをＳにする", "Ctrl+3", false, "SmallCharButton", 620,
     "小さいサイズ", ButtonKind::Scale, [](MainWindow& w) { w.SelectScale(Small); }},

    {nullptr, Place::ToolBarOnly, "", "", false, "CheckButton", 654, "マップチェック", ButtonKind::Plain,
     [](MainWindow& w) { w.RunMapCheck(); }},
    {nullptr, Place::ToolBarOnly, "", "", false, "StatusButton", 688, "勢力分析", ButtonKind::Plain, nullptr},
    {nullptr, Place::ToolBarOnly, "", "", false, "HelpButton", 722, "ヘルプを開きます", ButtonKind::Plain, nullptr},
};

// The action of the tool or scale in force, by value.
constexpr std::pair<int, const char*> ToolActions[] = {{Pen, "MenuPen"},       {Line, "MenuLine"},
                                                       {Box, "MenuBox"},       {BoxFill, "MenuBoxFill"},
                                                       {Circle, "MenuCircle"}, {CircleFill, "MenuCircleFill"},
                                                       {Bucket, "MenuBucket"}};
constexpr std::pair<int, const char*> ScaleActions[] = {
    {Small, "MenuChangeSizeS"}, {Middle, "MenuChangeSizeM"}, {Large, "MenuChangeSizeL"}};

template <class Table>
const char* ActionFor(const Table& table, int value) {
    for (const auto& [v, name] : table)
        if (v == value)
            return name;
    return nullptr;
}

} // namespace

void InitApplication() {
    QApplication::setApplicationName(QString::fromUtf8(ApplicationTitle));
    // Names the settings file and the data folder: ~/.config/Tavrenna/, ~/.local/share/Tavrenna/.
    QApplication::setOrganizationName(QStringLiteral("Tavrenna"));
    InstallJapaneseTranslations();
    QApplication::setApplicationDisplayName(QString());
    // The windows name the fonts of the system they were designed on; these are the nearest installed faces.
    const QStringList gothic = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic"),
                                QStringLiteral("Droid Sans Fallback")};
    for (const QString& name : {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("ＭＳ ゴシック"),
                                QStringLiteral("MS PGothic"), QStringLiteral("MS UI Gothic")})
        QFont::insertSubstitutions(name, gothic);
    // Metric-compatible faces first, so that the about box's lines keep the widths they were laid out for.
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("Nimbus Roman"),
                                QStringLiteral("TeX Gyre Termes"), QStringLiteral("DejaVu Serif"),
                                QStringLiteral("Noto Serif CJK JP")});
    QFont font(UiFontName);
    font.setPixelSize(12);
    QApplication::setFont(font);
    QIcon icon;
    for (const QString& path : {QStringLiteral(":/icon.png"), QStringLiteral(":/icon48.png")})
        if (QFile::exists(path))
            icon.addFile(path);
    QApplication::setWindowIcon(icon);
}

MainWindow::MainWindow() {
    setObjectName(QStringLiteral("MainView"));
    setWindowTitle(QString::fromUtf8(ApplicationTitle));
    setAttribute(Qt::WA_QuitOnClose);
    setAcceptDrops(true);

    document_ = new Document(this);
    pictures_ = new TileSetPictures(document_, this);
    CreateFrame();
    editView_ = new MapEditView(document_, pictures_, mdiArea_);
    palette_ = new TilePalette(pictures_, mdiArea_);
    preview_ = new PreviewView(document_, pictures_, mdiArea_);
    checkView_ = new MapCheckView(document_, mdiArea_);
    about_ = new AboutDialog(this);
    files_ = new FileController(document_, this, [this] { return checkView_->RunMapCheck(); });
    CreateCommands();
    connect(document_, &Document::FileNameChanged, this, &MainWindow::UpdateCaption);
    connect(document_, &Document::ModifiedChanged, this, &MainWindow::setWindowModified);
    UpdateCaption();

    connect(palette_, &TilePalette::CodePicked, editView_, &MapEditView::SetPaintCode);
    connect(editView_, &MapEditView::StatusTextChanged, statusPanel_, &QLabel::setText);
    editView_->PlaceBeside = [this](QSize client) { return PlacePaletteBeside(client); };
    connect(pictures_, &TileSetPictures::LoadFailed, this,
            [this](const QString& reason) { CurrentPlatform().ReportError(this, reason); });
    // The tile-set mark follows the map, also when a switch is undone or a file brings another set.
    connect(document_, &Document::TileSetChanged, this, [this](int tileSet) {
        if (tileSet >= 1 && tileSet <= TileSetCount)
            Action(TileSets[static_cast<std::size_t>(tileSet - 1)].MenuItem)->setChecked(true);
    });

    // The start size: the screen's, up to 792 x 552 for the outer frame; before the window is shown the
    // frame adds nothing.
    const QSize screen = CurrentPlatform().ScreenSize();
    const int width = screen.width() > 800 ? 792 : screen.width();
    const int height = screen.height() > 560 ? 552 : screen.height();
    const QSize frame = frameGeometry().size() - size();
    move(1, 1);
    resize(width - frame.width(), height - frame.height());
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateFrame() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    speedBar_ = new QWidget(central);
    speedBar_->setObjectName(QStringLiteral("SpeedBar"));
    speedBar_->setFixedHeight(SpeedBarHeight);
    speedBar_->setAutoFillBackground(true);
    QPalette silver = speedBar_->palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    speedBar_->setPalette(silver);
    column->addWidget(speedBar_);
    mdiArea_ = new QMdiArea(central);
    mdiArea_->setObjectName(QStringLiteral("MdiArea"));
    mdiArea_->setBackground(QColor(0, 0, 94));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    column->addWidget(mdiArea_, 1);
    setCentralWidget(central);

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar"));
    statusBar_->setFixedHeight(StatusBarHeight);
    statusPanel_ = new QLabel(QStringLiteral("X=48, Y=48"), statusBar_);
    statusPanel_->setObjectName(QStringLiteral("StatusPanel"));
    // 150 pixels hold the cell texts in the font the windows were laid out for; a wider substitute font may
    // need more, and the panel then grows instead of cutting off the second point's row.
    statusPanel_->setMinimumWidth(StatusPanelWidth);
    statusPanel_->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    statusPanel_->setFrameShape(QFrame::Panel);
    statusPanel_->setFrameShadow(QFrame::Sunken);
    statusBar_->addWidget(statusPanel_);
    setStatusBar(statusBar_);
}

void MainWindow::CreateCommands() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    auto menu = [bar](const QString& caption, const char* name) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    QMenu* fileMenu = menu(QStringLiteral("ファイル(&F)"), "File");
    QMenu* editMenu = menu(QStringLiteral("編集(&E)"), "Edit");
    QMenu* tileSetMenu = menu(QStringLiteral("キャラクター(&C)"), "Character");
    QMenu* windowMenu = menu(QStringLiteral("ウインドウ(&W)"), "WindowMenu");
    menu(QStringLiteral("オプション(&O)"), "OptionsMenu");
    menu(QStringLiteral("ヘルプ(&H)"), "HelpMenu");
    // Never shown: its items are added to the window itself so that their shortcuts still work.
    auto* hiddenMenu = new QMenu(QStringLiteral("非メニュー項目"), this);
    hiddenMenu->setObjectName(QStringLiteral("HiddenItems"));

    toolItems_ = new QActionGroup(this);
    scaleItems_ = new QActionGroup(this);
    auto* toolButtons = new QButtonGroup(this);
    auto* scaleButtons = new QButtonGroup(this);

    for (const Command& c : Commands) {
        QAction* action = nullptr;
        if (c.Name) {
            action = new QAction(QString::fromUtf8(c.Caption), this);
            action->setObjectName(QString::fromLatin1(c.Name));
            if (*c.Shortcut)
                action->setShortcut(QKeySequence(QString::fromLatin1(c.Shortcut)));
            if (c.Run)
                connect(action, &QAction::triggered, this, [this, run = c.Run] { RunCommand([&] { run(*this); }); });
            QMenu* target = c.Where == Place::File     ? fileMenu
                            : c.Where == Place::Edit   ? editMenu
                            : c.Where == Place::Window ? windowMenu
                            : c.Where == Place::Hidden ? hiddenMenu
                                                       : nullptr;
            if (target) {
                if (c.SeparatorBefore)
                    target->addSeparator();
                target->addAction(action);
            } else if (c.Where == Place::MenuBar) {
                bar->addAction(action);
            }
            if (c.Kind == ButtonKind::Tool || c.Kind == ButtonKind::Scale) {
                action->setCheckable(true);
                (c.Kind == ButtonKind::Tool ? toolItems_ : scaleItems_)->addAction(action);
            }
        }
        if (!c.Button)
            continue;
        auto* button = new QToolButton(speedBar_);
        button->setObjectName(QString::fromLatin1(c.Button));
        button->setAutoRaise(true); // flat
        button->setGeometry(c.ButtonLeft, 2, 26, 26);
        button->setIconSize(QSize(24, 24));
        const QString picture = QStringLiteral(":/toolbar/") + button->objectName() + QStringLiteral(".png");
        if (QFile::exists(picture))
            button->setIcon(QIcon(picture));
        button->setToolTip(QString::fromUtf8(c.Hint));
        button->setFocusPolicy(Qt::NoFocus);
        button->setCheckable(c.Kind != ButtonKind::Plain);
        if (c.Kind == ButtonKind::Tool)
            toolButtons->addButton(button);
        else if (c.Kind == ButtonKind::Scale)
            scaleButtons->addButton(button);
        if (action) {
            // The button is the item's twin: it runs the same command, follows its check mark and is
            // greyed with it.
            connect(button, &QToolButton::clicked, action, &QAction::trigger);
            connect(action, &QAction::toggled, button, &QToolButton::setChecked);
            connect(action, &QAction::enabledChanged, button, &QToolButton::setEnabled);
            button->setEnabled(action->isEnabled());
        } else if (c.Run) {
            connect(button, &QToolButton::clicked, this, [this, run = c.Run] { RunCommand([&] { run(*this); }); });
        }
    }
    addActions(hiddenMenu->actions());

    // Filled by the editor's session, which keeps the list between runs.
    recentMenu_ = new QMenu(QStringLiteral("最近使ったファイル(&R)"), fileMenu);
    recentMenu_->setObjectName(QStringLiteral("RecentFilesMenu"));
    recentMenu_->setEnabled(false);
    fileMenu->insertMenu(Action("MenuExit"), recentMenu_);
    fileMenu->insertSeparator(Action("MenuExit"));

    // Undo and redo are greyed when there is nothing to undo or redo.
    QUndoStack* history = document_->UndoStack();
    QAction* undo = Action("MenuUndo");
    QAction* redo = Action("MenuRedo");
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(history, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(history, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);

    tileSetItems_ = new QActionGroup(this);
    for (const TileSetInfo& info : TileSets) {
        auto* action = new QAction(QString::fromUtf8(info.MenuCaption), this);
        action->setObjectName(QString::fromLatin1(info.MenuItem));
        action->setShortcut(QKeySequence(QString::fromLatin1(info.Shortcut)));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this,
                [this, n = info.Number] { RunCommand([&] { SelectTileSet(n); }); });
        tileSetItems_->addAction(action);
        tileSetMenu->addAction(action);
    }
    Action(TileSets[0].MenuItem)->setChecked(true);
    Action("MenuPen")->setChecked(true);
    Action("MenuChangeSizeS")->setChecked(true);
}

QAction* MainWindow::Action(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

int MainWindow::MenuBarHeight() const {
    const QMenuBar* bar = menuBar();
    if (bar->isHidden() && isVisible())
        return 0;
    const int h = bar->heightForWidth(width());
    return h >= 0 ? h : bar->sizeHint().height();
}

QSize MainWindow::ClientSize() const {
    return {width(), height() - MenuBarHeight()};
}

void MainWindow::SetClientSize(QSize client) {
    resize(client.width(), client.height() + MenuBarHeight());
}

// ---- The window's own events ---------------------------------------------------------------------

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    pictures_->Load();
    LayoutEditWindow();
    editView_->StartBlinking();
    palette_->StartBlinking();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    KeepMinimumSize();
}

void MainWindow::KeepMinimumSize() {
    const QSize screen = CurrentPlatform().ScreenSize();
    const QSize client = ClientSize();
    QSize wanted = client;
    if (client.width() <= 800)
        wanted.setWidth(screen.width() >= 800 ? 792 : screen.width());
    if (client.height() <= 560)
        wanted.setHeight(screen.height() >= 560 ? 552 : screen.height());
    if (wanted != client)
        SetClientSize(wanted);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing would lose the unsaved map without a word, so it is asked about as New and Open do.
    bool mayClose = false;
    RunCommand([&] { mayClose = files_->MaybeDiscard(); });
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedMapFile(event->mimeData()))
        event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (DroppedMapFile(event->mimeData()))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const std::optional<QString> path = DroppedMapFile(event->mimeData());
    if (!path)
        return;
    event->acceptProposedAction();
    RunCommand([&] { files_->OpenChosenPath(*path); });
}

void MainWindow::UpdateCaption() {
    // The file's name with Qt's modified mark, and its folder, so that two maps of one name differ.
    const QString path = document_->FilePath();
    setWindowFilePath(path);
    const QString title = QString::fromUtf8(ApplicationTitle);
    if (path.isEmpty()) {
        setWindowTitle(title + QStringLiteral("[*]"));
    } else {
        const QFileInfo file(path);
        setWindowTitle(QStringLiteral("%1[*] (%2) - %3")
                           .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath()), title));
    }
    setWindowModified(document_->IsModified());
}

// ---- Layout --------------------------------------------------------------------------------------

void MainWindow::LayoutEditWindow() {
    const QSize client = ClientSize();
    const QSize maximum = ComputeEditSize({editView_->Edge(), client.width(), client.height(), palette_->width(),
                                           statusBar_->height(), speedBar_->height()});
    editView_->ApplyMaximumClientSize(maximum);
    palette_->move(maximum.width() + 8 + (editView_->VertScrollBarShown() ? 16 : 0), 0);
}

bool MainWindow::PlacePaletteBeside(QSize editClient) {
    if (palette_->x() >= editClient.width() + 24)
        return false;
    if (ClientSize().width() < tav::ClientSize(palette_).width() + editClient.width() + 16) {
        LayoutEditWindow();
        return true;
    }
    palette_->move(editClient.width() + 24, palette_->y());
    return false;
}

// ---- Commands ------------------------------------------------------------------------------------

void MainWindow::SelectTool(int tool) {
    editView_->SetTool(tool);
    if (const char* name = ActionFor(ToolActions, tool))
        Action(name)->setChecked(true);
}

void MainWindow::SelectScale(int editScale) {
    editView_->SetScale(editScale);
    LayoutEditWindow();
    // The shortcuts press the button too, so the tool bar always shows the scale in force.
    if (const char* name = ActionFor(ScaleActions, editScale))
        Action(name)->setChecked(true);
}

void MainWindow::SelectTileSet(int tileSet) {
    if (tileSet == document_->TileSet()) {
        // The item's own click must not leave the mark on it alone: it already carries it.
        Action(TileSets[static_cast<std::size_t>(tileSet - 1)].MenuItem)->setChecked(true);
        return;
    }
    editView_->CancelShape();
    document_->Push(new edits::SwitchTileSet(document_, tileSet));
}

void MainWindow::ShiftWholeMap(ShiftDirection direction) {
    document_->Push(new edits::ShiftMap(document_, direction));
}

void MainWindow::ShapeWholeMap() {
    document_->Push(new edits::ShapeMap(document_));
}

void MainWindow::UnshapeWholeMap() {
    document_->Push(new edits::UnshapeMap(document_));
}

void MainWindow::RunMapCheck() {
    checkView_->RunMapCheck();
}

void MainWindow::ShowAbout() {
    const QRect main = frameGeometry();
    const QRect box = about_->frameGeometry();
    about_->move(main.left() + (main.width() - box.width()) / 2, main.top() + (main.height() - box.height()) / 2);
    CurrentPlatform().ExecModal(about_);
}

void MainWindow::ShowWindow(QWidget* window, bool restore) {
    if (restore && window->isMinimized())
        window->showNormal();
    window->show();
    window->raise();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window))
        mdiArea_->setActiveSubWindow(sub);
}

void MainWindow::ShowEditView() {
    ShowWindow(editView_, false);
}

void MainWindow::ShowPalette() {
    ShowWindow(palette_, false);
}

void MainWindow::ShowPreview() {
    ShowWindow(preview_, true);
}

void MainWindow::ShowCheckView() {
    ShowWindow(checkView_, true);
}

} // namespace tav
