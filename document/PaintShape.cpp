#include "PaintShape.h"

namespace tav::edits {

namespace {

QString ShapeName(DrawTool tool) {
    switch (tool) {
    case DrawTool::Line:
        return QStringLiteral("直線");
    case DrawTool::Box:
        return QStringLiteral("四角形");
    default:
        return QStringLiteral("円");
    }
}

} // namespace

PaintShape::PaintShape(Document* document, DrawTool tool, TileCode code, int anchorX, int anchorY, int x, int y)
    : CellEdit(document, ShapeName(tool), ToolChanges(*document, tool, code, anchorX, anchorY, x, y)) {}

} // namespace tav::edits
