#include "PenTool.h"

#include "PaintStrokeCommand.h"

#include <QCoreApplication>

namespace tav {

PenTool::PenTool()
    : MapTool({"pen", "pen", QT_TRANSLATE_NOOP("Commands", "ペン(&P)"), QT_TRANSLATE_NOOP("Commands", "ペン"), "P"}) {}

void PenTool::Press(const ToolContext& context, QPoint cell) {
    inStroke_ = true;
    ++stroke_;
    strokeCells_.reset();
    Paint(context, cell, cell);
}

void PenTool::Move(const ToolContext& context, QPoint cell, bool leftHeld) {
    // A stroke whose release never arrived (a dialog took the mouse) ends here instead of painting on.
    if (!leftHeld)
        inStroke_ = false;
    if (inStroke_)
        Paint(context, last_, cell);
}

void PenTool::Paint(const ToolContext& context, QPoint from, QPoint to) {
    last_ = to;
    context.Push(new edits::PaintStrokeCommand(context.Map, context.PaintCode, from.x(), from.y(), to.x(), to.y(),
                                               stroke_, strokeCells_),
                 &strokeCells_);
}

void PenTool::CursorCells(QPoint cursor, ShapeCells& cells) const {
    ComputeShape(cells, DrawTool::Pen, -1, -1, cursor.x(), cursor.y());
}

} // namespace tav
