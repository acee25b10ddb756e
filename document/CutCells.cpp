#include "CutCells.h"

namespace tav::edits {

CutCells::CutCells(Document* document, const CellRect& rect)
    : CellEdit(document, QStringLiteral("切り取り"),
               ChangesAfter(*document, [&](MapGrid& grid) { FillRect(grid, rect, NewMapTile); })) {}

} // namespace tav::edits
