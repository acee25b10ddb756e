#pragma once
// Replacing one code by another in an area (a selection or the whole map). Any byte may be replaced, so a
// map with codes that have no tile can be repaired.

#include "CellEdit.h"

namespace tav::edits {

class ReplaceCodes : public CellEdit {
public:
    ReplaceCodes(Document* document, TileCode from, TileCode to, const CellRect& area = WholeMap);
};

} // namespace tav::edits
