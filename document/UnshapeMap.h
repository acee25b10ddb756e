#pragma once
// Unshaping the whole map: shaped terrain goes back to its plain tiles.

#include "CellEdit.h"

namespace tav::edits {

class UnshapeMap : public CellEdit {
public:
    explicit UnshapeMap(Document* document);
};

} // namespace tav::edits
