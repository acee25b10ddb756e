#pragma once
// The size rules of the edit window, as pure functions: the largest client that fits beside the palette,
// and the whole cells a size the user asked for snaps to.

#include <QSize>

namespace tav {

// What the largest edit client size depends on; all in pixels.
struct EditSizeInputs {
    int Edge;             // tile edge e in the edit window
    int MainClientWidth;  // W
    int MainClientHeight; // H
    int PaletteWidth;     // P, the palette window's outer width
    int StatusBarHeight;  // S
    int ToolBarHeight;    // T
};

// The largest client size that fits beside the palette.
QSize ComputeEditSize(const EditSizeInputs& in);

// The client size the resize rule snaps a requested client size to: whole cells, never above the maximum.
QSize SnapEditClientSize(QSize requested, QSize maximum, int edge);

} // namespace tav
