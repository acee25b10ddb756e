#pragma once
// Placing a pasted block: the block floats with its top-left cell under the pointer, and a click puts it
// on the map as one step (cells past the edge are dropped). The window ends the paste after the click or
// when it is cancelled.

#include "MapTool.h"

namespace tav {

class PasteTool : public MapTool {
public:
    void SetBlock(CellBlock block) { block_ = std::move(block); }
    const CellBlock& Block() const { return block_; }

    void Press(const ToolContext& context, QPoint cell) override;
    void Move(const ToolContext&, QPoint, bool) override {}
    void Release(const ToolContext&, QPoint) override {}
    void Cancel() override {}

    void CursorCells(QPoint cursor, ShapeCells& cells) const override;
    bool CursorIsRing() const override { return true; }
    QString StatusText(QPoint cursor) const override;

private:
    CellBlock block_;
};

} // namespace tav
