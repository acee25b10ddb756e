#pragma once
// The edit window's client: the map picture with its two scroll bars, which sit outside the picture as a
// window's own scroll bars do. It scrolls by the bars, the wheel and the touchpad, turns Ctrl+wheel into
// requests for another tile edge, and tells which part of the map is in view.

#include <QPoint>
#include <QRectF>
#include <QWidget>

class QImage;
class QScrollBar;
class QWheelEvent;

namespace tav {

class PictureArea;

class EditViewport : public QWidget {
    Q_OBJECT
public:
    static constexpr int ScrollBarExtent = 16;

    // `picture` is the window's map picture; it outlives this widget.
    EditViewport(const QImage* picture, QWidget* parent);

    PictureArea* Area() const { return area_; }
    // Pixels per cell: the map's size in the picture and one step of the scroll bars.
    void SetEdge(int edge) { edge_ = edge; }

    bool HorzScrollBarShown() const;
    bool VertScrollBarShown() const;
    // Shows or hides the bars; a hidden bar stands at 0.
    void ShowScrollBars(bool horizontal, bool vertical);
    // What the shown bars take from the client: the vertical bar's width, the horizontal bar's height.
    QSize ScrollBarsExtent() const;

    // Scrolls so that the picture pixel `offset` is at the top-left corner, as far as the bars go.
    void ScrollTo(QPoint offset);
    // The part of the map in view, in cells; fractions where it is scrolled between cells.
    QRectF VisibleArea() const;
    // Scrolls so that the map point `cell` (in cells) is in the middle, as far as it goes.
    void CenterOn(QPointF cell);
    // Lays out the picture and the bars after a change of edge, size, bars or scroll position.
    void PlaceParts();

    // The wheel turned or the touchpad scrolled with the pointer on `pixel` of the picture.
    void Wheel(const QWheelEvent& event, QPoint pixel);

signals:
    void VisibleAreaChanged(const QRectF& area);
    // Ctrl+wheel turned a whole notch with the pointer on `pixel`: one edge larger (+1) or smaller (-1).
    void EdgeStepRequested(int steps, QPoint pixel);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowScrollBar(QScrollBar* bar, bool shown);

    PictureArea* area_ = nullptr;
    QScrollBar* horzScrollBar_ = nullptr;
    QScrollBar* vertScrollBar_ = nullptr;
    int edge_ = 8;
    QPoint wheelRemainder_; // wheel turns not yet worth a whole pixel, in 1/120 of a notch times pixels
    int zoomRemainder_ = 0; // Ctrl+wheel turns not yet worth a whole notch
    QRectF reportedArea_;   // the visible area last announced
};

} // namespace tav
