#include "Document.h"

namespace tav {

Document::Document(QObject* parent) : QObject(parent) {
    connect(&undoStack_, &QUndoStack::cleanChanged, this, [this](bool clean) { emit ModifiedChanged(!clean); });
}

Document::~Document() {
    // The history clears itself as it goes; that is no change of the map for anyone to hear about.
    undoStack_.blockSignals(true);
}

void Document::Reset(const MapGrid& grid, tav::TileSet tileSet, const QString& filePath, const QString& shownName) {
    // Clearing the history also moves the clean point here, which reports an end to any modification. An
    // empty history is left as it is, clean point included, so a clean point taken away (a generated map
    // counts as unsaved) is set again.
    undoStack_.clear();
    undoStack_.setClean();
    grid_ = grid;
    tileSet_ = tileSet;
    filePath_ = filePath;
    shownName_ = shownName;
    emit MapReset();
}

void Document::MarkSaved(const QString& filePath, const QString& shownName) {
    const bool nameChanged = filePath != filePath_ || shownName != shownName_;
    filePath_ = filePath;
    shownName_ = shownName;
    undoStack_.setClean();
    if (nameChanged)
        emit FileNameChanged();
}

void Document::MarkUnsaved() {
    undoStack_.resetClean();
}

void Document::SetSymmetry(SymmetryMode mode) {
    if (mode == symmetry_) return;
    symmetry_ = mode;
    emit SymmetryChanged(mode);
}

void Document::Push(QUndoCommand* command) {
    auto* edit = dynamic_cast<DocumentCommand*>(command);
    if (edit && !edit->RefusedCastles().empty()) {
        const std::span<const RemovedCastle> refused = edit->RefusedCastles();
        emit CastlesRefused({refused.begin(), refused.end()});
    }
    if (edit && edit->IsEmpty()) {
        delete command;
        return;
    }
    undoStack_.push(command);
}

void Document::WriteCells(std::span<const CellChange> changes, bool forward) {
    if (changes.empty())
        return;
    std::vector<int> cells;
    cells.reserve(changes.size());
    // Backwards when undoing, so that a cell listed twice (a stroke crossing itself) gets its first code back.
    if (forward) {
        for (const CellChange& c : changes)
            grid_[c.Index] = c.After;
    } else {
        for (auto c = changes.rbegin(); c != changes.rend(); ++c)
            grid_[c->Index] = c->Before;
    }
    for (const CellChange& c : changes)
        cells.push_back(c.Index);
    emit CellsChanged(cells);
}

void Document::WriteGrid(const MapGrid& grid) {
    std::vector<int> cells;
    for (std::size_t i = 0; i < grid.size(); ++i)
        if (grid[i] != grid_[i])
            cells.push_back(static_cast<int>(i));
    grid_ = grid;
    if (cells.empty())
        return;
    // A few changed cells (a shift of a map that is mostly one terrain) are drawn alone; past half the map,
    // drawing the whole of it row by row is the faster way.
    if (cells.size() * 2 > grid.size())
        emit MapChanged();
    else
        emit CellsChanged(cells);
}

void Document::WriteTileSet(tav::TileSet tileSet) {
    if (tileSet == tileSet_)
        return;
    tileSet_ = tileSet;
    emit TileSetChanged(tileSet_);
}

std::vector<CellChange> Document::ChangesTo(const MapGrid& target) const {
    std::vector<CellChange> changes;
    for (std::size_t i = 0; i < target.size(); ++i)
        if (target[i] != grid_[i])
            changes.push_back({static_cast<std::uint16_t>(i), grid_[i], target[i]});
    return changes;
}

} // namespace tav
