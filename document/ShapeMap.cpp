#include "ShapeMap.h"

#include "Shaping.h"

namespace tav::edits {

ShapeMap::ShapeMap(Document* document)
    : CellEdit(document, QStringLiteral("整形"), WholeMapChanges(*document, tav::ShapeMap)) {}

} // namespace tav::edits
