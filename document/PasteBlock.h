#pragma once
// Putting a copied block on the map with its top-left cell at a given cell; cells past the edge are dropped.

#include "CellEdit.h"

namespace tav::edits {

class PasteBlock : public CellEdit {
public:
    PasteBlock(Document* document, const CellBlock& block, int left, int top);
};

} // namespace tav::edits
