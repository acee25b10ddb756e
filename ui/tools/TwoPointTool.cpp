#include "TwoPointTool.h"

#include "FillArea.h"
#include "PaintShape.h"

namespace tav {

void TwoPointTool::Press(const ToolContext& context, QPoint cell) {
    if (!HasAnchor()) {
        anchor_ = cell;
        return;
    }
    Document* map = context.Map;
    const TileCode code = context.PaintCode;
    if (shape_ == BoxFill || shape_ == CircleFill)
        context.Push(new edits::FillArea(map, shape_, code, anchor_.x(), anchor_.y(), cell.x(), cell.y()));
    else
        context.Push(new edits::PaintShape(map, shape_, code, anchor_.x(), anchor_.y(), cell.x(), cell.y()));
    anchor_ = NoAnchor;
}

void TwoPointTool::CursorCells(QPoint cursor, ShapeCells& cells) const {
    ComputeShape(cells, shape_, anchor_.x(), anchor_.y(), cursor.x(), cursor.y());
}

QString TwoPointTool::StatusText(QPoint cursor) const {
    if (!HasAnchor())
        return MapTool::StatusText(cursor);
    return QStringLiteral("X1=%1, Y1=%2, X2=%3, Y2=%4").arg(anchor_.x()).arg(anchor_.y()).arg(cursor.x()).arg(cursor.y());
}

} // namespace tav
