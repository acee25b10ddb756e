#pragma once
// The map edit window: the map at its tile edge, the blinking tool cursor, the mouse handed to the tool
// in force, and a size kept in whole cells. It observes the document and redraws what it is told.
//
// The window is the tool dispatch: it turns the mouse into cells for the tool in force and keeps the
// cursor. What it shows is drawn by MapPicture (the map) and EditMarks (grid lines, cursor); the
// selection and a floating paste live in SelectionLayer; scrolling in EditViewport.

#include "CellBlock.h"
#include "Document.h"
#include "DrawTools.h"
#include "EditSize.h"
#include "Platform.h"
#include "SelectionLayer.h"
#include "MovementRules.h"
#include "TileSets.h"
#include "TintedMap.h"

#include <QImage>
#include <QMdiSubWindow>
#include <QPoint>
#include <QRectF>
#include <QRegion>
#include <QSize>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QMdiArea;

namespace tav {

class EditViewport;
class MapTool;
class TileSetPictures;
struct ToolContext;

// The question the edit window asks the frame when the user resized it: the frame keeps the palette beside
// it and may lay everything out anew.
class EditWindowPlacement {
public:
    virtual ~EditWindowPlacement() = default;
    // The user resized the window to `client` (whole cells, less than the map's height). True when the frame
    // laid everything out again instead, so the window takes no size of its own.
    virtual bool PlacePaletteBeside(QSize client) = 0;
};

class MapEditView : public QMdiSubWindow {
    Q_OBJECT
public:
    MapEditView(Document* document, const TileSetPictures* pictures, QMdiArea* frame,
                EditWindowPlacement* placement);
    ~MapEditView() override;

    // The drawing tools, made from the registry and in its order; one of them is in force.
    const std::vector<std::unique_ptr<MapTool>>& Tools() const { return tools_; }
    void SetTool(std::size_t tool);
    // The tile edge the map is shown at, one of EditTileEdges.
    void SetEdge(TileEdge edge);
    TileEdge Edge() const { return edge_; }
    void SetPaintCode(int code) { paintCode_ = code; }
    // Drops a half-made shape or stroke.
    void CancelShape();
    // What Esc and a right click do: cancel whatever the tool in force has half made.
    void CancelGesture();

    // Thin lines between the cells, over the map.
    void SetGridLines(bool shown);
    bool GridLinesShown() const { return gridLines_; }
    // The territory overlay: every open cell tinted by the faction that reaches it first, as the faction
    // analysis window tints its map; it follows every change.
    void SetTerritoryShown(bool shown);
    bool TerritoryShown() const { return territory_ != nullptr; }
    // Which picture the overlay shows: the territory or the lead (先着差).
    void SetTintKind(TintKind kind);
    // The cost table and turn order the overlay and the ruler measure with.
    void SetMovementRules(const MovementCosts& costs, const TurnOrder& order);

    // Whether the cursor cycles through its colours; still, it keeps one colour.
    void SetBlinking(bool blinking);
    bool IsBlinking() const { return blinkTimer_.Interval() > 0; }

    // The part of the map the window shows, in cells; fractions where it is scrolled between cells.
    QRectF VisibleArea() const;
    // Scrolls so that the map point `cell` (in cells) is in the middle of the window, as far as it goes.
    void CenterOn(QPointF cell);

    // The selection: state of this window, not of the map. While there is one, the drawing tools paint only
    // inside it.
    const std::optional<CellRect>& Selection() const { return layer_.Selection(); }
    void SetSelection(std::optional<CellRect> rect);
    // Whether the mouse selects and moves cells (the range button is down) instead of painting.
    void SetSelecting(bool selecting);
    bool IsSelecting() const { return layer_.IsSelecting(); }
    // Moves the selection's cells by (dx, dy) as one step; the selection goes with them.
    void MoveSelection(int dx, int dy);
    // A pasted block floats under the pointer until a click places it or the paste is cancelled.
    void StartPaste(CellBlock block);
    void CancelPaste();
    bool IsPasting() const { return layer_.IsPasting(); }
    // The cell of the last left click, where the replace dialog takes its first code from.
    QPoint LastClickedCell() const { return lastClicked_; }

    // The size rule: the frame works out the largest client size that fits; the window takes it.
    void ApplyMaximumClientSize(QSize maximum);
    QSize MaximumClientSize() const { return maxClient_; }
    QSize EditClientSize() const;
    bool HorzScrollBarShown() const;
    bool VertScrollBarShown() const;

    QPoint CursorCell() const { return cursor_; }
    QString StatusText() const;
    // One colour step of the cursor; the blink timer calls it every 200 ms.
    void BlinkTick();
    // Starts the blink (the frame does it once it is shown).
    void StartBlinking();

signals:
    void StatusTextChanged(const QString& text);
    void SelectionChanged(bool hasSelection);
    // The code of the cell under the cursor, after a move or a change of that cell.
    void CursorCodeChanged(int code);
    // Alt+click or the middle button took the code of a cell, for the palette to pick.
    void CodeSampled(int code);
    // Ctrl+wheel asks for the next larger or smaller tile edge; the frame decides. Once the edge is in
    // force, the window scrolls so that the point under the pointer stays where it was.
    void EdgeRequested(TileEdge edge);
    void VisibleAreaChanged(const QRectF& area);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    MapTool& CurrentTool() const;
    ToolContext Context() const;
    int EdgePixels() const { return Pixels(edge_); }
    // Runs `change` (another tool, mode or paste) with the old tool's cursor taken off and the new one put on.
    void SwitchTool(const std::function<void()>& change);
    // Shows the overlay where it was and where it is now, and announces a selection that came or went.
    void RefreshOverlay();
    QPoint CellAtPixel(QPoint pixel) const;
    void RedrawMap();
    void RedrawCells(const std::vector<int>& cells);
    // Brings the territory overlay up to date with the map and shows the cells it changed.
    void FollowTerritory();
    void UpdateCaption();
    void SetCursor(QPoint cell);
    // Asks the tool in force for the cells its cursor covers, and works out their images.
    void TakeCursorCells();
    void ShowCursorCells();
    void PaintOverlay(QPainter& painter) const;
    void ReportStatus();
    void ReportCursorCode();
    void RefreshCursor();

    void OnMouseDown(Qt::MouseButton button, QPoint pixel, Qt::KeyboardModifiers modifiers);
    void OnMouseMove(QPoint pixel, Qt::MouseButtons buttons);
    void OnMouseUp(Qt::MouseButton button, QPoint pixel);
    void StepEdge(int steps, QPoint pixel);

    void OnResized();
    void SetEditClientSize(QSize client);

    Document* document_;
    const TileSetPictures* pictures_;
    EditWindowPlacement* placement_;
    std::vector<std::unique_ptr<MapTool>> tools_;
    std::size_t tool_ = 0; // the first registered tool, the pen
    TileEdge edge_ = TileEdge::Px8;
    int paintCode_ = 0;
    SelectionLayer layer_;
    bool announcedSelection_ = false; // what SelectionChanged said last
    QRegion shownOverlay_;
    QPoint lastClicked_{0, 0};

    std::vector<uchar> mapPixels_; // where mapPicture_'s pixels lie
    QImage mapPicture_;            // the whole map at the tile edge in force, without the cursor
    std::unique_ptr<TintedMap> territory_; // the map under the territory overlay; none while it is off
    TintKind tintKind_ = TintKind::Territory;
    MovementCosts costs_;
    TurnOrder order_;
    EditViewport* viewport_ = nullptr;

    QPoint cursor_{0, 0};
    ShapeCells cursorCells_; // the cells the cursor covers now
    // Their images under the symmetry mode, the first cursorImageCount_ of them.
    std::array<ShapeCells, 3> cursorImages_;
    int cursorImageCount_ = 0;
    int blinkPhase_ = 0;
    BlinkTimer blinkTimer_;
    bool blinkStarted_ = false; // the frame has been shown
    bool blinking_ = true;      // the user's choice
    bool gridLines_ = false;

    QSize maxClient_{0, 0};
    bool resizeBusy_ = false;
};

} // namespace tav
