#include "Mapcheck.h"

#include "MapCheck.h"
#include "Mainform.h"
#include "PictureArea.h"

#include <QCloseEvent>
#include <QFontMetrics>
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

bool TMapCheckView::RunMapCheck() {
    const MapDocument& doc = MainView->Document;
    const MapCheckReport report = CheckMap(doc.Grid, doc.CurrentTileSet);
    CheckList->clear();
    const QFontMetrics metrics(CheckList->font());
    for (const std::string& line : report.Lines) {
        auto* item = new QListWidgetItem(QString::fromStdString(line));
        // Rows of the font's pixel height; the width lets the list scroll sideways to a long line's end.
        item->setSizeHint(QSize(metrics.horizontalAdvance(item->text()) + 4, ItemHeight));
        CheckList->addItem(item);
    }
    if (report.Problem) {
        if (isMinimized())
            showNormal();
        show();
    }
    return report.Problem;
}

void TMapCheckView::closeEvent(QCloseEvent* event) {
    // The list stays available through the Window menu; closing only puts it aside.
    event->ignore();
    showMinimized();
}

} // namespace tav
