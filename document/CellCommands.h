#pragma once
// The commands that change cells and have no logic of their own: each works out its changes once, in its
// constructor, from its edit as made in each image of the symmetry mode (or, over the whole map, by running
// a core function on a copy of the map); CellEdit applies and reverts them.

#include "CellEdit.h"

namespace tav::edits {

// A two-point shape (line, rectangle, ellipse, outlined) painted at its second point; a castle that would
// overlap its images is left out, as the pen leaves it out.
class PaintShapeCommand : public CellEdit {
public:
    PaintShapeCommand(Document* document, DrawTool tool, TileCode code, int anchorX, int anchorY, int x, int y);
};

// The map side of a cut: the selection is left holding the new map's code (the copy is the clipboard's).
class CutCellsCommand : public CellEdit {
public:
    CutCellsCommand(Document* document, const CellRect& rect);
};

// Moving the cells of a selection: the rectangle it leaves holds the new map's code, and what is moved past
// the map's edge is dropped.
class MoveCellsCommand : public CellEdit {
public:
    MoveCellsCommand(Document* document, const CellRect& rect, int dx, int dy);
};

// Putting a copied block on the map with its top-left cell at a given cell; cells past the edge are dropped.
class PasteBlockCommand : public CellEdit {
public:
    PasteBlockCommand(Document* document, const CellBlock& block, int left, int top);
};

// Replacing one code by another in an area (a selection or the whole map). Any byte may be replaced, so a
// map with codes that have no tile can be repaired. Inside a selection each image replaces the images of the
// two codes in the image of the selection; over the whole map the change is not mirrored.
class ReplaceCodesCommand : public CellEdit {
public:
    ReplaceCodesCommand(Document* document, TileCode from, TileCode to, const CellRect& area = WholeMap);
};

// Swapping two codes in an area (a selection or the whole map), mirrored as replacing is.
class ExchangeCodesCommand : public CellEdit {
public:
    ExchangeCodesCommand(Document* document, TileCode a, TileCode b, const CellRect& area = WholeMap);
};

// Shaping the whole map: shores, cliff edges, ranges, tree runs, castle walls and alternating houses.
class ShapeMapCommand : public CellEdit {
public:
    explicit ShapeMapCommand(Document* document);
};

// Unshaping the whole map: shaped terrain goes back to its plain tiles.
class UnshapeMapCommand : public CellEdit {
public:
    explicit UnshapeMapCommand(Document* document);
};

} // namespace tav::edits
