#pragma once
// The pen: paints the cells under the pointer while the left button is held, and every cell on the way
// between two positions, so a fast move leaves no gaps. One stroke, press to release, is one step of
// the history.

#include "MapTool.h"
#include "MirroredEdit.h"

namespace tav {

class PenTool : public MapTool {
public:
    PenTool();

    void Press(const ToolContext& context, QPoint cell) override;
    void Move(const ToolContext& context, QPoint cell, bool leftHeld) override;
    void Release(const ToolContext&, QPoint) override { Cancel(); }
    void Cancel() override { inStroke_ = false; }
    void LoseMouse() override { inStroke_ = false; }

    void CursorCells(QPoint cursor, ShapeCells& cells) const override;
    bool CursorIsRing() const override { return true; }

private:
    void Paint(const ToolContext& context, QPoint from, QPoint to);

    bool inStroke_ = false;
    QPoint last_; // where the stroke was at the last event
    int stroke_ = 0; // numbers the strokes, so that only the steps of one stroke merge
    edits::CellMask strokeCells_; // the cells the user painted in this stroke, which its images leave alone
};

} // namespace tav
