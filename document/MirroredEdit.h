#pragma once
// Symmetric editing: an edit the user makes is made in every image of the document's symmetry mode as
// well, in the same undo step. Each cell command describes its edit once, as a function of the image it is
// made in (image 0 being the user's own), and MirroredChanges runs it for every image on the map as it was
// before the edit.

#include "CellBlock.h"
#include "CellGrid.h"
#include "Document.h"
#include "Symmetry.h"

#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace tav::edits {

// One image of an edit: where the user's cells and codes go in it, and the cells it writes.
class EditImage {
public:
    // `limit` is the user's selection, if painting is limited to one; the image is limited to its image.
    EditImage(const MapGrid& before, SymmetryMode mode, int index, const std::optional<CellRect>& limit);

    // The map before the edit: every image reads this one, never another image's writes.
    const MapGrid& Before() const { return before_; }
    TileCode Before(MapCell cell) const { return before_[GridIndex(cell)]; }
    int Index() const { return index_; }

    // The image of a cell inside the map, of a code, and of a rectangle inside the map.
    MapCell Cell(MapCell cell) const { return ImageCell(mode_, index_, cell); }
    TileCode Code(TileCode code) const { return ImageCode(mode_, index_, code); }
    CellRect Rect(const CellRect& rect) const;
    // The image of the selection that limits the edit, if there is one.
    const std::optional<CellRect>& Limit() const { return limit_; }

    // Writes `code` at `cell` of this image; a cell outside the map or the limit is left alone. A later
    // write of the same cell wins.
    void Write(MapCell cell, TileCode code);
    // Writes the image of the user's write of `code` at (x, y): the image code at the image cell.
    void WriteImageOf(int x, int y, TileCode code);

    struct CellWrite {
        std::uint16_t Index; // CellIndex
        TileCode Code;
    };
    const std::vector<CellWrite>& Writes() const { return writes_; }

private:
    const MapGrid& before_;
    SymmetryMode mode_;
    int index_;
    std::optional<CellRect> limit_;
    std::vector<CellWrite> writes_;
};

// An edit as it is made in one image.
using ImageEdit = std::function<void(EditImage& image)>;

// A castle the user's edit writes that would stand within two cells of an image of one of the edit's castles
// (its own images included), so that the blocks overlap: 対称にする removes such castles and shaping would
// cover one with the other's ring, so painting never places one. What the edit does then:
enum class CrowdedCastles : std::uint8_t {
    RefuseEdit, // nothing is written: a fill, a paste, a move
    SkipCastle, // that castle and its images are not written, the rest is: the pen and the shapes
};

// One bit per cell, by CellIndex.
using CellMask = std::bitset<MapCells>;

struct MirrorOptions {
    CrowdedCastles Crowded = CrowdedCastles::RefuseEdit;
    // Cells the user wrote earlier in the same gesture (a pen stroke): they stay the user's, no image writes
    // them.
    const CellMask* EarlierUserCells = nullptr;
};

struct MirroredEdit {
    std::vector<CellChange> Changes;
    std::vector<RemovedCastle> RefusedCastles; // the crowded castles the user's edit would have written
    CellMask UserCells;                        // the cells the user's own edit wrote
};

// The changes of `edit` made in image 0 and in every image of `mode`, all worked out on `before`. Where an
// image writes a cell the user's own edit writes, the user's write wins; where images overlap each other, the
// lower image wins.
MirroredEdit MirroredChanges(const MapGrid& before, SymmetryMode mode, const std::optional<CellRect>& limit,
                             const ImageEdit& edit, const MirrorOptions& options = {});

} // namespace tav::edits
