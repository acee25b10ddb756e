#include "ExchangeCodes.h"

namespace tav::edits {

ExchangeCodes::ExchangeCodes(Document* document, TileCode a, TileCode b, const CellRect& area)
    : CellEdit(document, QStringLiteral("交換"),
               ChangesAfter(*document, [&](MapGrid& grid) { tav::ExchangeCodes(grid, a, b, area); })) {}

} // namespace tav::edits
