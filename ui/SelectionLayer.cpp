#include "SelectionLayer.h"

#include "MapGrid.h"
#include "TileRender.h"
#include "tools/PasteTool.h"
#include "tools/SelectionTool.h"

#include <QPainter>

#include <algorithm>

namespace tav {

SelectionLayer::SelectionLayer()
    : selectionTool_(std::make_unique<SelectionTool>(&selection_)), pasteTool_(std::make_unique<PasteTool>()) {}

SelectionLayer::~SelectionLayer() = default;

void SelectionLayer::SetSelection(std::optional<CellRect> rect) {
    selection_ = rect ? ClipToMap(*rect) : std::nullopt;
}

void SelectionLayer::StartPaste(CellBlock block) {
    pasteTool_->SetBlock(std::move(block));
    pasting_ = true;
}

MapTool* SelectionLayer::ActiveTool() const {
    if (pasting_)
        return pasteTool_.get();
    if (selecting_)
        return selectionTool_.get();
    return nullptr;
}

QPoint SelectionLayer::DragShift(int edge) const {
    return selecting_ && selectionTool_->IsMoving() ? selectionTool_->MoveOffset() * edge : QPoint();
}

QRegion SelectionLayer::Region(int edge, QPoint cursor) const {
    const int e = edge;
    QRegion region;
    if (pasting_) {
        const CellBlock& block = pasteTool_->Block();
        const QRect placed(cursor.x() * e, cursor.y() * e, block.Width * e, block.Height * e);
        region += placed;
        // The images of the part on the map: the image of a rectangle is a rectangle.
        if (const auto inside = ClipToMap({cursor.x(), cursor.y(), cursor.x() + block.Width - 1,
                                           cursor.y() + block.Height - 1}))
            for (int k = 1; k <= SymmetryImageCount(symmetry_); ++k) {
                const MapCell a = ImageCell(symmetry_, k, {inside->Left, inside->Top});
                const MapCell b = ImageCell(symmetry_, k, {inside->Right, inside->Bottom});
                const CellRect r = RectFromCorners(a.X, a.Y, b.X, b.Y);
                region += QRect(r.Left * e, r.Top * e, r.Width() * e, r.Height() * e);
            }
    }
    if (selection_) {
        const QPoint shift = DragShift(e);
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

void SelectionLayer::PaintBlockImages(QPainter& painter, int edge, QPoint cursor, const QImage& tiles,
                                      const QRect& shown) const {
    const CellBlock& block = pasteTool_->Block();
    QImage tile(edge, edge, QImage::Format_RGB32);
    for (int k = 1; k <= SymmetryImageCount(symmetry_); ++k)
        ForEachPlacedCell(block, cursor.x(), cursor.y(), [&](int x, int y, TileCode code) {
            const MapCell at = ImageCell(symmetry_, k, {x, y});
            const QRect place(at.X * edge, at.Y * edge, edge, edge);
            if (!place.intersects(shown))
                return;
            DrawTile(tile, 0, 0, tiles, edge, ImageCode(symmetry_, k, code));
            painter.drawImage(place.topLeft(), tile);
        });
}

void SelectionLayer::Paint(QPainter& painter, int edge, QPoint cursor, const QImage* tiles, const QImage& mapPicture,
                           int blinkPhase) const {
    const int e = edge;
    const int f = MapSize * e;
    painter.save();
    painter.setClipRect(QRect(0, 0, f, f), Qt::IntersectClip);
    // A floating block is drawn half-transparent and only where the screen is repainted, so a large block
    // costs no more than the visible part of the map.
    painter.setOpacity(0.5);
    if (pasting_ && tiles) {
        const CellBlock& block = pasteTool_->Block();
        const QRect shown = painter.clipBoundingRect().toAlignedRect();
        QImage tile(e, e, QImage::Format_RGB32);
        for (int y = std::max(0, shown.top() / e - cursor.y()); y < block.Height; ++y) {
            if ((cursor.y() + y) * e > shown.bottom())
                break;
            for (int x = std::max(0, shown.left() / e - cursor.x()); x < block.Width; ++x) {
                if ((cursor.x() + x) * e > shown.right())
                    break;
                DrawTile(tile, 0, 0, *tiles, e, block.At(x, y));
                painter.drawImage(QPoint(cursor.x() + x, cursor.y() + y) * e, tile);
            }
        }
        PaintBlockImages(painter, e, cursor, *tiles, shown);
    } else if (selecting_ && selectionTool_->IsMoving() && selection_) {
        // The dragged cells look as they do on the map: their part of the map's picture.
        const QRect source(selection_->Left * e, selection_->Top * e, selection_->Width() * e,
                           selection_->Height() * e);
        painter.drawImage(source.translated(selectionTool_->MoveOffset() * e), mapPicture, source);
    }
    painter.setOpacity(1.0);
    if (selection_) {
        const QRect frame =
            QRect(selection_->Left * e, selection_->Top * e, selection_->Width() * e - 1, selection_->Height() * e - 1)
                .translated(DragShift(e));
        // Black dashes on white, stepping on with the blink so the frame shows on any tile.
        painter.setPen(QPen(Qt::white, 0));
        painter.drawRect(frame);
        QPen dashes(Qt::black, 0);
        dashes.setDashPattern({4, 4});
        dashes.setDashOffset(blinkPhase % 8);
        painter.setPen(dashes);
        painter.drawRect(frame);
    }
    painter.restore();
}

} // namespace tav
