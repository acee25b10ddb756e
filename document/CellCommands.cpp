#include "CellCommands.h"

#include "Shaping.h"

#include <QCoreApplication>

#include <algorithm>
#include <optional>

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
    : CellEdit(document, ShapeText(tool), ToolEdit(tool, code, anchorX, anchorY, x, y), true,
               CrowdedCastles::SkipCastle) {}

CutCellsCommand::CutCellsCommand(Document* document, const CellRect& rect)
    : CellEdit(document, QCoreApplication::translate("UndoCommands", "切り取り"), [rect](EditImage& image) {
          if (const auto inside = ClipToMap(rect))
              for (int x = inside->Left; x <= inside->Right; ++x)
                  for (int y = inside->Top; y <= inside->Bottom; ++y)
                      image.WriteImageOf(x, y, NewMapTile);
      }) {}

MoveCellsCommand::MoveCellsCommand(Document* document, const CellRect& rect, int dx, int dy)
    : CellEdit(document, QCoreApplication::translate("UndoCommands", "移動"), [rect, dx, dy](EditImage& image) {
          const auto inside = ClipToMap(rect);
          if (!inside || (dx == 0 && dy == 0))
              return;
          // The rectangle is left holding the new map's code, then its old codes are written at the new place;
          // each image writes the images of both, so the moved block arrives mirrored.
          for (int x = inside->Left; x <= inside->Right; ++x)
              for (int y = inside->Top; y <= inside->Bottom; ++y)
                  image.WriteImageOf(x, y, NewMapTile);
          // Far offsets put the whole block off the map; clamping keeps the sums from overflowing.
          const int mx = std::clamp(dx, -2 * MapSize, 2 * MapSize);
          const int my = std::clamp(dy, -2 * MapSize, 2 * MapSize);
          for (int x = inside->Left; x <= inside->Right; ++x)
              for (int y = inside->Top; y <= inside->Bottom; ++y)
                  image.WriteImageOf(x + mx, y + my, image.Before({x, y}));
      }) {}

PasteBlockCommand::PasteBlockCommand(Document* document, const CellBlock& block, int left, int top)
    : CellEdit(document, QCoreApplication::translate("UndoCommands", "貼りつけ"), [block, left, top](EditImage& image) {
          ForEachPlacedCell(block, left, top,
                            [&image](int x, int y, TileCode code) { image.WriteImageOf(x, y, code); });
      }) {}

namespace {

// Rewrites the codes of `area` in each image: the image's own cells, with the images of the two codes.
template <class Rewrite>
ImageEdit RewriteArea(const CellRect& area, TileCode a, TileCode b, Rewrite rewrite) {
    return [=](EditImage& image) {
        const auto inside = ClipToMap(area);
        if (!inside)
            return;
        const CellRect r = image.Rect(*inside);
        const TileCode imageA = image.Code(a);
        const TileCode imageB = image.Code(b);
        for (int x = r.Left; x <= r.Right; ++x)
            for (int y = r.Top; y <= r.Bottom; ++y)
                if (const auto now = rewrite(image.Before({x, y}), imageA, imageB))
                    image.Write({x, y}, *now);
    };
}

std::optional<TileCode> Replaced(TileCode code, TileCode from, TileCode to) {
    return code == from ? std::optional(to) : std::nullopt;
}

std::optional<TileCode> Exchanged(TileCode code, TileCode a, TileCode b) {
    return code == a ? std::optional(b) : code == b ? std::optional(a) : std::nullopt;
}

} // namespace

// Over the whole map the images would only repeat the change with other codes, so it is made as asked.
ReplaceCodesCommand::ReplaceCodesCommand(Document* document, TileCode from, TileCode to, const CellRect& area)
    : CellEdit(document, QCoreApplication::translate("UndoCommands", "置換"), RewriteArea(area, from, to, Replaced),
               area != WholeMap) {}

ExchangeCodesCommand::ExchangeCodesCommand(Document* document, TileCode a, TileCode b, const CellRect& area)
    : CellEdit(document, QCoreApplication::translate("UndoCommands", "交換"), RewriteArea(area, a, b, Exchanged),
               area != WholeMap) {}

ShapeMapCommand::ShapeMapCommand(Document* document)
    : CellEdit(document, QCoreApplication::translate("UndoCommands", "整形"), WholeMapChanges(*document, ShapeMap)) {}

UnshapeMapCommand::UnshapeMapCommand(Document* document)
    : CellEdit(document, QCoreApplication::translate("UndoCommands", "整形の解除"),
               WholeMapChanges(*document, UnshapeMap)) {}

} // namespace tav::edits
