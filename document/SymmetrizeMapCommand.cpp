#include "SymmetrizeMapCommand.h"

#include <QCoreApplication>

namespace tav::edits {

SymmetrizeMapCommand::SymmetrizeMapCommand(Document* document, SymmetryMode mode, SymmetrySource source)
    : CellEdit(document, QCoreApplication::translate("UndoCommands", "対称にする"), std::vector<CellChange>{}) {
    SymmetrizeResult result = Symmetrize(document->Grid(), mode, source);
    changes_ = document->ChangesTo(result.Grid);
    removedCastles_ = std::move(result.RemovedCastles);
}

} // namespace tav::edits
