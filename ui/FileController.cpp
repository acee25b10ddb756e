#include "FileController.h"

#include "Document.h"
#include "FileAccess.h"
#include "MapExport.h"
#include "MapImage.h"
#include "Platform.h"
#include "RestoreMap.h"
#include "ShapeMap.h"
#include "Shaping.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <span>

#include <unistd.h>

namespace tav {

namespace {

constexpr char MapFileFilter[] = QT_TRANSLATE_NOOP("FileController", "タヴレンナマップファイル(*.map)|*.map");
constexpr char PngFileFilter[] = QT_TRANSLATE_NOOP("FileController", "PNG画像(*.png)|*.png");
constexpr char DiscardQuestion[] =
    QT_TRANSLATE_NOOP("FileController", "編集中のマップは破棄されますがよろしいですか");
constexpr char SaveAnywayQuestion[] =
    QT_TRANSLATE_NOOP("FileController", "マップチェックでエラーが発生しました。保存してもよろしいですか？");
constexpr char BadFormatText[] = QT_TRANSLATE_NOOP("FileController", "ファイル形式が正常ではありません");
constexpr char InvalidTileSetText[] =
    QT_TRANSLATE_NOOP("FileController", "無効なキャラクタです。修正しました。");
constexpr char ChangedOnDiskQuestion[] = QT_TRANSLATE_NOOP(
    "FileController", "「%1」は、開いた後または保存した後にほかのプログラムによって変更されています。\n"
                      "上書きしてもよろしいですか？");
constexpr char ExportEdgeLabel[] = QT_TRANSLATE_NOOP("FileController", "1マスの大きさ（ピクセル）:");
constexpr char ExportCaption[] = QT_TRANSLATE_NOOP("FileController", "画像として書き出す");

// A text of the table above in the editor's language.
QString Text(const char* text) {
    return QCoreApplication::translate("FileController", text);
}

std::optional<MapImageContent> MapFromBytes(const QByteArray& bytes) {
    return ReadMapImage(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                  static_cast<std::size_t>(bytes.size())));
}

// access() rather than the permission bits, so that a read-only file system counts for root too.
bool IsReadOnlyFile(const QString& path) {
    return QFileInfo::exists(path) && ::access(QFile::encodeName(path).constData(), W_OK) != 0;
}

} // namespace

FileController::FileController(Document* document, QWidget* dialogParent,
                               std::function<bool(const MapGrid&)> runCheck)
    : QObject(dialogParent), document_(document), dialogParent_(dialogParent), runCheck_(std::move(runCheck)) {}

bool FileController::MaybeDiscard() {
    if (!document_->IsModified())
        return true;
    return CurrentPlatform().AskOkCancel(dialogParent_, QString::fromUtf8(ApplicationTitle),
                                         Text(DiscardQuestion));
}

bool FileController::AskSaveAnyway() {
    // The caption of this one question is spelt as it always has been.
    return CurrentPlatform().AskOkCancel(dialogParent_, QStringLiteral("Tavrena MapEditor"),
                                         Text(SaveAnywayQuestion));
}

bool FileController::AskOverwriteChangedFile(const QString& path) {
    return CurrentPlatform().AskOkCancel(dialogParent_, QString::fromUtf8(ApplicationTitle),
                                         Text(ChangedOnDiskQuestion).arg(QDir::toNativeSeparators(path)));
}

void FileController::NewMap() {
    if (!MaybeDiscard())
        return;
    // The tile set stays, as do the tool and the scale.
    document_->Reset(FilledGrid(NewMapTile), document_->TileSet(), QString(), QString());
    knownPath_.clear();
}

void FileController::Open() {
    if (!MaybeDiscard())
        return;
    FileDialogSettings settings;
    settings.PresetName = QStringLiteral("*.map");
    if (!document_->FilePath().isEmpty())
        settings.Folder = QFileInfo(document_->FilePath()).absolutePath();
    settings.Filter = Text(MapFileFilter);
    settings.DefaultSuffix = QStringLiteral("map");
    settings.FileMustExist = true;
    // A map the user cannot write may still be viewed; saving it goes through Save As.
    const std::optional<QString> path = CurrentPlatform().OpenFileName(dialogParent_, settings);
    if (path)
        OpenPath(*path);
}

bool FileController::OpenChosenPath(const QString& path) {
    if (!MaybeDiscard())
        return false;
    return OpenPath(path);
}

bool FileController::OpenPath(const QString& path) {
    // Only the image's own bytes are read, and only from a regular file: a pipe or a device is reported
    // instead of blocking the editor.
    const QByteArray bytes = ReadMapFileBytes(path);
    const auto content = MapFromBytes(bytes);
    if (!content) {
        // Nothing was loaded, so the map in the editor keeps its unsaved state.
        CurrentPlatform().ShowMessage(dialogParent_, QString::fromUtf8(ApplicationTitle),
                                      Text(BadFormatText));
        return false;
    }
    int tileSet = content->TileSet;
    if (tileSet < 1 || tileSet > TileSetCount) {
        CurrentPlatform().ShowMessage(dialogParent_, QString::fromUtf8(ApplicationTitle),
                                      Text(InvalidTileSetText));
        tileSet = 1;
    }
    document_->Reset(content->Grid, tileSet, path, path);
    // A save cut short by a kill may have left its complete temporary beside the map.
    RemoveStaleTemporaries(path);
    RememberFileContent(path, bytes);
    emit MapFileUsed(path);
    return true;
}

void FileController::RestoreRecoveredMap(const MapGrid& grid, int tileSet, const QString& path) {
    // The file as it is now is the saved state; when it is gone or no map, a new map stands in for it.
    MapGrid savedGrid = FilledGrid(NewMapTile);
    int savedTileSet = tileSet;
    knownPath_.clear();
    if (!path.isEmpty()) {
        try {
            const QByteArray bytes = ReadMapFileBytes(path);
            if (const auto content = MapFromBytes(bytes)) {
                savedGrid = content->Grid;
                if (content->TileSet >= 1 && content->TileSet <= TileSetCount)
                    savedTileSet = content->TileSet;
                RememberFileContent(path, bytes);
            }
        } catch (const FileError&) {
            // The recovered map does not depend on the file; it is only the point undo leads back to.
        }
    }
    document_->Reset(savedGrid, savedTileSet, path, path);
    document_->Push(new edits::RestoreMap(document_, grid, tileSet));
}

void FileController::ShapeMap() {
    document_->Push(new edits::ShapeMap(document_));
}

void FileController::Save() {
    if (runCheck_(document_->Grid()) && !AskSaveAnyway())
        return;
    const QString path = document_->FilePath();
    if (path.isEmpty() || IsReadOnlyFile(path)) {
        // A map from a file the user cannot write is saved elsewhere, as a map without a file is.
        ShapeMap();
        SaveAs(false);
        return;
    }
    // Asked before shaping, so that Cancel leaves the map as it was.
    if (ChangedOnDisk(path) && !AskOverwriteChangedFile(path))
        return;
    ShapeMap();
    Write(path);
    document_->MarkSaved(path, document_->ShownName());
}

void FileController::SaveAs(bool byUser) {
    if (byUser) {
        MapGrid shaped = document_->Grid();
        tav::ShapeMap(shaped);
        if (runCheck_(shaped) && !AskSaveAnyway())
            return;
    }
    const std::optional<QString> path =
        AskWhereToSave(QString(), document_->FilePath().isEmpty() ? saveDialogName_ : document_->FilePath(),
                       Text(MapFileFilter), QStringLiteral("map"));
    if (!path)
        return;
    saveDialogName_ = *path;
    // Shaped as one step before the write; a failed write keeps the shaping, as Save does.
    ShapeMap();
    Write(*path);
    // The caption names only the file; the full path is kept so that a later Save writes to the same
    // place whatever the working folder is then.
    document_->MarkSaved(*path, QFileInfo(*path).fileName());
}

void FileController::ExportImage() {
    QStringList edges;
    for (const int edge : ExportTileEdges)
        edges.append(QString::number(edge));
    const std::optional<int> choice =
        CurrentPlatform().ChooseItem(dialogParent_, Text(ExportCaption), Text(ExportEdgeLabel), edges,
                                     static_cast<int>(std::size(ExportTileEdges)) - 1);
    if (!choice || *choice < 0 || *choice >= static_cast<int>(std::size(ExportTileEdges)))
        return;
    QString preset = exportDialogName_;
    if (preset.isEmpty() && !document_->FilePath().isEmpty()) {
        // Beside the map, under its name.
        const QFileInfo map(document_->FilePath());
        preset = map.absoluteDir().filePath(map.completeBaseName() + QStringLiteral(".png"));
    }
    const std::optional<QString> path =
        AskWhereToSave(Text(ExportCaption), preset, Text(PngFileFilter), QStringLiteral("png"));
    if (!path)
        return;
    exportDialogName_ = *path;
    ExportMapPng(*path, document_->Grid(), document_->TileSet(),
                 ExportTileEdges[static_cast<std::size_t>(*choice)]);
}

std::optional<QString> FileController::AskWhereToSave(const QString& title, const QString& preset,
                                                      const QString& filter, const QString& suffix) {
    FileDialogSettings settings;
    settings.Title = title;
    settings.PresetName = preset;
    settings.Filter = filter;
    settings.DefaultSuffix = suffix;
    settings.OverwritePrompt = true;
    settings.PathMustExist = true;
    settings.NoReadOnlyReturn = true;
    return CurrentPlatform().SaveFileName(dialogParent_, settings);
}

void FileController::Write(const QString& path) {
    const QByteArray bytes = MapImageBytes(BuildMapImage(document_->Grid(), document_->TileSet()));
    WriteFileAtomically(path, bytes);
    RememberFileContent(path, bytes);
    emit MapFileUsed(path);
}

void FileController::RememberFileContent(const QString& path, const QByteArray& head) {
    knownPath_ = path;
    knownSize_ = QFileInfo(path).size();
    knownHead_ = head;
}

bool FileController::ChangedOnDisk(const QString& path) const {
    // A file the editor never read or wrote under this name, or one that is gone, has nothing to lose.
    if (path != knownPath_ || !QFileInfo::exists(path))
        return false;
    try {
        return QFileInfo(path).size() != knownSize_ || ReadMapFileBytes(path) != knownHead_;
    } catch (const FileError&) {
        return false; // unreadable now: the write that follows reports what is wrong
    }
}

} // namespace tav
