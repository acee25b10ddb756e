#pragma once
// 対称にする: the whole map made symmetric for a mode from one share of it, in one step. The castles the
// copy had to leave out are kept for the message that names them.

#include "CellEdit.h"
#include "Symmetry.h"

#include <vector>

namespace tav::edits {

class SymmetrizeMapCommand : public CellEdit {
public:
    // `source` must be one of AllowedSources(mode).
    SymmetrizeMapCommand(Document* document, SymmetryMode mode, SymmetrySource source);

    // The source share's castles that would have overlapped an image block, in reading order.
    const std::vector<RemovedCastle>& RemovedCastles() const { return removedCastles_; }

private:
    std::vector<RemovedCastle> removedCastles_;
};

} // namespace tav::edits
