#pragma once
// What every tool of the edit window is: it turns the mouse gestures the window hands it into undo
// commands on the document, says which cells the blinking cursor covers and what the status bar shows,
// and describes itself for its menu item and tool-bar button. A new drawing tool adds a class of its own
// (and its button's picture, resources/toolbar/<Picture>.png) and a line in the registry,
// ToolRegistry.cpp; the menus, the tool bar and the edit window take it from there.

#include "CellBlock.h"
#include "Document.h"
#include "DrawTools.h"
#include "MovementRules.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <bitset>
#include <optional>

class QPainter;
class QUndoCommand;

namespace tav {

// What a tool may use while it acts: the map, the code the palette has picked, the selection that
// limits painting while there is one, and the movement costs the ruler measures with.
struct ToolContext {
    Document* Map;
    TileCode PaintCode;
    std::optional<CellRect> Limit;
    MovementCosts Costs{};

    // Pushes a painting command, keeping only what it changes inside the selection: the one place where a
    // selection limits every drawing tool. `userCells`, if given, gains the cells the user's own edit wrote.
    void Push(QUndoCommand* command, std::bitset<MapCells>* userCells = nullptr) const;
};

// How a drawing tool shows itself. `Name` names its menu item and button ("pen": penAction, penButton);
// the texts are of the "Commands" translation context, as the other menu items' are.
struct ToolDescription {
    const char* Name;
    const char* Picture;     // the button's picture, ":/toolbar/<Picture>.png"; "" for a tool without a button
    const char* MenuCaption; // the Edit menu's item, with its accelerator
    const char* Hint;        // the button's hint
    // In QKeySequence's portable form, "" for none. A single key (P for the pen) never reaches the tool
    // while a text field has the focus: the field takes it as text.
    const char* Shortcut;
};

class MapTool {
public:
    // The tools the window uses for its modes (the range selection, a floating paste) have no menu item
    // or button of their own, and so no description.
    MapTool() = default;
    explicit MapTool(const ToolDescription& description) : description_(description) {}
    virtual ~MapTool() = default;

    const ToolDescription& Description() const { return description_; }

    // The left button went down on `cell`.
    virtual void Press(const ToolContext& context, QPoint cell) = 0;
    // The pointer reached `cell`; `leftHeld` says whether the left button is down according to the event.
    virtual void Move(const ToolContext& context, QPoint cell, bool leftHeld) = 0;
    // The left button came up.
    virtual void Release(const ToolContext& context, QPoint cell) = 0;
    // Drops whatever is half made: a first point, a stroke. A right click, another tool, scale or tile
    // set, and the window losing the mouse all end here.
    virtual void Cancel() = 0;
    // The window lost the mouse (a dialog came up, another window took over): a drag ends, because its
    // release will never arrive; a first point set by a click stays.
    virtual void LoseMouse() {}
    // Whether something is half made that Cancel would drop (a shape's first point).
    virtual bool IsHalfMade() const { return false; }
    // The map changed under the tool (an edit, a shift, undo, a new map), or the cost table the context
    // carries did. True when what the tool shows of
    // it (its marks, its status text) changed and must be shown again.
    virtual bool FollowMap(const ToolContext&) { return false; }

    // The cells the cursor covers with the pointer at `cursor`.
    virtual void CursorCells(QPoint cursor, ShapeCells& cells) const = 0;
    // Whether the cursor is a ring on one cell (the tools that act on the cell under the pointer) or the
    // covered cells filled (the two-point tools).
    virtual bool CursorIsRing() const = 0;
    // The status bar's text with the pointer at `cursor`.
    virtual QString StatusText(QPoint cursor) const {
        return QStringLiteral("X=%1, Y=%2").arg(cursor.x()).arg(cursor.y());
    }
    // Marks of the tool's own over the map (the ruler's path), painted in picture pixels at `edge` pixels
    // per cell, and the rectangle they cover, so the window repaints where they were and where they are.
    virtual void PaintMarks(QPainter&, int /*edge*/) const {}
    virtual QRect MarksRect(int /*edge*/) const { return {}; }

private:
    ToolDescription description_{"", "", "", "", ""};
};

} // namespace tav
