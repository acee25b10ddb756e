#pragma once
// The map edit window: the map at the edit scale, the blinking tool cursor, the tools' click protocol,
// and a size kept in whole cells beside the tile palette.

#include "DrawTools.h"
#include "PictureArea.h"
#include "Platform.h"

#include <QImage>
#include <QMdiSubWindow>
#include <QPoint>
#include <QSize>

class QMdiArea;
class QScrollBar;

namespace tav {

// What the largest edit client size depends on; all in pixels.
struct EditSizeInputs {
    int Edge;             // tile edge e at the edit scale
    int MainClientWidth;  // W
    int MainClientHeight; // H
    int PaletteWidth;     // P, the palette window's outer width
    int StatusBarHeight;  // S
    int SpeedBarHeight;   // T
};

// The largest client size (MaxClientWidth, MaxClientHeight) that fits beside the palette.
QSize ComputeEditSize(const EditSizeInputs& in);

// The client size the resize rule snaps a requested client size to: whole cells, never above the maximum.
QSize SnapEditClientSize(QSize requested, QSize maximum, int edge);

class TMapEditView : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int PictureEdge = 1536; // 48 cells of 32 pixels, at every scale
    static constexpr int ScrollBarExtent = 16;
    static constexpr QRgb Navy = qRgb(0, 0, 128);

    explicit TMapEditView(QMdiArea* frame);

    // Operations the other windows call.
    void RedrawMap();
    void LayoutEditWindow();
    void EraseToolCursor(int x, int y);
    void CancelShape();

    // Internal steps, public so that tests and benchmarks can drive them one by one.
    void DrawToolCursor();
    void ApplyTool(int tool, int x, int y);
    QPoint CellAtPixel(int px, int py) const;
    void DrawTileToBuffer(int x, int y, int code);
    void ShowCell(int x, int y);
    void ComputeEditSize();
    int Edge() const;

    // Event handlers; positions are pixels of EditMapImage.
    void EditMapImageMouseDown(Qt::MouseButton button, int px, int py);
    void EditMapImageMouseMove(int px, int py);
    void EditMapImageMouseUp(Qt::MouseButton button);
    void Timer1Timer();

    // The client area: the part of the window that shows the picture, without frame and scroll bars.
    QSize EditClientSize() const;
    void SetEditClientSize(QSize client);
    bool HorzScrollBarShown() const;
    bool VertScrollBarShown() const;

    int AnchorX = -1;
    int AnchorY = -1;
    int CursorX = 0;
    int CursorY = 0;
    int BlinkPhase = 0;
    int InStroke = 0;
    int CursorErased = 0;
    tav::ShapeCells ShapeCells;
    int MaxClientWidth = 0;
    int MaxClientHeight = 0;

    QImage HiddenMapImage; // the clean map
    QImage EditMapImage;   // what the window shows: the map with the tool cursor
    PictureArea* EditArea = nullptr;
    QScrollBar* HorzScrollBar = nullptr;
    QScrollBar* VertScrollBar = nullptr;
    BlinkTimer Timer1;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class Client;

    void FormResize();
    void SetScrollBar(QScrollBar* bar, bool shown, int edge);
    void PlaceClientParts();
    void ShowCells(const tav::ShapeCells& cells);

    Client* client_ = nullptr;
    // One busy flag per handler that calls the platform while it draws; an event arriving while its
    // handler runs is dropped.
    bool cursorBusy_ = false;
    bool mouseDownBusy_ = false;
    bool mouseMoveBusy_ = false;
    bool resizeBusy_ = false;
    int drawnEdge_ = 0; // tile edge of the last full redraw, to clear what a larger scale left behind
};

} // namespace tav
