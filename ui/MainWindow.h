#pragma once
// The main window: the multiple-document frame with menu, tool bar and status bar. It owns the map
// document and the editor's windows, builds its menus and tool-bar buttons from one table of commands,
// and wires the windows to the document and to each other's announcements.

#include <QMainWindow>
#include <QString>

class QAction;
class QActionGroup;
class QLabel;
class QMdiArea;
class QMenu;
class QStatusBar;
class QToolButton;

namespace tav {

class AboutDialog;
class Document;
class FileController;
class MapCheckView;
class MapEditView;
class PreviewView;
class TilePalette;
class TileSetPictures;
enum class ShiftDirection;

// Application-wide settings made once before the windows exist: the title, the font substitutions
// that give the Japanese captions a font, the window icon.
void InitApplication();

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int SpeedBarHeight = 30;
    static constexpr int StatusBarHeight = 19;
    static constexpr int StatusPanelWidth = 150;

    MainWindow();
    ~MainWindow() override;

    Document* Map() const { return document_; }
    FileController* Files() const { return files_; }
    // ファイル → 最近使ったファイル; empty and greyed until an editor session fills it.
    QMenu* RecentFilesMenu() const { return recentMenu_; }

    // The client area: the window without its menu bar (tool bar, frame and status bar included).
    QSize ClientSize() const;
    void SetClientSize(QSize client);

    // The commands, as the menus, tool bar and shortcuts reach them.
    void SelectTool(int tool);
    void SelectScale(int editScale);
    void SelectTileSet(int tileSet);
    void ShiftWholeMap(ShiftDirection direction);
    void ShapeWholeMap();
    void UnshapeWholeMap();
    void RunMapCheck();
    void ShowAbout();
    void ShowWindow(QWidget* window, bool restore);
    void ShowEditView();
    void ShowPalette();
    void ShowPreview();
    void ShowCheckView();

    // Sizes the edit window to what fits beside the palette, and puts the palette beside it.
    void LayoutEditWindow();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // A .map file dropped on the window is opened, with the discard question when the map is modified.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateFrame();
    void CreateCommands();
    QAction* Action(const char* name) const;
    bool PlacePaletteBeside(QSize editClient);
    int MenuBarHeight() const;
    void KeepMinimumSize();
    void UpdateCaption();

    Document* document_ = nullptr;
    TileSetPictures* pictures_ = nullptr;
    FileController* files_ = nullptr;

    QMdiArea* mdiArea_ = nullptr;
    QWidget* speedBar_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* statusPanel_ = nullptr;
    MapEditView* editView_ = nullptr;
    TilePalette* palette_ = nullptr;
    PreviewView* preview_ = nullptr;
    MapCheckView* checkView_ = nullptr;
    AboutDialog* about_ = nullptr;

    QMenu* recentMenu_ = nullptr;
    QActionGroup* toolItems_ = nullptr;
    QActionGroup* scaleItems_ = nullptr;
    QActionGroup* tileSetItems_ = nullptr;
};

} // namespace tav
