#include "PaintStrokeCommand.h"

#include <QCoreApplication>

namespace tav::edits {

namespace {

// The stretch's cells, each with the code (and in each image its image). Cells that already hold the code
// are no change, but they stay the user's: no image paints over them.
ImageEdit PenEdit(TileCode code, int fromX, int fromY, int toX, int toY) {
    return [=](EditImage& image) {
        if (!InMap(fromX, fromY) || !InMap(toX, toY))
            return;
        ShapeCells cells;
        ComputeShape(cells, DrawTool::Line, fromX, fromY, toX, toY);
        for (int i = 0; i < cells.CellCount; ++i)
            image.WriteImageOf(cells.CellColumns[static_cast<std::size_t>(i)],
                               cells.CellRows[static_cast<std::size_t>(i)], code);
    };
}

} // namespace

PaintStrokeCommand::PaintStrokeCommand(Document* document, TileCode code, int x, int y, int stroke)
    : PaintStrokeCommand(document, code, x, y, x, y, stroke) {}

PaintStrokeCommand::PaintStrokeCommand(Document* document, TileCode code, int fromX, int fromY, int toX, int toY,
                                       int stroke, const CellMask& strokeCells)
    : CellEdit(document, QCoreApplication::translate("UndoCommands", "ペン"), PenEdit(code, fromX, fromY, toX, toY),
               true, CrowdedCastles::SkipCastle, strokeCells),
      stroke_(stroke) {}

bool PaintStrokeCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const PaintStrokeCommand*>(other);
    if (!next || next->stroke_ != stroke_)
        return false;
    changes_.insert(changes_.end(), next->changes_.begin(), next->changes_.end());
    return true;
}

} // namespace tav::edits
