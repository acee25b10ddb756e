#include "PasteBlock.h"

namespace tav::edits {

PasteBlock::PasteBlock(Document* document, const CellBlock& block, int left, int top)
    : CellEdit(document, QStringLiteral("貼りつけ"),
               ChangesAfter(*document, [&](MapGrid& grid) { tav::PasteBlock(grid, block, left, top); })) {}

} // namespace tav::edits
