#include "TilePalette.h"

#include "BlinkColours.h"
#include "Pixels.h"
#include "TileRender.h"
#include "TileSetPictures.h"
#include "TileSets.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QPainter>

#include <algorithm>

namespace tav {

TilePalette::TilePalette(const TileSetPictures* pictures, QMdiArea* frame)
    : QMdiSubWindow(nullptr, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint), pictures_(pictures),
      blinkTimer_([this] { BlinkTick(); }, this) {
    setObjectName(QStringLiteral("tilePalette"));
    picture_ = QImage(ClientWidth, ClientHeight, QImage::Format_RGB32);
    picture_.fill(palette().color(QPalette::Window));

    area_ = new PictureArea(&picture_, this);
    area_->setObjectName(QStringLiteral("palettePicture"));
    area_->setFixedSize(ClientWidth, ClientHeight);
    connect(area_, &PictureArea::MousePressed, this, [this](Qt::MouseButton button, QPoint p) {
        if (button != Qt::LeftButton)
            return;
        picking_ = true;
        PickAt(p);
    });
    connect(area_, &PictureArea::MouseMoved, this, [this](QPoint p, Qt::MouseButtons held) {
        // Only a drag that started here picks, and only while the event says the button is still down.
        if (!held.testFlag(Qt::LeftButton))
            picking_ = false;
        if (picking_)
            PickAt(p);
    });
    connect(area_, &PictureArea::MouseReleased, this, [this] { picking_ = false; });
    connect(area_, &PictureArea::MouseLost, this, [this] { picking_ = false; });
    connect(area_, &PictureArea::PaintingOverlay, this, &TilePalette::PaintSelectionFrame);
    setWidget(area_);
    frame->addSubWindow(this);
    // Titled once in the frame: a title set before is measured again at every step of joining it.
    setWindowTitle(QStringLiteral("CharacterView"));
    // Single fixed border: the client area stays 138 x 274.
    SetClientSize(this, QSize(ClientWidth, ClientHeight));
    setFixedSize(size());
    move(CurrentPlatform().ScreenSize().width() - 200, 0);
    connect(pictures_, &TileSetPictures::Changed, this, &TilePalette::DrawPalette);
    DrawPalette();
}

void TilePalette::closeEvent(QCloseEvent* event) {
    // The palette has no close action; it lives until the program ends.
    event->ignore();
}

void TilePalette::DrawPalette() {
    const int w = picture_.width();
    const int h = picture_.height();
    FillRect(picture_, QRect(0, 0, w - 1, h - 1), palette().color(QPalette::Window).rgb());
    for (int x = 0; x + 1 <= w; x += CellPitch)
        FillRect(picture_, QRect(x, 0, 1, h - 1), GridColour);
    for (int y = 0; y + 1 <= h; y += CellPitch)
        FillRect(picture_, QRect(0, y, w - 1, 1), GridColour);
    if (pictures_->IsLoaded()) {
        const QImage& tiles = pictures_->Picture(PaletteTileEdge);
        for (int n = 0; n < 128; ++n)
            DrawTile(picture_, CellPitch * (n % 8) + 1, CellPitch * (n / 8) + 1, tiles, Pixels(PaletteTileEdge), n);
    }
    area_->update();
}

QRect TilePalette::FrameSquare() const {
    return QRect(CellPitch * pickedColumn_, CellPitch * pickedRow_, 18, 18);
}

void TilePalette::PaintSelectionFrame(QPainter& painter) const {
    const QColor colour = QColor::fromRgb(BlinkColours[static_cast<std::size_t>(blinkPhase_)]);
    const QRect outer = FrameSquare();
    // The tile's own outer ring and the grid lines around the cell.
    for (const QRect& r : {outer.adjusted(1, 1, -1, -1), outer}) {
        painter.fillRect(r.left(), r.top(), r.width(), 1, colour);
        painter.fillRect(r.left(), r.bottom(), r.width(), 1, colour);
        painter.fillRect(r.left(), r.top(), 1, r.height(), colour);
        painter.fillRect(r.right(), r.top(), 1, r.height(), colour);
    }
}

void TilePalette::BlinkTick() {
    blinkPhase_ = (blinkPhase_ + 1) % static_cast<int>(BlinkColours.size());
    area_->ShowPictureRect(FrameSquare());
}

void TilePalette::StartBlinking() {
    blinkStarted_ = true;
    SetBlinking(blinking_);
}

void TilePalette::SetBlinking(bool blinking) {
    blinking_ = blinking;
    if (blinkStarted_)
        blinkTimer_.SetInterval(blinking_ ? 200 : 0);
}

void TilePalette::Pick(int code) {
    code = std::clamp(code, 0, 127);
    if (code == PickedCode())
        return;
    area_->ShowPictureRect(FrameSquare());
    pickedColumn_ = code % 8;
    pickedRow_ = code / 8;
    blinkPhase_ = (blinkPhase_ + 1) % static_cast<int>(BlinkColours.size());
    area_->ShowPictureRect(FrameSquare());
    emit CodePicked(code);
}

void TilePalette::PickAt(QPoint pixel) {
    // Integer division truncates toward zero, so a pixel just left of or above the palette is column or row 0.
    const int column = std::clamp(pixel.x() / CellPitch, 0, 7);
    const int row = std::clamp(pixel.y() / CellPitch, 0, 15);
    Pick(row * 8 + column);
}

} // namespace tav
