#pragma once
// The range tool: press-drag-release selects a rectangle of cells (a click selects one cell); dragging from
// inside the selection moves its cells, as one step of the history, and the selection goes with them.

#include "MapTool.h"

namespace tav {

class SelectionTool : public MapTool {
public:
    // `selection` is the edit window's; the tool changes it as the user drags.
    explicit SelectionTool(std::optional<CellRect>* selection) : selection_(selection) {}

    void Press(const ToolContext& context, QPoint cell) override;
    void Move(const ToolContext& context, QPoint cell, bool leftHeld) override;
    void Release(const ToolContext& context, QPoint cell) override;
    // Ends a drag; the selection itself stays (a right click or Esc clears it through the window).
    void Cancel() override { gesture_ = Gesture::None; }
    void LoseMouse() override { Cancel(); }
    bool IsHalfMade() const override { return gesture_ != Gesture::None; }

    void CursorCells(QPoint cursor, ShapeCells& cells) const override;
    bool CursorIsRing() const override { return true; }
    QString StatusText(QPoint cursor) const override;

    // While the cells are dragged: how far they would move, for the window to show them there.
    bool IsMoving() const { return gesture_ == Gesture::Moving; }
    QPoint MoveOffset() const { return moveOffset_; }

private:
    enum class Gesture { None, Selecting, Moving };

    std::optional<CellRect>* selection_;
    Gesture gesture_ = Gesture::None;
    QPoint anchor_;     // the first corner while selecting; the grabbed cell while moving
    QPoint moveOffset_; // cells the drag has moved so far
};

// The status text of a selection: its corners and its size.
QString SelectionStatusText(const CellRect& rect);

} // namespace tav
