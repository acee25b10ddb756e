#pragma once
// The menu bar and the tool bar, built from one table of commands: each command's menu item with its
// shortcut, its tool-bar button at its fixed place, and the texts of both in the editor's language. The
// items run the main window's commands; which ones are greyed or marked is the main window's wiring.

#include "DrawTools.h"
#include "TileSets.h"

#include <QStringList>

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

    // Fills `window`'s menu bar and puts the buttons on `toolBar`, with the pictures `pictures` read. The
    // actions are children of `window`, in menu order, so that their shortcuts work wherever it has focus.
    MenusAndToolBar(MainWindow* window, QWidget* toolBar, PictureReadAhead& pictures);

    // A menu item or tool-bar command by its object name.
    QAction* Action(const char* name) const;
    // ファイル → 最近使ったファイル; empty and greyed until an editor session fills it.
    QMenu* RecentFilesMenu() const { return recentMenu_; }

    // The marks of the radio items: the tool, the tile edge and the tile set in force.
    void MarkTool(DrawTool tool);
    void MarkEdge(TileEdge edge);
    void MarkTileSet(TileSet tileSet);

    // Sets every text of the menus and every hint of the tool bar in the editor's language.
    void Retranslate();

private:
    MainWindow* window_;
    QWidget* toolBar_;
    QMenu* recentMenu_ = nullptr;
};

} // namespace tav
