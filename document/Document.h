#pragma once
// The one map the editor holds: its grid, its tile set and the file it belongs to, with the history of
// every change. Every change goes through an undo command; the windows connect to the signals below and
// repaint what they are told. Whether the map is modified follows from the history alone: it is modified
// exactly when the history stands away from the point of the last New, Open or save.

#include "CellGrid.h"
#include "MapGrid.h"
#include "Symmetry.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <cstdint>
#include <span>
#include <vector>

namespace tav {

// One cell's change: where, and its code before and after.
struct CellChange {
    std::uint16_t Index; // CellIndex(x, y)
    TileCode Before;
    TileCode After;
};

class Document : public QObject {
    Q_OBJECT
public:
    explicit Document(QObject* parent = nullptr);
    ~Document() override;

    const MapGrid& Grid() const { return grid_; }
    TileCode Cell(int x, int y) const { return grid_[GridIndex(x, y)]; }
    tav::TileSet TileSet() const { return tileSet_; }
    // The full path of the map's file, for writing; empty for a map that has none yet.
    const QString& FilePath() const { return filePath_; }
    // The name the edit window shows: the full path after Open, the file name alone after Save As.
    const QString& ShownName() const { return shownName_; }
    bool IsModified() const { return !undoStack_.isClean(); }
    // How the user's edits are mirrored (対称描画): each change is made in every image of this mode. It is
    // a way of editing, not part of the map: never saved, never undone, and none at every start.
    SymmetryMode Symmetry() const { return symmetry_; }
    void SetSymmetry(SymmetryMode mode);

    QUndoStack* UndoStack() { return &undoStack_; }
    const QUndoStack* UndoStack() const { return &undoStack_; }

    // Starts over with `grid` and a fresh history: what New and Open do. Announced by MapReset alone.
    void Reset(const MapGrid& grid, tav::TileSet tileSet, const QString& filePath, const QString& shownName);
    // The map was written to `filePath`: this state is now the clean point.
    void MarkSaved(const QString& filePath, const QString& shownName);
    // The map as it stands was never saved anywhere (a generated map): no point of the history is clean, so
    // the map counts as modified until it is saved.
    void MarkUnsaved();

    // Pushes `command` unless it changes nothing. Takes ownership either way.
    void Push(QUndoCommand* command);

    // The writes the undo commands make; nothing else changes the map.
    void WriteCells(std::span<const CellChange> changes, bool forward);
    // Announces the cells that differ, or the whole map when most do.
    void WriteGrid(const MapGrid& grid);
    void WriteTileSet(tav::TileSet tileSet);

    // The same changes as a command sees them: what `grid` would need to become `target`.
    std::vector<CellChange> ChangesTo(const MapGrid& target) const;

signals:
    // A new map: the grid, the tile set, the file and the history are all new. Sent alone, so that whoever
    // shows any of them shows the new map once.
    void MapReset();
    // Cells changed; the list holds their indices (CellIndex).
    void CellsChanged(const std::vector<int>& cells);
    // Any number of cells may have changed: redraw the whole map.
    void MapChanged();
    void TileSetChanged(tav::TileSet tileSet);
    void FileNameChanged();
    void ModifiedChanged(bool modified);
    void SymmetryChanged(tav::SymmetryMode mode);
    // An edit left out castles that would have overlapped their images (the pen, a shape) or was refused
    // for them whole (a fill, a paste); sent as it is pushed.
    void CastlesRefused(const std::vector<tav::RemovedCastle>& castles);

private:
    MapGrid grid_ = FilledGrid(NewMapTile);
    tav::TileSet tileSet_ = tav::TileSet::Verda;
    SymmetryMode symmetry_ = SymmetryMode::None;
    QString filePath_;
    QString shownName_;
    QUndoStack undoStack_;
};

// The ids QUndoCommand::mergeWith goes by: one for each kind of command whose steps merge.
enum MergeId : int {
    PaintStrokeMergeId = 1, // the stretches of one pen stroke
};

// Whether an undo command changes something; a command that does not is never pushed.
class DocumentCommand : public QUndoCommand {
public:
    using QUndoCommand::QUndoCommand;
    virtual bool IsEmpty() const = 0;
    // The castles the edit would have placed too near their images under the symmetry mode, and did not.
    virtual std::span<const RemovedCastle> RefusedCastles() const { return {}; }
};

} // namespace tav
