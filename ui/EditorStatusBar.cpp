#include "EditorStatusBar.h"

#include "SymmetryControls.h"
#include "TileRoles.h"

#include <QLabel>
#include <QTimer>

#include <algorithm>

namespace tav {

namespace {

QLabel* Panel(const char* name, QStatusBar* bar) {
    auto* panel = new QLabel(bar);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    bar->addWidget(panel);
    return panel;
}

} // namespace

EditorStatusBar::EditorStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("statusBar"));
    setFixedHeight(Height);
    toolStatusPanel_ = Panel("toolStatusPanel", this);
    toolStatusPanel_->setText(QStringLiteral("X=48, Y=48"));
    // 150 pixels hold the cell texts in the font the windows were laid out for; a wider substitute font may
    // need more, and the panel then grows instead of cutting off the second point's row.
    toolStatusPanel_->setMinimumWidth(ToolStatusPanelWidth);
    toolStatusPanel_->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    cellCodePanel_ = Panel("cellCodePanel", this);
    pickedCodePanel_ = Panel("pickedCodePanel", this);
    symmetryPanel_ = Panel("symmetryPanel", this);
    ShowSymmetry(SymmetryMode::None);
    FitSymmetryPanel();
    balancePanel_ = Panel("balancePanel", this);
    balancePanel_->hide();
    messagePanel_ = new QLabel(this);
    messagePanel_->setObjectName(QStringLiteral("messagePanel"));
    addWidget(messagePanel_, 1);
}

void EditorStatusBar::ShowToolStatus(const QString& text) {
    toolStatusPanel_->setText(text);
}

void EditorStatusBar::ShowCellCode(int code) {
    shownCellCode_ = code;
    cellCodePanel_->setText(TileCodeText(code));
}

void EditorStatusBar::ShowPickedCode(int code) {
    shownPickedCode_ = code;
    pickedCodePanel_->setText(tr("選択タイル %1").arg(TileCodeText(code)));
}

void EditorStatusBar::ShowBalance(const QString& text, const QString& tip) {
    balancePanel_->setText(text);
    balancePanel_->setToolTip(tip);
    balancePanel_->setVisible(!text.isEmpty());
    // The panel keeps the widest width it needed, so the panels beside it do not jump with every figure.
    if (!text.isEmpty())
        balancePanel_->setMinimumWidth(std::max(balancePanel_->minimumWidth(), balancePanel_->sizeHint().width()));
}

QString EditorStatusBar::SymmetryText(SymmetryMode mode) {
    return tr("対称描画 %1").arg(SymmetryModeText(mode));
}

void EditorStatusBar::ShowSymmetry(SymmetryMode mode) {
    shownSymmetry_ = mode;
    symmetryPanel_->setText(SymmetryText(mode));
}

void EditorStatusBar::FitSymmetryPanel() {
    // As wide as the longest mode's text, so that no mode is cut off and the panels right of it stay put.
    int widest = 0;
    for (const SymmetryMode mode : AllSymmetryModes)
        widest = std::max(widest, symmetryPanel_->fontMetrics().horizontalAdvance(SymmetryText(mode)));
    const QMargins margins = symmetryPanel_->contentsMargins();
    symmetryPanel_->setMinimumWidth(widest + margins.left() + margins.right() + 2 * symmetryPanel_->margin() + 4);
}

void EditorStatusBar::ShowMapCheckResult(bool problem) {
    ShowNote(problem ? QString() : NoProblemText());
    noProblemShown_ = !problem;
}

void EditorStatusBar::ShowNote(const QString& text) {
    messagePanel_->setText(text);
    noProblemShown_ = false;
    if (text.isEmpty())
        return;
    // Only the text it was shown with is taken away: a later word gets its own four seconds.
    QTimer::singleShot(4000, messagePanel_, [this, text] {
        if (messagePanel_->text() == text || (noProblemShown_ && messagePanel_->text() == NoProblemText())) {
            messagePanel_->clear();
            noProblemShown_ = false;
        }
    });
}

QString EditorStatusBar::NoProblemText() {
    return tr("マップチェック: 問題はありません");
}

void EditorStatusBar::Retranslate() {
    if (shownCellCode_ >= 0)
        ShowCellCode(shownCellCode_);
    if (shownPickedCode_ >= 0)
        ShowPickedCode(shownPickedCode_);
    ShowSymmetry(shownSymmetry_);
    FitSymmetryPanel();
    if (noProblemShown_)
        messagePanel_->setText(NoProblemText());
}

} // namespace tav
