#include "ShiftMapCommand.h"

#include <QCoreApplication>

namespace tav::edits {

namespace {

ShiftDirection Opposite(ShiftDirection direction) {
    switch (direction) {
    case ShiftDirection::Left:
        return ShiftDirection::Right;
    case ShiftDirection::Right:
        return ShiftDirection::Left;
    case ShiftDirection::Up:
        return ShiftDirection::Down;
    case ShiftDirection::Down:
        return ShiftDirection::Up;
    }
    return direction;
}

bool ShiftChangesNothing(const MapGrid& grid, ShiftDirection direction) {
    MapGrid shifted = grid;
    ShiftMap(shifted, direction);
    return shifted == grid;
}

} // namespace

ShiftMapCommand::ShiftMapCommand(Document* document, ShiftDirection direction)
    : DocumentCommand(QCoreApplication::translate("UndoCommands", "シフト")), document_(document), direction_(direction),
      unchanged_(ShiftChangesNothing(document->Grid(), direction)) {}

void ShiftMapCommand::redo() {
    MapGrid grid = document_->Grid();
    ShiftMap(grid, direction_);
    document_->WriteGrid(grid);
}

void ShiftMapCommand::undo() {
    MapGrid grid = document_->Grid();
    ShiftMap(grid, Opposite(direction_));
    document_->WriteGrid(grid);
}

} // namespace tav::edits
