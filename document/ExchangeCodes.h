#pragma once
// Swapping two codes in an area (a selection or the whole map).

#include "CellEdit.h"

namespace tav::edits {

class ExchangeCodes : public CellEdit {
public:
    ExchangeCodes(Document* document, TileCode a, TileCode b, const CellRect& area = WholeMap);
};

} // namespace tav::edits
