#include "PaintStrokeCommand.h"

#include <QCoreApplication>

namespace tav::edits {

namespace {

// Cells that already hold the code are left out: they are no change.
std::vector<CellChange> PenChanges(const Document& document, TileCode code, int fromX, int fromY, int toX, int toY) {
    if (!InMap(fromX, fromY) || !InMap(toX, toY))
        return {};
    ShapeCells cells;
    ComputeShape(cells, DrawTool::Line, fromX, fromY, toX, toY);
    std::vector<CellChange> changes;
    for (int i = 0; i < cells.CellCount; ++i) {
        const int x = cells.CellColumns[static_cast<std::size_t>(i)];
        const int y = cells.CellRows[static_cast<std::size_t>(i)];
        if (document.Cell(x, y) != code)
            changes.push_back({static_cast<std::uint16_t>(CellIndex(x, y)), document.Cell(x, y), code});
    }
    return changes;
}

} // namespace

PaintStrokeCommand::PaintStrokeCommand(Document* document, TileCode code, int x, int y, int stroke)
    : PaintStrokeCommand(document, code, x, y, x, y, stroke) {}

PaintStrokeCommand::PaintStrokeCommand(Document* document, TileCode code, int fromX, int fromY, int toX, int toY,
                                       int stroke)
    : CellEdit(document, QCoreApplication::translate("UndoCommands", "ペン"), PenChanges(*document, code, fromX, fromY, toX, toY)),
      stroke_(stroke) {}

bool PaintStrokeCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const PaintStrokeCommand*>(other);
    if (!next || next->stroke_ != stroke_)
        return false;
    changes_.insert(changes_.end(), next->changes_.begin(), next->changes_.end());
    return true;
}

} // namespace tav::edits
