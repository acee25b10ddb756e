#include "UnshapeMap.h"

#include "Shaping.h"

namespace tav::edits {

UnshapeMap::UnshapeMap(Document* document)
    : CellEdit(document, QStringLiteral("整形の解除"), WholeMapChanges(*document, tav::UnshapeMap)) {}

} // namespace tav::edits
