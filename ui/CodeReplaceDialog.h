#pragma once
// The dialog of 置換 and 交換: code A and code B, typed or picked from a tile grid (left click A, right
// click B), the area (the selection or the whole map), and how many cells the change will touch.

#include "CellBlock.h"

#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tav {

class PictureArea;
class TileSetPictures;

class CodeReplaceDialog : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Replace, Exchange };

    // A starts at `codeA` (the cell last clicked), B at `codeB` (the palette's tile); the area is the
    // selection when there is one.
    CodeReplaceDialog(Mode mode, const MapGrid& grid, std::optional<CellRect> selection, int codeA, int codeB,
                      const TileSetPictures& pictures, QWidget* parent);

    int CodeA() const;
    int CodeB() const;
    void SetCodes(int codeA, int codeB);
    CellRect Area() const;
    // How many cells the change would touch now.
    int ChangeCount() const;

private:
    void Update();
    void PickAt(QPoint pixel, Qt::MouseButton button);

    Mode mode_;
    const MapGrid& grid_;
    std::optional<CellRect> selection_;
    QImage tilePicture_;
    QSpinBox* codeA_ = nullptr;
    QSpinBox* codeB_ = nullptr;
    QRadioButton* inSelection_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

} // namespace tav
