#include "MapCheckView.h"

#include "Document.h"
#include "MapCheck.h"
#include "PictureArea.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QListWidget>
#include <QMdiArea>

namespace tav {

MapCheckView::MapCheckView(const Document* document, QMdiArea* frame)
    : QMdiSubWindow(nullptr, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                 Qt::WindowCloseButtonHint),
      document_(document) {
    setObjectName(QStringLiteral("MapCheckView"));
    checkList_ = new QListWidget(this);
    checkList_->setObjectName(QStringLiteral("CheckList"));
    checkList_->setSelectionMode(QAbstractItemView::SingleSelection);
    checkList_->setSortingEnabled(false);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    checkList_->setFont(font);
    setWidget(checkList_);
    frame->addSubWindow(this);
    // Titled once in the frame: a title set before is measured again at every step of joining it.
    setWindowTitle(QStringLiteral("MapCheck"));
    SetClientSize(this, QSize(ClientWidth, ClientHeight));
    move(246, 282);
    showMinimized();
}

bool MapCheckView::RunMapCheck(const MapGrid& grid) {
    const MapCheckReport report = CheckMap(grid, document_->TileSet());
    checkList_->clear();
    const QFontMetrics metrics(checkList_->font());
    for (const std::string& line : report.Lines) {
        auto* item = new QListWidgetItem(QString::fromStdString(line));
        // Rows of the font's pixel height; the width lets the list scroll sideways to a long line's end.
        item->setSizeHint(QSize(metrics.horizontalAdvance(item->text()) + 4, ItemHeight));
        checkList_->addItem(item);
    }
    if (report.Problem) {
        // The report must be seen, also when a question about it follows: restored, shown and in front.
        if (isMinimized())
            showNormal();
        show();
        raise();
        if (mdiArea())
            mdiArea()->setActiveSubWindow(this);
    }
    return report.Problem;
}

void MapCheckView::closeEvent(QCloseEvent* event) {
    // The list stays available through the Window menu; closing only puts it aside.
    event->ignore();
    showMinimized();
}

} // namespace tav
