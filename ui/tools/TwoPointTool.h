#pragma once
// The tools that take two points: straight line, rectangle, filled rectangle, ellipse, filled ellipse.
// The first click sets the first point, the second paints the shape; the cursor shows the shape in
// between.

#include "MapTool.h"

namespace tav {

class TwoPointTool : public MapTool {
public:
    // `shape` is one of Line, Box, BoxFill, Circle, CircleFill.
    explicit TwoPointTool(int shape) : shape_(shape) {}

    void Press(const ToolContext& context, QPoint cell) override;
    void Move(const ToolContext&, QPoint, bool) override {}
    void Release(const ToolContext&, QPoint) override {}
    void Cancel() override { anchor_ = NoAnchor; }

    void CursorCells(QPoint cursor, ShapeCells& cells) const override;
    bool CursorIsRing() const override { return false; }
    QString StatusText(QPoint cursor) const override;

    bool HasAnchor() const { return anchor_ != NoAnchor; }

private:
    static constexpr QPoint NoAnchor{-1, -1};

    int shape_;
    QPoint anchor_ = NoAnchor;
};

} // namespace tav
