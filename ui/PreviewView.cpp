#include "PreviewView.h"

#include "TileRender.h"
#include "TileSetPictures.h"
#include "TileSets.h"

#include <QCloseEvent>
#include <QMdiArea>

namespace tav {

PreviewView::PreviewView(const Document* document, const TileSetPictures* pictures, QMdiArea* frame)
    : QMdiSubWindow(nullptr, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                 Qt::WindowCloseButtonHint),
      document_(document), pictures_(pictures) {
    setObjectName(QStringLiteral("PreEditView"));
    setWindowTitle(QStringLiteral("Preview EditScreen"));
    picture_ = QImage(ClientEdge, ClientEdge, QImage::Format_RGB32);
    picture_.fill(palette().color(QPalette::Window));

    area_ = new PictureArea(&picture_, this);
    area_->setObjectName(QStringLiteral("PreviewImage"));
    area_->setFixedSize(ClientEdge, ClientEdge);
    setWidget(area_);
    frame->addSubWindow(this);
    SetClientSize(this, QSize(ClientEdge, ClientEdge));
    setFixedSize(size());
    move(413, 224);
    showMinimized();

    connect(document_, &Document::CellsChanged, this, &PreviewView::DrawCells);
    connect(document_, &Document::MapChanged, this, &PreviewView::DrawPreview);
    connect(pictures_, &TileSetPictures::Changed, this, &PreviewView::DrawPreview);
    DrawPreview();
}

void PreviewView::closeEvent(QCloseEvent* event) {
    // Closing only puts the preview aside; it keeps drawing while minimised.
    event->ignore();
    showMinimized();
}

void PreviewView::DrawPreview() {
    if (!pictures_->IsLoaded())
        return;
    const QImage& tiles = pictures_->Picture(PreviewScaleIndex);
    const MapGrid& grid = document_->Grid();
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y)
            DrawTile(picture_, x * CellEdge, y * CellEdge, tiles, CellEdge,
                     grid[static_cast<std::size_t>(CellIndex(x, y))]);
    area_->update();
}

void PreviewView::DrawCells(const std::vector<int>& cells) {
    if (!pictures_->IsLoaded())
        return;
    const QImage& tiles = pictures_->Picture(PreviewScaleIndex);
    const MapGrid& grid = document_->Grid();
    QRect changed;
    for (int index : cells) {
        const int x = index / MapSize;
        const int y = index % MapSize;
        DrawTile(picture_, x * CellEdge, y * CellEdge, tiles, CellEdge, grid[static_cast<std::size_t>(index)]);
        // Many cells (a moved or pasted block) are shown as the rectangle around them, in one repaint.
        if (cells.size() <= 64)
            area_->ShowPictureRect(QRect(x * CellEdge, y * CellEdge, CellEdge, CellEdge));
        else
            changed |= QRect(x * CellEdge, y * CellEdge, CellEdge, CellEdge);
    }
    if (!changed.isEmpty())
        area_->ShowPictureRect(changed);
}

} // namespace tav
