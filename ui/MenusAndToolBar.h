#pragma once
// The menu bar and the tool bar, built from one table of commands and the registry of drawing tools: each
// command's menu item with its shortcut, its tool-bar button at its fixed place, and the texts of both in
// the editor's language. The items run the main window's commands; which ones are greyed is the main
// window's wiring.

#include "TileSets.h"
#include "tools/MapTool.h"

#include <QStringList>

#include <map>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace tav {

class MainWindow;
class PictureReadAhead;

class MenusAndToolBar {
public:
    // The pictures of the tool-bar buttons, for reading them ahead while the window is built.
    static QStringList ButtonPicturePaths();

    // Fills `window`'s menu bar and puts the buttons on `toolBar`, with the pictures `pictures` read; `tools`
    // describe the registered drawing tools, in the registry's order. The actions are children of `window`,
    // in menu order, so that their shortcuts work wherever it has the focus.
    MenusAndToolBar(MainWindow* window, QWidget* toolBar, PictureReadAhead& pictures,
                    std::vector<ToolDescription> tools);
    ~MenusAndToolBar();

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
    MainWindow* window_;
    QWidget* toolBar_;
    std::vector<ToolDescription> tools_;
    std::map<int, QMenu*> menus_; // by the place of the table, File to Help and the shortcut-only menu
    QMenu* recentMenu_ = nullptr;
};

} // namespace tav
