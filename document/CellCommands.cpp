#include "CellCommands.h"

#include "Shaping.h"

#include <QCoreApplication>

namespace tav::edits {

namespace {

QString ShapeText(DrawTool tool) {
    switch (tool) {
    case DrawTool::Line:
        return QCoreApplication::translate("UndoCommands", "直線");
    case DrawTool::Box:
        return QCoreApplication::translate("UndoCommands", "四角形");
    default:
        return QCoreApplication::translate("UndoCommands", "円");
    }
}

} // namespace

PaintShapeCommand::PaintShapeCommand(Document* document, DrawTool tool, TileCode code, int anchorX, int anchorY,
                                     int x, int y)
    : CellEdit(document, ShapeText(tool), ToolChanges(*document, tool, code, anchorX, anchorY, x, y)) {}

CutCellsCommand::CutCellsCommand(Document* document, const CellRect& rect)
    : CellEdit(document, QCoreApplication::translate("UndoCommands", "切り取り"),
               ChangesAfter(*document, [&](MapGrid& grid) { FillRect(grid, rect, NewMapTile); })) {}

MoveCellsCommand::MoveCellsCommand(Document* document, const CellRect& rect, int dx, int dy)
    : CellEdit(document, QCoreApplication::translate("UndoCommands", "移動"),
               ChangesAfter(*document, [&](MapGrid& grid) {
                   if (dx != 0 || dy != 0)
                       MoveBlock(grid, rect, dx, dy, NewMapTile);
               })) {}

PasteBlockCommand::PasteBlockCommand(Document* document, const CellBlock& block, int left, int top)
    : CellEdit(document, QCoreApplication::translate("UndoCommands", "貼りつけ"),
               ChangesAfter(*document, [&](MapGrid& grid) { PasteBlock(grid, block, left, top); })) {}

ReplaceCodesCommand::ReplaceCodesCommand(Document* document, TileCode from, TileCode to, const CellRect& area)
    : CellEdit(document, QCoreApplication::translate("UndoCommands", "置換"),
               ChangesAfter(*document, [&](MapGrid& grid) { ReplaceCodes(grid, from, to, area); })) {}

ExchangeCodesCommand::ExchangeCodesCommand(Document* document, TileCode a, TileCode b, const CellRect& area)
    : CellEdit(document, QCoreApplication::translate("UndoCommands", "交換"),
               ChangesAfter(*document, [&](MapGrid& grid) { ExchangeCodes(grid, a, b, area); })) {}

ShapeMapCommand::ShapeMapCommand(Document* document)
    : CellEdit(document, QCoreApplication::translate("UndoCommands", "整形"), WholeMapChanges(*document, ShapeMap)) {}

UnshapeMapCommand::UnshapeMapCommand(Document* document)
    : CellEdit(document, QCoreApplication::translate("UndoCommands", "整形の解除"),
               WholeMapChanges(*document, UnshapeMap)) {}

} // namespace tav::edits
