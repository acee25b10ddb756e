#pragma once
// Bringing back a map kept from an editor that ended without saving: the grid and tile set in one
// step, so that the map counts as modified and one undo shows the file as it was saved.

#include "Document.h"

namespace tav::edits {

class RestoreMapCommand : public DocumentCommand {
public:
    RestoreMapCommand(Document* document, const MapGrid& grid, TileSet tileSet);

    void redo() override;
    void undo() override;
    bool IsEmpty() const override { return beforeGrid_ == afterGrid_ && beforeTileSet_ == afterTileSet_; }

private:
    Document* document_;
    MapGrid beforeGrid_;
    MapGrid afterGrid_;
    TileSet beforeTileSet_;
    TileSet afterTileSet_;
};

} // namespace tav::edits
