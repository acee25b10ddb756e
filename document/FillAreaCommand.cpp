#include "FillAreaCommand.h"

#include <QCoreApplication>

namespace tav::edits {

namespace {

QString FillText(DrawTool tool) {
    switch (tool) {
    case DrawTool::BoxFill:
        return QCoreApplication::translate("UndoCommands", "塗りつぶし四角形");
    case DrawTool::CircleFill:
        return QCoreApplication::translate("UndoCommands", "塗りつぶし円");
    default:
        return QCoreApplication::translate("UndoCommands", "塗りつぶし");
    }
}

} // namespace

FillAreaCommand::FillAreaCommand(Document* document, DrawTool tool, TileCode code, int anchorX, int anchorY, int x, int y)
    : CellEdit(document, FillText(tool), ToolEdit(tool, code, anchorX, anchorY, x, y)) {}

} // namespace tav::edits
