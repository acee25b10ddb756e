#include "ReplaceCodes.h"

namespace tav::edits {

ReplaceCodes::ReplaceCodes(Document* document, TileCode from, TileCode to, const CellRect& area)
    : CellEdit(document, QStringLiteral("置換"),
               ChangesAfter(*document, [&](MapGrid& grid) { tav::ReplaceCodes(grid, from, to, area); })) {}

} // namespace tav::edits
