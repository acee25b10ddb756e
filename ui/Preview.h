#pragma once
// The preview: the whole map at 4 pixels per cell. A passive view that the edit window keeps current.

#include "PictureArea.h"

#include <QImage>
#include <QMdiSubWindow>

class QMdiArea;

namespace tav {

class TPreEditView : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int ClientEdge = 192; // 48 cells of 4 pixels
    static constexpr int CellEdge = 4;

    explicit TPreEditView(QMdiArea* frame);

    void DrawPreview();
    void UpdatePreviewCells(int code);
    void DrawPreviewCell(int x, int y, int code);
    void ShowPreviewCell(int x, int y);

    QImage HiddenPreviewImage;
    QImage PreviewImage;
    PictureArea* PreviewArea = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace tav
