#include "Editview.h"

#include "Charsel.h"
#include "Mainform.h"
#include "Pixels.h"
#include "Preview.h"
#include "TileRender.h"
#include "TileSets.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QScrollBar>
#include <QStatusBar>

#include <algorithm>

namespace tav {

// Holds the picture and the two scroll bars; the scroll bars sit outside the client area, as a
// window's own scroll bars do.
class TMapEditView::Client : public QWidget {
public:
    Client(TMapEditView* owner) : QWidget(owner), owner_(owner) {}

protected:
    void resizeEvent(QResizeEvent*) override { owner_->PlaceClientParts(); }

private:
    TMapEditView* owner_;
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
    const int available = in.MainClientHeight - in.StatusBarHeight - in.SpeedBarHeight - 47;
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

TMapEditView::TMapEditView(QMdiArea* frame)
    : QMdiSubWindow(nullptr, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Timer1([this] { Timer1Timer(); }, this) {
    setObjectName(QStringLiteral("MapEditView"));
    setWindowTitle(QStringLiteral("MapEditView"));
    HiddenMapImage = QImage(PictureEdge, PictureEdge, QImage::Format_RGB32);
    EditMapImage = QImage(PictureEdge, PictureEdge, QImage::Format_RGB32);
    HiddenMapImage.fill(Navy);
    EditMapImage.fill(Navy);

    client_ = new Client(this);
    client_->setAutoFillBackground(true);
    QPalette navy = client_->palette();
    navy.setColor(QPalette::Window, QColor(Navy));
    client_->setPalette(navy);
    EditArea = new PictureArea(&EditMapImage, client_);
    EditArea->setObjectName(QStringLiteral("EditMapImage"));
    EditArea->MouseDown = [this](Qt::MouseButton b, QPoint p) { EditMapImageMouseDown(b, p.x(), p.y()); };
    EditArea->MouseMove = [this](QPoint p) { EditMapImageMouseMove(p.x(), p.y()); };
    EditArea->MouseUp = [this](Qt::MouseButton b, QPoint) { EditMapImageMouseUp(b); };
    HorzScrollBar = new QScrollBar(Qt::Horizontal, client_);
    VertScrollBar = new QScrollBar(Qt::Vertical, client_);
    for (QScrollBar* bar : {HorzScrollBar, VertScrollBar}) {
        bar->setTracking(true); // the picture follows the thumb while it is dragged
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this] { PlaceClientParts(); });
    }
    setWidget(client_);
    frame->addSubWindow(this);
    move(0, 0);
    resize(393, 412);
}

int TMapEditView::Edge() const {
    return EditTileEdge(MainView->Document.EditScale);
}

bool TMapEditView::HorzScrollBarShown() const {
    return !HorzScrollBar->isHidden();
}

bool TMapEditView::VertScrollBarShown() const {
    return !VertScrollBar->isHidden();
}

QSize TMapEditView::EditClientSize() const {
    const QSize inner = ClientSize(this);
    return {inner.width() - (VertScrollBarShown() ? ScrollBarExtent : 0),
            inner.height() - (HorzScrollBarShown() ? ScrollBarExtent : 0)};
}

void TMapEditView::SetEditClientSize(QSize client) {
    SetClientSize(this, QSize(client.width() + (VertScrollBarShown() ? ScrollBarExtent : 0),
                              client.height() + (HorzScrollBarShown() ? ScrollBarExtent : 0)));
    PlaceClientParts();
}

void TMapEditView::PlaceClientParts() {
    const int vbar = VertScrollBarShown() ? ScrollBarExtent : 0;
    const int hbar = HorzScrollBarShown() ? ScrollBarExtent : 0;
    const QSize inner = client_->size();
    const int w = std::max(inner.width() - vbar, 0);
    const int h = std::max(inner.height() - hbar, 0);
    EditArea->setGeometry(0, 0, w, h);
    HorzScrollBar->setGeometry(0, h, w, hbar);
    VertScrollBar->setGeometry(w, 0, vbar, h);
    const int f = 48 * Edge();
    HorzScrollBar->setRange(0, std::max(f - w, 0));
    HorzScrollBar->setPageStep(std::max(w, 1));
    VertScrollBar->setRange(0, std::max(f - h, 0));
    VertScrollBar->setPageStep(std::max(h, 1));
    EditArea->SetOffset(QPoint(hbar ? HorzScrollBar->value() : 0, vbar ? VertScrollBar->value() : 0));
}

void TMapEditView::SetScrollBar(QScrollBar* bar, bool shown, int edge) {
    bar->setSingleStep(edge);
    if (!shown)
        bar->setValue(0);
    bar->setVisible(shown);
}

void TMapEditView::closeEvent(QCloseEvent* event) {
    // A child without a minimise button has no close action.
    event->ignore();
}

void TMapEditView::moveEvent(QMoveEvent* event) {
    QMdiSubWindow::moveEvent(event);
    // The window keeps the top-left corner of the frame: any move, also the one a resize at the
    // left or top edge brings, is taken back; the size change stays.
    if (pos() != QPoint(0, 0))
        move(0, 0);
}

void TMapEditView::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    FormResize();
}

QPoint TMapEditView::CellAtPixel(int px, int py) const {
    const int e = Edge();
    return {std::clamp(px / e, 0, MapSize - 1), std::clamp(py / e, 0, MapSize - 1)};
}

void TMapEditView::DrawTileToBuffer(int x, int y, int code) {
    const auto& bitmaps = MainView->TileBitmaps;
    if (!bitmaps.IsLoaded())
        return;
    const int e = Edge();
    DrawTile(HiddenMapImage, x * e, y * e, bitmaps.Picture(EditScaleIndex(MainView->Document.EditScale)), e, code);
}

void TMapEditView::ShowCell(int x, int y) {
    const int e = Edge();
    const QRect square(x * e, y * e, e, e);
    CopyRect(EditMapImage, HiddenMapImage, square);
    EditArea->ShowPictureRect(square);
}

void TMapEditView::ShowCells(const tav::ShapeCells& cells) {
    for (int i = 0; i < cells.CellCount; ++i)
        ShowCell(cells.CellColumns[static_cast<std::size_t>(i)], cells.CellRows[static_cast<std::size_t>(i)]);
}

void TMapEditView::RedrawMap() {
    const MapDocument& doc = MainView->Document;
    const int e = Edge();
    const int f = 48 * e;
    if (e != drawnEdge_) {
        // Outside the map the pictures hold no tiles, also after a larger scale drew there.
        HiddenMapImage.fill(Navy);
        EditMapImage.fill(Navy);
        drawnEdge_ = e;
    }
    // Row by row of cells, each band of e scanlines copied to the visible picture while it is still in
    // the cache: the same pixels as drawing everything first and copying the square after, at about
    // half the memory traffic. The copy wipes the tool cursor; CursorErased stays as it was and the
    // next tick draws the cursor again.
    for (int y = 0; y < MapSize; ++y) {
        for (int x = 0; x < MapSize; ++x)
            DrawTileToBuffer(x, y, doc.Grid[static_cast<std::size_t>(CellIndex(x, y))]);
        CopyRect(EditMapImage, HiddenMapImage, QRect(0, y * e, f, e));
    }
    EditArea->update();
    if (doc.FileName.empty())
        setWindowTitle(QStringLiteral("MapEditView - New File"));
    else
        setWindowTitle(QStringLiteral("MapEditView - \"") + QString::fromStdString(doc.FileName) + QLatin1Char('"'));
    PreEditView->DrawPreview();
}

void TMapEditView::DrawToolCursor() {
    if (cursorBusy_)
        return;
    cursorBusy_ = true;
    const MapDocument& doc = MainView->Document;
    BlinkPhase = BlinkPhase + 1 > 19 ? 0 : BlinkPhase + 1;
    const QRgb colour = BlinkColours[static_cast<std::size_t>(BlinkPhase)];
    tav::ComputeShape(ShapeCells, doc.CurrentTool, AnchorX, AnchorY, CursorX, CursorY);
    const int e = Edge();
    if (doc.ToolKind == CellTool) {
        if (ShapeCells.CellCount > 0) {
            const int x = ShapeCells.CellColumns[0];
            const int y = ShapeCells.CellRows[0];
            const int rings = e == 8 ? 1 : e == 16 ? 2 : 3;
            for (int i = 0; i < rings; ++i)
                FrameRect(EditMapImage, QRect(x * e + i, y * e + i, e - 2 * i, e - 2 * i), colour);
            EditArea->ShowPictureRect(QRect(x * e, y * e, e, e));
        }
    } else {
        for (int i = 0; i < ShapeCells.CellCount; ++i) {
            const QRect square(ShapeCells.CellColumns[static_cast<std::size_t>(i)] * e,
                               ShapeCells.CellRows[static_cast<std::size_t>(i)] * e, e, e);
            FillRect(EditMapImage, square, colour);
            EditArea->ShowPictureRect(square);
        }
    }
    if (AnchorX == -1)
        MainView->SetStatusText(QStringLiteral("X=%1, Y=%2").arg(CursorX).arg(CursorY));
    else
        MainView->SetStatusText(
            QStringLiteral("X1=%1, Y1=%2, X2=%3, Y2=%4").arg(AnchorX).arg(AnchorY).arg(CursorX).arg(CursorY));
    CursorErased = 0;
    cursorBusy_ = false;
}

void TMapEditView::EraseToolCursor(int x, int y) {
    if (CursorErased == 1)
        return;
    tav::ComputeShape(ShapeCells, MainView->Document.CurrentTool, AnchorX, AnchorY, x, y);
    ShowCells(ShapeCells);
    CursorErased = 1;
}

void TMapEditView::CancelShape() {
    InStroke = 0;
    AnchorX = -1;
    AnchorY = -1;
}

void TMapEditView::ApplyTool(int tool, int x, int y) {
    MapDocument& doc = MainView->Document;
    const int code = CharacterView->SelectedTileCode();
    const RedrawNeed need =
        ApplyToolToGrid(ShapeCells, doc.Grid, tool, static_cast<TileCode>(code), AnchorX, AnchorY, x, y);
    if (need == RedrawNeed::WholeMap) {
        RedrawMap();
    } else {
        for (int i = 0; i < ShapeCells.CellCount; ++i) {
            const int cx = ShapeCells.CellColumns[static_cast<std::size_t>(i)];
            const int cy = ShapeCells.CellRows[static_cast<std::size_t>(i)];
            DrawTileToBuffer(cx, cy, code);
            ShowCell(cx, cy);
        }
    }
    PreEditView->UpdatePreviewCells(code);
    doc.Modified = 1;
}

void TMapEditView::EditMapImageMouseDown(Qt::MouseButton button, int px, int py) {
    if (mouseDownBusy_)
        return;
    mouseDownBusy_ = true;
    const MapDocument& doc = MainView->Document;
    if (button == Qt::RightButton) {
        EraseToolCursor(CursorX, CursorY);
        CancelShape();
    } else if (button == Qt::LeftButton) {
        if (doc.CurrentTool == Pen)
            InStroke = 1;
        else if (doc.CurrentTool == Bucket)
            InStroke = 0;
        else
            InStroke = 1 - InStroke; // each click of a two-point tool toggles between anchoring and finishing
        const QPoint cell = CellAtPixel(px, py);
        const bool sameCell = cell.x() == CursorX && cell.y() == CursorY;
        if (!(sameCell && doc.ToolKind == CellTool && CharacterView->SelectedTileCode() == doc.Cell(cell.x(), cell.y()))) {
            Timer1.SetInterval(0);
            EraseToolCursor(CursorX, CursorY);
            CursorX = cell.x();
            CursorY = cell.y();
            if (doc.CurrentTool == Pen || doc.CurrentTool == Bucket) {
                ApplyTool(doc.CurrentTool, CursorX, CursorY);
            } else if (InStroke == 1) {
                AnchorX = CursorX;
                AnchorY = CursorY;
            } else {
                ApplyTool(doc.CurrentTool, CursorX, CursorY);
                AnchorX = -1;
                AnchorY = -1;
            }
            DrawToolCursor();
            Timer1.SetInterval(200);
        }
    }
    mouseDownBusy_ = false;
}

void TMapEditView::EditMapImageMouseMove(int px, int py) {
    if (mouseMoveBusy_)
        return;
    mouseMoveBusy_ = true;
    const MapDocument& doc = MainView->Document;
    const QPoint cell = CellAtPixel(px, py);
    const bool sameCell = cell.x() == CursorX && cell.y() == CursorY;
    if (!(sameCell && doc.ToolKind == CellTool && CharacterView->SelectedTileCode() == doc.Cell(cell.x(), cell.y()))) {
        Timer1.SetInterval(0);
        EraseToolCursor(CursorX, CursorY);
        CursorX = cell.x();
        CursorY = cell.y();
        if (InStroke == 1 && doc.CurrentTool == Pen)
            ApplyTool(Pen, CursorX, CursorY);
        DrawToolCursor();
        Timer1.SetInterval(200);
    }
    mouseMoveBusy_ = false;
}

void TMapEditView::EditMapImageMouseUp(Qt::MouseButton) {
    if (MainView->Document.CurrentTool == Pen)
        CancelShape();
}

void TMapEditView::Timer1Timer() {
    Timer1.SetInterval(0);
    DrawToolCursor();
    Timer1.SetInterval(200);
}

void TMapEditView::ComputeEditSize() {
    const QSize mainClient = MainView->ClientSize();
    const QSize maximum = tav::ComputeEditSize({Edge(), mainClient.width(), mainClient.height(), CharacterView->width(),
                                                MainView->StatusBar->height(), MainView->SpeedBar->height()});
    MaxClientWidth = maximum.width();
    MaxClientHeight = maximum.height();
}

void TMapEditView::LayoutEditWindow() {
    ComputeEditSize();
    const int e = Edge();
    const int f = 48 * e;
    SetScrollBar(HorzScrollBar, MaxClientWidth < f, e);
    SetScrollBar(VertScrollBar, MaxClientHeight < f, e);
    move(0, 0);
    SetEditClientSize(QSize(std::max(MaxClientWidth, 0), std::max(MaxClientHeight, 0)));
    CharacterView->move(MaxClientWidth + 8 + (VertScrollBarShown() ? 16 : 0), 0);
}

void TMapEditView::FormResize() {
    if (MaxClientWidth <= 0 || MaxClientHeight <= 0 || resizeBusy_)
        return;
    resizeBusy_ = true;
    const int e = Edge();
    const int f = 48 * e;
    const QSize snapped = SnapEditClientSize(EditClientSize(), QSize(MaxClientWidth, MaxClientHeight), e);
    const int w = snapped.width();
    const int h = snapped.height();
    if (h < f && CharacterView->x() < w + 24) {
        if (MainView->ClientSize().width() < ClientSize(CharacterView).width() + w + 16) {
            LayoutEditWindow();
            resizeBusy_ = false;
            return;
        }
        CharacterView->move(w + 24, CharacterView->y());
    }
    SetScrollBar(HorzScrollBar, w < f, e);
    SetScrollBar(VertScrollBar, h < f, e);
    SetEditClientSize(QSize(w, h));
    resizeBusy_ = false;
}

} // namespace tav
