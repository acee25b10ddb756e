#pragma once
// Shaping the whole map: shores, cliff edges, ranges, tree runs, castle walls and alternating houses.

#include "CellEdit.h"

namespace tav::edits {

class ShapeMap : public CellEdit {
public:
    explicit ShapeMap(Document* document);
};

} // namespace tav::edits
