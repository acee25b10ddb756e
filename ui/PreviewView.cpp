#include "PreviewView.h"

#include "EditMarks.h"
#include "MapPicture.h"
#include "TileSetPictures.h"
#include "TileSets.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace tav {

QPoint PlaceBesidePalette(const QRect& frame, const QRect& palette, QSize preview) {
    const QRect candidates[] = {
        QRect(QPoint(palette.right() + 1, palette.top()), preview),
        QRect(QPoint(palette.left(), palette.bottom() + 1), preview),
        QRect(QPoint(palette.left() - preview.width(), palette.top()), preview),
    };
    for (const QRect& place : candidates)
        if (frame.contains(place))
            return place.topLeft();
    // Too small a frame for any: left of the palette, pushed inside the frame as far as it goes.
    const QRect last = candidates[2];
    return {std::max(frame.left(), last.left()),
            std::clamp(last.top(), frame.top(), std::max(frame.top(), frame.bottom() + 1 - preview.height()))};
}

PreviewView::PreviewView(const Document* document, const TileSetPictures* pictures, QMdiArea* frame)
    : QMdiSubWindow(nullptr, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                 Qt::WindowCloseButtonHint),
      document_(document), pictures_(pictures) {
    setObjectName(QStringLiteral("previewView"));
    picture_ = QImage(ClientEdge, ClientEdge, QImage::Format_RGB32);
    picture_.fill(palette().color(QPalette::Window));

    area_ = new PictureArea(&picture_, this);
    area_->setObjectName(QStringLiteral("previewPicture"));
    area_->setFixedSize(ClientEdge, ClientEdge);
    connect(area_, &PictureArea::MousePressed, this, [this](Qt::MouseButton button, QPoint p) {
        if (button != Qt::LeftButton)
            return;
        navigating_ = true;
        NavigateTo(p);
    });
    connect(area_, &PictureArea::MouseMoved, this, [this](QPoint p, Qt::MouseButtons held) {
        if (!held.testFlag(Qt::LeftButton))
            navigating_ = false;
        if (navigating_)
            NavigateTo(p);
    });
    connect(area_, &PictureArea::MouseReleased, this, [this] { navigating_ = false; });
    connect(area_, &PictureArea::MouseLost, this, [this] { navigating_ = false; });
    // The axes of the symmetry mode lie under the frame of the edit window's view.
    connect(area_, &PictureArea::PaintingOverlay, this,
            [this](QPainter& painter) { PaintSymmetryAxes(painter, document_->Symmetry(), CellEdge); });
    connect(area_, &PictureArea::PaintingOverlay, this, &PreviewView::PaintVisibleFrame);
    connect(document_, &Document::SymmetryChanged, area_, qOverload<>(&QWidget::update));
    setWidget(area_);
    frame->addSubWindow(this);
    // Titled once in the frame: a title set before is measured again at every step of joining it.
    setWindowTitle(QStringLiteral("Preview EditScreen"));
    SetClientSize(this, QSize(ClientEdge, ClientEdge));
    setFixedSize(size());
    move(413, 224);
    showMinimized();

    connect(document_, &Document::CellsChanged, this, &PreviewView::DrawCells);
    connect(document_, &Document::MapChanged, this, &PreviewView::DrawPreview);
    // A new map comes through the pictures, once they follow its tile set.
    connect(pictures_, &TileSetPictures::Changed, this, &PreviewView::DrawPreview);
    DrawPreview();
}

void PreviewView::closeEvent(QCloseEvent* event) {
    // Closing only puts the preview aside; it keeps drawing while minimised.
    event->ignore();
    showMinimized();
}

void PreviewView::DrawPreview() {
    if (!pictures_->IsLoaded())
        return;
    DrawWholeMap(picture_, document_->Grid(), pictures_->Picture(PreviewTileEdge), CellEdge);
    area_->update();
}

void PreviewView::DrawCells(const std::vector<int>& cells) {
    if (!pictures_->IsLoaded())
        return;
    DrawChangedCells(picture_, document_->Grid(), cells, pictures_->Picture(PreviewTileEdge), CellEdge, *area_);
}

void PreviewView::NavigateTo(QPoint pixel) {
    const double edge = CellEdge;
    emit NavigateRequested(QPointF(std::clamp(pixel.x() / edge, 0.0, double(MapSize)),
                                   std::clamp(pixel.y() / edge, 0.0, double(MapSize))));
}

void PreviewView::ShowVisibleArea(const QRectF& area) {
    if (area == visibleArea_)
        return;
    area_->update(VisibleFrame());
    visibleArea_ = area;
    area_->update(VisibleFrame());
}

QRect PreviewView::VisibleFrame() const {
    // The whole map needs no frame, and the preview then shows every cell unmarked.
    if (visibleArea_.contains(QRectF(0, 0, MapSize, MapSize)) || visibleArea_.isEmpty())
        return {};
    const int left = static_cast<int>(std::floor(visibleArea_.left() * CellEdge));
    const int top = static_cast<int>(std::floor(visibleArea_.top() * CellEdge));
    const int right = static_cast<int>(std::ceil(visibleArea_.right() * CellEdge));
    const int bottom = static_cast<int>(std::ceil(visibleArea_.bottom() * CellEdge));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void PreviewView::PaintVisibleFrame(QPainter& painter) const {
    const QRect frame = VisibleFrame();
    if (frame.isEmpty())
        return;
    // A light line with a dark one inside it stands out on every tile set.
    const QColor light = QColor::fromRgb(VisibleFrameColour);
    const QColor dark(0, 0, 0);
    for (const auto& [r, colour] : {std::pair{frame, light}, std::pair{frame.adjusted(1, 1, -1, -1), dark}}) {
        painter.fillRect(r.left(), r.top(), r.width(), 1, colour);
        painter.fillRect(r.left(), r.bottom(), r.width(), 1, colour);
        painter.fillRect(r.left(), r.top(), 1, r.height(), colour);
        painter.fillRect(r.right(), r.top(), 1, r.height(), colour);
    }
}

} // namespace tav
