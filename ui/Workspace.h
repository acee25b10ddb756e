#pragma once
// Where the editor's windows stand, from one run to the next: the main window's size, place and maximised
// state, and the places of the preview, the check window, the faction analysis and the help window. The first
// run gives the main window the screen's available area (the edit window's layout rule then gives the edit
// window room); the palette is no part of this, it keeps its place beside the edit window. A remembered place
// wins, unless it covers the edit window while there is room beside it; a minimised window is left alone.

#include <QHash>
#include <QObject>
#include <QRect>
#include <QString>

class QMainWindow;
class QMdiArea;
class QWidget;

namespace tav {

// Where `place` goes in `frame` (the frame's own coordinates): where it is, unless it covers `edit` while there
// is room beside the edit window, right of `palette` (which stands beside it) or below the edit window; then
// there, as near to `place` as the frame allows.
QRect PlaceBesideEditWindow(const QRect& frame, const QRect& edit, const QRect& palette, const QRect& place);

class Workspace : public QObject {
    Q_OBJECT
public:
    Workspace(QMainWindow* main, QMdiArea* frame, QWidget* editWindow, QWidget* palette);

    // Before the main window is first shown: its remembered size, place and maximised state, or the screen's
    // available area on a first run.
    void PlaceMainWindow();
    // Remembers the place of `window` (a subwindow of the frame, or a window of its own such as the help)
    // under `key` from now on, and puts it at the place remembered from the last run, if any.
    void Follow(QWidget* window, const QString& key);
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
        bool RuleDue = false;     // a remembered place was given and has not been checked against the edit window
    };

    QMainWindow* main_;
    QMdiArea* frame_;
    QWidget* editWindow_;
    QWidget* palette_;
    QHash<QWidget*, Followed> followed_;
    bool fitFrame_ = false; // a first run's main window is fitted in once its frame is known
};

} // namespace tav
