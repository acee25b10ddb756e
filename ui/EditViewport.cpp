#include "EditViewport.h"

#include "MapGrid.h"
#include "MapPicture.h"
#include "PictureArea.h"

#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace tav {

namespace {

// One notch of a mouse wheel, in the units of QWheelEvent::angleDelta.
constexpr int WheelNotch = 120;
// How far one notch scrolls, in cells, at every tile edge.
constexpr int WheelStepCells = 3;

} // namespace

EditViewport::EditViewport(const QImage* picture, QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette navy = palette();
    navy.setColor(QPalette::Window, QColor(NoTileColour));
    setPalette(navy);
    area_ = new PictureArea(picture, this);
    area_->setObjectName(QStringLiteral("mapPicture"));
    area_->setPalette(navy);
    horzScrollBar_ = new QScrollBar(Qt::Horizontal, this);
    vertScrollBar_ = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {horzScrollBar_, vertScrollBar_}) {
        bar->setTracking(true); // the picture follows the thumb while it is dragged
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this] { PlaceParts(); });
    }
}

void EditViewport::resizeEvent(QResizeEvent*) {
    PlaceParts();
}

bool EditViewport::HorzScrollBarShown() const {
    return !horzScrollBar_->isHidden();
}

bool EditViewport::VertScrollBarShown() const {
    return !vertScrollBar_->isHidden();
}

QSize EditViewport::ScrollBarsExtent() const {
    return {VertScrollBarShown() ? ScrollBarExtent : 0, HorzScrollBarShown() ? ScrollBarExtent : 0};
}

void EditViewport::ShowScrollBars(bool horizontal, bool vertical) {
    ShowScrollBar(horzScrollBar_, horizontal);
    ShowScrollBar(vertScrollBar_, vertical);
}

void EditViewport::ShowScrollBar(QScrollBar* bar, bool shown) {
    bar->setSingleStep(edge_);
    if (!shown)
        bar->setValue(0);
    bar->setVisible(shown);
}

void EditViewport::PlaceParts() {
    const QSize bars = ScrollBarsExtent();
    const int w = std::max(width() - bars.width(), 0);
    const int h = std::max(height() - bars.height(), 0);
    area_->setGeometry(0, 0, w, h);
    horzScrollBar_->setGeometry(0, h, w, bars.height());
    vertScrollBar_->setGeometry(w, 0, bars.width(), h);
    const int f = MapSize * edge_;
    horzScrollBar_->setRange(0, std::max(f - w, 0));
    horzScrollBar_->setPageStep(std::max(w, 1));
    vertScrollBar_->setRange(0, std::max(f - h, 0));
    vertScrollBar_->setPageStep(std::max(h, 1));
    area_->SetOffset(QPoint(bars.height() ? horzScrollBar_->value() : 0, bars.width() ? vertScrollBar_->value() : 0));
    const QRectF area = VisibleArea();
    if (area != reportedArea_) {
        reportedArea_ = area;
        emit VisibleAreaChanged(area);
    }
}

void EditViewport::ScrollTo(QPoint offset) {
    // The scroll bars clamp to their range; a hidden one stands at 0 and the picture does not move.
    if (HorzScrollBarShown())
        horzScrollBar_->setValue(offset.x());
    if (VertScrollBarShown())
        vertScrollBar_->setValue(offset.y());
}

QRectF EditViewport::VisibleArea() const {
    const double e = edge_;
    const QRectF shown(QPointF(area_->Offset()) / e, QSizeF(area_->size()) / e);
    return shown.intersected(QRectF(0, 0, MapSize, MapSize));
}

void EditViewport::CenterOn(QPointF cell) {
    const QSize view = area_->size();
    ScrollTo((cell * edge_).toPoint() - QPoint(view.width() / 2, view.height() / 2));
}

void EditViewport::Wheel(const QWheelEvent& event, QPoint pixel) {
    const QPoint angle = event.angleDelta();
    if (event.modifiers().testFlag(Qt::ControlModifier)) {
        zoomRemainder_ += angle.y() != 0 ? angle.y() : angle.x();
        // A fine-grained wheel or a touchpad sends parts of a notch; each whole notch is one step of edge.
        if (std::abs(zoomRemainder_) >= WheelNotch) {
            const int steps = zoomRemainder_ > 0 ? 1 : -1;
            zoomRemainder_ = 0;
            emit EdgeStepRequested(steps, pixel);
        }
        return;
    }
    QPoint pixels = event.pixelDelta(); // a touchpad says how far, in pixels
    if (pixels.isNull()) {
        wheelRemainder_ += angle * (WheelStepCells * edge_);
        pixels = QPoint(wheelRemainder_.x() / WheelNotch, wheelRemainder_.y() / WheelNotch);
        wheelRemainder_ -= pixels * WheelNotch;
    }
    // Shift turns the vertical wheel sideways; some desktops have already done so.
    if (event.modifiers().testFlag(Qt::ShiftModifier))
        pixels = QPoint(pixels.y() != 0 ? pixels.y() : pixels.x(), 0);
    // Turning the wheel away from the user shows what lies above.
    ScrollTo(area_->Offset() - pixels);
}

} // namespace tav
