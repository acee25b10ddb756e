#pragma once
// The preview: the whole map at 4 pixels per cell. It observes the document and follows every change.

#include "Document.h"
#include "PictureArea.h"

#include <QImage>
#include <QMdiSubWindow>

#include <vector>

class QMdiArea;

namespace tav {

class TileSetPictures;

class PreviewView : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int ClientEdge = 192; // 48 cells of 4 pixels
    static constexpr int CellEdge = 4;

    PreviewView(const Document* document, const TileSetPictures* pictures, QMdiArea* frame);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void DrawPreview();
    void DrawCells(const std::vector<int>& cells);

    const Document* document_;
    const TileSetPictures* pictures_;
    QImage picture_;
    PictureArea* area_ = nullptr;
};

} // namespace tav
