#pragma once
// The main window: the multiple-document frame with menu, tool bar and status bar. It owns the map
// document and the pictures of the tile set in force, and turns commands into calls on the other windows.

#include "MapDocument.h"
#include "TileBitmaps.h"

#include <QMainWindow>
#include <QString>

class QAction;
class QActionGroup;
class QButtonGroup;
class QLabel;
class QMdiArea;
class QMenu;
class QStatusBar;
class QToolButton;

namespace tav {

class TMainView;
class TMapEditView;
class TCharacterView;
class TPreEditView;
class TMapCheckView;
class TVersionView;

// The six windows, created once at start-up in this order and kept until the program ends.
extern TMainView* MainView;
extern TMapEditView* MapEditView;
extern TCharacterView* CharacterView;
extern TPreEditView* PreEditView;
extern TMapCheckView* MapCheckView;
extern TVersionView* VersionView;

// Application-wide settings made once before the windows exist: the title, the font substitutions
// that give the Japanese captions a font, the window icon.
void InitApplication();
// Creates the six windows in the fixed order and sets the program-wide references. Nothing is shown.
void CreateEditorWindows();
// Destroys the windows and clears the references (tests and benchmarks start over with it).
void DestroyEditorWindows();

class TMainView : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int SpeedBarHeight = 30;
    static constexpr int StatusBarHeight = 19;
    static constexpr int StatusPanelWidth = 150;

    TMainView();
    ~TMainView() override;

    MapDocument Document;
    tav::TileBitmaps TileBitmaps; // the current tile set in its four scales

    // Tile pictures and tile-set switching.
    void LoadTileSetBitmaps();
    void FreeTileSetBitmaps();
    void ValidateTileSet();
    void ApplyTileSet();
    void MenuCharClick(int tileSet);
    void MenuChar1Click() { MenuCharClick(1); }
    void MenuChar2Click() { MenuCharClick(2); }
    void MenuChar3Click() { MenuCharClick(3); }
    void MenuChar4Click() { MenuCharClick(4); }
    void MenuChar5Click() { MenuCharClick(5); }
    void MenuChar6Click() { MenuCharClick(6); }
    void MenuChar7Click() { MenuCharClick(7); }
    void MenuChar8Click() { MenuCharClick(8); }
    void MenuChar9Click() { MenuCharClick(9); }
    void SmallCharButtonClick();
    void MiddleCharButtonClick();
    void LargeCharButtonClick();

    // The window's own events.
    void FormCreate();
    void FormShow();
    void FormResize();
    bool FormCloseQuery(); // whether the window may close now
    void FormClose();
    void MenuExitClick();

    // Tool commands.
    void MenuPenClick();
    void MenuLineClick();
    void MenuBoxClick();
    void MenuBoxFillClick();
    void MenuCircleClick();
    void MenuCircleFillClick();
    void MenuBucketClick();

    // Window commands and the about box.
    void MenuShowEditViewClick();
    void MenuShowCharViewClick();
    void MenuShowPreviewClick();
    void MenuShowMapCheckViewClick();
    void V1Click();

    // The hidden map shift commands.
    void MenuShiftLeft1Click();
    void MenuShiftRight1Click();
    void MenuShiftUpper1Click();
    void MenuShiftLower1Click();

    // File, shaping and check commands.
    void MenuNewFileClick();
    void MenuOpenFileClick();
    void MenuSaveFileClick();
    void MenuSaveAsFileClick(bool byUser);
    void MenuFormClick();
    void MenuUnformClick();
    void CheckButtonClick();

    // The client area: the window without its menu bar (tool bar, frame and status bar included).
    QSize ClientSize() const;
    void SetClientSize(QSize client);

    // The first panel of the status bar.
    void SetStatusText(const QString& text);
    QString StatusText() const;

    QMdiArea* MdiArea = nullptr;
    QWidget* SpeedBar = nullptr;
    QStatusBar* StatusBar = nullptr;
    QLabel* StatusPanel = nullptr;

    // Menus and items, named as in the menu table.
    QMenu* File = nullptr;
    QMenu* Edit = nullptr;
    QMenu* Character = nullptr;
    QMenu* W1 = nullptr;
    QMenu* O1 = nullptr;
    QMenu* Help = nullptr;
    QMenu* N1 = nullptr; // never shown; its shortcuts work
    QAction* V1 = nullptr;
    QAction *MenuNewFile = nullptr, *MenuOpenFile = nullptr, *MenuSaveFile = nullptr, *MenuSaveAsFile = nullptr,
            *MenuExit = nullptr;
    QAction *MenuPen = nullptr, *MenuLine = nullptr, *MenuBox = nullptr, *MenuBoxFill = nullptr, *MenuCircle = nullptr,
            *MenuCircleFill = nullptr, *MenuBucket = nullptr;
    QAction *MenuCut = nullptr, *MenuCopy = nullptr, *MenuPaste = nullptr, *MenuForm = nullptr,
            *MenuUnform = nullptr, *MenuUndo = nullptr;
    QAction* MenuChar[9] = {}; // MenuChar1 .. MenuChar9
    QAction *MenuShowEditView = nullptr, *MenuShowCharView = nullptr, *MenuShowPreview = nullptr,
            *MenuShowMapCheckView = nullptr;
    QAction *MenuShiftLeft1 = nullptr, *MenuShiftRight1 = nullptr, *MenuShiftUpper1 = nullptr,
            *MenuShiftLower1 = nullptr;
    QAction *MenuChangeSizeL = nullptr, *MenuChangeSizeM = nullptr, *MenuChangeSizeS = nullptr;

    // Tool-bar buttons, named as in the tool-bar table.
    QToolButton *NewButton = nullptr, *OpenButton = nullptr, *SaveAsButton = nullptr, *SaveButton = nullptr,
                *ExitButton = nullptr;
    QToolButton *PenButton = nullptr, *LineButton = nullptr, *BoxButton = nullptr, *BoxFillButton = nullptr,
                *CircleButton = nullptr, *CircleFillButton = nullptr, *BucketButton = nullptr;
    QToolButton *RangeButton = nullptr, *CutButton = nullptr, *PasteButton = nullptr, *ChangeButton = nullptr,
                *ExchangeButton = nullptr, *FormButton = nullptr, *UnformButton = nullptr, *UndoButton = nullptr;
    QToolButton *LargeCharButton = nullptr, *MiddleCharButton = nullptr, *SmallCharButton = nullptr;
    QToolButton *CheckButton = nullptr, *StatusButton = nullptr, *HelpButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    void CreateSpeedBar();
    void SelectTool(int tool, QToolButton* button, QAction* item);
    void SelectEditScale(int scale, QToolButton* button);
    void ShiftCommand(ShiftDirection direction, bool& busy);
    void BringUp(QWidget* window, bool restore);
    int MenuBarHeight() const;

    void WriteMap(const QString& path);
    bool AskDiscard();
    bool AskSaveAnyway();

    QString filePath_;       // the full path of the map's file, for writing; empty for a new map
    QString saveDialogName_; // what the save dialog offers when the map has no file yet: its last choice
    QActionGroup* toolItems_ = nullptr;
    QActionGroup* tileSetItems_ = nullptr;
    QButtonGroup* toolButtons_ = nullptr;
    QButtonGroup* scaleButtons_ = nullptr;
    bool shiftLeftBusy_ = false;
    bool shiftRightBusy_ = false;
    bool shiftUpBusy_ = false;
    bool shiftDownBusy_ = false;
};

} // namespace tav
