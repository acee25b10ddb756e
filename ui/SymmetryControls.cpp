#include "SymmetryControls.h"

#include "Document.h"
#include "Platform.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace tav {

namespace {

// The modes in F6's order, each with its item's object name and its name as core/Symmetry names it (the
// translation's key).
struct ModeItem {
    SymmetryMode Mode;
    const char* Name;
    const char* Caption;
};
constexpr ModeItem ModeItems[] = {
    {SymmetryMode::None, "symmetryNoneAction", QT_TRANSLATE_NOOP("SymmetryModes", "なし")},
    {SymmetryMode::LeftRight, "symmetryLeftRightAction", QT_TRANSLATE_NOOP("SymmetryModes", "左右対称")},
    {SymmetryMode::TopBottom, "symmetryTopBottomAction", QT_TRANSLATE_NOOP("SymmetryModes", "上下対称")},
    {SymmetryMode::Quad, "symmetryQuadAction", QT_TRANSLATE_NOOP("SymmetryModes", "上下左右対称")},
    {SymmetryMode::Half, "symmetryHalfAction", QT_TRANSLATE_NOOP("SymmetryModes", "点対称")},
    {SymmetryMode::Quarter, "symmetryQuarterAction", QT_TRANSLATE_NOOP("SymmetryModes", "四方回転")},
};
static_assert(std::size(ModeItems) == AllSymmetryModes.size());

constexpr char MenuCaption[] = QT_TRANSLATE_NOOP("Commands", "対称描画(&Y)");
constexpr char CycleCaption[] = QT_TRANSLATE_NOOP("Commands", "対称描画の切り替え");

std::size_t ModeIndex(SymmetryMode mode) {
    return static_cast<std::size_t>(mode);
}

} // namespace

QString SymmetryModeText(SymmetryMode mode) {
    return QCoreApplication::translate("SymmetryModes", SymmetryModeName(mode).data());
}

SymmetryMode NextSymmetryMode(SymmetryMode mode) {
    return AllSymmetryModes[(ModeIndex(mode) + 1) % AllSymmetryModes.size()];
}

SymmetryControls::SymmetryControls(QMainWindow* window, QWidget* toolBar, Document* document)
    : QObject(window), document_(document) {
    QMenu* editMenu = window->menuBar()->findChild<QMenu*>(QStringLiteral("editMenu"));
    editMenu->addSeparator();
    menu_ = editMenu->addMenu(QString());
    menu_->setObjectName(QStringLiteral("symmetryMenu"));
    auto* group = new QActionGroup(this);
    for (const ModeItem& item : ModeItems) {
        auto* action = new QAction(window);
        action->setObjectName(QString::fromLatin1(item.Name));
        action->setCheckable(true);
        group->addAction(action);
        menu_->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, mode = item.Mode] { RunCommand([&] { document_->SetSymmetry(mode); }); });
        modeItems_[ModeIndex(item.Mode)] = action;
    }

    // A child of the window itself, so that F6 works wherever it has the focus and the help lists it; also the
    // submenu's last item, where F6 shows beside it.
    cycleItem_ = new QAction(window);
    cycleItem_->setObjectName(QStringLiteral("cycleSymmetryAction"));
    cycleItem_->setShortcut(QKeySequence(Qt::Key_F6));
    window->addAction(cycleItem_);
    menu_->addSeparator();
    menu_->addAction(cycleItem_);
    connect(cycleItem_, &QAction::triggered, this,
            [this] { RunCommand([&] { document_->SetSymmetry(NextSymmetryMode(document_->Symmetry())); }); });

    button_ = new QToolButton(toolBar);
    button_->setObjectName(QStringLiteral("symmetryButton"));
    button_->setAutoRaise(true);
    button_->setIconSize(QSize(24, 24));
    button_->setIcon(QIcon(QStringLiteral(":/toolbar/symmetry.png")));
    button_->setFocusPolicy(Qt::NoFocus);
    connect(button_, &QToolButton::clicked, cycleItem_, &QAction::trigger);

    connect(document_, &Document::SymmetryChanged, this, &SymmetryControls::MarkMode);
    MarkMode(document_->Symmetry());
}

void SymmetryControls::MarkMode(SymmetryMode mode) {
    modeItems_[ModeIndex(mode)]->setChecked(true);
    // The button stays pressed while any mode is on, so the tool bar shows that painting is mirrored.
    button_->setCheckable(true);
    button_->setChecked(mode != SymmetryMode::None);
}

void SymmetryControls::Retranslate() {
    menu_->setTitle(QCoreApplication::translate("Commands", MenuCaption));
    for (const ModeItem& item : ModeItems)
        modeItems_[ModeIndex(item.Mode)]->setText(SymmetryModeText(item.Mode));
    cycleItem_->setText(QCoreApplication::translate("Commands", CycleCaption));
    button_->setToolTip(QCoreApplication::translate("Commands", CycleCaption));
}

} // namespace tav
