#pragma once
// The controls of symmetric painting (対称描画): the Edit menu's submenu with the six modes as radio items,
// F6 and a tool-bar button that cycle through them. The mode itself is the document's; the controls set it
// and follow it.

#include "Symmetry.h"

#include <QObject>
#include <QString>

#include <array>

class QAction;
class QMainWindow;
class QMenu;
class QToolButton;
class QWidget;

namespace tav {

class Document;

// The mode's name in the editor's language, as the menu and the status bar show it.
QString SymmetryModeText(SymmetryMode mode);
// The mode F6 and the button go to from `mode`: none, lr, tb, quad, half, quarter and round again.
SymmetryMode NextSymmetryMode(SymmetryMode mode);

class SymmetryControls : public QObject {
    Q_OBJECT
public:
    // Adds the submenu at the end of `window`'s Edit menu (object name "editMenu"), the cycling item to the
    // window (so that F6 works wherever it has the focus) and the button ("symmetryButton") to `toolBar`,
    // where the tool bar's layout places it.
    SymmetryControls(QMainWindow* window, QWidget* toolBar, Document* document);

    // Sets every text of the submenu and the button's hint in the editor's language.
    void Retranslate();

private:
    void MarkMode(SymmetryMode mode);

    Document* document_;
    QMenu* menu_ = nullptr;
    std::array<QAction*, AllSymmetryModes.size()> modeItems_{};
    QAction* cycleItem_ = nullptr;
    QToolButton* button_ = nullptr;
};

} // namespace tav
