#pragma once
// Choosing another tile set: the map keeps its codes, but the next save writes the new set's number.

#include "Document.h"

namespace tav::edits {

class SwitchTileSetCommand : public DocumentCommand {
public:
    SwitchTileSetCommand(Document* document, TileSet tileSet);

    void redo() override { document_->WriteTileSet(after_); }
    void undo() override { document_->WriteTileSet(before_); }
    bool IsEmpty() const override { return before_ == after_; }

private:
    Document* document_;
    TileSet before_;
    TileSet after_;
};

} // namespace tav::edits
