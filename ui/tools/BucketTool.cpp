#include "BucketTool.h"

#include "FillAreaCommand.h"

namespace tav {

void BucketTool::Press(const ToolContext& context, QPoint cell) {
    context.Push(new edits::FillAreaCommand(context.Map, DrawTool::Bucket, context.PaintCode, -1, -1, cell.x(), cell.y()));
}

void BucketTool::CursorCells(QPoint cursor, ShapeCells& cells) const {
    ComputeShape(cells, DrawTool::Bucket, -1, -1, cursor.x(), cursor.y());
}

} // namespace tav
