#pragma once
// The preview: the whole map at 4 pixels per cell. It observes the document and follows every change,
// frames the part the edit window shows, and a click or drag in it asks for the edit window to go there.

#include "Document.h"
#include "PictureArea.h"
#include "TileSets.h"

#include <QImage>
#include <QMdiSubWindow>
#include <QRect>
#include <QRectF>

#include <vector>

class QMdiArea;

namespace tav {

class TileSetPictures;

// Where a restored preview of `preview` size goes in a frame of `frame` so that it does not cover the
// palette at `palette`: right of it, else below it, else left of it; as far inside the frame as it fits.
QPoint PlaceBesidePalette(const QRect& frame, const QRect& palette, QSize preview);

class PreviewView : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int ClientEdge = 192; // 48 cells of 4 pixels
    static constexpr int CellEdge = Pixels(PreviewTileEdge);

    static constexpr QRgb VisibleFrameColour = qRgb(255, 255, 255);

    PreviewView(const Document* document, const TileSetPictures* pictures, QMdiArea* frame);

    // The part of the map the edit window shows, in cells; framed unless it is the whole map.
    void ShowVisibleArea(const QRectF& area);
    QRect VisibleFrame() const; // in preview pixels; empty when no frame is drawn

signals:
    // The user clicked or dragged at this map point (in cells): the edit window should show it in its middle.
    void NavigateRequested(QPointF cell);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void DrawPreview();
    void DrawCells(const std::vector<int>& cells);
    void PaintVisibleFrame(QPainter& painter) const;
    void NavigateTo(QPoint pixel);

    const Document* document_;
    const TileSetPictures* pictures_;
    QImage picture_;
    PictureArea* area_ = nullptr;
    QRectF visibleArea_{0, 0, MapSize, MapSize};
    bool navigating_ = false; // the left button went down in the preview and has not come up
};

} // namespace tav
