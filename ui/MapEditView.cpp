#include "MapEditView.h"

#include "BlinkColours.h"
#include "CellCommands.h"
#include "EditMarks.h"
#include "EditViewport.h"
#include "MapPicture.h"
#include "PictureArea.h"
#include "TileSetPictures.h"
#include "TintedMap.h"
#include "tools/ToolRegistry.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QPainter>

#include <algorithm>

namespace tav {

MapEditView::MapEditView(Document* document, const TileSetPictures* pictures, QMdiArea* frame,
                         EditWindowPlacement* placement)
    : QMdiSubWindow(nullptr, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint), document_(document),
      pictures_(pictures), placement_(placement), blinkTimer_([this] { BlinkTick(); }, this) {
    setObjectName(QStringLiteral("mapEditView"));
    tools_ = MakeRegisteredTools();

    viewport_ = new EditViewport(&mapPicture_, this);
    viewport_->SetEdge(EdgePixels());
    PictureArea* area = viewport_->Area();
    connect(area, &PictureArea::MousePressed, this, &MapEditView::OnMouseDown);
    connect(area, &PictureArea::MouseMoved, this, &MapEditView::OnMouseMove);
    connect(area, &PictureArea::MouseReleased, this, &MapEditView::OnMouseUp);
    connect(area, &PictureArea::MouseLost, this, [this] {
        CurrentTool().LoseMouse();
        RefreshOverlay();
    });
    connect(area, &PictureArea::WheelTurned, viewport_, &EditViewport::Wheel);
    connect(area, &PictureArea::PaintingOverlay, this, &MapEditView::PaintOverlay);
    connect(viewport_, &EditViewport::EdgeStepRequested, this, &MapEditView::StepEdge);
    connect(viewport_, &EditViewport::VisibleAreaChanged, this, &MapEditView::VisibleAreaChanged);
    setWidget(viewport_);
    frame->addSubWindow(this);
    move(0, 0);
    resize(393, 412);

    connect(document_, &Document::CellsChanged, this, &MapEditView::RedrawCells);
    connect(document_, &Document::MapChanged, this, &MapEditView::RedrawMap);
    connect(document_, &Document::FileNameChanged, this, &MapEditView::UpdateCaption);
    connect(document_, &Document::MapReset, this, &MapEditView::UpdateCaption);
    // The pictures announce a new map once they follow its tile set, so that the map is drawn once.
    connect(pictures_, &TileSetPictures::Changed, this, &MapEditView::RedrawMap);
    // A new mode shows its axes and the cursor's images at once.
    connect(document_, &Document::SymmetryChanged, this, [this](SymmetryMode mode) {
        ShowCursorCells();
        layer_.SetSymmetry(mode);
        TakeCursorCells();
        viewport_->Area()->update();
        shownOverlay_ = layer_.Region(EdgePixels(), cursor_) + CurrentTool().MarksRect(EdgePixels());
    });
    RedrawMap();
    UpdateCaption();
    TakeCursorCells();
}

MapEditView::~MapEditView() = default;

MapTool& MapEditView::CurrentTool() const {
    if (MapTool* tool = layer_.ActiveTool())
        return *tool;
    return *tools_[tool_];
}

ToolContext MapEditView::Context() const {
    return {document_, static_cast<TileCode>(paintCode_), layer_.Selection(), costs_};
}

// ---- Editor state --------------------------------------------------------------------------------

void MapEditView::SetTool(std::size_t tool) {
    if (tool == tool_ || tool >= tools_.size())
        return;
    SwitchTool([&] { tool_ = tool; });
}

void MapEditView::SwitchTool(const std::function<void()>& change) {
    CurrentTool().Cancel();
    ShowCursorCells(); // where the old tool's cursor was
    change();
    TakeCursorCells();
    ShowCursorCells();
    RefreshOverlay();
    ReportStatus();
}

void MapEditView::SetEdge(TileEdge edge) {
    const bool dropsSomething = CurrentTool().IsHalfMade();
    CurrentTool().Cancel();
    edge_ = edge;
    viewport_->SetEdge(EdgePixels());
    TakeCursorCells();
    RedrawMap();
    viewport_->PlaceParts();
    // The first point or the drag the new edge dropped must leave the status bar too.
    if (dropsSomething)
        ReportStatus();
}

void MapEditView::CancelShape() {
    ShowCursorCells();
    CurrentTool().Cancel();
    TakeCursorCells();
    ShowCursorCells();
    RefreshOverlay(); // a ruler's path goes with it
    ReportStatus();
}

void MapEditView::CancelGesture() {
    // The latest half-made thing goes first: a floating paste, then a shape's first point, then the selection.
    if (IsPasting()) {
        CancelPaste();
        return;
    }
    if (CurrentTool().IsHalfMade()) {
        CancelShape();
        return;
    }
    SetSelection(std::nullopt);
    CancelShape();
}

void MapEditView::SetGridLines(bool shown) {
    if (shown == gridLines_)
        return;
    gridLines_ = shown;
    viewport_->Area()->update();
}

void MapEditView::SetTerritoryShown(bool shown) {
    if (shown == TerritoryShown())
        return;
    if (shown) {
        territory_ = std::make_unique<TintedMap>();
        territory_->SetRules(costs_, order_);
        territory_->SetKind(tintKind_);
        FollowTerritory();
    } else {
        viewport_->Area()->SetPicture(&mapPicture_);
        territory_.reset(); // its picture is as large as the map's: not kept while unused
    }
}

void MapEditView::SetTintKind(TintKind kind) {
    tintKind_ = kind;
    if (territory_ && territory_->Kind() != kind) {
        territory_->SetKind(kind);
        FollowTerritory();
    }
}

void MapEditView::SetMovementRules(const MovementCosts& costs, const TurnOrder& order) {
    if (costs == costs_ && order == order_)
        return;
    const bool costsChanged = !(costs == costs_);
    costs_ = costs;
    order_ = order;
    if (territory_) {
        territory_->SetRules(costs_, order_);
        FollowTerritory();
    }
    // A ruler's measure was taken under the old table: it is taken again under the new one.
    if (costsChanged && CurrentTool().FollowMap(Context())) {
        RefreshOverlay();
        ReportStatus();
    }
}

void MapEditView::FollowTerritory() {
    if (!territory_ || !pictures_->IsLoaded())
        return;
    const std::vector<int>& changed =
        territory_->Follow(document_->Grid(), document_->TileSet(), pictures_->Picture(edge_), EdgePixels());
    viewport_->Area()->SetPicture(&territory_->Picture());
    ShowChangedCells(changed, EdgePixels(), *viewport_->Area());
}

void MapEditView::SetBlinking(bool blinking) {
    blinking_ = blinking;
    if (blinkStarted_)
        blinkTimer_.SetInterval(blinking_ ? 200 : 0);
}

QString MapEditView::StatusText() const {
    return CurrentTool().StatusText(cursor_);
}

void MapEditView::ReportStatus() {
    emit StatusTextChanged(StatusText());
    ReportCursorCode();
}

void MapEditView::ReportCursorCode() {
    emit CursorCodeChanged(document_->Cell(cursor_.x(), cursor_.y()));
}

// The tool's state changed without the pointer moving: the cursor shows the new shape at once.
void MapEditView::RefreshCursor() {
    ShowCursorCells();
    TakeCursorCells();
    ShowCursorCells();
    ReportStatus();
}

// ---- Selection and paste -------------------------------------------------------------------------

void MapEditView::SetSelection(std::optional<CellRect> rect) {
    layer_.SetSelection(rect);
    RefreshOverlay();
    ReportStatus();
}

void MapEditView::SetSelecting(bool selecting) {
    if (selecting != layer_.IsSelecting())
        SwitchTool([&] { layer_.SetSelecting(selecting); });
}

void MapEditView::MoveSelection(int dx, int dy) {
    if (!Selection())
        return;
    const CellRect from = *Selection();
    document_->Push(new edits::MoveCellsCommand(document_, from, dx, dy));
    SetSelection(ClipToMap({from.Left + dx, from.Top + dy, from.Right + dx, from.Bottom + dy}));
}

void MapEditView::StartPaste(CellBlock block) {
    SwitchTool([&] { layer_.StartPaste(std::move(block)); });
}

void MapEditView::CancelPaste() {
    if (IsPasting())
        SwitchTool([&] { layer_.EndPaste(); });
}

void MapEditView::RefreshOverlay() {
    const QRegion now = layer_.Region(EdgePixels(), cursor_) + CurrentTool().MarksRect(EdgePixels());
    for (const QRect& r : shownOverlay_.united(now))
        viewport_->Area()->ShowPictureRect(r);
    shownOverlay_ = now;
    if (Selection().has_value() != announcedSelection_) {
        announcedSelection_ = Selection().has_value();
        emit SelectionChanged(announcedSelection_);
    }
}

// ---- Drawing -------------------------------------------------------------------------------------

void MapEditView::RedrawMap() {
    const int e = EdgePixels();
    const int f = MapSize * e;
    // The picture is only as large as the edge in force needs. It lies in one buffer kept at the largest edge
    // shown so far, so that switching the edge back and forth writes into memory already in use instead of
    // having the system hand out (and zero) millions of new bytes at every switch.
    if (mapPicture_.width() != f) {
        const auto bytes = static_cast<std::size_t>(f) * static_cast<std::size_t>(f) * 4;
        if (mapPixels_.size() < bytes)
            mapPixels_ = std::vector<uchar>(bytes);
        mapPicture_ = QImage(mapPixels_.data(), f, f, f * 4, QImage::Format_RGB32);
    }
    if (!pictures_->IsLoaded())
        mapPicture_.fill(NoTileColour);
    else
        DrawWholeMap(mapPicture_, document_->Grid(), pictures_->Picture(edge_), e);
    if (territory_) {
        territory_->Forget();
        FollowTerritory();
    }
    const bool toolFollowed = CurrentTool().FollowMap(Context());
    shownOverlay_ = layer_.Region(e, cursor_) + CurrentTool().MarksRect(e);
    viewport_->Area()->update();
    if (toolFollowed)
        ReportStatus();
    else
        ReportCursorCode();
}

void MapEditView::RedrawCells(const std::vector<int>& cells) {
    if (!pictures_->IsLoaded())
        return;
    DrawChangedCells(mapPicture_, document_->Grid(), cells, pictures_->Picture(edge_), EdgePixels(),
                     *viewport_->Area());
    FollowTerritory();
    // The shape a two-point tool shows may follow the map (a fill's outline), so its cells are shown anew.
    ShowCursorCells();
    if (CurrentTool().FollowMap(Context())) {
        RefreshOverlay();
        ReportStatus();
    } else {
        ReportCursorCode();
    }
}

void MapEditView::UpdateCaption() {
    const QString& name = document_->ShownName();
    if (name.isEmpty())
        setWindowTitle(QStringLiteral("MapEditView - New File"));
    else
        setWindowTitle(QStringLiteral("MapEditView - \"") + name + QLatin1Char('"'));
}

void MapEditView::TakeCursorCells() {
    CurrentTool().CursorCells(cursor_, cursorCells_);
    const SymmetryMode mode = document_->Symmetry();
    cursorImageCount_ = SymmetryImageCount(mode);
    for (int k = 0; k < cursorImageCount_; ++k)
        ImageCells(cursorCells_, mode, k + 1, cursorImages_[static_cast<std::size_t>(k)]);
}

void MapEditView::ShowCursorCells() {
    const int e = EdgePixels();
    const auto show = [&](const ShapeCells& cells) {
        for (int i = 0; i < cells.CellCount; ++i)
            viewport_->Area()->ShowPictureRect(QRect(cells.CellColumns[static_cast<std::size_t>(i)] * e,
                                                     cells.CellRows[static_cast<std::size_t>(i)] * e, e, e));
    };
    show(cursorCells_);
    for (int k = 0; k < cursorImageCount_; ++k)
        show(cursorImages_[static_cast<std::size_t>(k)]);
}

void MapEditView::PaintOverlay(QPainter& painter) const {
    if (gridLines_)
        PaintGridLines(painter, edge_);
    PaintSymmetryAxes(painter, document_->Symmetry(), EdgePixels());
    CurrentTool().PaintMarks(painter, EdgePixels());
    layer_.Paint(painter, EdgePixels(), cursor_, pictures_->IsLoaded() ? &pictures_->Picture(edge_) : nullptr, mapPicture_,
                 blinkPhase_);
    const QColor colour = QColor::fromRgb(BlinkColours[static_cast<std::size_t>(blinkPhase_)]);
    const bool ring = CurrentTool().CursorIsRing();
    PaintToolCursor(painter, cursorCells_, ring, colour, edge_);
    for (int k = 0; k < cursorImageCount_; ++k)
        PaintToolCursor(painter, cursorImages_[static_cast<std::size_t>(k)], ring, colour, edge_);
}

void MapEditView::BlinkTick() {
    blinkPhase_ = (blinkPhase_ + 1) % static_cast<int>(BlinkColours.size());
    ShowCursorCells();
    RefreshOverlay(); // the frame's dashes march on
    ReportStatus();
}

void MapEditView::StartBlinking() {
    blinkStarted_ = true;
    SetBlinking(blinking_);
}

void MapEditView::SetCursor(QPoint cell) {
    ShowCursorCells();
    // A cursor that moves steps its colour; one that stays (a click on its own cell) looks as it did.
    if (cell != cursor_)
        blinkPhase_ = (blinkPhase_ + 1) % static_cast<int>(BlinkColours.size());
    cursor_ = cell;
    TakeCursorCells();
    ShowCursorCells();
    ReportStatus();
}

// ---- Mouse: the tool dispatch --------------------------------------------------------------------

QPoint MapEditView::CellAtPixel(QPoint pixel) const {
    const int e = EdgePixels();
    return {std::clamp(pixel.x() / e, 0, MapSize - 1), std::clamp(pixel.y() / e, 0, MapSize - 1)};
}

void MapEditView::OnMouseDown(Qt::MouseButton button, QPoint pixel, Qt::KeyboardModifiers modifiers) {
    if (button == Qt::RightButton) {
        CancelGesture();
        return;
    }
    const QPoint cell = CellAtPixel(pixel);
    // The eyedropper: the cell's code goes to the palette; the tool and its half-made shape stay as they are.
    if (button == Qt::MiddleButton || (button == Qt::LeftButton && modifiers.testFlag(Qt::AltModifier))) {
        const int code = document_->Cell(cell.x(), cell.y());
        // Codes from 128 on come only from files and have no tile in the palette.
        if (code < 128)
            emit CodeSampled(code);
        return;
    }
    if (button != Qt::LeftButton)
        return;
    lastClicked_ = cell;
    CurrentTool().Press(Context(), cell);
    // One click puts the block down; then the window's own tool takes the mouse again.
    if (IsPasting())
        SwitchTool([&] { layer_.EndPaste(); });
    SetCursor(cell);
    RefreshOverlay();
}

void MapEditView::OnMouseMove(QPoint pixel, Qt::MouseButtons buttons) {
    const QPoint cell = CellAtPixel(pixel);
    if (cell != cursor_)
        SetCursor(cell);
    CurrentTool().Move(Context(), cell, buttons.testFlag(Qt::LeftButton));
    RefreshOverlay();
    // A selection's size, a paste's place and a ruler's steps follow what the move did.
    if (IsSelecting() || IsPasting() || CurrentTool().IsHalfMade())
        ReportStatus();
}

void MapEditView::OnMouseUp(Qt::MouseButton button, QPoint pixel) {
    if (button != Qt::LeftButton)
        return;
    CurrentTool().Release(Context(), CellAtPixel(pixel));
    RefreshOverlay();
    RefreshCursor();
}

// ---- Scrolling and size --------------------------------------------------------------------------

void MapEditView::StepEdge(int steps, QPoint pixel) {
    const auto now = std::find(EditTileEdges.begin(), EditTileEdges.end(), edge_) - EditTileEdges.begin();
    const auto step = std::clamp<std::ptrdiff_t>(now + steps, 0, std::ssize(EditTileEdges) - 1);
    const TileEdge wanted = EditTileEdges[static_cast<std::size_t>(step)];
    if (wanted == edge_)
        return;
    const QPoint onScreen = pixel - viewport_->Area()->Offset();
    const QPointF point = QPointF(pixel) / EdgePixels();
    emit EdgeRequested(wanted);
    if (edge_ != wanted)
        return;
    viewport_->ScrollTo((point * EdgePixels()).toPoint() - onScreen);
}

QRectF MapEditView::VisibleArea() const {
    return viewport_->VisibleArea();
}

void MapEditView::CenterOn(QPointF cell) {
    viewport_->CenterOn(cell);
}

bool MapEditView::HorzScrollBarShown() const {
    return viewport_->HorzScrollBarShown();
}

bool MapEditView::VertScrollBarShown() const {
    return viewport_->VertScrollBarShown();
}

QSize MapEditView::EditClientSize() const {
    return ClientSize(this) - viewport_->ScrollBarsExtent();
}

void MapEditView::SetEditClientSize(QSize client) {
    SetClientSize(this, client + viewport_->ScrollBarsExtent());
    viewport_->PlaceParts();
}

void MapEditView::ApplyMaximumClientSize(QSize maximum) {
    maxClient_ = maximum;
    const int f = MapSize * EdgePixels();
    viewport_->ShowScrollBars(maximum.width() < f, maximum.height() < f);
    move(0, 0);
    SetEditClientSize(QSize(std::max(maximum.width(), 0), std::max(maximum.height(), 0)));
}

void MapEditView::closeEvent(QCloseEvent* event) {
    // A child without a minimise button has no close action.
    event->ignore();
}

void MapEditView::moveEvent(QMoveEvent* event) {
    QMdiSubWindow::moveEvent(event);
    // The window keeps the top-left corner of the frame: any move, also the one a resize at the
    // left or top edge brings, is taken back; the size change stays.
    if (pos() != QPoint(0, 0))
        move(0, 0);
}

void MapEditView::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    OnResized();
}

void MapEditView::OnResized() {
    if (maxClient_.width() <= 0 || maxClient_.height() <= 0 || resizeBusy_)
        return;
    resizeBusy_ = true;
    const int f = MapSize * EdgePixels();
    const QSize snapped = SnapEditClientSize(EditClientSize(), maxClient_, EdgePixels());
    if (snapped.height() < f && placement_ && placement_->PlacePaletteBeside(snapped)) {
        resizeBusy_ = false;
        return;
    }
    viewport_->ShowScrollBars(snapped.width() < f, snapped.height() < f);
    SetEditClientSize(snapped);
    resizeBusy_ = false;
}

} // namespace tav
