#pragma once
// The widget that shows one of the views' pictures and hands the mouse to its window. It copies the
// picture to the screen pixel for pixel (no smoothing, also when the desktop scales the window); a
// window may paint transient marks (a cursor, a selection frame) over it.

#include <QImage>
#include <QMdiSubWindow>
#include <QPoint>
#include <QWidget>

#include <functional>

class QPainter;
class QWheelEvent;

namespace tav {

class PictureArea : public QWidget {
    Q_OBJECT
public:
    // `picture` is owned by the window and outlives this widget.
    PictureArea(const QImage* picture, QWidget* parent);

    // The picture pixel shown at the widget's top-left corner (the scroll position).
    void SetOffset(QPoint offset);
    QPoint Offset() const { return offset_; }

    // Repaints the part of the screen that shows `pictureRect` of the picture.
    void ShowPictureRect(const QRect& pictureRect) { update(pictureRect.translated(-offset_)); }

    // Mouse handlers, given positions in picture pixels.
    std::function<void(Qt::MouseButton, QPoint, Qt::KeyboardModifiers)> MouseDown;
    std::function<void(QPoint, Qt::MouseButtons)> MouseMove;
    std::function<void(Qt::MouseButton, QPoint)> MouseUp;
    // The wheel turned or the touchpad scrolled with the pointer at a picture position; without a handler
    // the event goes on to the parent.
    std::function<void(const QWheelEvent&, QPoint)> Wheel;
    // The widget lost the mouse or the keyboard: a gesture in progress must end.
    std::function<void()> MouseLost;
    // Paints over the picture; the painter is in picture pixels, clipped to what is being repainted.
    std::function<void(QPainter&)> PaintOverlay;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QPoint PicturePos(const QMouseEvent* event) const;

    const QImage* picture_;
    QPoint offset_;
};

// The client area of an MDI child: the size of its inner widget.
QSize ClientSize(const QMdiSubWindow* window);
// Sizes an MDI child so that its inner widget gets `client`; the frame and title bar come on top.
void SetClientSize(QMdiSubWindow* window, QSize client);
// The pixels the frame and title bar of an MDI child add to its client area.
QSize FrameExtent(const QMdiSubWindow* window);

} // namespace tav
