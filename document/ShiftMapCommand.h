#pragma once
// Turning the whole map by one cell; undone by turning it back, so nothing but the direction is kept.

#include "Document.h"

namespace tav::edits {

class ShiftMapCommand : public DocumentCommand {
public:
    ShiftMapCommand(Document* document, ShiftDirection direction);

    void redo() override;
    void undo() override;
    // A map whose rows or columns are all alike looks the same after the shift.
    bool IsEmpty() const override { return unchanged_; }

private:
    Document* document_;
    ShiftDirection direction_;
    bool unchanged_;
};

} // namespace tav::edits
