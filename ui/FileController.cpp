#include "FileController.h"

#include "CellCommands.h"
#include "Document.h"
#include "FileAccess.h"
#include "MapExport.h"
#include "MapGeneratorDialog.h"
#include "MapImage.h"
#include "MapLoader.h"
#include "Platform.h"
#include "RestoreMapCommand.h"
#include "Shaping.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include <optional>
#include <stdexcept>

#include <unistd.h>

namespace tav {

namespace {

constexpr char MapFileFilter[] = QT_TRANSLATE_NOOP("FileController", "タヴレンナマップファイル(*.map)|*.map");
constexpr char PngFileFilter[] = QT_TRANSLATE_NOOP("FileController", "PNG画像(*.png)|*.png");
constexpr char DiscardQuestion[] =
    QT_TRANSLATE_NOOP("FileController", "編集中のマップは破棄されますがよろしいですか");
constexpr char SaveAnywayQuestion[] =
    QT_TRANSLATE_NOOP("FileController", "マップチェックでエラーが発生しました。保存してもよろしいですか？");
constexpr char ChangedOnDiskQuestion[] = QT_TRANSLATE_NOOP(
    "FileController", "「%1」は、開いた後または保存した後にほかのプログラムによって変更されています。\n"
                      "上書きしてもよろしいですか？");
constexpr char ExportEdgeLabel[] = QT_TRANSLATE_NOOP("FileController", "1マスの大きさ（ピクセル）:");
constexpr char ExportCaption[] = QT_TRANSLATE_NOOP("FileController", "画像として書き出す");

// A text of the table above in the editor's language.
QString Text(const char* text) {
    return QCoreApplication::translate("FileController", text);
}

// access() rather than the permission bits, so that a read-only file system counts for root too.
bool IsReadOnlyFile(const QString& path) {
    return QFileInfo::exists(path) && ::access(QFile::encodeName(path).constData(), W_OK) != 0;
}

} // namespace

FileController::FileController(Document* document, QWidget* dialogParent, MapChecker* checker)
    : QObject(dialogParent), document_(document), dialogParent_(dialogParent), checker_(checker) {}

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
    // The tile set stays, as do the tool and the tile edge.
    StartNewMap(FilledGrid(NewMapTile), document_->TileSet());
}

bool FileController::StartNewMap(const MapGrid& grid, TileSet tileSet) {
    if (!MaybeDiscard())
        return false;
    PutNewMap(grid, tileSet);
    return true;
}

void FileController::PutNewMap(const MapGrid& grid, TileSet tileSet) {
    document_->Reset(grid, tileSet, QString(), QString());
    knownPath_.clear();
    // The save dialog offers no name for the new map, so that Enter cannot replace the last one saved.
    saveDialogName_.clear();
}

void FileController::NewGeneratedMap() {
    GeneratorParameters start;
    if (generatorParameters_) {
        start = *generatorParameters_;
    } else {
        // The first time: a seed of its own, and the tile set in force, which New keeps too.
        start.Seed = MapGeneratorDialog::RandomSeed();
        start.TileSet = TileSetNumber(document_->TileSet());
    }
    MapGeneratorDialog dialog(start, TileBitmaps::LinkedPictureRoot(), dialogParent_);
    // Asked on OK, so that Cancel to the question goes back to the dialog as it was.
    dialog.SetMayTakeMap([this] { return MaybeDiscard(); });
    const bool accepted = CurrentPlatform().ExecModal(&dialog) == QDialog::Accepted;
    generatorParameters_ = dialog.Parameters();
    if (!accepted || !dialog.Map())
        return;
    const std::optional<TileSet> tileSet = TileSetNumbered(dialog.Parameters().TileSet);
    PutNewMap(dialog.Map()->Grid, tileSet.value_or(document_->TileSet()));
    document_->MarkUnsaved();
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
    // A file that cannot be read (a pipe or a device is refused, not waited for) reaches the general error
    // report as a FileError.
    LoadedMap map;
    try {
        map = LoadMapFile(path);
    } catch (const NotAMapError& error) {
        // Nothing was loaded, so the map in the editor keeps its unsaved state.
        const QString reason = error.Reason();
        CurrentPlatform().ShowMessage(dialogParent_, QString::fromUtf8(ApplicationTitle),
                                      reason.isEmpty() ? error.Message() : error.Message() + u'\n' + reason);
        return false;
    }
    if (map.TileSetCorrected)
        CurrentPlatform().ShowMessage(dialogParent_, QString::fromUtf8(ApplicationTitle),
                                      TileSetCorrectedMessage());
    document_->Reset(map.Grid, map.TileSet, path, path);
    // A save cut short by a kill may have left its complete temporary beside the map.
    RemoveStaleTemporaries(path);
    RememberFileContent(path, map.Head);
    lastFolder_ = QFileInfo(path).absolutePath();
    emit MapFileUsed(path);
    return true;
}

void FileController::RestoreRecoveredMap(const MapGrid& grid, TileSet tileSet, const QString& path) {
    // The file as it is now is the saved state; when it is gone or no map, a new map stands in for it.
    MapGrid savedGrid = FilledGrid(NewMapTile);
    TileSet savedTileSet = tileSet;
    knownPath_.clear();
    saveDialogName_.clear();
    if (!path.isEmpty()) {
        try {
            const LoadedMap map = LoadMapFile(path);
            savedGrid = map.Grid;
            // A file's tile set that needs correcting gives way to the recovered map's, without a message.
            if (!map.TileSetCorrected)
                savedTileSet = map.TileSet;
            RememberFileContent(path, map.Head);
        } catch (const std::runtime_error&) {
            // Unreadable or no map: the recovered map does not depend on the file; it is only the point undo
            // leads back to.
        }
    }
    document_->Reset(savedGrid, savedTileSet, path, path);
    document_->Push(new edits::RestoreMapCommand(document_, grid, tileSet));
}

void FileController::ShapeMap() {
    document_->Push(new edits::ShapeMapCommand(document_));
}

bool FileController::CheckMapAsWritten() {
    MapGrid shaped = document_->Grid();
    tav::ShapeMap(shaped);
    return !checker_->RunMapCheck(shaped) || AskSaveAnyway();
}

void FileController::Save() {
    // The check sees the map as it will be written, and the map is shaped only when a file is written.
    if (!CheckMapAsWritten())
        return;
    const QString path = document_->FilePath();
    if (path.isEmpty() || IsReadOnlyFile(path)) {
        // A map from a file the user cannot write is saved elsewhere, as a map without a file is.
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
    if (byUser && !CheckMapAsWritten())
        return;
    // A map without a file is offered the name last chosen for it, or none, in the folder last used.
    const QString preset = document_->FilePath().isEmpty() ? saveDialogName_ : document_->FilePath();
    const std::optional<QString> path =
        AskWhereToSave(QString(), preset, preset.isEmpty() ? lastFolder_ : QString(), Text(MapFileFilter),
                       QStringLiteral("map"));
    if (!path)
        return;
    saveDialogName_ = *path;
    lastFolder_ = QFileInfo(*path).absolutePath();
    // Shaped as one step before the write; a failed write keeps the shaping, as Save does.
    ShapeMap();
    Write(*path);
    // The caption names only the file; the full path is kept so that a later Save writes to the same
    // place whatever the working folder is then.
    document_->MarkSaved(*path, QFileInfo(*path).fileName());
}

void FileController::ExportImage() {
    QStringList edges;
    for (const TileEdge edge : AllTileEdges)
        edges.append(QString::number(Pixels(edge)));
    const std::optional<int> choice =
        CurrentPlatform().ChooseItem(dialogParent_, Text(ExportCaption), Text(ExportEdgeLabel), edges,
                                     static_cast<int>(AllTileEdges.size()) - 1);
    if (!choice || *choice < 0 || *choice >= static_cast<int>(AllTileEdges.size()))
        return;
    QString preset = exportDialogName_;
    if (preset.isEmpty() && !document_->FilePath().isEmpty()) {
        // Beside the map, under its name.
        const QFileInfo map(document_->FilePath());
        preset = map.absoluteDir().filePath(map.completeBaseName() + QStringLiteral(".png"));
    }
    const std::optional<QString> path =
        AskWhereToSave(Text(ExportCaption), preset, QString(), Text(PngFileFilter), QStringLiteral("png"));
    if (!path)
        return;
    exportDialogName_ = *path;
    ExportMapPng(*path, document_->Grid(), document_->TileSet(),
                 AllTileEdges[static_cast<std::size_t>(*choice)]);
}

std::optional<QString> FileController::AskWhereToSave(const QString& title, const QString& preset,
                                                      const QString& folder, const QString& filter,
                                                      const QString& suffix) {
    FileDialogSettings settings;
    settings.Title = title;
    settings.PresetName = preset;
    settings.Folder = folder;
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
