#pragma once
// The tile palette: all 128 tiles of the map's tile set at 16 pixels, on a grey grid, with a blinking
// frame around the picked tile. The picked code is editor state: the palette announces it.

#include "PictureArea.h"
#include "Platform.h"

#include <QImage>
#include <QMdiSubWindow>
#include <QRgb>

class QMdiArea;

namespace tav {

class TileSetPictures;

class TilePalette : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int CellPitch = 17; // a 16-pixel tile and a one-pixel grid line
    static constexpr int ClientWidth = 138;
    static constexpr int ClientHeight = 274;
    static constexpr QRgb GridColour = qRgb(128, 128, 128);

    TilePalette(const TileSetPictures* pictures, QMdiArea* frame);

    // The picked tile code, 0..127.
    int PickedCode() const { return pickedRow_ * 8 + pickedColumn_; }
    void Pick(int code);

    void BlinkTick();
    void StartBlinking();
    // Whether the frame cycles through its colours; still, it keeps one colour.
    void SetBlinking(bool blinking);
    bool IsBlinking() const { return blinkTimer_.Interval() > 0; }

signals:
    void CodePicked(int code);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void DrawPalette();
    void PaintSelectionFrame(QPainter& painter) const;
    QRect FrameSquare() const;
    void PickAt(QPoint pixel);

    const TileSetPictures* pictures_;
    QImage picture_; // the palette without the selection frame
    PictureArea* area_ = nullptr;
    int pickedColumn_ = 0;
    int pickedRow_ = 0;
    int blinkPhase_ = 0;
    bool picking_ = false; // the left button went down in the palette and has not come up
    BlinkTimer blinkTimer_;
    bool blinkStarted_ = false; // the frame has been shown
    bool blinking_ = true;      // the user's choice
};

} // namespace tav
