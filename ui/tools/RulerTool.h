#pragma once
// The step ruler (距離): press on a cell and drag; the status bar shows how many side steps a unit needs
// from the first cell to the cell under the pointer through open cells (under a cost table that is not all
// 1: the least total cost of movement, and the steps of that walk), and the window draws that walk. It
// changes nothing in the map. The measure stays after the release until a right click, Esc or the next press.

#include "MapTool.h"
#include "StepPath.h"

namespace tav {

class RulerTool : public MapTool {
public:
    RulerTool();

    void Press(const ToolContext& context, QPoint cell) override;
    void Move(const ToolContext& context, QPoint cell, bool leftHeld) override;
    void Release(const ToolContext&, QPoint) override { dragging_ = false; }
    void Cancel() override;
    void LoseMouse() override { dragging_ = false; }
    bool IsHalfMade() const override { return start_ != NoCell; }
    // A measure stands for the map as it is: every change measures it again.
    bool FollowMap(const ToolContext& context) override;

    void CursorCells(QPoint cursor, ShapeCells& cells) const override;
    bool CursorIsRing() const override { return true; }
    QString StatusText(QPoint cursor) const override;
    void PaintMarks(QPainter& painter, int edge) const override;
    QRect MarksRect(int edge) const override;

private:
    static constexpr QPoint NoCell{-1, -1};

    void Measure(const ToolContext& context, QPoint cell);

    QPoint start_ = NoCell;
    QPoint end_ = NoCell;
    bool dragging_ = false;
    bool stepsAreCosts_ = true; // measured under the default table, where a cost is a step
    StepPath path_;
};

} // namespace tav
