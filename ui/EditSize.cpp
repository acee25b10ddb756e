#include "EditSize.h"

namespace tav {

QSize ComputeEditSize(const EditSizeInputs& in) {
    const int e = in.Edge;
    const int f = 48 * e;
    int width = f;
    bool widthReduced = false;
    if (in.MainClientWidth < f + in.PaletteWidth + 28) {
        width = e * ((in.MainClientWidth - in.PaletteWidth - 28) / e);
        widthReduced = true;
    }
    int height = f;
    const int available = in.MainClientHeight - in.StatusBarHeight - in.ToolBarHeight - 47;
    if (available < f) {
        height = e * (available / e);
        // Without a horizontal scroll bar its 16 pixels are free for the map.
        if (!widthReduced)
            height = e * ((height + 16) / e);
    }
    return {width, height};
}

QSize SnapEditClientSize(QSize requested, QSize maximum, int edge) {
    const int w = requested.width() < maximum.width() ? edge * (requested.width() / edge) : maximum.width();
    const int h = requested.height() < maximum.height() ? edge * (requested.height() / edge) : maximum.height();
    return {w, h};
}

} // namespace tav
