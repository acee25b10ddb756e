#include "MoveCells.h"

namespace tav::edits {

MoveCells::MoveCells(Document* document, const CellRect& rect, int dx, int dy)
    : CellEdit(document, QStringLiteral("移動"), ChangesAfter(*document, [&](MapGrid& grid) {
                   if (dx != 0 || dy != 0)
                       MoveBlock(grid, rect, dx, dy, NewMapTile);
               })) {}

} // namespace tav::edits
