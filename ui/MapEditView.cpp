#include "MapEditView.h"

#include "BlinkColours.h"
#include "TileRender.h"
#include "TileSetPictures.h"
#include "TileSets.h"
#include "CellCommands.h"
#include "tools/BucketTool.h"
#include "tools/PasteTool.h"
#include "tools/PenTool.h"
#include "tools/SelectionTool.h"
#include "tools/TwoPointTool.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace tav {

namespace {

// One notch of a mouse wheel, in the units of QWheelEvent::angleDelta.
constexpr int WheelNotch = 120;
// How far one notch scrolls, in cells, at every tile edge.
constexpr int WheelStepCells = 3;
const QColor GridLineColour(0, 0, 0, 88);

} // namespace

// Holds the picture and the two scroll bars; the scroll bars sit outside the client area, as a
// window's own scroll bars do.
class MapEditView::Client : public QWidget {
public:
    explicit Client(MapEditView* owner) : QWidget(owner), owner_(owner) {}

protected:
    void resizeEvent(QResizeEvent*) override { owner_->PlaceClientParts(); }

private:
    MapEditView* owner_;
};

QSize ComputeEditSize(const EditSizeInputs& in) {
    const int e = in.Edge;
    const int f = 48 * e;
    int width = f;
    bool widthReduced = false;
    if (in.MainClientWidth < f + in.PaletteWidth + 28) {
        width = e * ((in.MainClientWidth - in.PaletteWidth - 28) / e);
        widthReduced = true;
    }
    int height = f;
    const int available = in.MainClientHeight - in.StatusBarHeight - in.ToolBarHeight - 47;
    if (available < f) {
        height = e * (available / e);
        // Without a horizontal scroll bar its 16 pixels are free for the map.
        if (!widthReduced)
            height = e * ((height + 16) / e);
    }
    return {width, height};
}

QSize SnapEditClientSize(QSize requested, QSize maximum, int edge) {
    const int w = requested.width() < maximum.width() ? edge * (requested.width() / edge) : maximum.width();
    const int h = requested.height() < maximum.height() ? edge * (requested.height() / edge) : maximum.height();
    return {w, h};
}

QImage BlockPicture(const CellBlock& block, const TileSetPictures& pictures, TileEdge edge) {
    const int e = Pixels(edge);
    QImage picture(std::max(block.Width, 1) * e, std::max(block.Height, 1) * e, QImage::Format_RGB32);
    picture.fill(MapEditView::Navy);
    if (!pictures.IsLoaded())
        return picture;
    const QImage& tiles = pictures.Picture(edge);
    for (int y = 0; y < block.Height; ++y)
        for (int x = 0; x < block.Width; ++x)
            DrawTile(picture, x * e, y * e, tiles, e, block.At(x, y));
    return picture;
}

MapEditView::MapEditView(Document* document, const TileSetPictures* pictures, QMdiArea* frame,
                         EditWindowPlacement* placement)
    : QMdiSubWindow(nullptr, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint), document_(document),
      pictures_(pictures), placement_(placement), blinkTimer_([this] { BlinkTick(); }, this) {
    setObjectName(QStringLiteral("mapEditView"));
    using enum DrawTool;
    tools_[static_cast<std::size_t>(Pen)] = std::make_unique<PenTool>();
    for (DrawTool shape : {Line, Box, BoxFill, Circle, CircleFill})
        tools_[static_cast<std::size_t>(shape)] = std::make_unique<TwoPointTool>(shape);
    tools_[static_cast<std::size_t>(Bucket)] = std::make_unique<BucketTool>();
    selectionTool_ = std::make_unique<SelectionTool>(&selection_);
    pasteTool_ = std::make_unique<PasteTool>();

    client_ = new Client(this);
    client_->setAutoFillBackground(true);
    QPalette navy = client_->palette();
    navy.setColor(QPalette::Window, QColor(Navy));
    client_->setPalette(navy);
    mapArea_ = new PictureArea(&mapPicture_, client_);
    mapArea_->setObjectName(QStringLiteral("mapPicture"));
    mapArea_->setPalette(navy);
    mapArea_->MouseDown = [this](Qt::MouseButton b, QPoint p, Qt::KeyboardModifiers m) { OnMouseDown(b, p, m); };
    mapArea_->MouseMove = [this](QPoint p, Qt::MouseButtons held) { OnMouseMove(p, held); };
    mapArea_->MouseUp = [this](Qt::MouseButton b, QPoint p) { OnMouseUp(b, p); };
    mapArea_->MouseLost = [this] {
        CurrentTool().LoseMouse();
        RefreshOverlay();
    };
    mapArea_->Wheel = [this](const QWheelEvent& event, QPoint p) { OnWheel(event, p); };
    mapArea_->PaintOverlay = [this](QPainter& painter) {
        PaintGridLines(painter);
        PaintSelectionOverlay(painter);
        PaintCursor(painter);
    };
    horzScrollBar_ = new QScrollBar(Qt::Horizontal, client_);
    vertScrollBar_ = new QScrollBar(Qt::Vertical, client_);
    for (QScrollBar* bar : {horzScrollBar_, vertScrollBar_}) {
        bar->setTracking(true); // the picture follows the thumb while it is dragged
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this] { PlaceClientParts(); });
    }
    setWidget(client_);
    frame->addSubWindow(this);
    move(0, 0);
    resize(393, 412);

    connect(document_, &Document::CellsChanged, this, &MapEditView::RedrawCells);
    connect(document_, &Document::MapChanged, this, &MapEditView::RedrawMap);
    connect(document_, &Document::FileNameChanged, this, &MapEditView::UpdateCaption);
    connect(pictures_, &TileSetPictures::Changed, this, &MapEditView::RedrawMap);
    RedrawMap();
    UpdateCaption();
    CurrentTool().CursorCells(cursor_, cursorCells_);
}

MapEditView::~MapEditView() = default;

MapTool& MapEditView::CurrentTool() const {
    if (pasting_)
        return *pasteTool_;
    if (selecting_)
        return *selectionTool_;
    return *tools_[static_cast<std::size_t>(tool_)];
}

ToolContext MapEditView::Context() const {
    return {document_, static_cast<TileCode>(paintCode_), selection_};
}

// ---- Editor state --------------------------------------------------------------------------------

void MapEditView::SetTool(DrawTool tool) {
    if (tool == tool_ || tool < DrawTool::Pen || tool > DrawTool::Bucket)
        return;
    SwitchTool([&] { tool_ = tool; });
}

void MapEditView::SwitchTool(const std::function<void()>& change) {
    CurrentTool().Cancel();
    ShowCursorCells(); // where the old tool's cursor was
    change();
    CurrentTool().CursorCells(cursor_, cursorCells_);
    ShowCursorCells();
    RefreshOverlay();
    ReportStatus();
}

// ---- Selection and paste -------------------------------------------------------------------------

void MapEditView::SetSelection(std::optional<CellRect> rect) {
    selection_ = rect ? ClipToMap(*rect) : std::nullopt;
    RefreshOverlay();
    ReportStatus();
}

void MapEditView::SetSelecting(bool selecting) {
    if (selecting != selecting_)
        SwitchTool([&] { selecting_ = selecting; });
}

void MapEditView::MoveSelection(int dx, int dy) {
    if (!selection_)
        return;
    const CellRect from = *selection_;
    document_->Push(new edits::MoveCellsCommand(document_, from, dx, dy));
    SetSelection(ClipToMap({from.Left + dx, from.Top + dy, from.Right + dx, from.Bottom + dy}));
}

void MapEditView::StartPaste(CellBlock block) {
    SwitchTool([&] {
        pasteTool_->SetBlock(std::move(block));
        pasting_ = true;
    });
}

void MapEditView::CancelPaste() {
    if (pasting_)
        SwitchTool([&] { pasting_ = false; });
}

QRegion MapEditView::OverlayRegion() const {
    const int e = EdgePixels();
    QRegion region;
    if (pasting_) {
        const CellBlock& block = pasteTool_->Block();
        region += QRect(cursor_.x() * e, cursor_.y() * e, block.Width * e, block.Height * e);
    }
    if (selection_) {
        const QPoint shift = selecting_ && selectionTool_->IsMoving() ? selectionTool_->MoveOffset() * e : QPoint();
        const QRect frame(selection_->Left * e, selection_->Top * e, selection_->Width() * e, selection_->Height() * e);
        // Only the frame's edges when nothing floats inside it, so a large selection repaints little.
        if (shift.isNull()) {
            region += QRect(frame.left(), frame.top(), frame.width(), 1);
            region += QRect(frame.left(), frame.bottom(), frame.width(), 1);
            region += QRect(frame.left(), frame.top(), 1, frame.height());
            region += QRect(frame.right(), frame.top(), 1, frame.height());
        } else {
            region += frame.translated(shift);
        }
    }
    return region;
}

void MapEditView::RefreshOverlay() {
    const QRegion now = OverlayRegion();
    for (const QRect& r : shownOverlay_.united(now))
        mapArea_->ShowPictureRect(r);
    shownOverlay_ = now;
    if (selection_.has_value() != announcedSelection_) {
        announcedSelection_ = selection_.has_value();
        emit SelectionChanged(announcedSelection_);
    }
}

void MapEditView::PaintSelectionOverlay(QPainter& painter) const {
    const int e = EdgePixels();
    const int f = MapSize * e;
    painter.save();
    painter.setClipRect(QRect(0, 0, f, f), Qt::IntersectClip);
    // A floating block is drawn half-transparent and only where the screen is repainted, so a large block
    // costs no more than the visible part of the map.
    painter.setOpacity(0.5);
    if (pasting_ && pictures_->IsLoaded()) {
        const CellBlock& block = pasteTool_->Block();
        const QRect shown = painter.clipBoundingRect().toAlignedRect();
        const QImage& tiles = pictures_->Picture(edge_);
        QImage tile(e, e, QImage::Format_RGB32);
        for (int y = std::max(0, shown.top() / e - cursor_.y()); y < block.Height; ++y) {
            if ((cursor_.y() + y) * e > shown.bottom())
                break;
            for (int x = std::max(0, shown.left() / e - cursor_.x()); x < block.Width; ++x) {
                if ((cursor_.x() + x) * e > shown.right())
                    break;
                DrawTile(tile, 0, 0, tiles, e, block.At(x, y));
                painter.drawImage(QPoint(cursor_.x() + x, cursor_.y() + y) * e, tile);
            }
        }
    } else if (selecting_ && selectionTool_->IsMoving() && selection_) {
        // The dragged cells look as they do on the map: their part of the map's picture.
        const QRect source(selection_->Left * e, selection_->Top * e, selection_->Width() * e,
                           selection_->Height() * e);
        painter.drawImage(source.translated(selectionTool_->MoveOffset() * e), mapPicture_, source);
    }
    painter.setOpacity(1.0);
    if (selection_) {
        const QPoint shift = selecting_ && selectionTool_->IsMoving() ? selectionTool_->MoveOffset() * e : QPoint();
        const QRect frame =
            QRect(selection_->Left * e, selection_->Top * e, selection_->Width() * e - 1, selection_->Height() * e - 1)
                .translated(shift);
        // Black dashes on white, stepping on with the blink so the frame shows on any tile.
        painter.setPen(QPen(Qt::white, 0));
        painter.drawRect(frame);
        QPen dashes(Qt::black, 0);
        dashes.setDashPattern({4, 4});
        dashes.setDashOffset(blinkPhase_ % 8);
        painter.setPen(dashes);
        painter.drawRect(frame);
    }
    painter.restore();
}

void MapEditView::SetEdge(TileEdge edge) {
    const bool dropsSomething = CurrentTool().IsHalfMade();
    CurrentTool().Cancel();
    edge_ = edge;
    CurrentTool().CursorCells(cursor_, cursorCells_);
    RedrawMap();
    PlaceClientParts();
    // The first point or the drag the new edge dropped must leave the status bar too.
    if (dropsSomething)
        ReportStatus();
}

void MapEditView::CancelShape() {
    ShowCursorCells();
    CurrentTool().Cancel();
    CurrentTool().CursorCells(cursor_, cursorCells_);
    ShowCursorCells();
    ReportStatus();
}

void MapEditView::CancelGesture() {
    // The latest half-made thing goes first: a floating paste, then a shape's first point, then the selection.
    if (pasting_) {
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
    mapArea_->update();
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
    CurrentTool().CursorCells(cursor_, cursorCells_);
    ShowCursorCells();
    ReportStatus();
}

// ---- Drawing -------------------------------------------------------------------------------------

void MapEditView::RedrawMap() {
    const int e = EdgePixels();
    const int f = MapSize * e;
    // The picture is only as large as the edge in force needs.
    if (mapPicture_.width() != f)
        mapPicture_ = QImage(f, f, QImage::Format_RGB32);
    if (!pictures_->IsLoaded()) {
        mapPicture_.fill(Navy);
    } else {
        const QImage& tiles = pictures_->Picture(edge_);
        const MapGrid& grid = document_->Grid();
        // Row by row of cells, so each band of scanlines is written while it is still in the cache.
        for (int y = 0; y < MapSize; ++y)
            for (int x = 0; x < MapSize; ++x)
                DrawTile(mapPicture_, x * e, y * e, tiles, e, grid[static_cast<std::size_t>(CellIndex(x, y))]);
    }
    shownOverlay_ = OverlayRegion();
    mapArea_->update();
    ReportCursorCode();
}

void MapEditView::RedrawCells(const std::vector<int>& cells) {
    if (!pictures_->IsLoaded())
        return;
    const int e = EdgePixels();
    const QImage& tiles = pictures_->Picture(edge_);
    const MapGrid& grid = document_->Grid();
    QRect changed;
    for (int index : cells) {
        const int x = index / MapSize;
        const int y = index % MapSize;
        DrawTile(mapPicture_, x * e, y * e, tiles, e, grid[static_cast<std::size_t>(index)]);
        // A few cells are shown one by one; many (a moved or pasted block) as the rectangle around them,
        // which the screen takes far faster than thousands of squares.
        if (cells.size() <= 64)
            mapArea_->ShowPictureRect(QRect(x * e, y * e, e, e));
        else
            changed |= QRect(x * e, y * e, e, e);
    }
    if (!changed.isEmpty())
        mapArea_->ShowPictureRect(changed);
    // The shape a two-point tool shows may follow the map (a fill's outline), so its cells are shown anew.
    ShowCursorCells();
    ReportCursorCode();
}

void MapEditView::UpdateCaption() {
    const QString& name = document_->ShownName();
    if (name.isEmpty())
        setWindowTitle(QStringLiteral("MapEditView - New File"));
    else
        setWindowTitle(QStringLiteral("MapEditView - \"") + name + QLatin1Char('"'));
}

void MapEditView::ShowCursorCells() {
    const int e = EdgePixels();
    for (int i = 0; i < cursorCells_.CellCount; ++i)
        mapArea_->ShowPictureRect(QRect(cursorCells_.CellColumns[static_cast<std::size_t>(i)] * e,
                                        cursorCells_.CellRows[static_cast<std::size_t>(i)] * e, e, e));
}

void MapEditView::PaintGridLines(QPainter& painter) const {
    if (!gridLines_)
        return;
    const int e = EdgePixels();
    const int f = MapSize * e;
    // Along the left and top edge of every cell but the first; the map's own border needs none.
    for (int i = 1; i < MapSize; ++i) {
        painter.fillRect(i * e, 0, 1, f, GridLineColour);
        painter.fillRect(0, i * e, f, 1, GridLineColour);
    }
}

void MapEditView::PaintCursor(QPainter& painter) const {
    const QColor colour = QColor::fromRgb(BlinkColours[static_cast<std::size_t>(blinkPhase_)]);
    const int e = EdgePixels();
    if (CurrentTool().CursorIsRing()) {
        if (cursorCells_.CellCount == 0)
            return;
        const int left = cursorCells_.CellColumns[0] * e;
        const int top = cursorCells_.CellRows[0] * e;
        const int rings = e == 8 ? 1 : e == 16 ? 2 : 3;
        for (int i = 0; i < rings; ++i) {
            const int side = e - 2 * i;
            painter.fillRect(left + i, top + i, side, 1, colour);
            painter.fillRect(left + i, top + i + side - 1, side, 1, colour);
            painter.fillRect(left + i, top + i, 1, side, colour);
            painter.fillRect(left + i + side - 1, top + i, 1, side, colour);
        }
        return;
    }
    for (int i = 0; i < cursorCells_.CellCount; ++i)
        painter.fillRect(cursorCells_.CellColumns[static_cast<std::size_t>(i)] * e,
                         cursorCells_.CellRows[static_cast<std::size_t>(i)] * e, e, e, colour);
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
    CurrentTool().CursorCells(cursor_, cursorCells_);
    ShowCursorCells();
    ReportStatus();
}

// ---- Mouse ---------------------------------------------------------------------------------------

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
    if (pasting_)
        SwitchTool([&] { pasting_ = false; });
    SetCursor(cell);
    RefreshOverlay();
}

void MapEditView::OnMouseMove(QPoint pixel, Qt::MouseButtons buttons) {
    const QPoint cell = CellAtPixel(pixel);
    if (cell != cursor_)
        SetCursor(cell);
    CurrentTool().Move(Context(), cell, buttons.testFlag(Qt::LeftButton));
    RefreshOverlay();
    if (selecting_ || pasting_)
        ReportStatus();
}

void MapEditView::OnMouseUp(Qt::MouseButton button, QPoint pixel) {
    if (button != Qt::LeftButton)
        return;
    CurrentTool().Release(Context(), CellAtPixel(pixel));
    RefreshOverlay();
    RefreshCursor();
}

// ---- Wheel and scrolling -------------------------------------------------------------------------

void MapEditView::OnWheel(const QWheelEvent& event, QPoint pixel) {
    const QPoint angle = event.angleDelta();
    if (event.modifiers().testFlag(Qt::ControlModifier)) {
        zoomRemainder_ += angle.y() != 0 ? angle.y() : angle.x();
        // A fine-grained wheel or a touchpad sends parts of a notch; each whole notch is one step of edge.
        if (std::abs(zoomRemainder_) >= WheelNotch) {
            const int steps = zoomRemainder_ > 0 ? 1 : -1;
            zoomRemainder_ = 0;
            StepEdge(steps, pixel);
        }
        return;
    }
    QPoint pixels = event.pixelDelta(); // a touchpad says how far, in pixels
    if (pixels.isNull()) {
        wheelRemainder_ += angle * (WheelStepCells * EdgePixels());
        pixels = QPoint(wheelRemainder_.x() / WheelNotch, wheelRemainder_.y() / WheelNotch);
        wheelRemainder_ -= pixels * WheelNotch;
    }
    // Shift turns the vertical wheel sideways; some desktops have already done so.
    if (event.modifiers().testFlag(Qt::ShiftModifier))
        pixels = QPoint(pixels.y() != 0 ? pixels.y() : pixels.x(), 0);
    // Turning the wheel away from the user shows what lies above.
    ScrollTo(mapArea_->Offset() - pixels);
}

void MapEditView::StepEdge(int steps, QPoint pixel) {
    const auto now = std::find(EditTileEdges.begin(), EditTileEdges.end(), edge_) - EditTileEdges.begin();
    const auto step = std::clamp<std::ptrdiff_t>(now + steps, 0, std::ssize(EditTileEdges) - 1);
    const TileEdge wanted = EditTileEdges[static_cast<std::size_t>(step)];
    if (wanted == edge_)
        return;
    const QPoint onScreen = pixel - mapArea_->Offset();
    const QPointF point = QPointF(pixel) / EdgePixels();
    emit EdgeRequested(wanted);
    if (edge_ != wanted)
        return;
    ScrollTo((point * EdgePixels()).toPoint() - onScreen);
}

void MapEditView::ScrollTo(QPoint offset) {
    // The scroll bars clamp to their range; a hidden one stands at 0 and the picture does not move.
    if (HorzScrollBarShown())
        horzScrollBar_->setValue(offset.x());
    if (VertScrollBarShown())
        vertScrollBar_->setValue(offset.y());
}

QRectF MapEditView::VisibleArea() const {
    const double e = EdgePixels();
    const QRectF shown(QPointF(mapArea_->Offset()) / e, QSizeF(mapArea_->size()) / e);
    return shown.intersected(QRectF(0, 0, MapSize, MapSize));
}

void MapEditView::CenterOn(QPointF cell) {
    const QSize view = mapArea_->size();
    ScrollTo((cell * EdgePixels()).toPoint() - QPoint(view.width() / 2, view.height() / 2));
}

// ---- Size ----------------------------------------------------------------------------------------

bool MapEditView::HorzScrollBarShown() const {
    return !horzScrollBar_->isHidden();
}

bool MapEditView::VertScrollBarShown() const {
    return !vertScrollBar_->isHidden();
}

QSize MapEditView::EditClientSize() const {
    const QSize inner = ClientSize(this);
    return {inner.width() - (VertScrollBarShown() ? ScrollBarExtent : 0),
            inner.height() - (HorzScrollBarShown() ? ScrollBarExtent : 0)};
}

void MapEditView::SetEditClientSize(QSize client) {
    SetClientSize(this, QSize(client.width() + (VertScrollBarShown() ? ScrollBarExtent : 0),
                              client.height() + (HorzScrollBarShown() ? ScrollBarExtent : 0)));
    PlaceClientParts();
}

void MapEditView::PlaceClientParts() {
    const int vbar = VertScrollBarShown() ? ScrollBarExtent : 0;
    const int hbar = HorzScrollBarShown() ? ScrollBarExtent : 0;
    const QSize inner = client_->size();
    const int w = std::max(inner.width() - vbar, 0);
    const int h = std::max(inner.height() - hbar, 0);
    mapArea_->setGeometry(0, 0, w, h);
    horzScrollBar_->setGeometry(0, h, w, hbar);
    vertScrollBar_->setGeometry(w, 0, vbar, h);
    const int f = MapSize * EdgePixels();
    horzScrollBar_->setRange(0, std::max(f - w, 0));
    horzScrollBar_->setPageStep(std::max(w, 1));
    vertScrollBar_->setRange(0, std::max(f - h, 0));
    vertScrollBar_->setPageStep(std::max(h, 1));
    mapArea_->SetOffset(QPoint(hbar ? horzScrollBar_->value() : 0, vbar ? vertScrollBar_->value() : 0));
    const QRectF area = VisibleArea();
    if (area != reportedArea_) {
        reportedArea_ = area;
        emit VisibleAreaChanged(area);
    }
}

void MapEditView::SetScrollBar(QScrollBar* bar, bool shown) {
    bar->setSingleStep(EdgePixels());
    if (!shown)
        bar->setValue(0);
    bar->setVisible(shown);
}

void MapEditView::ApplyMaximumClientSize(QSize maximum) {
    maxClient_ = maximum;
    const int f = MapSize * EdgePixels();
    SetScrollBar(horzScrollBar_, maximum.width() < f);
    SetScrollBar(vertScrollBar_, maximum.height() < f);
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
    SetScrollBar(horzScrollBar_, snapped.width() < f);
    SetScrollBar(vertScrollBar_, snapped.height() < f);
    SetEditClientSize(snapped);
    resizeBusy_ = false;
}

} // namespace tav
