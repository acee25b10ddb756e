#include "MapCheckView.h"

#include "Document.h"
#include "PictureArea.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QListWidget>
#include <QMdiArea>

namespace tav {

MapCheckView::MapCheckView(const Document* document, QMdiArea* frame)
    : QMdiSubWindow(nullptr, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                 Qt::WindowCloseButtonHint),
      document_(document) {
    setObjectName(QStringLiteral("mapCheckView"));
    checkList_ = new QListWidget(this);
    checkList_->setObjectName(QStringLiteral("checkList"));
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
    // A report of the map before would pass for the new map's: the new map is checked as it comes, without
    // bringing the window up. Before the first check the list stays empty.
    connect(document_, &Document::MapReset, this, [this] {
        if (checkedTileSet_)
            FillReport(document_->Grid());
    });
}

void MapCheckView::FillReport(const MapGrid& grid) {
    findings_ = FindMapProblems(grid);
    asymmetry_ = FindAsymmetry(grid, document_->Symmetry());
    checkedTileSet_ = document_->TileSet();
    ShowReport();
}

bool MapCheckView::RunMapCheck(const MapGrid& grid) {
    FillReport(grid);
    const bool problem = !findings_.empty();
    if (problem) {
        // The report must be seen, also when a question about it follows: restored, shown and in front.
        if (isMinimized())
            showNormal();
        show();
        raise();
        if (mdiArea())
            mdiArea()->setActiveSubWindow(this);
    }
    return problem;
}

namespace {

// A name from the core's tables in the editor's language; an empty name (a rim gap has no faction) stays empty.
QString Translated(const char* context, std::string_view name) {
    return name.empty() ? QString() : QCoreApplication::translate(context, name.data());
}

QString CellText(const GridCell& cell) {
    return QStringLiteral("(%1,%2)").arg(cell.X).arg(cell.Y);
}

} // namespace

QString MapCheckView::FindingText(const CheckFinding& finding, TileSet tileSet) {
    const QString faction = Translated("Factions", FactionName(tileSet, finding.Faction));
    const QString cell = finding.Cells.empty() ? QString() : CellText(finding.Cells.front());
    switch (finding.Kind) {
    case CheckFindingKind::RimGap:
        return tr("%1 に外周抜けがあります。").arg(cell);
    case CheckFindingKind::CastleOnRim:
        return tr("外周%1に%2の城があります。").arg(cell, faction);
    case CheckFindingKind::SealedCastle:
        return tr("%1にある%2の城が封鎖されています。").arg(cell, faction);
    case CheckFindingKind::MissingCastle:
        return tr("%1の城がありません。").arg(faction);
    case CheckFindingKind::ExtraCastles:
        return tr("%1の城が２つ以上存在しています。").arg(faction);
    case CheckFindingKind::CastlesTooClose: {
        const QString otherCell = finding.Cells.size() < 2 ? QString() : CellText(finding.Cells[1]);
        const QString otherFaction = Translated("Factions", FactionName(tileSet, finding.OtherFaction));
        return tr("%1にある%2の城は%3にある%4の城と近すぎます。").arg(cell, faction, otherCell, otherFaction);
    }
    }
    return {};
}

QString MapCheckView::AsymmetryText(const AsymmetryFinding& finding) {
    QStringList cells;
    for (int i = 0; i < finding.FirstCount; ++i) {
        const MapCell cell = finding.FirstCells[static_cast<std::size_t>(i)];
        cells << QStringLiteral("(%1,%2)").arg(cell.X).arg(cell.Y);
    }
    QString where = cells.join(u' ');
    if (finding.Count > finding.FirstCount)
        where = tr("%1 ほか").arg(where);
    switch (finding.Mode) {
    case SymmetryMode::LeftRight:
        return tr("左右対称ではないセルが %1 個あります。%2").arg(finding.Count).arg(where);
    case SymmetryMode::TopBottom:
        return tr("上下対称ではないセルが %1 個あります。%2").arg(finding.Count).arg(where);
    case SymmetryMode::Quad:
        return tr("上下左右対称ではないセルが %1 個あります。%2").arg(finding.Count).arg(where);
    case SymmetryMode::Half:
        return tr("点対称ではないセルが %1 個あります。%2").arg(finding.Count).arg(where);
    case SymmetryMode::Quarter:
        return tr("四方回転対称ではないセルが %1 個あります。%2").arg(finding.Count).arg(where);
    case SymmetryMode::None:
        break;
    }
    return {};
}

void MapCheckView::ShowReport() {
    checkList_->clear();
    if (!checkedTileSet_)
        return;
    QStringList lines = {tr("キャラクタータイプ：%1").arg(Translated("TileSets", TileSetName(*checkedTileSet_)))};
    for (const CheckFinding& finding : findings_)
        lines.append(FindingText(finding, *checkedTileSet_));
    if (asymmetry_.Count > 0)
        lines.append(AsymmetryText(asymmetry_));
    const QFontMetrics metrics(checkList_->font());
    for (const QString& line : lines) {
        auto* item = new QListWidgetItem(line);
        // Rows of the font's pixel height; the width lets the list scroll sideways to a long line's end.
        item->setSizeHint(QSize(metrics.horizontalAdvance(line) + 4, ItemHeight));
        checkList_->addItem(item);
    }
}

void MapCheckView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        ShowReport();
    QMdiSubWindow::changeEvent(event);
}

void MapCheckView::closeEvent(QCloseEvent* event) {
    // The list stays available through the Window menu; closing only puts it aside.
    event->ignore();
    showMinimized();
}

} // namespace tav
