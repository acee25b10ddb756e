#pragma once
// Drives the editor as a user does, on a scripted platform: mouse gestures at cells of the edit window,
// the palette and the preview, keys, menu items and tool-bar buttons; and reads back what the user sees
// (the pixels of the views, captions, status text, the check list, window states) and the map document.
// The tests use nothing else of the editor, so they outlive changes to its classes: only the backend
// section of EditorDriver.cpp knows them.

#include "CellGrid.h"
#include "MapGrid.h"
#include "Platform.h"

#include <QByteArray>
#include <QEvent>
#include <QImage>
#include <QKeySequence>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

class QAction;
class QDialog;
class QScrollBar;
class QTemporaryDir;

namespace tav::testing {

// How a test answers a modal dialog as the user would: it gets the dialog, fills its fields
// (EditorDriver::SetField) and ends it with its own buttons (EditorDriver::EndDialog), returning the result code.
using DialogAnswer = std::function<int(QDialog*)>;

// Screen size, scripted answers and file dialogs, and a record of every question, message, error and dialog.
// Timers never tick on their own: the tests advance the blink themselves.
class ScriptedPlatform : public Platform {
public:
    QSize Screen{1024, 768};
    QRect Available;        // the part of the screen windows may take; empty: the whole screen
    bool RealModal = false; // show dialogs modally for real, so that their own buttons must end them
    std::vector<QString> Messages;
    std::vector<QString> Captions; // one per entry of Messages
    std::vector<QString> Errors;
    std::deque<bool> Answers; // for OK/Cancel questions; Cancel when none is left
    std::deque<std::optional<QString>> OpenAnswers, SaveAnswers; // cancelled when none is left
    std::vector<FileDialogSettings> OpenDialogs, SaveDialogs;
    std::deque<DialogAnswer> DialogAnswers; // one per modal dialog; without one a dialog is rejected (see RealModal)
    std::vector<QString> Dialogs;           // the objectName of every modal dialog shown
    int ModalShows = 0;

    // How often `text` was asked or shown.
    int Count(const QString& text) const;
    // Forgets what was recorded; scripted answers stay.
    void Forget();

    QSize ScreenSize() const override { return Screen; }
    QRect AvailableGeometry() const override { return Available.isEmpty() ? QRect(QPoint(0, 0), Screen) : Available; }
    bool AskOkCancel(QWidget* parent, const QString& caption, const QString& text) override;
    void ShowMessage(QWidget* parent, const QString& caption, const QString& text) override;
    void ReportError(QWidget*, const QString& text) override { Errors.push_back(text); }
    int ExecModal(QDialog* dialog) override;
    std::optional<QString> OpenFileName(QWidget*, const FileDialogSettings& settings) override;
    std::optional<QString> SaveFileName(QWidget*, const FileDialogSettings& settings) override;
    bool TimersRun() const override { return false; }
};

struct EditorOptions {
    QSize Screen{1024, 768};
    bool Show = true;       // show the main window at once, as the program does
    bool RealModal = false; // see ScriptedPlatform::RealModal
    // With the editor's session, as the program has it: recent files, recovery copies (in a folder of the
    // driver's own, see RecoveryFolder) and the notices of the status bar. Shown, it offers the copies there.
    bool Session = false;
    // The part of the screen windows may take, which a first run gives the main window; by default the
    // 792 x 552 window at (1, 1) the tests' layouts are measured in.
    QRect Available{1, 1, 792, 552};
};

class EditorDriver {
public:
    explicit EditorDriver(EditorOptions options = {});
    ~EditorDriver();
    EditorDriver(const EditorDriver&) = delete;
    EditorDriver& operator=(const EditorDriver&) = delete;

    ScriptedPlatform& platform() { return *platform_; }
    void Show(); // shows the main window and makes it active
    // Ends the editor and starts it again as the next run of the program does: with the settings the last
    // run stored. Each driver keeps its settings in a folder of its own, so tests never see each other's.
    void Restart();

    // ---- Gestures -----------------------------------------------------------------------------------
    // At a position of the map picture widget, which may lie outside it (a held mouse reports there); a
    // move carries the buttons held since their press.
    void PressAt(QPoint pos, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) {
        Mouse("map picture", QEvent::MouseButtonPress, pos, button, mods);
    }
    void MoveTo(QPoint pos, Qt::KeyboardModifiers mods = {}) {
        Mouse("map picture", QEvent::MouseMove, pos, Qt::NoButton, mods);
    }
    void ReleaseAt(QPoint pos, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) {
        Mouse("map picture", QEvent::MouseButtonRelease, pos, button, mods);
    }
    // The same at the middle of cell (x, y) of the edit window.
    void Press(int x, int y, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) {
        PressAt(CellCentre(x, y), button, mods);
    }
    void Move(int x, int y, Qt::KeyboardModifiers mods = {}) { MoveTo(CellCentre(x, y), mods); }
    void Release(int x, int y, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) {
        ReleaseAt(CellCentre(x, y), button, mods);
    }
    void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) {
        Press(x, y, button, mods);
        Release(x, y, button, mods);
    }
    // A click at cell (x, y) as the window system delivers it, through the window and the frame (which may
    // activate the edit window first), not to the map picture alone.
    void ClickThroughTheWindow(int x, int y);
    // Press at the first cell, move through the others, release at the last.
    void Drag(std::initializer_list<QPoint> cells, Qt::MouseButton button = Qt::LeftButton);
    // A wheel turn over the map picture: `angle` in eighths of a degree (120 a notch), `pixels` as a touchpad
    // reports them (none from a plain wheel).
    void Wheel(QPoint pos, QPoint angle, QPoint pixels = {}, Qt::KeyboardModifiers mods = {});
    QPoint CellOrigin(int x, int y) const; // the cell's top-left pixel in the map picture widget
    QPoint CellAt(QPoint pos) const;       // the cell under a position of the map picture widget, clamped
    QPoint CellCentre(int x, int y) const { return CellOrigin(x, y) + QPoint(EditEdge() / 2, EditEdge() / 2); }

    // The palette, at any position of its picture or at the middle of a tile code's square; the preview.
    void PalettePressAt(QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
        Mouse("palette picture", QEvent::MouseButtonPress, pos, button, {});
    }
    void PaletteMoveTo(QPoint pos) { Mouse("palette picture", QEvent::MouseMove, pos, Qt::NoButton, {}); }
    void PaletteReleaseAt(QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
        Mouse("palette picture", QEvent::MouseButtonRelease, pos, button, {});
    }
    static QPoint PaletteCentre(int code) { return {17 * (code % 8) + 8, 17 * (code / 8) + 8}; }
    void PickTile(int code) {
        PalettePressAt(PaletteCentre(code));
        PaletteReleaseAt(PaletteCentre(code));
    }
    void DragInPalette(int fromCode, int toCode) {
        PalettePressAt(PaletteCentre(fromCode));
        PaletteMoveTo(PaletteCentre(toCode));
        PaletteReleaseAt(PaletteCentre(toCode));
    }
    void PreviewPressAt(QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
        Mouse("preview picture", QEvent::MouseButtonPress, pos, button, {});
    }
    void PreviewMoveTo(QPoint pos) { Mouse("preview picture", QEvent::MouseMove, pos, Qt::NoButton, {}); }
    void PreviewReleaseAt(QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
        Mouse("preview picture", QEvent::MouseButtonRelease, pos, button, {});
    }
    static QPoint PreviewCentre(int x, int y) { return {4 * x + 2, 4 * y + 2}; }
    void ClickPreview(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        PreviewPressAt(PreviewCentre(x, y), button);
        PreviewReleaseAt(PreviewCentre(x, y), button);
    }
    // Press at one cell of the preview, move to the other, release there.
    void DragInPreview(QPoint fromCell, QPoint toCell) {
        PreviewPressAt(PreviewCentre(fromCell.x(), fromCell.y()));
        PreviewMoveTo(PreviewCentre(toCell.x(), toCell.y()));
        PreviewReleaseAt(PreviewCentre(toCell.x(), toCell.y()));
    }

    // Keys at the main window (shortcuts go through the real actions), menu items and tool-bar buttons by name.
    void Key(const QKeySequence& keys);
    void Key(const char* keys) { Key(QKeySequence(QString::fromLatin1(keys), QKeySequence::PortableText)); }
    void Trigger(const QString& actionName);
    void ClickButton(const QString& buttonName);
    bool Checked(const QString& actionOrButtonName) const;
    void Blink(int ticks = 1); // the blink timers' ticks (backend)
    // Lets the event loop run once, as it does between two user actions: layouts settle.
    void Settle();

    // Open through the scripted dialog: `path` is the dialog's answer; `discard` answers the question
    // about a modified map, if one is asked.
    void Open(const QString& path, bool discard = true);

    // ---- Modal dialogs, as a DialogAnswer handles them ----------------------------------------------
    // Sets the field `name` of `dialog` as the user would: a spin box's value, a combo box's index, a check
    // box's or radio button's check (0 or 1). False when there is no such field or it is greyed.
    static bool SetField(QDialog* dialog, const QString& name, int value);
    // Types `text` over what the line field `name` of `dialog` holds, as its checks let a user. False when
    // there is no such field or it is greyed.
    static bool SetText(QDialog* dialog, const QString& name, const QString& text);
    // The field's value in the same terms; throws when there is no such field.
    static int Field(QDialog* dialog, const QString& name);
    // The text a label `name` of the dialog shows; empty when there is no such label.
    static QString LabelText(QDialog* dialog, const QString& name);
    // Clicks the dialog's OK (accept) or Cancel button and returns the dialog's result: a greyed OK leaves
    // it rejected.
    static int EndDialog(QDialog* dialog, bool accept);
    // Clicks the dialog's button `name` (one that does not end it, 既定値に戻す); false when it has none or it is greyed.
    static bool ClickDialogButton(QDialog* dialog, const QString& name);
    // Sets the fields in order, then ends the dialog.
    static DialogAnswer Answer(std::vector<std::pair<QString, int>> fields, bool accept);

    // ---- The clipboard ---------------------------------------------------------------------------------
    // Puts `bytes` on the clipboard as the editor's own form of a block, and nothing else.
    static void PutBlockBytesOnClipboard(const QByteArray& bytes);
    static void PutTextOnClipboard(const QString& text);
    static QString ClipboardText();
    static QImage ClipboardPicture();

    // ---- The document (backend) ----------------------------------------------------------------------
    TileCode Cell(int x, int y) const { return Grid()[GridIndex(x, y)]; }
    MapGrid Grid() const;
    int TileSet() const;  // as the menu numbers it, 1..9
    int EditEdge() const; // 8, 16 or 32
    bool Modified() const;
    QString FileName() const;
    // Puts `grid` into the editor as a fresh, unmodified map without a file, in tile set `tileSet` (1..9; 0: as
    // is).
    void LoadMap(const MapGrid& grid, int tileSet = 0);
    // The selected cells, corners included; nothing without a selection.
    std::optional<QRect> Selection() const;
    // Whether a pasted block floats under the pointer, waiting for the click that puts it down.
    bool Pasting() const;
    // How edits are mirrored (none, lr, tb, quad, half, quarter), set on the map as the mode's menu sets it.
    void SetSymmetryMode(const char* cliName);

    // ---- The session's recovery copies (with EditorOptions::Session) -----------------------------------
    QString RecoveryFolder() const;
    // The maps of the recovery copies in the folder, by file name.
    std::vector<MapGrid> RecoveryCopies() const;
    // Lets time pass for the timer of the copies (backend), which does not run on its own.
    void ElapseRecoveryTime(int milliseconds);

    // ---- The screen ----------------------------------------------------------------------------------
    // Whether cell (x, y) of the edit window shows tile `code` of the tile set in force. The cursor's ring
    // along the inside of the cell may stand over it; a cell the cursor fills shows no tile.
    bool Shows(int x, int y, int code) const;
    QRgb ShownPixel(int x, int y, int u, int v) const; // pixel (u, v) of the cell on screen
    // The whole map as the edit window holds it to show (without the cursor and other marks over it).
    QImage EditWindowMap() const;
    bool PreviewShows(int x, int y, int code) const;
    // Where the preview frames the edit window's view, in preview pixels; empty while the whole map is in view.
    QRect PreviewFrame() const;
    // What the preview must show for `grid`: the map at 4 pixels with the frame of the edit window's view.
    QImage ExpectedPreview(const MapGrid& grid) const;
    bool PaletteShows(int code) const; // the tile's square, the selection frame over its outer ring allowed
    // Whether every visible cell of the edit window shows `grid` (under at most a cursor of one blink
    // colour, and the selection's black and white frame) and the preview shows it exactly. Cells under a
    // floating block or a dragged selection are passed over: they show a blend of two tiles.
    ::testing::AssertionResult ShowsGrid(const MapGrid& grid) const;
    // The palette tile the blinking frame stands around, -1 for none (the frame shows after a pick and a tick).
    int PickedTile() const;
    QImage Grab(const QString& role) const;
    QRgb TilePixel(int code, int edge, int u, int v) const; // of the tile set in force
    static std::span<const QRgb> BlinkColours();
    static bool IsBlinkColour(QRgb colour);

    QString StatusText() const { return LabelText("status"); }
    // The text of a label by role: "status", "cell code" (the code under the pointer), "picked code",
    // "status message", "status notice" (the session's), "symmetry" (the mode of symmetric painting),
    // "balance", "missing castles", "faction summary", "turn order balance", "turn place 0".."turn place 3" (the
    // faction window's turn order, the first mover at place 0).
    QString LabelText(const QString& role) const;
    QImage LabelPicture(const QString& role) const; // a label's picture ("territory picture")
    QString ToolTip(const QString& role) const { return Widget(role)->toolTip(); }
    // A table's rows, header texts and cell backgrounds by role ("faction table").
    QStringList TableRow(const QString& role, int row) const;
    QStringList TableHeaders(const QString& role) const;
    // How many of a table's rows are on the screen whole.
    int TableRowsShown(const QString& role) const;
    QRgb TableCellColour(const QString& role, int row, int column) const;
    QString EditCaption() const { return Widget("edit window")->windowTitle(); }
    // The main window's title as the desktop shows it: Qt's modified mark "[*]" becomes "*" or nothing.
    QString MainTitle() const {
        QWidget* main = Widget("main window");
        return main->windowTitle().replace(QStringLiteral("[*]"), main->isWindowModified() ? QStringLiteral("*") : QString());
    }
    QStringList CheckLines() const;
    // The row the editor's own open dialog lists for `fileName` in `folder` in its detail view: the name, size,
    // type and date as shown. Runs the real dialog, not the scripted one, and cancels it once the row is
    // complete; empty when it never was.
    static QStringList FileDialogRow(const QString& folder, const QString& fileName);
    QStringList MenuTitles() const;
    // Where the tool bar's layout puts each of its buttons, left to right: object name and square.
    std::vector<std::pair<QString, QRect>> PlannedToolBar() const;

    // Windows and widgets by role (see the name table in EditorDriver.cpp) or by the objectName the
    // menu, tool-bar and about-box tables give them.
    QWidget* Widget(const QString& role) const;
    QAction* Action(const QString& name) const;
    QScrollBar* ScrollBar(Qt::Orientation orientation) const; // the edit window's own
    // Windows made only when first asked for (the about box, the faction analysis) are not visible before.
    bool Visible(const QString& role) const { return Exists(role) && Widget(role)->isVisible(); }
    bool Exists(const QString& role) const;
    bool Minimised(const QString& role) const { return Widget(role)->isMinimized(); }
    bool Active(const QString& role) const; // the active subwindow of the frame
    QRect Geometry(const QString& role) const { return Widget(role)->geometry(); }
    QRect FrameGeometry(const QString& role) const { return Widget(role)->frameGeometry(); }
    // A window's client area: for the main window the window without its menu bar; for a subwindow its content.
    QSize ClientSize(const QString& role) const;
    void SetClientSize(const QString& role, QSize client);

private:
    void Mouse(const char* role, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::KeyboardModifiers mods);

    ScriptedPlatform* platform_ = nullptr;
    Qt::MouseButtons held_;
    std::unique_ptr<QTemporaryDir> settingsFolder_;
    bool shown_ = false;
    bool session_ = false;
};

// Runs every test of the program with one application object, as the editor has.
int RunEditorTestProgram(int argc, char** argv);

} // namespace tav::testing
