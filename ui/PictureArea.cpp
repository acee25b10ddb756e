#include "PictureArea.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace tav {

PictureArea::PictureArea(const QImage* picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void PictureArea::SetOffset(QPoint offset) {
    if (offset == offset_)
        return;
    offset_ = offset;
    update();
}

QSize PictureArea::sizeHint() const {
    return minimumSize().isEmpty() ? QSize(64, 64) : minimumSize();
}

void PictureArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // No SmoothPixmapTransform: on a scaled desktop every picture pixel becomes a block of equal pixels.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect target = event->rect();
    const QRect source = target.translated(offset_);
    const QRect inside = source.intersected(picture_->rect());
    if (inside != source)
        painter.fillRect(target, palette().window());
    if (!inside.isEmpty())
        painter.drawImage(inside.translated(-offset_), *picture_, inside);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.translate(-offset_);
    emit PaintingOverlay(painter);
}

QPoint PictureArea::PicturePos(const QMouseEvent* event) const {
    return event->position().toPoint() + offset_;
}

void PictureArea::mousePressEvent(QMouseEvent* event) {
    emit MousePressed(event->button(), PicturePos(event), event->modifiers());
}

void PictureArea::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is a press like any other.
    mousePressEvent(event);
}

void PictureArea::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMoved(PicturePos(event), event->buttons());
}

void PictureArea::mouseReleaseEvent(QMouseEvent* event) {
    emit MouseReleased(event->button(), PicturePos(event));
}

void PictureArea::wheelEvent(QWheelEvent* event) {
    if (!isSignalConnected(QMetaMethod::fromSignal(&PictureArea::WheelTurned))) {
        event->ignore();
        return;
    }
    emit WheelTurned(*event, event->position().toPoint() + offset_);
    event->accept();
}

bool PictureArea::event(QEvent* event) {
    // A modal dialog or another program taking over deactivates the window; a release may never come.
    if (event->type() == QEvent::WindowDeactivate)
        emit MouseLost();
    return QWidget::event(event);
}

void PictureArea::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit MouseLost();
}

QSize FrameExtent(const QMdiSubWindow* window) {
    // The subwindow keeps its frame and title bar as its own contents margins.
    const QMargins m = window->contentsMargins();
    return {m.left() + m.right(), m.top() + m.bottom()};
}

QSize ClientSize(const QMdiSubWindow* window) {
    return window->size() - FrameExtent(window);
}

void SetClientSize(QMdiSubWindow* window, QSize client) {
    window->resize(client + FrameExtent(window));
}

} // namespace tav
