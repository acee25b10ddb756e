#include "TwoPointTool.h"

#include "CellCommands.h"
#include "FillAreaCommand.h"

#include <QCoreApplication>

namespace tav {

namespace {

struct ShapeTool {
    DrawTool Shape;
    ToolDescription Description;
};
constexpr ShapeTool ShapeTools[] = {
    {DrawTool::Line,
     {"line", "line", QT_TRANSLATE_NOOP("Commands", "直線(&L)"), QT_TRANSLATE_NOOP("Commands", "直線"), "L"}},
    {DrawTool::Box,
     {"box", "box", QT_TRANSLATE_NOOP("Commands", "四角形(&S)"), QT_TRANSLATE_NOOP("Commands", "四角形"), "R"}},
    {DrawTool::BoxFill,
     {"boxFill", "box-fill", QT_TRANSLATE_NOOP("Commands", "塗りつぶし四角形(&B)"),
      QT_TRANSLATE_NOOP("Commands", "塗りつぶし四角形"), "Shift+R"}},
    {DrawTool::Circle,
     {"circle", "circle", QT_TRANSLATE_NOOP("Commands", "円(&R)"), QT_TRANSLATE_NOOP("Commands", "円"), "E"}},
    {DrawTool::CircleFill,
     {"circleFill", "circle-fill", QT_TRANSLATE_NOOP("Commands", "塗りつぶし円(&M)"),
      QT_TRANSLATE_NOOP("Commands", "塗りつぶし円"), "Shift+E"}},
};

const ToolDescription& DescriptionOf(DrawTool shape) {
    for (const ShapeTool& tool : ShapeTools)
        if (tool.Shape == shape)
            return tool.Description;
    return ShapeTools[0].Description;
}

} // namespace

TwoPointTool::TwoPointTool(DrawTool shape) : MapTool(DescriptionOf(shape)), shape_(shape) {}

void TwoPointTool::Press(const ToolContext& context, QPoint cell) {
    if (!HasAnchor()) {
        anchor_ = cell;
        dragging_ = true;
        return;
    }
    Paint(context, cell);
}

void TwoPointTool::Move(const ToolContext&, QPoint, bool leftHeld) {
    // A release that never arrived (a dialog took the mouse) leaves the first point as a click would.
    if (!leftHeld)
        dragging_ = false;
}

void TwoPointTool::Release(const ToolContext& context, QPoint cell) {
    if (!dragging_)
        return;
    dragging_ = false;
    // Released where it was pressed: that was the first click of click, click.
    if (cell != anchor_)
        Paint(context, cell);
}

void TwoPointTool::Paint(const ToolContext& context, QPoint cell) {
    Document* map = context.Map;
    const TileCode code = context.PaintCode;
    if (shape_ == DrawTool::BoxFill || shape_ == DrawTool::CircleFill)
        context.Push(new edits::FillAreaCommand(map, shape_, code, anchor_.x(), anchor_.y(), cell.x(), cell.y()));
    else
        context.Push(new edits::PaintShapeCommand(map, shape_, code, anchor_.x(), anchor_.y(), cell.x(), cell.y()));
    anchor_ = NoAnchor;
    dragging_ = false;
}

void TwoPointTool::CursorCells(QPoint cursor, ShapeCells& cells) const {
    ComputeShape(cells, shape_, anchor_.x(), anchor_.y(), cursor.x(), cursor.y());
}

QString TwoPointTool::StatusText(QPoint cursor) const {
    if (!HasAnchor())
        return MapTool::StatusText(cursor);
    return QStringLiteral("X1=%1, Y1=%2, X2=%3, Y2=%4").arg(anchor_.x()).arg(anchor_.y()).arg(cursor.x()).arg(cursor.y());
}

} // namespace tav
