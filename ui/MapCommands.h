#pragma once
// The map commands of the Edit menu and the tool bar: select, copy, cut, paste, replace, exchange, shape,
// unshape, shift and 対称にする. Each reads what it needs from the edit window and the palette, makes an undo command
// and pushes it; the document tells the views. The frame only lays out the menus and wires them here.

#include "CellBlock.h"
#include "Symmetry.h"

#include <QObject>

class QWidget;

namespace tav {

class Document;
class MapEditView;
class TilePalette;
class TileSetPictures;
enum class ShiftDirection;

class MapCommands : public QObject {
    Q_OBJECT
public:
    // `dialogParent` owns the dialogs and messages the commands show.
    MapCommands(Document* document, MapEditView* editView, const TilePalette* palette,
                const TileSetPictures* pictures, QWidget* dialogParent);

    // The range button: while it is down the mouse selects and moves cells; releasing it lets the
    // selection go.
    void SetRangeSelection(bool on);
    void SelectAll();
    // Esc: drops a floating paste, else a half-made shape, else the selection.
    void Deselect();
    void CopySelection();
    void CutSelection();
    // Floats the clipboard's block under the pointer, or with `inPlace` puts it where it was copied from.
    void Paste(bool inPlace);
    // The 置換 and 交換 dialog, and the change it asks for.
    void ReplaceCodes();
    void ExchangeCodes();
    void ShapeWholeMap();
    void UnshapeWholeMap();
    // Shift with an arrow key: moves the selection's cells when there is a selection, else turns the map.
    void ShiftMapOrSelection(ShiftDirection direction);
    // 対称にする: asks which share to copy from, then makes the map symmetric for the mode in force.
    void SymmetrizeMap();
    // The same from `source`; nothing unless the mode in force allows it. A castle left out is named in a
    // message.
    void SymmetrizeMapFrom(SymmetrySource source);

signals:
    // A passing word for the status bar: an edit left out castles too near their images, and why.
    void NoteShown(const QString& text);

private:
    void ChangeCodes(bool exchange);
    // One line per castle, in 対称にする's words.
    QStringList CrowdedCastleLines(const std::vector<RemovedCastle>& castles) const;

    Document* document_;
    MapEditView* editView_;
    const TilePalette* palette_;
    const TileSetPictures* pictures_;
    QWidget* dialogParent_;
};

} // namespace tav
