#include "FileController.h"

#include "Document.h"
#include "FileAccess.h"
#include "MapImage.h"
#include "Platform.h"
#include "ShapeMap.h"

#include <QFileInfo>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <span>

namespace tav {

namespace {

constexpr char MapFileFilter[] = "タヴレンナマップファイル(*.map)|*.map";
constexpr char DiscardQuestion[] = "編集中のマップは破棄されますがよろしいですか";
constexpr char SaveAnywayQuestion[] = "マップチェックでエラーが発生しました。保存してもよろしいですか？";
constexpr char BadFormatText[] = "ファイル形式が正常ではありません";
constexpr char InvalidTileSetText[] = "無効なキャラクタです。修正しました。";

} // namespace

FileController::FileController(Document* document, QWidget* dialogParent, std::function<bool()> runCheck)
    : QObject(dialogParent), document_(document), dialogParent_(dialogParent), runCheck_(std::move(runCheck)) {}

bool FileController::MaybeDiscard() {
    if (!document_->IsModified())
        return true;
    return CurrentPlatform().AskOkCancel(dialogParent_, QString::fromUtf8(ApplicationTitle),
                                         QString::fromUtf8(DiscardQuestion));
}

bool FileController::AskSaveAnyway() {
    // The caption of this one question is spelt as it always has been.
    return CurrentPlatform().AskOkCancel(dialogParent_, QStringLiteral("Tavrena MapEditor"),
                                         QString::fromUtf8(SaveAnywayQuestion));
}

void FileController::NewMap() {
    if (!MaybeDiscard())
        return;
    // The tile set stays, as do the tool and the scale.
    document_->Reset(MapDocument::FilledGrid(NewMapTile), document_->TileSet(), QString(), QString());
}

void FileController::Open() {
    if (!MaybeDiscard())
        return;
    FileDialogSettings settings;
    settings.PresetName = QStringLiteral("*.map");
    settings.Filter = QString::fromUtf8(MapFileFilter);
    settings.DefaultSuffix = QStringLiteral("map");
    settings.FileMustExist = true;
    settings.NoReadOnlyReturn = true;
    const std::optional<QString> path = CurrentPlatform().OpenFileName(dialogParent_, settings);
    if (path)
        OpenPath(*path);
}

bool FileController::OpenPath(const QString& path) {
    // Only the image's own bytes are read, and only from a regular file: a pipe or a device is reported
    // instead of blocking the editor.
    const QByteArray bytes = ReadMapFileBytes(path);
    const auto content = ReadMapImage(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                                static_cast<std::size_t>(bytes.size())));
    if (!content) {
        // Nothing was loaded, so the map in the editor keeps its unsaved state.
        CurrentPlatform().ShowMessage(dialogParent_, QString::fromUtf8(ApplicationTitle),
                                      QString::fromUtf8(BadFormatText));
        return false;
    }
    int tileSet = content->TileSet;
    if (tileSet < 1 || tileSet > TileSetCount) {
        CurrentPlatform().ShowMessage(dialogParent_, QString::fromUtf8(ApplicationTitle),
                                      QString::fromUtf8(InvalidTileSetText));
        tileSet = 1;
    }
    document_->Reset(content->Grid, tileSet, path, path);
    // A save cut short by a kill may have left its complete temporary beside the map.
    RemoveStaleTemporaries(path);
    return true;
}

void FileController::ShapeMap() {
    document_->Push(new edits::ShapeMap(document_));
}

void FileController::Save() {
    if (runCheck_() && !AskSaveAnyway())
        return;
    ShapeMap();
    if (document_->FilePath().isEmpty()) {
        SaveAs(false);
        return;
    }
    Write(document_->FilePath());
    document_->MarkSaved(document_->FilePath(), document_->ShownName());
}

void FileController::SaveAs(bool byUser) {
    ShapeMap();
    if (byUser && runCheck_() && !AskSaveAnyway())
        return;
    FileDialogSettings settings;
    settings.PresetName = document_->FilePath().isEmpty() ? saveDialogName_ : document_->FilePath();
    settings.Filter = QString::fromUtf8(MapFileFilter);
    settings.DefaultSuffix = QStringLiteral("map");
    settings.OverwritePrompt = true;
    settings.PathMustExist = true;
    settings.NoReadOnlyReturn = true;
    const std::optional<QString> path = CurrentPlatform().SaveFileName(dialogParent_, settings);
    if (!path)
        return;
    saveDialogName_ = *path;
    Write(*path);
    // The caption names only the file; the full path is kept so that a later Save writes to the same
    // place whatever the working folder is then.
    document_->MarkSaved(*path, QFileInfo(*path).fileName());
}

void FileController::Write(const QString& path) {
    WriteFileAtomically(path, MapImageBytes(BuildMapImage(document_->Grid(), document_->TileSet())));
}

} // namespace tav
