#include "PaintStroke.h"

namespace tav::edits {

namespace {

std::vector<CellChange> PenChanges(const Document& document, TileCode code, int x, int y) {
    if (!InMap(x, y) || document.Cell(x, y) == code)
        return {};
    return {{static_cast<std::uint16_t>(CellIndex(x, y)), document.Cell(x, y), code}};
}

} // namespace

PaintStroke::PaintStroke(Document* document, TileCode code, int x, int y, int stroke)
    : CellEdit(document, QStringLiteral("ペン"), PenChanges(*document, code, x, y)), stroke_(stroke) {}

bool PaintStroke::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const PaintStroke*>(other);
    if (!next || next->stroke_ != stroke_)
        return false;
    changes_.insert(changes_.end(), next->changes_.begin(), next->changes_.end());
    return true;
}

} // namespace tav::edits
