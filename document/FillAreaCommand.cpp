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
    : CellEdit(document, FillText(tool), ToolChanges(*document, tool, code, anchorX, anchorY, x, y)), tool_(tool),
      code_(code), x_(x), y_(y) {}

void FillAreaCommand::LimitTo(const CellRect& area) {
    if (tool_ != DrawTool::Bucket || !InMap(x_, y_) || !area.Contains(x_, y_)) {
        CellEdit::LimitTo(area);
        return;
    }
    // Outside the selection every cell gets a code other than the clicked one, so the fill cannot pass.
    MapGrid walled = document_->Grid();
    const auto wall = static_cast<TileCode>(walled[static_cast<std::size_t>(CellIndex(x_, y_))] + 1);
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y)
            if (!area.Contains(x, y))
                walled[static_cast<std::size_t>(CellIndex(x, y))] = wall;
    const MapGrid before = walled;
    ShapeCells cells;
    ApplyToolToGrid(cells, walled, DrawTool::Bucket, code_, -1, -1, x_, y_);
    changes_.clear();
    for (std::size_t i = 0; i < walled.size(); ++i)
        if (walled[i] != before[i])
            changes_.push_back({static_cast<std::uint16_t>(i), before[i], walled[i]});
}

} // namespace tav::edits
