#include "Mapcheck.h"

#include "PictureArea.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QMdiArea>

namespace tav {

TMapCheckView::TMapCheckView(QMdiArea* frame)
    : QMdiSubWindow(nullptr, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                 Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("MapCheckView"));
    setWindowTitle(QStringLiteral("MapCheck"));
    CheckList = new QListWidget(this);
    CheckList->setObjectName(QStringLiteral("CheckList"));
    CheckList->setSelectionMode(QAbstractItemView::SingleSelection);
    CheckList->setSortingEnabled(false);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    CheckList->setFont(font);
    setWidget(CheckList);
    frame->addSubWindow(this);
    FormCreate();
}

void TMapCheckView::FormCreate() {
    SetClientSize(this, QSize(ClientWidth, ClientHeight));
    move(246, 282);
    showMinimized();
}

void TMapCheckView::closeEvent(QCloseEvent* event) {
    // The list stays available through the Window menu; closing only puts it aside.
    event->ignore();
    showMinimized();
}

} // namespace tav
