#include "RestoreMapCommand.h"

#include <QCoreApplication>

namespace tav::edits {

RestoreMapCommand::RestoreMapCommand(Document* document, const MapGrid& grid, TileSet tileSet)
    : DocumentCommand(QCoreApplication::translate("UndoCommands", "復元")), document_(document), beforeGrid_(document->Grid()), afterGrid_(grid),
      beforeTileSet_(document->TileSet()), afterTileSet_(tileSet) {}

void RestoreMapCommand::redo() {
    document_->WriteTileSet(afterTileSet_);
    document_->WriteGrid(afterGrid_);
}

void RestoreMapCommand::undo() {
    document_->WriteTileSet(beforeTileSet_);
    document_->WriteGrid(beforeGrid_);
}

} // namespace tav::edits
