#pragma once
// The pen: paints the cell under the pointer while the left button is held. One stroke, press to
// release, is one step of the history.

#include "MapTool.h"

namespace tav {

class PenTool : public MapTool {
public:
    void Press(const ToolContext& context, QPoint cell) override;
    void Move(const ToolContext& context, QPoint cell, bool leftHeld) override;
    void Release(const ToolContext&, QPoint) override { Cancel(); }
    void Cancel() override { inStroke_ = false; }
    void LoseMouse() override { inStroke_ = false; }

    void CursorCells(QPoint cursor, ShapeCells& cells) const override;
    bool CursorIsRing() const override { return true; }

    bool InStroke() const { return inStroke_; }

private:
    void Paint(const ToolContext& context, QPoint cell);

    bool inStroke_ = false;
    int stroke_ = 0; // numbers the strokes, so that only the steps of one stroke merge
};

} // namespace tav
