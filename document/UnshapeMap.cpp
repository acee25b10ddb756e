#include "UnshapeMap.h"

#include "Shaping.h"

namespace tav::edits {

namespace {

std::vector<CellChange> UnshapedChanges(const Document& document) {
    MapGrid plain = document.Grid();
    tav::UnshapeMap(plain);
    return document.ChangesTo(plain);
}

} // namespace

UnshapeMap::UnshapeMap(Document* document)
    : CellEdit(document, QStringLiteral("整形の解除"), UnshapedChanges(*document)) {}

} // namespace tav::edits
