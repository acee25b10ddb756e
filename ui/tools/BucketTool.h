#pragma once
// The same-code flood fill: a click fills the region of equal codes around the cell.

#include "MapTool.h"

namespace tav {

class BucketTool : public MapTool {
public:
    BucketTool();

    void Press(const ToolContext& context, QPoint cell) override;
    void Move(const ToolContext&, QPoint, bool) override {}
    void Release(const ToolContext&, QPoint) override {}
    void Cancel() override {}

    void CursorCells(QPoint cursor, ShapeCells& cells) const override;
    bool CursorIsRing() const override { return true; }
};

} // namespace tav
