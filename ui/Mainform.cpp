#include "Mainform.h"

#include "Charsel.h"
#include "Editview.h"
#include "FileAccess.h"
#include "MapImage.h"
#include "Mapcheck.h"
#include "Platform.h"
#include "Preview.h"
#include "Shaping.h"
#include "TileSets.h"
#include "Version.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
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
#include <QVBoxLayout>

#include <cstdint>
#include <optional>
#include <span>
#include <type_traits>

namespace tav {

TMainView* MainView = nullptr;
TMapEditView* MapEditView = nullptr;
TCharacterView* CharacterView = nullptr;
TPreEditView* PreEditView = nullptr;
TMapCheckView* MapCheckView = nullptr;
TVersionView* VersionView = nullptr;

namespace {

const QString UiFontName = QStringLiteral("ＭＳ Ｐゴシック");

constexpr char MapFileFilter[] = "タヴレンナマップファイル(*.map)|*.map";
constexpr char DiscardQuestion[] = "編集中のマップは破棄されますがよろしいですか";
constexpr char SaveAnywayQuestion[] = "マップチェックでエラーが発生しました。保存してもよろしいですか？";
constexpr char BadFormatText[] = "ファイル形式が正常ではありません";

// Pauses both blink timers while a command waits for the user or reloads the map; every way out of the
// command, an error included, starts them again.
class PausedCursorTimers {
public:
    PausedCursorTimers() { SetBoth(0); }
    ~PausedCursorTimers() { Restart(); }
    PausedCursorTimers(const PausedCursorTimers&) = delete;
    PausedCursorTimers& operator=(const PausedCursorTimers&) = delete;

    void Restart() {
        if (paused_)
            SetBoth(200);
        paused_ = false;
    }

private:
    static void SetBoth(int milliseconds) {
        MapEditView->Timer1.SetInterval(milliseconds);
        CharacterView->Timer1.SetInterval(milliseconds);
    }
    bool paused_ = true;
};

// Group 0: an ordinary button; 1 the tools, 2 the edit scales (radio groups); 3 a button that
// toggles its own pressed look.
struct SpeedButtonInfo {
    int Left;
    const char* Name;
    const char* Hint;
    int Group;
    QToolButton* TMainView::*Button;
    void (TMainView::*Command)();
};

} // namespace

void InitApplication() {
    QApplication::setApplicationName(QString::fromUtf8(ApplicationTitle));
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

void CreateEditorWindows() {
    MainView = new TMainView;
    MapEditView = new TMapEditView(MainView->MdiArea);
    CharacterView = new TCharacterView(MainView->MdiArea);
    PreEditView = new TPreEditView(MainView->MdiArea);
    MapCheckView = new TMapCheckView(MainView->MdiArea);
    VersionView = new TVersionView(MainView);
}

void DestroyEditorWindows() {
    // The child windows belong to the main window and go with it.
    delete MainView;
    MainView = nullptr;
    MapEditView = nullptr;
    CharacterView = nullptr;
    PreEditView = nullptr;
    MapCheckView = nullptr;
    VersionView = nullptr;
}

TMainView::TMainView() {
    setObjectName(QStringLiteral("MainView"));
    setWindowTitle(QString::fromUtf8(ApplicationTitle));
    setAttribute(Qt::WA_QuitOnClose);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    SpeedBar = new QWidget(central);
    SpeedBar->setObjectName(QStringLiteral("SpeedBar"));
    SpeedBar->setFixedHeight(SpeedBarHeight);
    SpeedBar->setAutoFillBackground(true);
    QPalette silver = SpeedBar->palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    SpeedBar->setPalette(silver);
    column->addWidget(SpeedBar);
    MdiArea = new QMdiArea(central);
    MdiArea->setObjectName(QStringLiteral("MdiArea"));
    MdiArea->setBackground(QColor(0, 0, 94));
    MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    column->addWidget(MdiArea, 1);
    setCentralWidget(central);

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setFixedHeight(StatusBarHeight);
    StatusPanel = new QLabel(QStringLiteral("X=48, Y=48"), StatusBar);
    StatusPanel->setObjectName(QStringLiteral("StatusPanel"));
    // 150 pixels hold the cell texts in the font the windows were laid out for; a wider substitute font may need more, and the
    // panel then grows instead of cutting off the second point's row.
    StatusPanel->setMinimumWidth(StatusPanelWidth);
    StatusPanel->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    StatusPanel->setFrameShape(QFrame::Panel);
    StatusPanel->setFrameShadow(QFrame::Sunken);
    StatusBar->addWidget(StatusPanel);
    setStatusBar(StatusBar);

    CreateMenus();
    CreateSpeedBar();
    FormCreate();
}

TMainView::~TMainView() = default;

void TMainView::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto item = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut,
                       auto handler) {
        auto* action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        if constexpr (std::is_member_function_pointer_v<decltype(handler)>)
            connect(action, &QAction::triggered, this, [this, handler] { RunCommand([&] { (this->*handler)(); }); });
        else if constexpr (!std::is_same_v<decltype(handler), std::nullptr_t>)
            connect(action, &QAction::triggered, this, [handler] { RunCommand(handler); });
        menu->addAction(action);
        return action;
    };
    const QKeySequence none;

    File = bar->addMenu(QStringLiteral("ファイル(&F)"));
    File->setObjectName(QStringLiteral("File"));
    MenuNewFile = item(File, "MenuNewFile", QStringLiteral("新規作成(&N)"), QKeySequence(Qt::CTRL | Qt::Key_N),
                       &TMainView::MenuNewFileClick);
    MenuOpenFile = item(File, "MenuOpenFile", QStringLiteral("開く(&O)"), QKeySequence(Qt::CTRL | Qt::Key_L),
                        &TMainView::MenuOpenFileClick);
    MenuSaveFile = item(File, "MenuSaveFile", QStringLiteral("上書き保存(&S)"), QKeySequence(Qt::CTRL | Qt::Key_S),
                        &TMainView::MenuSaveFileClick);
    MenuSaveAsFile = item(File, "MenuSaveAsFile", QStringLiteral("名前をつけて保存(&A)"), none,
                          [this] { MenuSaveAsFileClick(true); });
    MenuExit = item(File, "MenuExit", QStringLiteral("終了(&X)"), QKeySequence(Qt::CTRL | Qt::Key_Q),
                    &TMainView::MenuExitClick);

    Edit = bar->addMenu(QStringLiteral("編集(&E)"));
    Edit->setObjectName(QStringLiteral("Edit"));
    toolItems_ = new QActionGroup(this);
    MenuPen = item(Edit, "MenuPen", QStringLiteral("ペン(&P)"), none, &TMainView::MenuPenClick);
    MenuLine = item(Edit, "MenuLine", QStringLiteral("直線(&L)"), none, &TMainView::MenuLineClick);
    MenuBox = item(Edit, "MenuBox", QStringLiteral("四角形(&S)"), none, &TMainView::MenuBoxClick);
    MenuBoxFill = item(Edit, "MenuBoxFill", QStringLiteral("塗りつぶし四角形(&B)"), none, &TMainView::MenuBoxFillClick);
    MenuCircle = item(Edit, "MenuCircle", QStringLiteral("円(&R)"), none, &TMainView::MenuCircleClick);
    MenuCircleFill = item(Edit, "MenuCircleFill", QStringLiteral("塗りつぶし円(&M)"), none,
                          &TMainView::MenuCircleFillClick);
    MenuBucket = item(Edit, "MenuBucket", QStringLiteral("塗りつぶす(&F)"), none, &TMainView::MenuBucketClick);
    for (QAction* a : {MenuPen, MenuLine, MenuBox, MenuBoxFill, MenuCircle, MenuCircleFill, MenuBucket}) {
        a->setCheckable(true);
        toolItems_->addAction(a);
    }
    MenuPen->setChecked(true);
    Edit->addSeparator()->setObjectName(QStringLiteral("N13"));
    // Cut, copy, paste and undo have no command; their shortcuts do nothing either.
    MenuCut = item(Edit, "MenuCut", QStringLiteral("選択範囲を切り取る(&V)"), QKeySequence(Qt::CTRL | Qt::Key_X), nullptr);
    MenuCopy = item(Edit, "MenuCopy", QStringLiteral("選択範囲をコピー(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C), nullptr);
    MenuPaste = item(Edit, "MenuPaste", QStringLiteral("貼りつけ(&P)"), QKeySequence(Qt::CTRL | Qt::Key_V), nullptr);
    Edit->addSeparator()->setObjectName(QStringLiteral("N14"));
    MenuForm = item(Edit, "MenuForm", QStringLiteral("整形する"), QKeySequence(Qt::CTRL | Qt::Key_F),
                    &TMainView::MenuFormClick);
    MenuUnform = item(Edit, "MenuUnform", QStringLiteral("整形を解除する"), QKeySequence(Qt::CTRL | Qt::Key_G),
                      &TMainView::MenuUnformClick);
    Edit->addSeparator()->setObjectName(QStringLiteral("N15"));
    MenuUndo = item(Edit, "MenuUndo", QStringLiteral("直前の作業を撤回(&U)"), QKeySequence(Qt::CTRL | Qt::Key_Z), nullptr);

    Character = bar->addMenu(QStringLiteral("キャラクター(&C)"));
    Character->setObjectName(QStringLiteral("Character"));
    tileSetItems_ = new QActionGroup(this);
    for (int n = 1; n <= 9; ++n) {
        const TileSetInfo& info = TileSets[static_cast<std::size_t>(n - 1)];
        QAction* a = item(Character, info.MenuItem, QString::fromUtf8(info.MenuCaption),
                          QKeySequence(QString::fromLatin1(info.Shortcut)), nullptr);
        connect(a, &QAction::triggered, this, [this, n] { RunCommand([&] { MenuCharClick(n); }); });
        a->setCheckable(true);
        tileSetItems_->addAction(a);
        MenuChar[n - 1] = a;
    }
    MenuChar[0]->setChecked(true);

    W1 = bar->addMenu(QStringLiteral("ウインドウ(&W)"));
    W1->setObjectName(QStringLiteral("W1"));
    MenuShowEditView = item(W1, "MenuShowEditView", QStringLiteral("エディットウインドウ"), none,
                            &TMainView::MenuShowEditViewClick);
    MenuShowCharView = item(W1, "MenuShowCharView", QStringLiteral("キャラクターウインドウ"), none,
                            &TMainView::MenuShowCharViewClick);
    MenuShowPreview = item(W1, "MenuShowPreview", QStringLiteral("プレビューウインドウ"), none,
                           &TMainView::MenuShowPreviewClick);
    MenuShowMapCheckView = item(W1, "MenuShowMapCheckView", QStringLiteral("マップチェックウインドウ"), none,
                                &TMainView::MenuShowMapCheckViewClick);

    O1 = bar->addMenu(QStringLiteral("オプション(&O)"));
    O1->setObjectName(QStringLiteral("O1"));
    Help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    Help->setObjectName(QStringLiteral("Help"));

    // Never shown: the menu is not in the menu bar, and its items are added to the window itself so
    // that their shortcuts still reach the commands.
    N1 = new QMenu(QStringLiteral("非メニュー項目"), this);
    N1->setObjectName(QStringLiteral("N1"));
    MenuShiftLeft1 = item(N1, "MenuShiftLeft1", QStringLiteral("エディット面を左にシフト"),
                          QKeySequence(Qt::SHIFT | Qt::Key_Left), &TMainView::MenuShiftLeft1Click);
    MenuShiftRight1 = item(N1, "MenuShiftRight1", QStringLiteral("エディット面を右にシフト"),
                           QKeySequence(Qt::SHIFT | Qt::Key_Right), &TMainView::MenuShiftRight1Click);
    MenuShiftUpper1 = item(N1, "MenuShiftUpper1", QStringLiteral("エディット面を上にシフト"),
                           QKeySequence(Qt::SHIFT | Qt::Key_Up), &TMainView::MenuShiftUpper1Click);
    MenuShiftLower1 = item(N1, "MenuShiftLower1", QStringLiteral("エディット面を下にシフト"),
                           QKeySequence(Qt::SHIFT | Qt::Key_Down), &TMainView::MenuShiftLower1Click);
    MenuChangeSizeL = item(N1, "MenuChangeSizeL", QStringLiteral("エディットサイズをＬする"),
                           QKeySequence(Qt::CTRL | Qt::Key_1), &TMainView::LargeCharButtonClick);
    MenuChangeSizeM = item(N1, "MenuChangeSizeM", QStringLiteral("エディットサイズをＭにする"),
                           QKeySequence(Qt::CTRL | Qt::Key_2), &TMainView::MiddleCharButtonClick);
    MenuChangeSizeS = item(N1, "MenuChangeSizeS", QStringLiteral("エディットサイズをＳにする"),
                           QKeySequence(Qt::CTRL | Qt::Key_3), &TMainView::SmallCharButtonClick);
    addActions(N1->actions());

    V1 = bar->addAction(QStringLiteral("バージョン(&V)"));
    V1->setObjectName(QStringLiteral("V1"));
    connect(V1, &QAction::triggered, this, [this] { RunCommand([&] { V1Click(); }); });
}

void TMainView::CreateSpeedBar() {
    static const SpeedButtonInfo buttons[] = {
        {8, "NewButton", "新規作成", 0, &TMainView::NewButton, &TMainView::MenuNewFileClick},
        {34, "OpenButton", "開く", 0, &TMainView::OpenButton, &TMainView::MenuOpenFileClick},
        {60, "SaveAsButton", "名前をつけて保存", 0, &TMainView::SaveAsButton, nullptr},
        {86, "SaveButton", "上書き保存", 0, &TMainView::SaveButton, &TMainView::MenuSaveFileClick},
        {120, "ExitButton", "エディタの終了", 0, &TMainView::ExitButton, &TMainView::MenuExitClick},
        {154, "PenButton", "ペン", 1, &TMainView::PenButton, &TMainView::MenuPenClick},
        {180, "LineButton", "直線", 1, &TMainView::LineButton, &TMainView::MenuLineClick},
        {206, "BoxButton", "四角形", 1, &TMainView::BoxButton, &TMainView::MenuBoxClick},
        {232, "BoxFillButton", "塗りつぶし四角形", 1, &TMainView::BoxFillButton, &TMainView::MenuBoxFillClick},
        {258, "CircleButton", "円", 1, &TMainView::CircleButton, &TMainView::MenuCircleClick},
        {284, "CircleFillButton", "塗りつぶし円", 1, &TMainView::CircleFillButton, &TMainView::MenuCircleFillClick},
        {310, "BucketButton", "塗りつぶし", 1, &TMainView::BucketButton, &TMainView::MenuBucketClick},
        {344, "RangeButton", "範囲選択", 3, &TMainView::RangeButton, nullptr},
        {370, "CutButton", "選択範囲を切り取る", 0, &TMainView::CutButton, nullptr},
        {396, "PasteButton", "貼りつけ", 0, &TMainView::PasteButton, nullptr},
        {422, "ChangeButton", "置換", 0, &TMainView::ChangeButton, nullptr},
        {448, "ExchangeButton", "交換", 0, &TMainView::ExchangeButton, nullptr},
        {474, "FormButton", "マップを整形する", 0, &TMainView::FormButton, &TMainView::MenuFormClick},
        {500, "UnformButton", "マップの整形を解除する", 0, &TMainView::UnformButton, &TMainView::MenuUnformClick},
        {534, "UndoButton", "直前の作業を取り消す", 0, &TMainView::UndoButton, nullptr},
        {568, "LargeCharButton", "大きいサイズ", 2, &TMainView::LargeCharButton, &TMainView::LargeCharButtonClick},
        {594, "MiddleCharButton", "普通のサイズ", 2, &TMainView::MiddleCharButton, &TMainView::MiddleCharButtonClick},
        {620, "SmallCharButton", "小さいサイズ", 2, &TMainView::SmallCharButton, &TMainView::SmallCharButtonClick},
        {654, "CheckButton", "マップチェック", 0, &TMainView::CheckButton, &TMainView::CheckButtonClick},
        {688, "StatusButton", "勢力分析", 0, &TMainView::StatusButton, nullptr},
        {722, "HelpButton", "ヘルプを開きます", 0, &TMainView::HelpButton, nullptr},
    };
    toolButtons_ = new QButtonGroup(this);
    scaleButtons_ = new QButtonGroup(this);
    for (const SpeedButtonInfo& info : buttons) {
        auto* button = new QToolButton(SpeedBar);
        const QString name = QString::fromLatin1(info.Name);
        button->setObjectName(name);
        button->setAutoRaise(true); // flat
        button->setGeometry(info.Left, 2, 26, 26);
        button->setIconSize(QSize(24, 24));
        const QString picture = QStringLiteral(":/toolbar/") + name + QStringLiteral(".png");
        if (QFile::exists(picture))
            button->setIcon(QIcon(picture));
        button->setToolTip(QString::fromUtf8(info.Hint));
        button->setFocusPolicy(Qt::NoFocus);
        if (info.Group != 0)
            button->setCheckable(true);
        if (info.Group == 1)
            toolButtons_->addButton(button);
        else if (info.Group == 2)
            scaleButtons_->addButton(button);
        this->*info.Button = button;
        if (info.Command)
            connect(button, &QToolButton::clicked, this,
                    [this, command = info.Command] { RunCommand([&] { (this->*command)(); }); });
    }
    // Save As from the tool bar is the user's own command.
    connect(SaveAsButton, &QToolButton::clicked, this, [this] { RunCommand([&] { MenuSaveAsFileClick(true); }); });
    PenButton->setChecked(true);
    SmallCharButton->setChecked(true);
}

int TMainView::MenuBarHeight() const {
    const QMenuBar* bar = menuBar();
    if (bar->isHidden() && isVisible())
        return 0;
    const int h = bar->heightForWidth(width());
    return h >= 0 ? h : bar->sizeHint().height();
}

QSize TMainView::ClientSize() const {
    return {width(), height() - MenuBarHeight()};
}

void TMainView::SetClientSize(QSize client) {
    resize(client.width(), client.height() + MenuBarHeight());
}

void TMainView::SetStatusText(const QString& text) {
    StatusPanel->setText(text);
}

QString TMainView::StatusText() const {
    return StatusPanel->text();
}

// ---- Tile pictures and switching -----------------------------------------------------------------

void TMainView::LoadTileSetBitmaps() {
    TileBitmaps.LoadTileSetBitmaps(Document.CurrentTileSet);
}

void TMainView::FreeTileSetBitmaps() {
    TileBitmaps.FreeTileSetBitmaps();
}

void TMainView::ValidateTileSet() {
    if (Document.CurrentTileSet <= 0 || Document.CurrentTileSet > 9) {
        CurrentPlatform().ShowMessage(this, QString::fromUtf8(ApplicationTitle),
                                      QStringLiteral("無効なキャラクタです。修正しました。"));
        Document.CurrentTileSet = 1;
    }
    LoadTileSetBitmaps();
    CharacterView->Timer1.SetInterval(0);
    CharacterView->DrawPalette();
    CharacterView->Timer1.SetInterval(200);
}

void TMainView::ApplyTileSet() {
    ValidateTileSet();
    MenuChar[Document.CurrentTileSet - 1]->setChecked(true);
    MapEditView->RedrawMap();
}

void TMainView::MenuCharClick(int tileSet) {
    if (Document.CurrentTileSet == tileSet) {
        // The item's own click must not leave the mark on it alone: it already carries it.
        MenuChar[tileSet - 1]->setChecked(true);
        return;
    }
    Document.CurrentTileSet = tileSet;
    ApplyTileSet();
    MapEditView->CancelShape();
}

void TMainView::SelectEditScale(int scale, QToolButton* button) {
    Document.EditScale = scale;
    // The shortcuts press the button too, so the tool bar always shows the scale in force.
    button->setChecked(true);
    MapEditView->CancelShape();
    MapEditView->RedrawMap();
    MapEditView->LayoutEditWindow();
}

void TMainView::SmallCharButtonClick() {
    SelectEditScale(Small, SmallCharButton);
}

void TMainView::MiddleCharButtonClick() {
    SelectEditScale(Middle, MiddleCharButton);
}

void TMainView::LargeCharButtonClick() {
    SelectEditScale(Large, LargeCharButton);
}

// ---- The window's own events ---------------------------------------------------------------------

void TMainView::FormCreate() {
    const QSize screen = CurrentPlatform().ScreenSize();
    const int width = screen.width() > 800 ? 792 : screen.width();
    const int height = screen.height() > 560 ? 552 : screen.height();
    // The sizes are those of the outer frame; before the window is shown the frame adds nothing.
    const QSize frame = frameGeometry().size() - size();
    move(1, 1);
    resize(width - frame.width(), height - frame.height());
    SetStartValues(Document);
}

void TMainView::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TMainView::FormShow() {
    ValidateTileSet();
    MapEditView->LayoutEditWindow();
    MapEditView->RedrawMap();
    CharacterView->Timer1.SetInterval(200);
    MapEditView->Timer1.SetInterval(200);
}

void TMainView::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMainView::FormResize() {
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

bool TMainView::FormCloseQuery() {
    // Closing would lose the unsaved map without a word, so it is asked about as New and Open do.
    if (Document.Modified != 1)
        return true;
    PausedCursorTimers paused;
    return AskDiscard();
}

void TMainView::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TMainView::FormClose() {
    FreeTileSetBitmaps();
}

void TMainView::MenuExitClick() {
    // Closing frees the pictures (FormClose) once the discard question, if any, was answered with OK;
    // freeing them first would leave a window without pictures when the user cancels.
    close();
}

// ---- Tools ---------------------------------------------------------------------------------------

void TMainView::SelectTool(int tool, QToolButton* button, QAction* item) {
    if (Document.CurrentTool == tool) {
        button->setChecked(true);
        item->setChecked(true);
        return;
    }
    // The cursor is erased while the old tool is still in force, so the same cells are restored.
    MapEditView->Timer1.SetInterval(0);
    MapEditView->EraseToolCursor(MapEditView->CursorX, MapEditView->CursorY);
    MapEditView->Timer1.SetInterval(200);
    Document.ToolKind = ToolKindOf(tool);
    Document.CurrentTool = tool;
    button->setChecked(true);
    item->setChecked(true);
    MapEditView->CancelShape();
}

void TMainView::MenuPenClick() {
    SelectTool(Pen, PenButton, MenuPen);
}

void TMainView::MenuLineClick() {
    SelectTool(Line, LineButton, MenuLine);
}

void TMainView::MenuBoxClick() {
    SelectTool(Box, BoxButton, MenuBox);
}

void TMainView::MenuBoxFillClick() {
    SelectTool(BoxFill, BoxFillButton, MenuBoxFill);
}

void TMainView::MenuCircleClick() {
    SelectTool(Circle, CircleButton, MenuCircle);
}

void TMainView::MenuCircleFillClick() {
    SelectTool(CircleFill, CircleFillButton, MenuCircleFill);
}

void TMainView::MenuBucketClick() {
    SelectTool(Bucket, BucketButton, MenuBucket);
}

// ---- Windows -------------------------------------------------------------------------------------

void TMainView::BringUp(QWidget* window, bool restore) {
    if (restore && window->isMinimized())
        window->showNormal();
    window->show();
    window->raise();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window))
        MdiArea->setActiveSubWindow(sub);
}

void TMainView::MenuShowEditViewClick() {
    BringUp(MapEditView, false);
}

void TMainView::MenuShowCharViewClick() {
    BringUp(CharacterView, false);
}

void TMainView::MenuShowPreviewClick() {
    BringUp(PreEditView, true);
}

void TMainView::MenuShowMapCheckViewClick() {
    BringUp(MapCheckView, true);
}

void TMainView::V1Click() {
    const QRect main = frameGeometry();
    const QRect box = VersionView->frameGeometry();
    VersionView->move(main.left() + (main.width() - box.width()) / 2, main.top() + (main.height() - box.height()) / 2);
    CurrentPlatform().ExecModal(VersionView);
}

// ---- Map shift -----------------------------------------------------------------------------------

void TMainView::ShiftCommand(ShiftDirection direction, bool& busy) {
    if (busy)
        return;
    busy = true;
    ShiftMap(Document.Grid, direction);
    MapEditView->RedrawMap();
    Document.Modified = 1;
    busy = false;
}

void TMainView::MenuShiftLeft1Click() {
    ShiftCommand(ShiftDirection::Left, shiftLeftBusy_);
}

void TMainView::MenuShiftRight1Click() {
    ShiftCommand(ShiftDirection::Right, shiftRightBusy_);
}

void TMainView::MenuShiftUpper1Click() {
    ShiftCommand(ShiftDirection::Up, shiftUpBusy_);
}

void TMainView::MenuShiftLower1Click() {
    ShiftCommand(ShiftDirection::Down, shiftDownBusy_);
}

// ---- File, shaping and check commands ------------------------------------------------------------

void TMainView::MenuNewFileClick() {
    PausedCursorTimers paused;
    if (Document.Modified == 1 && !AskDiscard())
        return;
    ClearMap(Document);
    filePath_.clear();
    MapEditView->RedrawMap(); // the caption becomes "MapEditView - New File"
    Document.Modified = 0;
}

void TMainView::MenuOpenFileClick() {
    PausedCursorTimers paused;
    if (Document.Modified == 1 && !AskDiscard())
        return;
    FileDialogSettings settings;
    settings.PresetName = QStringLiteral("*.map");
    settings.Filter = QString::fromUtf8(MapFileFilter);
    settings.DefaultSuffix = QStringLiteral("map");
    settings.FileMustExist = true;
    settings.NoReadOnlyReturn = true;
    const std::optional<QString> path = CurrentPlatform().OpenFileName(this, settings);
    if (!path)
        return;

    // Only the image's own bytes are read, and only from a regular file: a pipe or a device chosen in the
    // dialog is reported instead of blocking the editor.
    const QByteArray bytes = ReadMapFileBytes(*path);
    const auto content = ReadMapImage(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                                static_cast<std::size_t>(bytes.size())));
    if (!content) {
        // Nothing was loaded, so the map in the editor keeps its unsaved state.
        CurrentPlatform().ShowMessage(this, QString::fromUtf8(ApplicationTitle), QString::fromUtf8(BadFormatText));
        return;
    }
    const int tileSet = content->TileSet;
    Document.Grid = content->Grid;
    Document.FileName = path->toStdString();
    filePath_ = *path;
    paused.Restart();
    if (tileSet != Document.CurrentTileSet) {
        Document.CurrentTileSet = tileSet;
        ApplyTileSet();
    } else {
        MapEditView->RedrawMap();
    }
    Document.Modified = 0;
}

void TMainView::MenuSaveFileClick() {
    if (MapCheckView->RunMapCheck() && !AskSaveAnyway())
        return;
    MenuFormClick();
    if (Document.FileName.empty()) {
        MenuSaveAsFileClick(false);
        return;
    }
    WriteMap(filePath_.isEmpty() ? QString::fromStdString(Document.FileName) : filePath_);
    Document.Modified = 0;
}

void TMainView::MenuSaveAsFileClick(bool byUser) {
    MenuFormClick();
    if (byUser && MapCheckView->RunMapCheck() && !AskSaveAnyway())
        return;
    FileDialogSettings settings;
    if (!Document.FileName.empty())
        settings.PresetName = filePath_.isEmpty() ? QString::fromStdString(Document.FileName) : filePath_;
    else
        settings.PresetName = saveDialogName_;
    settings.Filter = QString::fromUtf8(MapFileFilter);
    settings.DefaultSuffix = QStringLiteral("map");
    settings.OverwritePrompt = true;
    settings.PathMustExist = true;
    settings.NoReadOnlyReturn = true;
    const std::optional<QString> path = CurrentPlatform().SaveFileName(this, settings);
    if (!path)
        return;
    saveDialogName_ = *path;
    WriteMap(*path);
    // The caption names only the file; the full path is kept so that a later Save writes to the same
    // place whatever the working folder is then.
    filePath_ = *path;
    const QString name = QFileInfo(*path).fileName();
    Document.FileName = name.toStdString();
    MapEditView->setWindowTitle(QStringLiteral("MapEditView - \"") + name + QLatin1Char('"'));
    Document.Modified = 0;
}

void TMainView::WriteMap(const QString& path) {
    WriteFileAtomically(path, MapImageBytes(BuildMapImage(Document)));
}

bool TMainView::AskDiscard() {
    return CurrentPlatform().AskOkCancel(this, QString::fromUtf8(ApplicationTitle), QString::fromUtf8(DiscardQuestion));
}

bool TMainView::AskSaveAnyway() {
    // The caption of this one question is spelt as it always has been.
    return CurrentPlatform().AskOkCancel(this, QStringLiteral("Tavrena MapEditor"),
                                         QString::fromUtf8(SaveAnywayQuestion));
}

void TMainView::MenuFormClick() {
    ShapeMap(Document.Grid);
    MapEditView->RedrawMap();
}

void TMainView::MenuUnformClick() {
    UnshapeMap(Document.Grid);
    MapEditView->RedrawMap();
}

void TMainView::CheckButtonClick() {
    MapCheckView->RunMapCheck();
}

} // namespace tav
