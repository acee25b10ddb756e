#pragma once
// The edit window's selection and floating paste: the selected rectangle (state of the window, not of the
// map), the range tool that draws and moves it, the paste tool that carries a block until a click puts it
// down, and the overlay both show over the map: the marching frame, the dragged cells, the floating block.

#include "CellBlock.h"
#include "Symmetry.h"

#include <QPoint>
#include <QRegion>

#include <memory>
#include <optional>

class QImage;
class QPainter;

namespace tav {

class MapTool;
class PasteTool;
class SelectionTool;

class SelectionLayer {
public:
    SelectionLayer();
    ~SelectionLayer();
    SelectionLayer(const SelectionLayer&) = delete;
    SelectionLayer& operator=(const SelectionLayer&) = delete;

    const std::optional<CellRect>& Selection() const { return selection_; }
    // Takes `rect` clipped to the map, or no selection.
    void SetSelection(std::optional<CellRect> rect);

    // Whether the mouse selects and moves cells (the range button is down) instead of painting.
    bool IsSelecting() const { return selecting_; }
    void SetSelecting(bool selecting) { selecting_ = selecting; }

    // Whether a pasted block floats under the pointer, waiting for the click that puts it down.
    bool IsPasting() const { return pasting_; }
    // The mode the floating block is shown mirrored in, as the paste will place it.
    void SetSymmetry(SymmetryMode mode) { symmetry_ = mode; }
    void StartPaste(CellBlock block);
    void EndPaste() { pasting_ = false; }

    // The tool that takes the mouse from the drawing tool: the paste tool while a block floats, else the
    // range tool while selecting; nullptr while the drawing tool has it.
    MapTool* ActiveTool() const;

    // The picture pixels the overlay covers at tile edge `edge` with the pointer on cell `cursor`.
    QRegion Region(int edge, QPoint cursor) const;
    // Paints the overlay: the floating block and its images with `tiles` (nullptr while no tile set is loaded), the dragged
    // cells as `mapPicture` shows them, and the frame, its dashes stepped on by `blinkPhase`.
    void Paint(QPainter& painter, int edge, QPoint cursor, const QImage* tiles, const QImage& mapPicture,
               int blinkPhase) const;

private:
    // The floating block's images under the symmetry mode, where they meet `shown`.
    void PaintBlockImages(QPainter& painter, int edge, QPoint cursor, const QImage& tiles, const QRect& shown) const;
    // How far the range tool drags the selection's cells, in pixels; nothing while none is dragged.
    QPoint DragShift(int edge) const;

    std::optional<CellRect> selection_;
    std::unique_ptr<SelectionTool> selectionTool_;
    std::unique_ptr<PasteTool> pasteTool_;
    bool selecting_ = false;
    bool pasting_ = false;
    SymmetryMode symmetry_ = SymmetryMode::None;
};

} // namespace tav
