#pragma once
// The status bar and its six panels, left to right:
//   the tool's panel  the edit window's tool status: the cell under the pointer, a shape's two points, a
//                     selection's corners and size (MapEditView::StatusTextChanged);
//   the cell code     the code under the pointer and its role (MapEditView::CursorCodeChanged);
//   the picked code   the code the palette has picked and its role (TilePalette::CodePicked);
//   the symmetry      the mode of symmetric painting in force (Document::SymmetryChanged);
//   the balance       while the territory overlay is on, the balance and the last step's change of it
//                     (BalanceReport::BalanceChanged); hidden while it is off;
//   the message       a passing word from the frame, such as a map check that found nothing.

#include "Symmetry.h"

#include <QStatusBar>
#include <QString>

class QLabel;

namespace tav {

class EditorStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int Height = 19;
    static constexpr int ToolStatusPanelWidth = 150;

    explicit EditorStatusBar(QWidget* parent);

    void ShowToolStatus(const QString& text);
    void ShowCellCode(int code);
    void ShowPickedCode(int code);
    void ShowSymmetry(tav::SymmetryMode mode);
    // An empty text hides the balance's panel.
    void ShowBalance(const QString& text, const QString& tip);
    // The map check found nothing: said for a few seconds. A check that found a problem clears it.
    void ShowMapCheckResult(bool problem);
    // A passing word, such as why a castle was not painted: said for a few seconds.
    void ShowNote(const QString& text);
    // The panels' words in the editor's language; the numbers stay.
    void Retranslate();

private:
    static QString NoProblemText();
    static QString SymmetryText(SymmetryMode mode);
    void FitSymmetryPanel();

    QLabel* toolStatusPanel_ = nullptr;
    QLabel* cellCodePanel_ = nullptr;
    QLabel* pickedCodePanel_ = nullptr;
    QLabel* symmetryPanel_ = nullptr;
    QLabel* balancePanel_ = nullptr;
    QLabel* messagePanel_ = nullptr;
    int shownCellCode_ = -1; // the code cellCodePanel_ shows; -1 before the pointer came
    int shownPickedCode_ = -1;
    SymmetryMode shownSymmetry_ = SymmetryMode::None;
    bool noProblemShown_ = false; // the message panel says that the map check found nothing
};

} // namespace tav
