#include "ShiftMap.h"

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
    tav::ShiftMap(shifted, direction);
    return shifted == grid;
}

} // namespace

ShiftMap::ShiftMap(Document* document, ShiftDirection direction)
    : DocumentCommand(QStringLiteral("シフト")), document_(document), direction_(direction),
      unchanged_(ShiftChangesNothing(document->Grid(), direction)) {}

void ShiftMap::redo() {
    MapGrid grid = document_->Grid();
    tav::ShiftMap(grid, direction_);
    document_->WriteGrid(grid);
}

void ShiftMap::undo() {
    MapGrid grid = document_->Grid();
    tav::ShiftMap(grid, Opposite(direction_));
    document_->WriteGrid(grid);
}

} // namespace tav::edits
