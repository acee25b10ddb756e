#include "RestoreMap.h"

namespace tav::edits {

RestoreMap::RestoreMap(Document* document, const MapGrid& grid, TileSet tileSet)
    : DocumentCommand(QStringLiteral("復元")), document_(document), beforeGrid_(document->Grid()), afterGrid_(grid),
      beforeTileSet_(document->TileSet()), afterTileSet_(tileSet) {}

void RestoreMap::redo() {
    document_->WriteTileSet(afterTileSet_);
    document_->WriteGrid(afterGrid_);
}

void RestoreMap::undo() {
    document_->WriteTileSet(beforeTileSet_);
    document_->WriteGrid(beforeGrid_);
}

} // namespace tav::edits
