#include "MapCommands.h"

#include "BlockClipboard.h"
#include "CellCommands.h"
#include "CodeReplaceDialog.h"
#include "Document.h"
#include "MapCheck.h"
#include "MapEditView.h"
#include "MapPicture.h"
#include "Platform.h"
#include "Shaping.h"
#include "ShiftMapCommand.h"
#include "SymmetrizeDialog.h"
#include "SymmetrizeMapCommand.h"
#include "TilePalette.h"
#include "TileSetPictures.h"

#include <QCoreApplication>
#include <QDialog>
#include <QStringList>

namespace tav {

MapCommands::MapCommands(Document* document, MapEditView* editView, const TilePalette* palette,
                         const TileSetPictures* pictures, QWidget* dialogParent)
    : QObject(dialogParent), document_(document), editView_(editView), palette_(palette), pictures_(pictures),
      dialogParent_(dialogParent) {
    // The first castle in reading order, and how many more there are.
    connect(document_, &Document::CastlesRefused, this, [this](const std::vector<RemovedCastle>& castles) {
        QString note = CrowdedCastleLines({castles.front()}).front();
        if (castles.size() > 1)
            note += tr(" ほか %1 個").arg(castles.size() - 1);
        emit NoteShown(note);
    });
}

QStringList MapCommands::CrowdedCastleLines(const std::vector<RemovedCastle>& castles) const {
    QStringList lines;
    for (const RemovedCastle& castle : castles)
        lines << tr("(%1,%2)にある%3の城は対称の位置の城と重なるため取り除きました。")
                     .arg(castle.Cell.X)
                     .arg(castle.Cell.Y)
                     .arg(QCoreApplication::translate(
                         "Factions", FactionName(document_->TileSet(), FactionOf(castle.Code)).data()));
    return lines;
}

void MapCommands::SetRangeSelection(bool on) {
    editView_->CancelPaste();
    editView_->SetSelecting(on);
    if (!on)
        editView_->SetSelection(std::nullopt);
}

void MapCommands::SelectAll() {
    editView_->SetSelection(WholeMap);
}

void MapCommands::Deselect() {
    editView_->CancelGesture();
}

void MapCommands::CopySelection() {
    const auto selection = editView_->Selection();
    if (!selection)
        return;
    const CellBlock block = CopyBlock(document_->Grid(), *selection);
    // The tiles as they are now: a later switch of set leaves the clipboard's picture as it was copied.
    const QImage tiles = pictures_->IsLoaded() ? pictures_->Picture(editView_->Edge()) : QImage();
    PutBlockOnClipboard(block, [block, tiles, edge = editView_->Edge()] { return BlockPicture(block, tiles, edge); });
}

void MapCommands::CutSelection() {
    const auto selection = editView_->Selection();
    if (!selection)
        return;
    CopySelection();
    document_->Push(new edits::CutCellsCommand(document_, *selection));
}

void MapCommands::Paste(bool inPlace) {
    ClipboardBlock taken = BlockFromClipboard();
    if (!taken.Block) {
        CurrentPlatform().ShowMessage(dialogParent_, QString::fromUtf8(ApplicationTitle), taken.Error);
        return;
    }
    if (!inPlace) {
        editView_->StartPaste(std::move(*taken.Block));
        return;
    }
    // Text carries no position: it goes to the selection's corner, or the map's.
    QPoint at(taken.Block->OriginX, taken.Block->OriginY);
    if (!taken.HasOrigin)
        at = editView_->Selection() ? QPoint(editView_->Selection()->Left, editView_->Selection()->Top) : QPoint();
    document_->Push(new edits::PasteBlockCommand(document_, *taken.Block, at.x(), at.y()));
}

void MapCommands::ReplaceCodes() {
    ChangeCodes(false);
}

void MapCommands::ExchangeCodes() {
    ChangeCodes(true);
}

void MapCommands::ChangeCodes(bool exchange) {
    editView_->CancelShape();
    const QPoint clicked = editView_->LastClickedCell();
    CodeReplaceDialog dialog(exchange ? CodeReplaceDialog::Mode::Exchange : CodeReplaceDialog::Mode::Replace,
                             document_->Grid(), editView_->Selection(), document_->Cell(clicked.x(), clicked.y()),
                             palette_->PickedCode(), *pictures_, dialogParent_);
    if (CurrentPlatform().ExecModal(&dialog) != QDialog::Accepted)
        return;
    const auto a = static_cast<TileCode>(dialog.CodeA());
    const auto b = static_cast<TileCode>(dialog.CodeB());
    if (exchange)
        document_->Push(new edits::ExchangeCodesCommand(document_, a, b, dialog.Area()));
    else
        document_->Push(new edits::ReplaceCodesCommand(document_, a, b, dialog.Area()));
}

void MapCommands::ShapeWholeMap() {
    document_->Push(new edits::ShapeMapCommand(document_));
}

void MapCommands::UnshapeWholeMap() {
    document_->Push(new edits::UnshapeMapCommand(document_));
}

void MapCommands::ShiftMapOrSelection(ShiftDirection direction) {
    if (!editView_->Selection()) {
        document_->Push(new edits::ShiftMapCommand(document_, direction));
        return;
    }
    const int dx = direction == ShiftDirection::Left ? -1 : direction == ShiftDirection::Right ? 1 : 0;
    const int dy = direction == ShiftDirection::Up ? -1 : direction == ShiftDirection::Down ? 1 : 0;
    editView_->MoveSelection(dx, dy);
}

void MapCommands::SymmetrizeMap() {
    const SymmetryMode mode = document_->Symmetry();
    if (mode == SymmetryMode::None)
        return;
    editView_->CancelShape();
    SymmetrizeDialog dialog(mode, dialogParent_);
    if (CurrentPlatform().ExecModal(&dialog) != QDialog::Accepted)
        return;
    SymmetrizeMapFrom(dialog.Source());
}

void MapCommands::SymmetrizeMapFrom(SymmetrySource source) {
    if (!IsAllowedSource(document_->Symmetry(), source))
        return;
    auto* command = new edits::SymmetrizeMapCommand(document_, document_->Symmetry(), source);
    const QStringList removed = CrowdedCastleLines(command->RemovedCastles());
    document_->Push(command);
    if (!removed.isEmpty())
        CurrentPlatform().ShowMessage(dialogParent_, QString::fromUtf8(ApplicationTitle), removed.join(u'\n'));
}

} // namespace tav
