#include "Charsel.h"

#include "Mainform.h"
#include "Pixels.h"
#include "TileRender.h"
#include "TileSets.h"

#include <QCloseEvent>
#include <QMdiArea>

#include <algorithm>

namespace tav {

TCharacterView::TCharacterView(QMdiArea* frame)
    : QMdiSubWindow(nullptr, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Timer1([this] { Timer1Timer(); }, this) {
    setObjectName(QStringLiteral("CharacterView"));
    setWindowTitle(QStringLiteral("CharacterView"));
    HiddenImage = QImage(ClientWidth, ClientHeight, QImage::Format_RGB32);
    CharSetImage = QImage(ClientWidth, ClientHeight, QImage::Format_RGB32);
    HiddenImage.fill(palette().color(QPalette::Window));
    CharSetImage.fill(palette().color(QPalette::Window));

    CharSetArea = new PictureArea(&CharSetImage, this);
    CharSetArea->setObjectName(QStringLiteral("CharSetImage"));
    CharSetArea->setFixedSize(ClientWidth, ClientHeight);
    CharSetArea->MouseDown = [this](Qt::MouseButton button, QPoint p) { CharSetImageMouseDown(button, p.x(), p.y()); };
    CharSetArea->MouseMove = [this](QPoint p) { CharSetImageMouseMove(p.x(), p.y()); };
    CharSetArea->MouseUp = [this](Qt::MouseButton, QPoint) { CharSetImageMouseUp(); };
    setWidget(CharSetArea);
    frame->addSubWindow(this);
    FormCreate();
}

void TCharacterView::FormCreate() {
    SelectedColumn = 0;
    SelectedRow = 0;
    BlinkPhase = 0;
    MouseHeld = 0;
    // Single fixed border: the client area stays 138 x 274.
    SetClientSize(this, QSize(ClientWidth, ClientHeight));
    setFixedSize(size());
    move(CurrentPlatform().ScreenSize().width() - 200, 0);
}

void TCharacterView::closeEvent(QCloseEvent* event) {
    // The palette has no close action; it lives until the program ends.
    event->ignore();
}

void TCharacterView::DrawPalette() {
    const int w = HiddenImage.width();
    const int h = HiddenImage.height();
    FillRect(HiddenImage, QRect(0, 0, w - 1, h - 1), palette().color(QPalette::Window).rgb());
    for (int x = 0; x + 1 <= w; x += CellPitch)
        FillRect(HiddenImage, QRect(x, 0, 1, h - 1), GridColour);
    for (int y = 0; y + 1 <= h; y += CellPitch)
        FillRect(HiddenImage, QRect(0, y, w - 1, 1), GridColour);
    const auto& bitmaps = MainView->TileBitmaps;
    if (bitmaps.IsLoaded()) {
        const int edge = ScaleTileEdge[PaletteScaleIndex];
        for (int n = 0; n < 128; ++n)
            DrawTile(HiddenImage, CellPitch * (n % 8) + 1, CellPitch * (n / 8) + 1, bitmaps.Picture(PaletteScaleIndex),
                     edge, n);
    }
    // The copy also wipes the selection frame; the next tick draws it again.
    CopyRect(CharSetImage, HiddenImage, QRect(0, 0, w - 1, h - 1));
    CharSetArea->update();
}

void TCharacterView::DrawSelectionFrame() {
    BlinkPhase = BlinkPhase + 1 > 19 ? 0 : BlinkPhase + 1;
    const QRgb colour = BlinkColours[static_cast<std::size_t>(BlinkPhase)];
    const int left = CellPitch * SelectedColumn;
    const int top = CellPitch * SelectedRow;
    FrameRect(CharSetImage, QRect(left + 1, top + 1, 16, 16), colour); // the tile's own outer ring
    FrameRect(CharSetImage, QRect(left, top, 18, 18), colour);         // the grid lines around the cell
    CharSetArea->ShowPictureRect(QRect(left, top, 18, 18));
}

void TCharacterView::EraseSelectionFrame(int column, int row) {
    const QRect square(CellPitch * column, CellPitch * row, 18, 18);
    CopyRect(CharSetImage, HiddenImage, square);
    CharSetArea->ShowPictureRect(square);
}

void TCharacterView::Timer1Timer() {
    Timer1.SetInterval(0);
    DrawSelectionFrame();
    Timer1.SetInterval(200);
}

void TCharacterView::PickAt(int x, int y) {
    // Integer division truncates toward zero, so a pixel just left of or above the palette is column or row 0.
    const int column = std::clamp(x / CellPitch, 0, 7);
    const int row = std::clamp(y / CellPitch, 0, 15);
    if (column == SelectedColumn && row == SelectedRow)
        return;
    Timer1.SetInterval(0);
    EraseSelectionFrame(SelectedColumn, SelectedRow);
    SelectedColumn = column;
    SelectedRow = row;
    DrawSelectionFrame();
    Timer1.SetInterval(200);
}

void TCharacterView::CharSetImageMouseDown(Qt::MouseButton button, int x, int y) {
    if (button != Qt::LeftButton)
        return;
    MouseHeld = 1;
    PickAt(x, y);
}

void TCharacterView::CharSetImageMouseMove(int x, int y) {
    if (MouseHeld == 0)
        return;
    PickAt(x, y);
}

void TCharacterView::CharSetImageMouseUp() {
    MouseHeld = 0;
}

} // namespace tav
