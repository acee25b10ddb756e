#pragma once
// The menu bar and the tool bar, built from one table of commands and the registry of drawing tools: each
// command's menu item with its shortcut, its tool-bar button in its group (ToolBarLayout places it), and the
// texts of both in the editor's language. The items run commands of the objects they are handed (the frame's
// through FrameCommands); which ones are greyed is the main window's wiring.

#include "TileSets.h"
#include "tools/MapTool.h"

#include <QRect>
#include <QStringList>

#include <map>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QUndoStack;
class QWidget;

namespace tav {

class FileController;
class MapCommands;
class PictureReadAhead;

// The frame's own commands, as the menus, the tool bar and the shortcuts reach them.
class FrameCommands {
public:
    // A drawing tool, by its place in the registry.
    virtual void SelectTool(std::size_t tool) = 0;
    virtual void SelectEdge(TileEdge edge) = 0;
    virtual void SelectTileSet(TileSet tileSet) = 0;
    // Runs the map check; true when it found a problem.
    virtual bool RunMapCheck() = 0;
    virtual void ShowAbout() = 0;
    virtual void ShowHelp() = 0;
    virtual void ShowEditView() = 0;
    virtual void ShowPalette() = 0;
    virtual void ShowPreview() = 0;
    virtual void ShowCheckView() = 0;
    virtual void ShowFactionView() = 0;
    virtual void SetGridLines(bool shown) = 0;
    virtual void SetTerritoryOverlay(bool shown) = 0;
    virtual void SetLeadOverlay(bool shown) = 0;
    virtual void ShowMovementCosts() = 0;
    virtual void ShowPreferences() = 0;

protected:
    ~FrameCommands() = default;
};

// What the items and buttons act on; each outlives the menus.
struct CommandTargets {
    QMainWindow& Window; // closed by 終了
    FrameCommands& Frame;
    FileController& Files;
    MapCommands& MapEdits;
    QUndoStack& History;
};

// A tool-bar button by its object name, and its square on the bar.
struct PlacedButton {
    QString Name;
    QRect Place;
};

class MenusAndToolBar {
public:
    // The pictures of the tool-bar buttons, for reading them ahead while the window is built.
    static QStringList ButtonPicturePaths();
    // Every button of the tool bar, left to right, where it stands (the symmetry button, which
    // SymmetryControls makes, among them).
    static std::vector<PlacedButton> ToolBarPlan();

    // Fills `targets.Window`'s menu bar and puts the buttons on `toolBar`, with the pictures `pictures` read;
    // `tools` describe the registered drawing tools, in the registry's order. The actions are children of the
    // window, in menu order, so that their shortcuts work wherever it has the focus.
    MenusAndToolBar(CommandTargets targets, QWidget* toolBar, PictureReadAhead& pictures,
                    std::vector<ToolDescription> tools);
    ~MenusAndToolBar();

    // Puts every button of the tool bar at its place of ToolBarPlan, once all of them are made.
    void PlaceToolBarButtons();

    // A menu item or tool-bar command by its object name.
    QAction* Action(const char* name) const;
    QAction* Action(const QString& name) const;
    // ファイル → 最近使ったファイル; empty and greyed until an editor session fills it.
    QMenu* RecentFilesMenu() const { return recentMenu_; }

    // The marks of the radio items: the drawing tool (by its place in the registry), the tile edge and the
    // tile set in force.
    void MarkTool(std::size_t tool);
    void MarkEdge(TileEdge edge);
    void MarkTileSet(TileSet tileSet);

    // Sets every text of the menus and every hint of the tool bar in the editor's language.
    void Retranslate();

private:
    CommandTargets targets_;
    QMainWindow* window_;
    QWidget* toolBar_;
    std::vector<ToolDescription> tools_;
    std::map<int, QMenu*> menus_; // by the place of the table, File to Help and the shortcut-only menu
    QMenu* recentMenu_ = nullptr;
};

} // namespace tav
