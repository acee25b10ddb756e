#include "Preview.h"

#include "Editview.h"
#include "Mainform.h"
#include "Pixels.h"
#include "TileRender.h"
#include "TileSets.h"

#include <QCloseEvent>
#include <QMdiArea>

namespace tav {

TPreEditView::TPreEditView(QMdiArea* frame)
    : QMdiSubWindow(nullptr, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                 Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("PreEditView"));
    setWindowTitle(QStringLiteral("Preview EditScreen"));
    HiddenPreviewImage = QImage(ClientEdge, ClientEdge, QImage::Format_RGB32);
    PreviewImage = QImage(ClientEdge, ClientEdge, QImage::Format_RGB32);
    HiddenPreviewImage.fill(palette().color(QPalette::Window));
    PreviewImage.fill(palette().color(QPalette::Window));

    PreviewArea = new PictureArea(&PreviewImage, this);
    PreviewArea->setObjectName(QStringLiteral("PreviewImage"));
    PreviewArea->setFixedSize(ClientEdge, ClientEdge);
    setWidget(PreviewArea);
    frame->addSubWindow(this);
    SetClientSize(this, QSize(ClientEdge, ClientEdge));
    setFixedSize(size());
    move(413, 224);
    showMinimized();
}

void TPreEditView::closeEvent(QCloseEvent* event) {
    // Closing only puts the preview aside; it keeps drawing while minimised.
    event->ignore();
    showMinimized();
}

void TPreEditView::DrawPreviewCell(int x, int y, int code) {
    const auto& bitmaps = MainView->TileBitmaps;
    if (!bitmaps.IsLoaded())
        return;
    DrawTile(HiddenPreviewImage, x * CellEdge, y * CellEdge, bitmaps.Picture(PreviewScaleIndex), CellEdge, code);
}

void TPreEditView::ShowPreviewCell(int x, int y) {
    const QRect square(x * CellEdge, y * CellEdge, CellEdge, CellEdge);
    CopyRect(PreviewImage, HiddenPreviewImage, square);
    PreviewArea->ShowPictureRect(square);
}

void TPreEditView::DrawPreview() {
    const MapGrid& grid = MainView->Document.Grid;
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y)
            DrawPreviewCell(x, y, grid[static_cast<std::size_t>(CellIndex(x, y))]);
    CopyRect(PreviewImage, HiddenPreviewImage, QRect(0, 0, ClientEdge, ClientEdge));
    PreviewArea->update();
}

void TPreEditView::UpdatePreviewCells(int code) {
    const ShapeCells& cells = MapEditView->ShapeCells;
    for (int i = 0; i < cells.CellCount; ++i) {
        const int x = cells.CellColumns[static_cast<std::size_t>(i)];
        const int y = cells.CellRows[static_cast<std::size_t>(i)];
        DrawPreviewCell(x, y, code);
        ShowPreviewCell(x, y);
    }
}

} // namespace tav
