#pragma once
// The widget that shows one of the views' pictures and tells its window about the mouse. It copies the
// picture to the screen pixel for pixel (no smoothing, also when the desktop scales the window); the
// window may paint transient marks (a cursor, a selection frame) over it when asked to.

#include <QImage>
#include <QMdiSubWindow>
#include <QPoint>
#include <QWidget>

class QPainter;
class QWheelEvent;

namespace tav {

class PictureArea : public QWidget {
    Q_OBJECT
public:
    // `picture` is owned by the window and outlives this widget.
    PictureArea(const QImage* picture, QWidget* parent);

    // Shows another picture of the same size (the edit window's map with or without the territory tint).
    void SetPicture(const QImage* picture) {
        picture_ = picture;
        update();
    }

    // The picture pixel shown at the widget's top-left corner (the scroll position).
    void SetOffset(QPoint offset);
    QPoint Offset() const { return offset_; }
    // The whole picture, of which the widget shows a part.
    const QImage& Picture() const { return *picture_; }

    // Repaints the part of the screen that shows `pictureRect` of the picture.
    void ShowPictureRect(const QRect& pictureRect) { update(pictureRect.translated(-offset_)); }

    QSize sizeHint() const override;

signals:
    // The mouse, at positions in picture pixels.
    void MousePressed(Qt::MouseButton button, QPoint pixel, Qt::KeyboardModifiers modifiers);
    void MouseMoved(QPoint pixel, Qt::MouseButtons held);
    void MouseReleased(Qt::MouseButton button, QPoint pixel);
    // The wheel turned or the touchpad scrolled with the pointer at a picture position; while nothing
    // listens the event goes on to the parent.
    void WheelTurned(const QWheelEvent& event, QPoint pixel);
    // The widget lost the mouse or the keyboard: a gesture in progress must end.
    void MouseLost();
    // The picture has been copied to the screen: paint the marks over it. The painter is in picture pixels,
    // clipped to what is being repainted.
    void PaintingOverlay(QPainter& painter);

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
