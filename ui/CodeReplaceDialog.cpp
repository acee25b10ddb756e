#include "CodeReplaceDialog.h"

#include "PictureArea.h"
#include "TilePalette.h"
#include "TileRender.h"
#include "TileSetPictures.h"
#include "TileSets.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tav {

namespace {

constexpr int Pitch = TilePalette::CellPitch;
// The 128 tiles on a grey grid, eight to a row, as the palette shows them.
QImage TileGrid(const TileSetPictures& pictures) {
    QImage grid(8 * Pitch + 1, 16 * Pitch + 1, QImage::Format_RGB32);
    grid.fill(TilePalette::GridColour);
    if (!pictures.IsLoaded())
        return grid;
    for (int code = 0; code < 128; ++code)
        DrawTile(grid, (code % 8) * Pitch + 1, (code / 8) * Pitch + 1, pictures.Picture(PaletteTileEdge),
                 Pixels(PaletteTileEdge), code);
    return grid;
}

} // namespace

CodeReplaceDialog::CodeReplaceDialog(Mode mode, const MapGrid& grid, std::optional<CellRect> selection, int codeA,
                                     int codeB, const TileSetPictures& pictures, QWidget* parent)
    : QDialog(parent), mode_(mode), grid_(grid), selection_(selection), tilePicture_(TileGrid(pictures)) {
    const bool exchange = mode == Mode::Exchange;
    setObjectName(exchange ? QStringLiteral("exchangeDialog") : QStringLiteral("replaceDialog"));
    setWindowTitle(exchange ? tr("交換") : tr("置換"));

    auto* form = new QFormLayout;
    codeA_ = new QSpinBox(this);
    codeA_->setObjectName(QStringLiteral("codeA"));
    // Any byte may be replaced, so that codes without a tile can be cleared; only tiles are written.
    codeA_->setRange(0, exchange ? 127 : 255);
    codeB_ = new QSpinBox(this);
    codeB_->setObjectName(QStringLiteral("codeB"));
    codeB_->setRange(0, 127);
    form->addRow(exchange ? tr("コード A") : tr("置換するコード A"), codeA_);
    form->addRow(exchange ? tr("コード B") : tr("置換後のコード B"), codeB_);

    auto* tiles = new PictureArea(&tilePicture_, this);
    tiles->setObjectName(QStringLiteral("tileGrid"));
    tiles->setFixedSize(tilePicture_.size());
    connect(tiles, &PictureArea::MousePressed, this,
            [this](Qt::MouseButton button, QPoint pixel) { PickAt(pixel, button); });

    inSelection_ = new QRadioButton(tr("選択範囲"), this);
    inSelection_->setObjectName(QStringLiteral("inSelection"));
    auto* wholeMap = new QRadioButton(tr("マップ全体"), this);
    wholeMap->setObjectName(QStringLiteral("wholeMap"));
    inSelection_->setEnabled(selection_.has_value());
    (selection_ ? inSelection_ : wholeMap)->setChecked(true);

    countLabel_ = new QLabel(this);
    countLabel_->setObjectName(QStringLiteral("changeCount"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    okButton_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(new QLabel(tr("タイルを左クリックで A、右クリックで B に選びます。"), this));
    column->addWidget(tiles, 0, Qt::AlignHCenter);
    column->addWidget(inSelection_);
    column->addWidget(wholeMap);
    column->addWidget(countLabel_);
    column->addWidget(buttons);

    SetCodes(codeA, codeB);
    for (QSpinBox* box : {codeA_, codeB_})
        connect(box, &QSpinBox::valueChanged, this, &CodeReplaceDialog::Update);
    connect(inSelection_, &QRadioButton::toggled, this, &CodeReplaceDialog::Update);
    Update();
}

int CodeReplaceDialog::CodeA() const {
    return codeA_->value();
}

int CodeReplaceDialog::CodeB() const {
    return codeB_->value();
}

void CodeReplaceDialog::SetCodes(int codeA, int codeB) {
    codeA_->setValue(codeA);
    codeB_->setValue(codeB);
}

CellRect CodeReplaceDialog::Area() const {
    return selection_ && inSelection_->isChecked() ? *selection_ : WholeMap;
}

int CodeReplaceDialog::ChangeCount() const {
    MapGrid scratch = grid_;
    const auto a = static_cast<TileCode>(CodeA());
    const auto b = static_cast<TileCode>(CodeB());
    return mode_ == Mode::Exchange ? ExchangeCodes(scratch, a, b, Area()) : ReplaceCodes(scratch, a, b, Area());
}

void CodeReplaceDialog::Update() {
    const int count = ChangeCount();
    countLabel_->setText(tr("%1 個のセルが変わります。").arg(count));
    okButton_->setEnabled(count > 0);
}

void CodeReplaceDialog::PickAt(QPoint pixel, Qt::MouseButton button) {
    const int column = pixel.x() / Pitch;
    const int row = pixel.y() / Pitch;
    if (column < 0 || column > 7 || row < 0 || row > 15)
        return;
    const int code = row * 8 + column;
    if (button == Qt::LeftButton)
        codeA_->setValue(code);
    else if (button == Qt::RightButton)
        codeB_->setValue(code);
}

} // namespace tav
