#include "FillArea.h"

namespace tav::edits {

namespace {

QString FillName(int tool) {
    switch (tool) {
    case BoxFill:
        return QStringLiteral("塗りつぶし四角形");
    case CircleFill:
        return QStringLiteral("塗りつぶし円");
    default:
        return QStringLiteral("塗りつぶし");
    }
}

std::vector<CellChange> FillChanges(const Document& document, int tool, TileCode code, int anchorX, int anchorY,
                                    int x, int y) {
    ShapeCells cells;
    return ToolChanges(document, tool, code, anchorX, anchorY, x, y, cells);
}

} // namespace

FillArea::FillArea(Document* document, int tool, TileCode code, int anchorX, int anchorY, int x, int y)
    : CellEdit(document, FillName(tool), FillChanges(*document, tool, code, anchorX, anchorY, x, y)) {}

} // namespace tav::edits
