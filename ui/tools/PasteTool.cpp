#include "PasteTool.h"

#include "CellCommands.h"
#include "SelectionTool.h"

namespace tav {

void PasteTool::Press(const ToolContext& context, QPoint cell) {
    // The block sets its own area, so a selection does not limit it.
    context.Map->Push(new edits::PasteBlockCommand(context.Map, block_, cell.x(), cell.y()));
}

void PasteTool::CursorCells(QPoint cursor, ShapeCells& cells) const {
    ComputeShape(cells, DrawTool::Pen, -1, -1, cursor.x(), cursor.y());
}

QString PasteTool::StatusText(QPoint cursor) const {
    return SelectionStatusText(
        {cursor.x(), cursor.y(), cursor.x() + block_.Width - 1, cursor.y() + block_.Height - 1});
}

} // namespace tav
