#include "MainWindow.h"

#include "AboutDialog.h"
#include "BlockClipboard.h"
#include "CodeReplaceDialog.h"
#include "CutCells.h"
#include "ExchangeCodes.h"
#include "DroppedFiles.h"
#include "Document.h"
#include "FactionAnalysisView.h"
#include "FileController.h"
#include "HelpWindow.h"
#include "MapCheckView.h"
#include "MapEditView.h"
#include "PasteBlock.h"
#include "PictureReadAhead.h"
#include "Platform.h"
#include "PreferencesDialog.h"
#include "PreviewView.h"
#include "ReplaceCodes.h"
#include "ShapeMap.h"
#include "ShiftMap.h"
#include "SwitchTileSet.h"
#include "TilePalette.h"
#include "TileSetPictures.h"
#include "TileRoles.h"
#include "TileSets.h"
#include "TitleBarIconStyle.h"
#include "Translations.h"
#include "UnshapeMap.h"
#include "Workspace.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <map>
#include <string_view>

namespace tav {

namespace {

const QString UiFontName = QStringLiteral("ＭＳ Ｐゴシック");
// The application's icon in its two drawn sizes.
const QStringList WindowIconPictures = {QStringLiteral(":/icon.png"), QStringLiteral(":/icon48.png")};

QString ToolbarPicturePath(const QString& buttonName) {
    return QStringLiteral(":/toolbar/") + buttonName + QStringLiteral(".png");
}

// Where a command appears: a menu of the menu bar, the menu bar itself, the hidden menu whose items only
// work through their shortcuts, or only the tool bar.
enum class Place { File, Edit, Window, Options, Help, MenuBar, Hidden, ToolBarOnly };

// Tool and scale buttons are radio groups; a toggle button keeps its pressed look until clicked again.
// An on/off item carries a check mark and has no button.
enum class ButtonKind { Plain, Tool, Scale, Toggle, OnOff };

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
    {"MenuNewFile", Place::File, QT_TRANSLATE_NOOP("Commands", "新規作成(&N)"), "Ctrl+N", false, "NewButton",
     8, QT_TRANSLATE_NOOP("Commands", "新規作成"), ButtonKind::Plain,
     [](MainWindow& w) { w.Files()->NewMap(); }},
    {"MenuOpenFile", Place::File, QT_TRANSLATE_NOOP("Commands", "開く(&O)"), "Ctrl+L", false, "OpenButton",
     34, QT_TRANSLATE_NOOP("Commands", "開く"), ButtonKind::Plain, [](MainWindow& w) { w.Files()->Open(); }},
    {"MenuSaveFile", Place::File, QT_TRANSLATE_NOOP("Commands", "上書き保存(&S)"), "Ctrl+S", false,
     "SaveButton", 86, QT_TRANSLATE_NOOP("Commands", "上書き保存"), ButtonKind::Plain,
     [](MainWindow& w) { w.Files()->Save(); }},
    {"MenuSaveAsFile", Place::File, QT_TRANSLATE_NOOP("Commands", "名前をつけて保存(&A)"), "", false,
     "SaveAsButton", 60, QT_TRANSLATE_NOOP("Commands", "名前をつけて保存"), ButtonKind::Plain,
     [](MainWindow& w) { w.Files()->SaveAs(true); }},
    {"MenuExportImage", Place::File, QT_TRANSLATE_NOOP("Commands", "画像として書き出す(&E)"), "", true,
     nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w) { w.Files()->ExportImage(); }},
    {"MenuExit", Place::File, QT_TRANSLATE_NOOP("Commands", "終了(&X)"), "Ctrl+Q", false, "ExitButton", 120,
     QT_TRANSLATE_NOOP("Commands", "エディタの終了"), ButtonKind::Plain, [](MainWindow& w) { w.close(); }},

    {"MenuPen", Place::Edit, QT_TRANSLATE_NOOP("Commands", "ペン(&P)"), "", false, "PenButton", 154,
     QT_TRANSLATE_NOOP("Commands", "ペン"), ButtonKind::Tool, [](MainWindow& w) { w.SelectTool(Pen); }},
    {"MenuLine", Place::Edit, QT_TRANSLATE_NOOP("Commands", "直線(&L)"), "", false, "LineButton", 180,
     QT_TRANSLATE_NOOP("Commands", "直線"), ButtonKind::Tool, [](MainWindow& w) { w.SelectTool(Line); }},
    {"MenuBox", Place::Edit, QT_TRANSLATE_NOOP("Commands", "四角形(&S)"), "", false, "BoxButton", 206,
     QT_TRANSLATE_NOOP("Commands", "四角形"), ButtonKind::Tool, [](MainWindow& w) { w.SelectTool(Box); }},
    {"MenuBoxFill", Place::Edit, QT_TRANSLATE_NOOP("Commands", "塗りつぶし四角形(&B)"), "", false,
     "BoxFillButton", 232, QT_TRANSLATE_NOOP("Commands", "塗りつぶし四角形"), ButtonKind::Tool,
     [](MainWindow& w) { w.SelectTool(BoxFill); }},
    {"MenuCircle", Place::Edit, QT_TRANSLATE_NOOP("Commands", "円(&R)"), "", false, "CircleButton", 258,
     QT_TRANSLATE_NOOP("Commands", "円"), ButtonKind::Tool, [](MainWindow& w) { w.SelectTool(Circle); }},
    {"MenuCircleFill", Place::Edit, QT_TRANSLATE_NOOP("Commands", "塗りつぶし円(&M)"), "", false,
     "CircleFillButton", 284, QT_TRANSLATE_NOOP("Commands", "塗りつぶし円"), ButtonKind::Tool,
     [](MainWindow& w) { w.SelectTool(CircleFill); }},
    {"MenuBucket", Place::Edit, QT_TRANSLATE_NOOP("Commands", "塗りつぶす(&F)"), "", false, "BucketButton",
     310, QT_TRANSLATE_NOOP("Commands", "塗りつぶし"), ButtonKind::Tool,
     [](MainWindow& w) { w.SelectTool(Bucket); }},
    {"SelectRange", Place::ToolBarOnly, QT_TRANSLATE_NOOP("Commands", "範囲選択"), "", false, "RangeButton",
     344, QT_TRANSLATE_NOOP("Commands", "範囲選択"), ButtonKind::Toggle,
     [](MainWindow& w) { w.ToggleRangeSelection(); }},
    {"MenuCut", Place::Edit, QT_TRANSLATE_NOOP("Commands", "選択範囲を切り取る(&V)"), "Ctrl+X", true,
     "CutButton", 370, QT_TRANSLATE_NOOP("Commands", "選択範囲を切り取る"), ButtonKind::Plain,
     [](MainWindow& w) { w.CutSelection(); }},
    {"MenuCopy", Place::Edit, QT_TRANSLATE_NOOP("Commands", "選択範囲をコピー(&C)"), "Ctrl+C", false, nullptr,
     0, "", ButtonKind::Plain, [](MainWindow& w) { w.CopySelection(); }},
    {"MenuPaste", Place::Edit, QT_TRANSLATE_NOOP("Commands", "貼りつけ(&P)"), "Ctrl+V", false, "PasteButton",
     396, QT_TRANSLATE_NOOP("Commands", "貼りつけ"), ButtonKind::Plain,
     [](MainWindow& w) { w.Paste(false); }},
    {"MenuPasteInPlace", Place::Edit, QT_TRANSLATE_NOOP("Commands", "同じ位置に貼りつけ"), "Ctrl+Shift+V",
     false, nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w) { w.Paste(true); }},
    {"MenuSelectAll", Place::Edit, QT_TRANSLATE_NOOP("Commands", "全て選択"), "Ctrl+A", false, nullptr, 0, "",
     ButtonKind::Plain, [](MainWindow& w) { w.SelectAll(); }},
    {"MenuDeselect", Place::Edit, QT_TRANSLATE_NOOP("Commands", "選択を解除"), "Esc", false, nullptr, 0, "",
     ButtonKind::Plain, [](MainWindow& w) { w.CancelGesture(); }},
    {nullptr, Place::ToolBarOnly, "", "", false, "ChangeButton", 422, QT_TRANSLATE_NOOP("Commands", "置換"),
     ButtonKind::Plain, [](MainWindow& w) { w.ReplaceCodesInMap(false); }},
    {nullptr, Place::ToolBarOnly, "", "", false, "ExchangeButton", 448, QT_TRANSLATE_NOOP("Commands", "交換"),
     ButtonKind::Plain, [](MainWindow& w) { w.ReplaceCodesInMap(true); }},
    {"MenuForm", Place::Edit, QT_TRANSLATE_NOOP("Commands", "整形する"), "Ctrl+F", true, "FormButton", 474,
     QT_TRANSLATE_NOOP("Commands", "マップを整形する"), ButtonKind::Plain,
     [](MainWindow& w) { w.ShapeWholeMap(); }},
    {"MenuUnform", Place::Edit, QT_TRANSLATE_NOOP("Commands", "整形を解除する"), "Ctrl+G", false,
     "UnformButton", 500, QT_TRANSLATE_NOOP("Commands", "マップの整形を解除する"), ButtonKind::Plain,
     [](MainWindow& w) { w.UnshapeWholeMap(); }},
    {"MenuUndo", Place::Edit, QT_TRANSLATE_NOOP("Commands", "直前の作業を撤回(&U)"), "Ctrl+Z", true,
     "UndoButton", 534, QT_TRANSLATE_NOOP("Commands", "直前の作業を取り消す"), ButtonKind::Plain,
     [](MainWindow& w) { w.Map()->UndoStack()->undo(); }},
    {"MenuRedo", Place::Edit, QT_TRANSLATE_NOOP("Commands", "やり直す(&R)"), "Ctrl+Y", false, nullptr, 0, "",
     ButtonKind::Plain, [](MainWindow& w) { w.Map()->UndoStack()->redo(); }},

    {"MenuShowEditView", Place::Window, QT_TRANSLATE_NOOP("Commands", "エディットウインドウ"), "", false,
     nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w) { w.ShowEditView(); }},
    {"MenuShowCharView", Place::Window, QT_TRANSLATE_NOOP("Commands", "キャラクターウインドウ"), "", false,
     nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w) { w.ShowPalette(); }},
    {"MenuShowPreview", Place::Window, QT_TRANSLATE_NOOP("Commands", "プレビューウインドウ"), "", false,
     nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w) { w.ShowPreview(); }},
    {"MenuShowMapCheckView", Place::Window, QT_TRANSLATE_NOOP("Commands", "マップチェックウインドウ"), "",
     false, nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w) { w.ShowCheckView(); }},
    {"MenuShowFactionView", Place::Window, QT_TRANSLATE_NOOP("Commands", "勢力分析ウインドウ"), "", false,
     nullptr, 0, "", ButtonKind::Plain, [](MainWindow& w) { w.ShowFactionView(); }},

    {"MenuGridLines", Place::Options, QT_TRANSLATE_NOOP("Commands", "グリッド線を表示(&G)"), "", false,
     nullptr, 0, "", ButtonKind::OnOff, [](MainWindow& w) { w.SetGridLines(!w.Settings().GridLines); }},
    {"MenuPreferences", Place::Options, QT_TRANSLATE_NOOP("Commands", "環境設定(&P)..."), "", true, nullptr,
     0, "", ButtonKind::Plain, [](MainWindow& w) { w.ShowPreferences(); }},

    {"MenuAbout", Place::MenuBar, QT_TRANSLATE_NOOP("Commands", "バージョン(&V)"), "", false, nullptr, 0, "",
     ButtonKind::Plain, [](MainWindow& w) { w.ShowAbout(); }},

    {"MenuShiftLeft1", Place::Hidden, QT_TRANSLATE_NOOP("Commands", "エディット面を左にシフト"), "Shift+Left",
     false, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w) { w.ShiftMapOrSelection(ShiftDirection::Left); }},
    {"MenuShiftRight1", Place::Hidden, QT_TRANSLATE_NOOP("Commands", "エディット面を右にシフト"),
     "Shift+Right", false, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w) { w.ShiftMapOrSelection(ShiftDirection::Right); }},
    {"MenuShiftUpper1", Place::Hidden, QT_TRANSLATE_NOOP("Commands", "エディット面を上にシフト"), "Shift+Up",
     false, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w) { w.ShiftMapOrSelection(ShiftDirection::Up); }},
    {"MenuShiftLower1", Place::Hidden, QT_TRANSLATE_NOOP("Commands", "エディット面を下にシフト"),
     "Shift+Down", false, nullptr, 0, "", ButtonKind::Plain,
     [](MainWindow& w) { w.ShiftMapOrSelection(ShiftDirection::Down); }},
    {"MenuChangeSizeL", Place::Hidden, QT_TRANSLATE_NOOP("Commands", "エディットサイズをＬする"), "Ctrl+1",
     false, "LargeCharButton", 568, QT_TRANSLATE_NOOP("Commands", "大きいサイズ"), ButtonKind::Scale,
     [](MainWindow& w) { w.SelectScale(Large); }},
    {"MenuChangeSizeM", Place::Hidden, QT_TRANSLATE_NOOP("Commands", "エディットサイズをＭにする"), "Ctrl+2",
     false, "MiddleCharButton", 594, QT_TRANSLATE_NOOP("Commands", "普通のサイズ"), ButtonKind::Scale,
     [](MainWindow& w) { w.SelectScale(Middle); }},
    {"MenuChangeSizeS", Place::Hidden, QT_TRANSLATE_NOOP("Commands", "エディットサイズをＳにする"), "Ctrl+3",
     false, "SmallCharButton", 620, QT_TRANSLATE_NOOP("Commands", "小さいサイズ"), ButtonKind::Scale,
     [](MainWindow& w) { w.SelectScale(Small); }},

    {nullptr, Place::ToolBarOnly, "", "", false, "CheckButton", 654,
     QT_TRANSLATE_NOOP("Commands", "マップチェック"), ButtonKind::Plain,
     [](MainWindow& w) { w.RunMapCheck(); }},
    {nullptr, Place::ToolBarOnly, "", "", false, "StatusButton", 688,
     QT_TRANSLATE_NOOP("Commands", "勢力分析"), ButtonKind::Plain,
     [](MainWindow& w) { w.ShowFactionView(); }},
    {"MenuHelp", Place::Help, QT_TRANSLATE_NOOP("Commands", "ヘルプを開く(&H)"), "F1", false, "HelpButton",
     722, QT_TRANSLATE_NOOP("Commands", "ヘルプを開きます"), ButtonKind::Plain,
     [](MainWindow& w) { w.ShowHelp(); }},
};

// The menus of the menu bar, left to right.
struct MenuInfo {
    Place Where;
    const char* Name; // the menu's object name
    const char* Caption;
};
constexpr MenuInfo Menus[] = {
    {Place::File, "File", QT_TRANSLATE_NOOP("Commands", "ファイル(&F)")},
    {Place::Edit, "Edit", QT_TRANSLATE_NOOP("Commands", "編集(&E)")},
    {Place::MenuBar, "Character", QT_TRANSLATE_NOOP("Commands", "キャラクター(&C)")},
    {Place::Window, "WindowMenu", QT_TRANSLATE_NOOP("Commands", "ウインドウ(&W)")},
    {Place::Options, "OptionsMenu", QT_TRANSLATE_NOOP("Commands", "オプション(&O)")},
    {Place::Help, "HelpMenu", QT_TRANSLATE_NOOP("Commands", "ヘルプ(&H)")},
};
constexpr char HiddenMenuCaption[] = QT_TRANSLATE_NOOP("Commands", "非メニュー項目");
constexpr char RecentFilesCaption[] = QT_TRANSLATE_NOOP("Commands", "最近使ったファイル(&R)");

// A text of the tables above in the editor's language.
QString CommandText(const char* text) {
    return QCoreApplication::translate("Commands", text);
}

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

// The first installed face that stands in for `designed`, or `designed` itself when none is installed.
// Naming a face that is not installed costs Qt a fallback search for every script the windows show (some
// milliseconds at start-up), so the application font names the installed face directly.
QString InstalledFace(const QString& designed) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& face : QFont::substitutes(designed))
        if (installed.contains(face, Qt::CaseInsensitive))
            return face;
    return designed;
}

} // namespace

void InitApplication() {
    QApplication::setApplicationName(QString::fromUtf8(ApplicationTitle));
    // Names the settings file and the data folder: ~/.config/Tavrenna/, ~/.local/share/Tavrenna/.
    QApplication::setOrganizationName(QStringLiteral("Tavrenna"));
    // The stored language from the start, so that even a message before the main window speaks it.
    InstallLanguage(EditorSettings::Load().Language);
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
    QApplication::setStyle(new TitleBarIconStyle);
    QFont font(InstalledFace(UiFontName));
    font.setPixelSize(12);
    QApplication::setFont(font);
}

MainWindow::MainWindow() {
    setObjectName(QStringLiteral("MainView"));
    setWindowTitle(QString::fromUtf8(ApplicationTitle));
    setAttribute(Qt::WA_QuitOnClose);
    setAcceptDrops(true);

    QStringList pictures = WindowIconPictures;
    for (const Command& c : Commands)
        if (c.Button)
            pictures.push_back(ToolbarPicturePath(QString::fromLatin1(c.Button)));
    settings_ = EditorSettings::Load();
    readAhead_ = std::make_unique<PictureReadAhead>(pictures, settings_.StartTileSet);

    document_ = new Document(this);
    pictures_ = new TileSetPictures(document_, this);
    CreateFrame();
    editView_ = new MapEditView(document_, pictures_, mdiArea_);
    palette_ = new TilePalette(pictures_, mdiArea_);
    workspace_ = new Workspace(this, mdiArea_, editView_, palette_);
    files_ = new FileController(document_, this, [this](const MapGrid& grid) { return RunMapCheck(grid); });
    CreateCommands();
    // The application's icon, read with the tool-bar pictures.
    QIcon icon;
    for (const QString& path : WindowIconPictures)
        if (const QImage picture = readAhead_->Picture(path); !picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture));
    QApplication::setWindowIcon(icon);
    ConnectEditingAids();
    RetranslateUi();
    connect(document_, &Document::FileNameChanged, this, &MainWindow::UpdateCaption);
    connect(document_, &Document::ModifiedChanged, this, &MainWindow::setWindowModified);
    UpdateCaption();

    connect(palette_, &TilePalette::CodePicked, editView_, &MapEditView::SetPaintCode);
    connect(editView_, &MapEditView::StatusTextChanged, statusPanel_, &QLabel::setText);
    editView_->PlaceBeside = [this](QSize client) { return PlacePaletteBeside(client); };
    connect(pictures_, &TileSetPictures::LoadFailed, this,
            [this](const QString& reason) { CurrentPlatform().ReportError(this, reason); });
    // The analysis follows every change of the map while it is shown; hidden, it costs nothing.
    connect(document_, &Document::MapChanged, this, &MainWindow::RefreshFactionView);
    connect(document_, &Document::CellsChanged, this, &MainWindow::RefreshFactionView);
    connect(pictures_, &TileSetPictures::Changed, this, &MainWindow::RefreshFactionView);
    // The tile-set mark follows the map, also when a switch is undone or a file brings another set.
    connect(document_, &Document::TileSetChanged, this, [this](int tileSet) {
        if (tileSet >= 1 && tileSet <= TileSetCount)
            Action(TileSets[static_cast<std::size_t>(tileSet - 1)].MenuItem)->setChecked(true);
    });

    ApplyStartupSettings();

    workspace_->PlaceMainWindow();
}

MainWindow::~MainWindow() {
    // The language is this window's setting: without it the application speaks its default again, and a
    // window made later reads its own.
    InstallLanguage(QString::fromLatin1(JapaneseLanguage));
}

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
    statusCellCode_ = new QLabel(statusBar_);
    statusCellCode_->setObjectName(QStringLiteral("StatusCellCode"));
    statusCellCode_->setFrameShape(QFrame::Panel);
    statusCellCode_->setFrameShadow(QFrame::Sunken);
    statusBar_->addWidget(statusCellCode_);
    statusPickedCode_ = new QLabel(statusBar_);
    statusPickedCode_->setObjectName(QStringLiteral("StatusPickedCode"));
    statusPickedCode_->setFrameShape(QFrame::Panel);
    statusPickedCode_->setFrameShadow(QFrame::Sunken);
    statusBar_->addWidget(statusPickedCode_);
    statusMessage_ = new QLabel(statusBar_);
    statusMessage_->setObjectName(QStringLiteral("StatusMessage"));
    statusBar_->addWidget(statusMessage_, 1);
    setStatusBar(statusBar_);
    // The preview and the check window start minimised; the first showing does not wait for them.
    mdiArea_->viewport()->installEventFilter(this);
}

void MainWindow::CreateCommands() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    // The texts of menus, items and buttons are set by RetranslateUi, in the editor's language.
    std::map<Place, QMenu*> menus;
    for (const MenuInfo& info : Menus) {
        QMenu* m = bar->addMenu(QString());
        m->setObjectName(QString::fromLatin1(info.Name));
        menus[info.Where] = m;
    }
    QMenu* fileMenu = menus[Place::File];
    QMenu* tileSetMenu = menus[Place::MenuBar];
    // Never shown: its items are added to the window itself so that their shortcuts still work.
    auto* hiddenMenu = new QMenu(this);
    menus[Place::Hidden] = hiddenMenu;
    hiddenMenu->setObjectName(QStringLiteral("HiddenItems"));

    toolItems_ = new QActionGroup(this);
    scaleItems_ = new QActionGroup(this);
    auto* toolButtons = new QButtonGroup(this);
    auto* scaleButtons = new QButtonGroup(this);

    for (const Command& c : Commands) {
        QAction* action = nullptr;
        if (c.Name) {
            action = new QAction(this);
            action->setObjectName(QString::fromLatin1(c.Name));
            if (*c.Shortcut)
                action->setShortcut(QKeySequence::fromString(QString::fromLatin1(c.Shortcut), QKeySequence::PortableText));
            if (c.Run)
                connect(action, &QAction::triggered, this, [this, run = c.Run] { RunCommand([&] { run(*this); }); });
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
        if (const QImage picture = readAhead_->Picture(ToolbarPicturePath(button->objectName())); !picture.isNull())
            button->setIcon(QIcon(QPixmap::fromImage(picture)));
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
    recentMenu_ = new QMenu(fileMenu);
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

    // Cut and copy need a selection.
    for (const char* name : {"MenuCut", "MenuCopy"}) {
        QAction* action = Action(name);
        action->setEnabled(false);
        connect(editView_, &MapEditView::SelectionChanged, action, &QAction::setEnabled);
    }

    tileSetItems_ = new QActionGroup(this);
    for (const TileSetInfo& info : TileSets) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(info.MenuItem));
        action->setShortcut(QKeySequence::fromString(QString::fromLatin1(info.Shortcut), QKeySequence::PortableText));
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

void MainWindow::RetranslateUi() {
    for (const MenuInfo& info : Menus)
        menuBar()->findChild<QMenu*>(QString::fromLatin1(info.Name))->setTitle(CommandText(info.Caption));
    findChild<QMenu*>(QStringLiteral("HiddenItems"))->setTitle(CommandText(HiddenMenuCaption));
    recentMenu_->setTitle(CommandText(RecentFilesCaption));
    for (const Command& c : Commands) {
        if (c.Name)
            Action(c.Name)->setText(CommandText(c.Caption));
        if (c.Button)
            speedBar_->findChild<QToolButton*>(QString::fromLatin1(c.Button))->setToolTip(CommandText(c.Hint));
    }
    for (const TileSetInfo& info : TileSets)
        Action(info.MenuItem)->setText(TileSetText(info.MenuCaption));
    // The status bar's words; the cell texts are numbers and stay.
    if (shownCellCode_ >= 0)
        statusCellCode_->setText(TileCodeText(shownCellCode_));
    ShowPickedCode(palette_->PickedCode());
    if (!statusMessage_->text().isEmpty())
        statusMessage_->setText(NoProblemText());
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    // The frame's subwindows clear the window's modified mark as they leave their minimised state; the mark is
    // the map's.
    if (event->type() == QEvent::ModifiedChange && document_ && isWindowModified() != document_->IsModified())
        setWindowModified(document_->IsModified());
    QMainWindow::changeEvent(event);
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
    pictures_->Load(readAhead_.get());
    readAhead_.reset();
    LayoutEditWindow();
    editView_->StartBlinking();
    palette_->StartBlinking();
}

// ---- Editing aids and settings -------------------------------------------------------------------

void MainWindow::ConnectEditingAids() {
    connect(editView_, &MapEditView::CursorCodeChanged, this, [this](int code) {
        shownCellCode_ = code;
        statusCellCode_->setText(TileCodeText(code));
    });
    connect(palette_, &TilePalette::CodePicked, this, &MainWindow::ShowPickedCode);
    ShowPickedCode(palette_->PickedCode());
    connect(editView_, &MapEditView::CodeSampled, palette_, &TilePalette::Pick);
    // Ctrl+wheel: the scale is the frame's, so the wheel asks for it as the buttons do.
    connect(editView_, &MapEditView::ScaleRequested, this,
            [this](int editScale) { RunCommand([&] { SelectScale(editScale); }); });
}

void MainWindow::MakeMinimisedWindows() {
    if (preview_)
        return;
    mdiArea_->viewport()->removeEventFilter(this);
    preview_ = new PreviewView(document_, pictures_, mdiArea_);
    checkView_ = new MapCheckView(document_, mdiArea_);
    connect(editView_, &MapEditView::VisibleAreaChanged, preview_, &PreviewView::ShowVisibleArea);
    preview_->ShowVisibleArea(editView_->VisibleArea());
    connect(preview_, &PreviewView::NavigateRequested, editView_, &MapEditView::CenterOn);
    // Restored by its own title-bar button, the preview takes its old place only after this announcement.
    connect(preview_, &QMdiSubWindow::windowStateChanged, this, &MainWindow::KeepPreviewOffPalette,
            Qt::QueuedConnection);
    workspace_->Follow(preview_, QStringLiteral("Preview"));
    workspace_->Follow(checkView_, QStringLiteral("Check"));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The frame's first painting is on the screen once this returns: the minimised windows join it next.
    if (watched == mdiArea_->viewport() && event->type() == QEvent::Paint && !preview_)
        QMetaObject::invokeMethod(this, &MainWindow::MakeMinimisedWindows, Qt::QueuedConnection);
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::ShowPickedCode(int code) {
    statusPickedCode_->setText(tr("選択タイル %1").arg(TileCodeText(code)));
}

void MainWindow::ApplyStartupSettings() {
    if (settings_.StartTileSet != document_->TileSet())
        document_->Reset(document_->Grid(), settings_.StartTileSet, QString(), QString());
    editView_->SetScale(settings_.StartScale);
    if (const char* name = ActionFor(ScaleActions, settings_.StartScale))
        Action(name)->setChecked(true);
    ApplySettings(settings_);
}

void MainWindow::ApplySettings(const EditorSettings& settings) {
    // Only a change is written, so a start-up leaves no settings file behind.
    if (!(settings == settings_)) {
        settings_ = settings;
        settings_.Save();
    }
    editView_->SetGridLines(settings_.GridLines);
    Action("MenuGridLines")->setChecked(settings_.GridLines);
    editView_->SetBlinking(settings_.Blink);
    palette_->SetBlinking(settings_.Blink);
    // Every open window follows at once, through its language-change event.
    InstallLanguage(settings_.Language);
    emit SettingsChanged();
}

void MainWindow::SetGridLines(bool shown) {
    EditorSettings changed = settings_;
    changed.GridLines = shown;
    ApplySettings(changed);
}

void MainWindow::ShowPreferences() {
    PreferencesDialog dialog(settings_, autosaveNote_ ? autosaveNote_() : QString(), this);
    if (CurrentPlatform().ExecModal(&dialog) == QDialog::Accepted)
        ApplySettings(dialog.Chosen());
}

void MainWindow::CancelGesture() {
    editView_->CancelGesture();
}

void MainWindow::KeepPreviewOffPalette() {
    if (!preview_ || preview_->isHidden() || preview_->isMinimized())
        return;
    const QRect frame = mdiArea_->viewport()->rect();
    const QRect place = preview_->geometry();
    if (!place.intersects(palette_->geometry()) && frame.contains(place))
        return;
    preview_->move(PlaceBesidePalette(frame, palette_->geometry(), place.size()));
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    KeepMinimumSize();
}

void MainWindow::KeepMinimumSize() {
    // A maximised window has the screen's size; a resize would only end the maximised state.
    if (isMaximized() || isFullScreen())
        return;
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
    if (mayClose) {
        workspace_->Save();
        event->accept();
    } else {
        event->ignore();
    }
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
    KeepPreviewOffPalette();
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
    // A drawing tool takes the mouse from the range tool; the selection stays and limits the painting.
    editView_->SetSelecting(false);
    Action("SelectRange")->setChecked(false);
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

void MainWindow::ShiftMapOrSelection(ShiftDirection direction) {
    if (!editView_->Selection()) {
        ShiftWholeMap(direction);
        return;
    }
    const int dx = direction == ShiftDirection::Left ? -1 : direction == ShiftDirection::Right ? 1 : 0;
    const int dy = direction == ShiftDirection::Up ? -1 : direction == ShiftDirection::Down ? 1 : 0;
    editView_->MoveSelection(dx, dy);
}

// ---- Selection and clipboard ---------------------------------------------------------------------

void MainWindow::ToggleRangeSelection() {
    const bool on = Action("SelectRange")->isChecked();
    editView_->CancelPaste();
    editView_->SetSelecting(on);
    // Releasing the button lets the selection go.
    if (!on)
        editView_->SetSelection(std::nullopt);
}

void MainWindow::SelectAll() {
    editView_->SetSelection(WholeMap);
}

void MainWindow::CopySelection() {
    const auto selection = editView_->Selection();
    if (!selection)
        return;
    const CellBlock block = CopyBlock(document_->Grid(), *selection);
    PutBlockOnClipboard(block, BlockPicture(block, *pictures_, editView_->Scale()));
}

void MainWindow::CutSelection() {
    const auto selection = editView_->Selection();
    if (!selection)
        return;
    CopySelection();
    document_->Push(new edits::CutCells(document_, *selection));
}

void MainWindow::Paste(bool inPlace) {
    ClipboardBlock taken = BlockFromClipboard();
    if (!taken.Block) {
        CurrentPlatform().ShowMessage(this, QString::fromUtf8(ApplicationTitle), taken.Error);
        return;
    }
    if (!inPlace) {
        editView_->StartPaste(std::move(*taken.Block));
        return;
    }
    // Text carries no position: it goes to the selection's corner, or the map's.
    QPoint at(taken.Block->OriginX, taken.Block->OriginY);
    if (!taken.HasOrigin)
        at = editView_->Selection() ? QPoint(editView_->Selection()->Left, editView_->Selection()->Top) : QPoint();
    document_->Push(new edits::PasteBlock(document_, *taken.Block, at.x(), at.y()));
}

void MainWindow::ReplaceCodesInMap(bool exchange) {
    editView_->CancelShape();
    const QPoint clicked = editView_->LastClickedCell();
    CodeReplaceDialog dialog(exchange ? CodeReplaceDialog::Mode::Exchange : CodeReplaceDialog::Mode::Replace,
                             document_->Grid(), editView_->Selection(), document_->Cell(clicked.x(), clicked.y()),
                             palette_->PickedCode(), *pictures_, this);
    if (CurrentPlatform().ExecModal(&dialog) != QDialog::Accepted)
        return;
    const auto a = static_cast<TileCode>(dialog.CodeA());
    const auto b = static_cast<TileCode>(dialog.CodeB());
    if (exchange)
        document_->Push(new edits::ExchangeCodes(document_, a, b, dialog.Area()));
    else
        document_->Push(new edits::ReplaceCodes(document_, a, b, dialog.Area()));
}

void MainWindow::ShapeWholeMap() {
    document_->Push(new edits::ShapeMap(document_));
}

void MainWindow::UnshapeWholeMap() {
    document_->Push(new edits::UnshapeMap(document_));
}

bool MainWindow::RunMapCheck() {
    return RunMapCheck(document_->Grid());
}

bool MainWindow::RunMapCheck(const MapGrid& grid) {
    MakeMinimisedWindows();
    const bool problem = checkView_->RunMapCheck(grid);
    workspace_->CameUp(checkView_);
    statusMessage_->setText(problem ? QString() : NoProblemText());
    if (!problem)
        QTimer::singleShot(4000, statusMessage_, [label = statusMessage_] { label->clear(); });
    return problem;
}

QString MainWindow::NoProblemText() {
    return tr("マップチェック: 問題はありません");
}

void MainWindow::ShowAbout() {
    const QRect main = frameGeometry();
    // Made when first asked for, so that start-up does not wait for a box most runs never show.
    if (!about_)
        about_ = new AboutDialog(this);
    // Until the box was once on the screen its frame is unknown; it is taken to be as wide as this window's.
    const QRect inner = geometry();
    const QMargins frame(inner.left() - main.left(), inner.top() - main.top(), main.right() - inner.right(),
                         main.bottom() - inner.bottom());
    const QSize box = about_->frameGeometry() != about_->geometry() ? about_->frameGeometry().size()
                                                                    : about_->size().grownBy(frame);
    about_->move(main.left() + (main.width() - box.width()) / 2, main.top() + (main.height() - box.height()) / 2);
    CurrentPlatform().ExecModal(about_);
}

void MainWindow::ShowHelp() {
    if (!help_) {
        help_ = new HelpWindow(this);
        workspace_->Follow(help_, QStringLiteral("Help"));
    }
    // Every action of the window, in menu order: the tile sets' after the table's.
    help_->ShowHelp(findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly));
}

void MainWindow::ShowFactionView() {
    const bool firstShowing = !factionView_;
    if (firstShowing) {
        // Made when first asked for: most runs never need it, and its table costs start-up time.
        factionView_ = new FactionAnalysisView;
        mdiArea_->addSubWindow(factionView_);
        factionView_->hide();
    }
    ShowWindow(factionView_, true);
    RefreshFactionView();
    if (firstShowing) {
        // Big enough for the whole table and picture, at the right of the frame, over the palette; from then
        // on where it was last, in this run and the next.
        const QSize size = factionView_->sizeHint().boundedTo(mdiArea_->viewport()->size());
        factionView_->resize(size);
        factionView_->move(std::max(0, mdiArea_->viewport()->width() - size.width()), 0);
        workspace_->Follow(factionView_, QStringLiteral("Faction"));
    }
}

void MainWindow::RefreshFactionView() {
    if (!factionView_ || !factionView_->isVisible() || !pictures_->IsLoaded())
        return;
    factionView_->ShowMap(document_->Grid(), document_->TileSet(), pictures_->Picture(PreviewScaleIndex));
}

void MainWindow::ShowWindow(QWidget* window, bool restore) {
    if (restore && window->isMinimized())
        window->showNormal();
    window->show();
    window->raise();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window))
        mdiArea_->setActiveSubWindow(sub);
    workspace_->CameUp(window);
}

void MainWindow::ShowEditView() {
    ShowWindow(editView_, false);
}

void MainWindow::ShowPalette() {
    ShowWindow(palette_, false);
}

void MainWindow::ShowPreview() {
    MakeMinimisedWindows();
    ShowWindow(preview_, true);
    KeepPreviewOffPalette();
}

void MainWindow::ShowCheckView() {
    MakeMinimisedWindows();
    ShowWindow(checkView_, true);
}

} // namespace tav
