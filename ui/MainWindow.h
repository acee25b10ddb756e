#pragma once
// The main window: the multiple-document frame with menu, tool bar and status bar. It owns the map
// document and the editor's windows, builds its menus and tool-bar buttons from one table of commands,
// and wires the windows to the document and to each other's announcements.

#include "EditorSettings.h"
#include "MapGrid.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>

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
class FactionAnalysisView;
class FileController;
class HelpWindow;
class MapCheckView;
class MapEditView;
class PictureReadAhead;
class PreviewView;
class TilePalette;
class TileSetPictures;
class Workspace;
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
    // Shift with an arrow key: moves the selection's cells when there is a selection, else turns the map.
    void ShiftMapOrSelection(ShiftDirection direction);
    void ToggleRangeSelection();
    void SelectAll();
    // Esc: drops a floating paste, else the selection.
    void CopySelection();
    void CutSelection();
    // Floats the clipboard's block under the pointer, or with `inPlace` puts it where it was copied from.
    void Paste(bool inPlace);
    // The 置換 and 交換 dialog, and the change it asks for.
    void ReplaceCodesInMap(bool exchange);
    void ShapeWholeMap();
    void UnshapeWholeMap();
    // Runs the map check; true when it found a problem (the check window is then in front). A check
    // that finds nothing says so in the status bar for a few seconds.
    bool RunMapCheck();
    // The same for `grid`, the map as a save will write it.
    bool RunMapCheck(const MapGrid& grid);
    void ShowAbout();
    void ShowHelp();
    void ShowWindow(QWidget* window, bool restore);
    void ShowEditView();
    void ShowPalette();
    void ShowPreview();
    void ShowCheckView();
    void ShowFactionView();
    // Esc: drops the edit window's half-made shape or stroke.
    void CancelGesture();
    void SetGridLines(bool shown);
    // 環境設定: the user edits the settings; accepted ones are stored and take effect at once.
    void ShowPreferences();
    // What the preferences say beside the autosave interval, asked each time they open (the session tells why
    // its copies fail); nothing by default.
    void SetAutosaveNote(std::function<QString()> note) { autosaveNote_ = std::move(note); }

    const EditorSettings& Settings() const { return settings_; }
    // Stores `settings` and applies what can change while the editor runs (all but the start-up values);
    // a new language retranslates the open windows at once.
    void ApplySettings(const EditorSettings& settings);

    // Sizes the edit window to what fits beside the palette, and puts the palette beside it.
    void LayoutEditWindow();

    // Makes the preview and the check window, minimised in the frame, unless they are there. They are made
    // right after the frame is first painted, or earlier when something asks for them.
    void MakeMinimisedWindows();

signals:
    // The settings changed (the autosave interval among them).
    void SettingsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    // A .map file dropped on the window is opened, with the discard question when the map is modified.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void RefreshFactionView();
    void CreateFrame();
    void CreateCommands();
    QAction* Action(const char* name) const;
    bool PlacePaletteBeside(QSize editClient);
    int MenuBarHeight() const;
    void KeepMinimumSize();
    void ConnectEditingAids();
    void ApplyStartupSettings();
    void ShowPickedCode(int code);
    void KeepPreviewOffPalette();
    void UpdateCaption();
    // Sets every text of the menus, tool-bar hints and status bar in the editor's language.
    void RetranslateUi();
    static QString NoProblemText();

    Document* document_ = nullptr;
    TileSetPictures* pictures_ = nullptr;
    FileController* files_ = nullptr;

    QMdiArea* mdiArea_ = nullptr;
    QWidget* speedBar_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* statusPanel_ = nullptr;
    QLabel* statusMessage_ = nullptr;
    QLabel* statusCellCode_ = nullptr;   // the code under the pointer and its role
    QLabel* statusPickedCode_ = nullptr; // the code the palette has picked
    int shownCellCode_ = -1;             // the code statusCellCode_ shows; -1 before the pointer came
    MapEditView* editView_ = nullptr;
    TilePalette* palette_ = nullptr;
    PreviewView* preview_ = nullptr;
    MapCheckView* checkView_ = nullptr;
    FactionAnalysisView* factionView_ = nullptr;
    AboutDialog* about_ = nullptr;
    HelpWindow* help_ = nullptr; // made when first asked for
    Workspace* workspace_ = nullptr;

    QMenu* recentMenu_ = nullptr;
    QActionGroup* toolItems_ = nullptr;
    QActionGroup* scaleItems_ = nullptr;
    QActionGroup* tileSetItems_ = nullptr;

    EditorSettings settings_;
    std::function<QString()> autosaveNote_;
    // The tool-bar and tile pictures, read while the window is built; gone after the first showing.
    std::unique_ptr<PictureReadAhead> readAhead_;
};

} // namespace tav
