#pragma once
// Where the editor's windows stand, from one run to the next: the main window's size, place and maximised
// state, and the places of the preview, the check window, the faction analysis and the help window. The first
// run gives the main window nine tenths of the screen's available area, frame and title bar included,
// centred; the palette is no part of this, it keeps its place beside the edit window. A remembered place
// wins, made to fit the screen with its title bar on it, unless it covers the edit window while there is room
// beside it; a window's first place goes beside the edit window too where there is room. A minimised window
// is left alone.

#include <QHash>
#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>

class QMainWindow;
class QMdiArea;
class QWidget;

namespace tav {

// Where `place` goes in `frame` (the frame's own coordinates): where it is, unless it covers `edit` while there
// is room beside the edit window, right of `palette` (which stands beside it) or below the edit window; then
// there, as near to `place` as the frame allows.
QRect PlaceBesideEditWindow(const QRect& frame, const QRect& edit, const QRect& palette, const QRect& place);

// Where a window of its own goes whose frame (title bar and borders) adds `frame` around `place`, its client
// area: made no larger than lets the whole frame lie inside `available`, and moved as little as needed so that
// it does. A place far off the screen, or larger than it, comes back whole on it with its title bar.
QRect FitOnScreen(const QRect& available, const QMargins& frame, const QRect& place);
// The main window's place on a first run: its frame nine tenths of `available` in each direction, centred.
QRect FirstMainWindowPlace(const QRect& available, const QMargins& frame);
// The first place of a window of its own of `size` beside the main window, whose frame stands at `main`:
// right of it where the screen has room, else left of it, else over its right side below its tool bar at
// `belowToolBar` (a screen y); fitted on the screen in any case.
QRect FirstPlaceBesideMainWindow(const QRect& available, const QMargins& frame, const QRect& main, int belowToolBar,
                                 QSize size);
// What the window system's frame adds around `window`; none while it has no frame (not yet shown).
QMargins FrameMargins(const QWidget* window);

class Workspace : public QObject {
    Q_OBJECT
public:
    Workspace(QMainWindow* main, QMdiArea* frame, QWidget* editWindow, QWidget* palette);

    // Before the main window is first shown: its remembered size, place and maximised state, or the screen's
    // available area on a first run.
    void PlaceMainWindow();
    // Remembers the place of `window` (a subwindow of the frame, or a window of its own such as the help)
    // under `key` from now on, and puts it at the place remembered from the last run, if any: then true. A
    // subwindow without one is put beside the edit window the first time it comes up where there is room.
    bool Follow(QWidget* window, const QString& key);
    // Tells that `window` may have come up from minimised or hidden: the first time a followed window stands
    // in its remembered place in the frame, that place is kept off the edit window.
    void CameUp(QWidget* window);
    // Stores the places for the next run; the main window's close does this.
    void Save() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Followed {
        QString Key;
        QRect NormalPlace;        // the last place in normal state, this run; empty until there is one
        bool RuleDue = false;     // the place has not yet been checked against the edit window
    };

    QMainWindow* main_;
    QMdiArea* frame_;
    QWidget* editWindow_;
    QWidget* palette_;
    QHash<QWidget*, Followed> followed_;
    bool fitFrame_ = false;  // the main window is fitted on the screen again once its frame is known
    bool firstRun_ = false;  // nothing was remembered: the main window takes its first place
};

} // namespace tav
