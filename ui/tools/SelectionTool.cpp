#include "SelectionTool.h"

#include "CellCommands.h"

namespace tav {

QString SelectionStatusText(const CellRect& rect) {
    return QStringLiteral("X1=%1, Y1=%2, X2=%3, Y2=%4 (%5×%6)")
        .arg(rect.Left)
        .arg(rect.Top)
        .arg(rect.Right)
        .arg(rect.Bottom)
        .arg(rect.Width())
        .arg(rect.Height());
}

void SelectionTool::Press(const ToolContext&, QPoint cell) {
    if (*selection_ && (*selection_)->Contains(cell.x(), cell.y())) {
        gesture_ = Gesture::Moving;
        anchor_ = cell;
        moveOffset_ = {0, 0};
        return;
    }
    gesture_ = Gesture::Selecting;
    anchor_ = cell;
    *selection_ = RectFromCorners(cell.x(), cell.y(), cell.x(), cell.y());
}

void SelectionTool::Move(const ToolContext&, QPoint cell, bool leftHeld) {
    // A drag whose release never arrived (a dialog took the mouse) ends here; a move is then not made.
    if (!leftHeld) {
        Cancel();
        return;
    }
    if (gesture_ == Gesture::Selecting)
        *selection_ = RectFromCorners(anchor_.x(), anchor_.y(), cell.x(), cell.y());
    else if (gesture_ == Gesture::Moving)
        moveOffset_ = cell - anchor_;
}

void SelectionTool::Release(const ToolContext& context, QPoint cell) {
    if (gesture_ == Gesture::Moving && *selection_) {
        moveOffset_ = cell - anchor_;
        const CellRect from = **selection_;
        const int dx = moveOffset_.x();
        const int dy = moveOffset_.y();
        if (dx != 0 || dy != 0) {
            context.Map->Push(new edits::MoveCellsCommand(context.Map, from, dx, dy));
            *selection_ = ClipToMap({from.Left + dx, from.Top + dy, from.Right + dx, from.Bottom + dy});
        }
    }
    gesture_ = Gesture::None;
}

void SelectionTool::CursorCells(QPoint cursor, ShapeCells& cells) const {
    ComputeShape(cells, DrawTool::Pen, -1, -1, cursor.x(), cursor.y());
}

QString SelectionTool::StatusText(QPoint cursor) const {
    if (!*selection_)
        return MapTool::StatusText(cursor);
    const CellRect& r = **selection_;
    if (gesture_ == Gesture::Moving)
        return SelectionStatusText({r.Left + moveOffset_.x(), r.Top + moveOffset_.y(), r.Right + moveOffset_.x(),
                                    r.Bottom + moveOffset_.y()});
    return SelectionStatusText(r);
}

} // namespace tav
