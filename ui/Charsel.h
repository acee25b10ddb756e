#pragma once
// The tile palette: all 128 tiles of the tile set in force at 16 pixels, on a grey grid, with a
// blinking frame around the picked tile. The picked tile code lives here and nowhere else.

#include "PictureArea.h"
#include "Platform.h"

#include <QImage>
#include <QMdiSubWindow>
#include <QRgb>

#include <array>

class QMdiArea;

namespace tav {

// The 20 colours through which the palette's selection frame and the edit window's tool cursor cycle.
inline constexpr std::array<QRgb, 20> BlinkColours = {
    qRgb(132, 232, 232), qRgb(132, 232, 207), qRgb(132, 232, 182), qRgb(132, 232, 157), qRgb(132, 232, 132),
    qRgb(157, 207, 132), qRgb(182, 182, 132), qRgb(207, 157, 132), qRgb(232, 132, 132), qRgb(232, 132, 157),
    qRgb(232, 132, 182), qRgb(232, 132, 207), qRgb(232, 132, 232), qRgb(207, 132, 232), qRgb(182, 132, 232),
    qRgb(157, 132, 232), qRgb(132, 132, 232), qRgb(132, 157, 232), qRgb(132, 182, 232), qRgb(132, 207, 232),
};

class TCharacterView : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int CellPitch = 17; // a 16-pixel tile and a one-pixel grid line
    static constexpr int ClientWidth = 138;
    static constexpr int ClientHeight = 274;
    static constexpr QRgb GridColour = qRgb(128, 128, 128);

    explicit TCharacterView(QMdiArea* frame);

    // The picked tile code, 0..127.
    int SelectedTileCode() const { return SelectedRow * 8 + SelectedColumn; }

    void DrawPalette();
    void DrawSelectionFrame();
    void EraseSelectionFrame(int column, int row);

    void Timer1Timer();
    void CharSetImageMouseDown(Qt::MouseButton button, int x, int y);
    void CharSetImageMouseMove(int x, int y);
    void CharSetImageMouseUp();

    int SelectedColumn = 0;
    int SelectedRow = 0;
    int BlinkPhase = 0;
    int MouseHeld = 0;

    QImage HiddenImage;  // the palette without the selection frame
    QImage CharSetImage; // what the window shows
    PictureArea* CharSetArea = nullptr;
    BlinkTimer Timer1;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void PickAt(int x, int y);
};

} // namespace tav
