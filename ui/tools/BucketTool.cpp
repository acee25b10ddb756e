#include "BucketTool.h"

#include "FillAreaCommand.h"

#include <QCoreApplication>

namespace tav {

BucketTool::BucketTool()
    : MapTool({"bucket", "bucket", QT_TRANSLATE_NOOP("Commands", "塗りつぶす(&F)"),
               QT_TRANSLATE_NOOP("Commands", "塗りつぶし"), "F"}) {}

void BucketTool::Press(const ToolContext& context, QPoint cell) {
    context.Push(new edits::FillAreaCommand(context.Map, DrawTool::Bucket, context.PaintCode, -1, -1, cell.x(), cell.y()));
}

void BucketTool::CursorCells(QPoint cursor, ShapeCells& cells) const {
    ComputeShape(cells, DrawTool::Bucket, -1, -1, cursor.x(), cursor.y());
}

} // namespace tav
