#pragma once
// The file commands: New, Open, Save and Save As, the picture export, and the question before unsaved
// work is discarded. Whatever else wants a map opened or saved (the main window's close, a dropped file,
// a recent file, the command line) goes through here.

#include "MapGenerator.h"
#include "MapGrid.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

class QWidget;

namespace tav {

class Document;

// The question Save asks before it writes: whether the map check finds a problem in the map as it will be
// written. The frame answers it, and shows the check window when it does.
class MapChecker {
public:
    virtual ~MapChecker() = default;
    // Checks `grid`: the map in the editor, or the map as a save will write it.
    virtual bool RunMapCheck(const MapGrid& grid) = 0;
};

class FileController : public QObject {
    Q_OBJECT
public:
    FileController(Document* document, QWidget* dialogParent, MapChecker* checker);

    // True when the map may be discarded: it is unmodified, or the user said OK.
    bool MaybeDiscard();

    void NewMap();
    // 自動生成: the generator's dialog; OK asks about the map in the editor as New does and then puts the
    // generated map there as a new map that has never been saved. The dialog comes back with the last
    // parameters, so that the same map can be made again.
    void NewGeneratedMap();
    // Asks for a file and opens it.
    void Open();
    // Opens the map at `path`; a file that is not a map is reported and the map in the editor stays.
    bool OpenPath(const QString& path);
    // Opens a file chosen outside the Open dialog (dropped, recent, given at start), asking first when the
    // map in the editor is modified. False when the user kept the map or the file was not a map.
    bool OpenChosenPath(const QString& path);
    void Save();
    // `byUser` when the user chose Save As; Save falls back on it for a map without a file. The check sees
    // the map as it will be written; the map itself is shaped only when the file is written, so a cancelled
    // Save As changes nothing.
    void SaveAs(bool byUser);
    // Asks for a tile edge and a file name and writes the whole map there as a PNG picture.
    void ExportImage();
    // Puts a recovered map in the editor as an unsaved change to the file at `path` (empty: a new map):
    // the file's map, when it can still be read, is the saved state that undo leads back to.
    void RestoreRecoveredMap(const MapGrid& grid, TileSet tileSet, const QString& path);

signals:
    // A map file was opened or written; the recent-files list follows this.
    void MapFileUsed(const QString& path);

private:
    // New's path: after the discard question, `grid` in `tileSet` as a map without a file and history.
    bool StartNewMap(const MapGrid& grid, TileSet tileSet);
    // `grid` in `tileSet` as a map without a file and history, asking nothing.
    void PutNewMap(const MapGrid& grid, TileSet tileSet);
    bool AskSaveAnyway();
    // Checks the map as a save writes it, shaped, and asks on a problem: true when the save may go on.
    bool CheckMapAsWritten();
    bool AskOverwriteChangedFile(const QString& path);
    void ShapeMap();
    void Write(const QString& path);
    // The save dialog: a new file or one that may be replaced, in a folder that exists; nothing when cancelled.
    // `folder` is where it starts when `preset` names no file.
    std::optional<QString> AskWhereToSave(const QString& title, const QString& preset, const QString& folder,
                                          const QString& filter, const QString& suffix);
    // Notes what the map's file holds now, so that Save can tell when another program changed it.
    void RememberFileContent(const QString& path, const QByteArray& head);
    bool ChangedOnDisk(const QString& path) const;

    Document* document_;
    QWidget* dialogParent_;
    MapChecker* checker_;
    QString saveDialogName_;   // what the save dialog offers a map without a file: its last choice for this map
    QString lastFolder_;       // of the last map opened or saved
    QString exportDialogName_; // the last picture written
    // The file as the editor last read or wrote it: its path, size and the bytes a map uses.
    QString knownPath_;
    qint64 knownSize_ = -1;
    QByteArray knownHead_;
    std::optional<GeneratorParameters> generatorParameters_; // as the generator's dialog was left
};

} // namespace tav
