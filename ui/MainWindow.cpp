#include "MainWindow.h"

#include "AboutDialog.h"
#include "BalanceReport.h"
#include "Document.h"
#include "DroppedFiles.h"
#include "EditorStatusBar.h"
#include "FactionAnalysisView.h"
#include "HelpWindow.h"
#include "MapCheckView.h"
#include "MapCommands.h"
#include "MovementCostDialog.h"
#include "PictureReadAhead.h"
#include "Platform.h"
#include "PreferencesDialog.h"
#include "PreviewView.h"
#include "SwitchTileSetCommand.h"
#include "SymmetryControls.h"
#include "TilePalette.h"
#include "tools/MapTool.h"
#include "TileSetPictures.h"
#include "Translations.h"
#include "Workspace.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QIcon>
#include <QMdiArea>
#include <QMenuBar>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>

namespace tav {

namespace {

// The application's icon in its two drawn sizes.
const QStringList WindowIconPictures = {QStringLiteral(":/icon.png"), QStringLiteral(":/icon48.png")};

} // namespace

MainWindow::MainWindow() {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QString::fromUtf8(ApplicationTitle));
    setAttribute(Qt::WA_QuitOnClose);
    setAcceptDrops(true);

    settings_ = EditorSettings::Load();
    readAhead_ = std::make_unique<PictureReadAhead>(WindowIconPictures + MenusAndToolBar::ButtonPicturePaths(),
                                                    settings_.StartTileSet);

    document_ = new Document(this);
    pictures_ = new TileSetPictures(document_, this);
    CreateFrame();
    editView_ = new MapEditView(document_, pictures_, mdiArea_, this);
    palette_ = new TilePalette(pictures_, mdiArea_);
    // Made before anything can show a window, so that every window it follows is placed as remembered.
    workspace_ = new Workspace(this, mdiArea_, editView_, palette_);
    files_ = new FileController(document_, this, this);
    mapCommands_ = new MapCommands(document_, editView_, palette_, pictures_, this);
    std::vector<ToolDescription> tools;
    for (const auto& tool : editView_->Tools())
        tools.push_back(tool->Description());
    FrameCommands& frame = *this;
    const CommandTargets targets{*this, frame, *files_, *mapCommands_, *document_->UndoStack()};
    menus_ = std::make_unique<MenusAndToolBar>(targets, toolBar_, *readAhead_, tools);
    symmetry_ = new SymmetryControls(this, toolBar_, document_);
    menus_->PlaceToolBarButtons();
    ConnectCommands();
    // The application's icon, read with the tool-bar pictures.
    QIcon icon;
    for (const QString& path : WindowIconPictures)
        if (const QImage picture = readAhead_->Picture(path); !picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture));
    QApplication::setWindowIcon(icon);
    ConnectEditingAids();
    connect(mapCommands_, &MapCommands::NoteShown, statusBar_, &EditorStatusBar::ShowNote);
    RetranslateUi();
    connect(document_, &Document::FileNameChanged, this, &MainWindow::UpdateCaption);
    connect(document_, &Document::MapReset, this, &MainWindow::UpdateCaption);
    connect(document_, &Document::ModifiedChanged, this, &MainWindow::setWindowModified);
    UpdateCaption();

    connect(pictures_, &TileSetPictures::LoadFailed, this,
            [this](const QString& reason) { CurrentPlatform().ReportError(this, reason); });
    // The analysis follows every change of the map while it is shown; hidden, it costs nothing.
    connect(document_, &Document::MapChanged, this, &MainWindow::RefreshFactionView);
    connect(document_, &Document::CellsChanged, this, &MainWindow::RefreshFactionView);
    connect(pictures_, &TileSetPictures::Changed, this, &MainWindow::RefreshFactionView);
    connect(document_, &Document::SymmetryChanged, this, [this](SymmetryMode mode) {
        if (factionView_)
            factionView_->SetSymmetry(mode);
    });
    // The tile-set mark follows the map, also when a switch is undone or a file brings another set.
    connect(document_, &Document::TileSetChanged, this, [this](TileSet tileSet) { menus_->MarkTileSet(tileSet); });
    connect(document_, &Document::MapReset, this, [this] { menus_->MarkTileSet(document_->TileSet()); });

    ApplyStartupSettings();

    workspace_->PlaceMainWindow();
}

MainWindow::~MainWindow() {
    // The language is this window's setting: without it the application speaks its default again, and a
    // window made later reads its own.
    InstallLanguage(QString::fromLatin1(JapaneseLanguage));
}

QMenu* MainWindow::RecentFilesMenu() const {
    return menus_->RecentFilesMenu();
}

void MainWindow::CreateFrame() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    toolBar_ = new QWidget(central);
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setFixedHeight(ToolBarHeight);
    toolBar_->setAutoFillBackground(true);
    QPalette silver = toolBar_->palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    toolBar_->setPalette(silver);
    column->addWidget(toolBar_);
    mdiArea_ = new QMdiArea(central);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    mdiArea_->setBackground(QColor(0, 0, 94));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    column->addWidget(mdiArea_, 1);
    setCentralWidget(central);

    statusBar_ = new EditorStatusBar(this);
    setStatusBar(statusBar_);
    // The preview and the check window start minimised; the first showing does not wait for them.
    mdiArea_->viewport()->installEventFilter(this);
}

void MainWindow::ConnectCommands() {
    // Undo and redo are greyed when there is nothing to undo or redo.
    QUndoStack* history = document_->UndoStack();
    QAction* undo = menus_->Action("undoAction");
    QAction* redo = menus_->Action("redoAction");
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(history, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(history, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);

    // Cut and copy need a selection.
    for (const char* name : {"cutAction", "copyAction"}) {
        QAction* action = menus_->Action(name);
        action->setEnabled(false);
        connect(editView_, &MapEditView::SelectionChanged, action, &QAction::setEnabled);
    }

    // 対称にする needs a symmetry mode to follow.
    QAction* symmetrize = menus_->Action("symmetrizeAction");
    symmetrize->setEnabled(document_->Symmetry() != SymmetryMode::None);
    connect(document_, &Document::SymmetryChanged, symmetrize,
            [symmetrize](SymmetryMode mode) { symmetrize->setEnabled(mode != SymmetryMode::None); });
}

void MainWindow::RetranslateUi() {
    menus_->Retranslate();
    symmetry_->Retranslate();
    statusBar_->Retranslate();
    balance_->Retranslate();
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

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The frame's first painting is on the screen once this returns: the minimised windows join it next.
    if (watched == mdiArea_->viewport() && event->type() == QEvent::Paint && !preview_)
        QMetaObject::invokeMethod(this, &MainWindow::MakeMinimisedWindows, Qt::QueuedConnection);
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    KeepMinimumSize();
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

// ---- Editing aids and settings -------------------------------------------------------------------

void MainWindow::ConnectEditingAids() {
    connect(palette_, &TilePalette::CodePicked, editView_, &MapEditView::SetPaintCode);
    connect(editView_, &MapEditView::StatusTextChanged, statusBar_, &EditorStatusBar::ShowToolStatus);
    connect(editView_, &MapEditView::CursorCodeChanged, statusBar_, &EditorStatusBar::ShowCellCode);
    connect(palette_, &TilePalette::CodePicked, statusBar_, &EditorStatusBar::ShowPickedCode);
    statusBar_->ShowPickedCode(palette_->PickedCode());
    connect(document_, &Document::SymmetryChanged, statusBar_, &EditorStatusBar::ShowSymmetry);
    connect(editView_, &MapEditView::CodeSampled, palette_, &TilePalette::Pick);
    balance_ = new BalanceReport(document_, this);
    connect(balance_, &BalanceReport::BalanceChanged, statusBar_, &EditorStatusBar::ShowBalance);
    // Ctrl+wheel: the tile edge is the frame's, so the wheel asks for it as the buttons do.
    connect(editView_, &MapEditView::EdgeRequested, this,
            [this](TileEdge edge) { RunCommand([&] { SelectEdge(edge); }); });
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

void MainWindow::ApplyStartupSettings() {
    if (settings_.StartTileSet != document_->TileSet())
        document_->Reset(document_->Grid(), settings_.StartTileSet, QString(), QString());
    editView_->SetEdge(settings_.StartEdge);
    menus_->MarkEdge(settings_.StartEdge);
    ApplySettings(settings_);
}

void MainWindow::ApplySettings(const EditorSettings& settings) {
    // Only a change is written, so a start-up leaves no settings file behind.
    if (!(settings == settings_)) {
        settings_ = settings;
        settings_.Save();
    }
    editView_->SetGridLines(settings_.GridLines);
    menus_->Action("gridLinesAction")->setChecked(settings_.GridLines);
    // Every figure follows the cost table and the turn order at once.
    editView_->SetMovementRules(settings_.Costs, settings_.Order);
    balance_->SetMovementRules(settings_.Costs, settings_.Order);
    if (factionView_) {
        factionView_->SetMovementRules(settings_.Costs, settings_.Order);
        RefreshFactionView();
    }
    editView_->SetTintKind(settings_.LeadOverlay ? TintKind::Lead : TintKind::Territory);
    if (editView_->TerritoryShown() != settings_.TerritoryOverlay) {
        editView_->SetTerritoryShown(settings_.TerritoryOverlay);
        balance_->SetActive(settings_.TerritoryOverlay);
    }
    // The overlay's two pictures are two items side by side, at most one of them checked.
    menus_->Action("territoryOverlayAction")->setChecked(settings_.TerritoryOverlay && !settings_.LeadOverlay);
    menus_->Action("leadOverlayAction")->setChecked(settings_.TerritoryOverlay && settings_.LeadOverlay);
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

void MainWindow::SetTerritoryOverlay(bool shown) {
    EditorSettings changed = settings_;
    changed.TerritoryOverlay = shown;
    if (shown)
        changed.LeadOverlay = false;
    ApplySettings(changed);
}

void MainWindow::SetLeadOverlay(bool shown) {
    EditorSettings changed = settings_;
    changed.TerritoryOverlay = shown;
    if (shown)
        changed.LeadOverlay = true;
    ApplySettings(changed);
}

void MainWindow::SetTurnOrder(const TurnOrder& order) {
    EditorSettings changed = settings_;
    changed.Order = order;
    ApplySettings(changed);
    emit MovementRulesChosen();
}

void MainWindow::ShowMovementCosts() {
    MovementCostDialog dialog(settings_.Costs, this);
    if (CurrentPlatform().ExecModal(&dialog) != QDialog::Accepted)
        return;
    EditorSettings changed = settings_;
    changed.Costs = dialog.Chosen();
    ApplySettings(changed);
    emit MovementRulesChosen();
}

void MainWindow::ShowPreferences() {
    PreferencesDialog dialog(settings_, autosaveNote_ ? autosaveNote_() : QString(), this);
    if (CurrentPlatform().ExecModal(&dialog) == QDialog::Accepted)
        ApplySettings(dialog.Chosen());
}

// ---- Layout --------------------------------------------------------------------------------------

void MainWindow::LayoutEditWindow() {
    const QSize client = ClientSize();
    const QSize maximum = ComputeEditSize({Pixels(editView_->Edge()), client.width(), client.height(),
                                           palette_->width(), statusBar_->height(), toolBar_->height()});
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

void MainWindow::KeepPreviewOffPalette() {
    if (!preview_ || preview_->isHidden() || preview_->isMinimized())
        return;
    const QRect frame = mdiArea_->viewport()->rect();
    const QRect place = preview_->geometry();
    if (!place.intersects(palette_->geometry()) && frame.contains(place))
        return;
    preview_->move(PlaceBesidePalette(frame, palette_->geometry(), place.size()));
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

// ---- Commands of the frame -----------------------------------------------------------------------

void MainWindow::SelectTool(std::size_t tool) {
    // A drawing tool takes the mouse from the range tool; the selection stays and limits the painting.
    editView_->SetSelecting(false);
    menus_->Action("rangeSelectionAction")->setChecked(false);
    editView_->SetTool(tool);
    menus_->MarkTool(tool);
}

void MainWindow::SelectEdge(TileEdge edge) {
    editView_->SetEdge(edge);
    LayoutEditWindow();
    // The shortcuts press the button too, so the tool bar always shows the edge in force.
    menus_->MarkEdge(edge);
}

void MainWindow::SelectTileSet(TileSet tileSet) {
    if (tileSet == document_->TileSet()) {
        // The item's own click must not leave the mark on it alone: it already carries it.
        menus_->MarkTileSet(tileSet);
        return;
    }
    editView_->CancelShape();
    document_->Push(new edits::SwitchTileSetCommand(document_, tileSet));
}

bool MainWindow::RunMapCheck() {
    return RunMapCheck(document_->Grid());
}

bool MainWindow::RunMapCheck(const MapGrid& grid) {
    MakeMinimisedWindows();
    const bool problem = checkView_->RunMapCheck(grid);
    workspace_->CameUp(checkView_);
    statusBar_->ShowMapCheckResult(problem);
    return problem;
}

// ---- Windows -------------------------------------------------------------------------------------

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
        // The first time beside the main window where the screen has room, never over its tool bar.
        if (!workspace_->Follow(help_, QStringLiteral("Help")))
            help_->setGeometry(FirstPlaceBesideMainWindow(CurrentPlatform().AvailableGeometry(), FrameMargins(this),
                                                          frameGeometry(),
                                                          toolBar_->mapToGlobal(QPoint(0, toolBar_->height())).y(),
                                                          help_->size()));
    }
    // Every action of the window, in menu order: the tile sets' after the table's.
    help_->ShowHelp(findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly));
}

void MainWindow::ShowFactionView() {
    const bool firstShowing = !factionView_;
    if (firstShowing) {
        // Made when first asked for: most runs never need it, and its table costs start-up time.
        factionView_ = new FactionAnalysisView;
        factionView_->SetSymmetry(document_->Symmetry());
        factionView_->SetMovementRules(settings_.Costs, settings_.Order);
        connect(factionView_, &FactionAnalysisView::TurnOrderChanged, this, &MainWindow::SetTurnOrder);
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
    factionView_->ShowMap(document_->Grid(), document_->TileSet(), pictures_->Picture(PreviewTileEdge));
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
