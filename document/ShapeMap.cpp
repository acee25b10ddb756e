#include "ShapeMap.h"

#include "Shaping.h"

namespace tav::edits {

namespace {

std::vector<CellChange> ShapedChanges(const Document& document) {
    MapGrid shaped = document.Grid();
    tav::ShapeMap(shaped);
    return document.ChangesTo(shaped);
}

} // namespace

ShapeMap::ShapeMap(Document* document) : CellEdit(document, QStringLiteral("整形"), ShapedChanges(*document)) {}

} // namespace tav::edits
