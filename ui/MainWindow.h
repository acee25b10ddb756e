#pragma once
// The main window: the multiple-document frame with menu, tool bar and status bar. It owns the map
// document and the editor's windows, lays them out, keeps the settings, carries out the frame's commands, and
// wires the windows, the menus (MenusAndToolBar), the map commands (MapCommands) and the file commands
// (FileController) to the document and to each other's announcements.

#include "EditorSettings.h"
#include "FileController.h"
#include "MapEditView.h"
#include "MenusAndToolBar.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>

class QMdiArea;
class QMenu;

namespace tav {

class AboutDialog;
class BalanceReport;
class Document;
class EditorStatusBar;
class FactionAnalysisView;
class HelpWindow;
class MapCheckView;
class MapCommands;
class PictureReadAhead;
class PreviewView;
class SymmetryControls;
class TilePalette;
class TileSetPictures;
class Workspace;

class MainWindow : public QMainWindow,
                   private MapChecker,
                   private EditWindowPlacement,
                   private FrameCommands {
    Q_OBJECT
public:
    static constexpr int ToolBarHeight = 30;

    MainWindow();
    ~MainWindow() override;

    Document* Map() const { return document_; }
    FileController* Files() const { return files_; }
    MapCommands* MapEdits() const { return mapCommands_; }
    // ファイル → 最近使ったファイル; empty and greyed until an editor session fills it.
    QMenu* RecentFilesMenu() const;

    // The client area: the window without its menu bar (tool bar, frame and status bar included).
    QSize ClientSize() const;
    void SetClientSize(QSize client);

    // The commands of the frame, as the menus, tool bar and shortcuts reach them.
    // A drawing tool, by its place in the registry.
    void SelectTool(std::size_t tool) override;
    void SelectEdge(TileEdge edge) override;
    void SelectTileSet(TileSet tileSet) override;
    // Runs the map check; true when it found a problem (the check window is then in front). A check
    // that finds nothing says so in the status bar for a few seconds.
    bool RunMapCheck() override;
    // The same for `grid`, the map as a save will write it.
    bool RunMapCheck(const MapGrid& grid) override;
    void ShowAbout() override;
    void ShowHelp() override;
    void ShowEditView() override;
    void ShowPalette() override;
    void ShowPreview() override;
    void ShowCheckView() override;
    void ShowFactionView() override;
    void SetGridLines(bool shown) override;
    // 勢力範囲を重ねる: the territory overlay and the balance in the status bar, kept between runs.
    void SetTerritoryOverlay(bool shown) override;
    // 先着差を重ねる: the overlay with the lead picture instead of the territory (the two exclude each other).
    void SetLeadOverlay(bool shown) override;
    // 移動コスト…: the user edits the cost table; an accepted one is stored and every figure follows.
    void ShowMovementCosts() override;
    // The faction window's turn order, stored and followed by every figure.
    void SetTurnOrder(const TurnOrder& order);
    // 環境設定: the user edits the settings; accepted ones are stored and take effect at once.
    void ShowPreferences() override;
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
    // The user chose a cost table or a turn order (and it is stored).
    void MovementRulesChosen();

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
    bool PlacePaletteBeside(QSize editClient) override;
    void CreateFrame();
    void ConnectCommands();
    void ConnectEditingAids();
    void ApplyStartupSettings();
    void ShowWindow(QWidget* window, bool restore);
    void RefreshFactionView();
    int MenuBarHeight() const;
    void KeepMinimumSize();
    void KeepPreviewOffPalette();
    void UpdateCaption();
    // Sets every text of the menus, tool-bar hints and status bar in the editor's language.
    void RetranslateUi();

    Document* document_ = nullptr;
    TileSetPictures* pictures_ = nullptr;
    FileController* files_ = nullptr;
    MapCommands* mapCommands_ = nullptr;
    std::unique_ptr<MenusAndToolBar> menus_;
    SymmetryControls* symmetry_ = nullptr;

    QMdiArea* mdiArea_ = nullptr;
    QWidget* toolBar_ = nullptr;
    EditorStatusBar* statusBar_ = nullptr;
    MapEditView* editView_ = nullptr;
    TilePalette* palette_ = nullptr;
    PreviewView* preview_ = nullptr;
    MapCheckView* checkView_ = nullptr;
    FactionAnalysisView* factionView_ = nullptr; // made when first asked for
    AboutDialog* about_ = nullptr;               // made when first asked for
    HelpWindow* help_ = nullptr;                 // made when first asked for
    Workspace* workspace_ = nullptr;
    BalanceReport* balance_ = nullptr;

    EditorSettings settings_;
    std::function<QString()> autosaveNote_;
    // The tool-bar and tile pictures, read while the window is built; gone after the first showing.
    std::unique_ptr<PictureReadAhead> readAhead_;
};

} // namespace tav
