#pragma once
// The tools that take two points: straight line, rectangle, filled rectangle, ellipse, filled ellipse.
// Two ways to give the points: click, click (the first click sets the first point, the second paints
// the shape), or press, drag, release (the shape is painted where the button comes up). The cursor
// shows the shape in between.

#include "MapTool.h"

namespace tav {

class TwoPointTool : public MapTool {
public:
    // `shape` is one of Line, Box, BoxFill, Circle, CircleFill.
    explicit TwoPointTool(DrawTool shape);

    void Press(const ToolContext& context, QPoint cell) override;
    void Move(const ToolContext& context, QPoint cell, bool leftHeld) override;
    void Release(const ToolContext& context, QPoint cell) override;
    void Cancel() override {
        anchor_ = NoAnchor;
        dragging_ = false;
    }
    void LoseMouse() override { dragging_ = false; }

    void CursorCells(QPoint cursor, ShapeCells& cells) const override;
    bool CursorIsRing() const override { return false; }
    QString StatusText(QPoint cursor) const override;

    bool IsHalfMade() const override { return HasAnchor(); }
    bool HasAnchor() const { return anchor_ != NoAnchor; }

private:
    static constexpr QPoint NoAnchor{-1, -1};

    void Paint(const ToolContext& context, QPoint cell);

    DrawTool shape_;
    QPoint anchor_ = NoAnchor;
    // The press that set the anchor is still down: a release on another cell finishes the shape.
    bool dragging_ = false;
};

} // namespace tav
