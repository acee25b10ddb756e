#include "FactionAnalysisView.h"

#include "MapCheck.h"
#include "TerritoryTint.h"
#include "TurnOrderControl.h"

#include <QCloseEvent>
#include <QColor>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tav {

namespace {

// More castle positions than this make the column too wide; the count says how many there are.
constexpr int ShownCastles = 3;

const QString NoValue = QStringLiteral("—");

// The faction's name in the editor's language.
QString FactionText(TileSet tileSet, int faction) {
    return QCoreApplication::translate("Factions", FactionName(tileSet, faction).data());
}

QString CastlesText(const FactionAnalysis& analysis, int faction) {
    const auto castles = analysis.Castles(faction);
    if (castles.empty())
        return FactionAnalysisView::tr("なし");
    QString text;
    for (std::size_t i = 0; i < castles.size() && i < ShownCastles; ++i) {
        if (i > 0)
            text += u' ';
        text += QStringLiteral("(%1,%2)").arg(castles[i] / MapSize).arg(castles[i] % MapSize);
    }
    if (castles.size() > ShownCastles)
        text += FactionAnalysisView::tr(" …計%1").arg(castles.size());
    return text;
}

// Black or white, whichever reads better on the faction's colour.
QColor TextColourOn(QRgb background) {
    const int luminance =
        (qRed(background) * 299 + qGreen(background) * 587 + qBlue(background) * 114) / 1000;
    return luminance > 140 ? QColor(Qt::black) : QColor(Qt::white);
}

QString Optional(const std::optional<int>& value) {
    return value ? QString::number(*value) : NoValue;
}

QString BalanceText(const std::optional<double>& balance) {
    return balance ? QString::number(*balance, 'f', 3) : NoValue;
}

// The figure of `column` for faction f as a number, none where the table shows none.
std::optional<int> ColumnFigure(const FactionAnalysis& analysis, int column, int f) {
    const FactionFigures& figures = analysis.Factions[static_cast<std::size_t>(f)];
    switch (column) {
    case FactionAnalysisView::HousesColumn: return figures.Houses;
    case FactionAnalysisView::FieldsColumn: return figures.Fields;
    case FactionAnalysisView::TerritoryColumn: return figures.Territory;
    case FactionAnalysisView::InTerritoryColumn: return figures.InTerritory;
    case FactionAnalysisView::TerritoryByTurnColumn: return figures.TerritoryByTurn;
    case FactionAnalysisView::SafeColumn: return figures.Threat.Safe;
    case FactionAnalysisView::ThreatenedColumn: return figures.Threat.Threatened;
    case FactionAnalysisView::LostColumn: return figures.Threat.Lost;
    case FactionAnalysisView::MarginColumn: return figures.Threat.Margin;
    case FactionAnalysisView::FrontColumn: return figures.Front;
    case FactionAnalysisView::RoomColumn: return figures.Room;
    default: break;
    }
    if (column >= FactionAnalysisView::FirstDistanceColumn && column < FactionAnalysisView::ColumnCount) {
        const int distance = analysis.Distance[static_cast<std::size_t>(f)]
                                              [static_cast<std::size_t>(column - FactionAnalysisView::FirstDistanceColumn)];
        if (distance != NoDistance)
            return distance;
    }
    return std::nullopt;
}

// Each column's header and the tip that says what it counts.
struct ColumnInfo {
    const char* Header;
    const char* Tip;
};
constexpr ColumnInfo Columns[FactionAnalysisView::FirstDistanceColumn] = {
    {QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "勢力"), ""},
    {QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "城の位置"), ""},
    {QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "家"), ""},
    {QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "畑"), ""},
    {QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "領土"),
     QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "どの勢力よりも少ないコストで届くマス（同じコストの勢力があれば係争地）")},
    {QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "領土内の家・畑"), ""},
    {QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "手番順の領土"),
     QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "同じコストで届くマスを、手番の先の勢力のものとした領土")},
    {QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "安全"),
     QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "自分の家・畑のうち、敵の2/3以下のコストで届くもの")},
    {QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "脅威"),
     QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "自分の家・畑のうち、先に届くが敵の2/3を超えるコストのもの")},
    {QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "喪失"),
     QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "自分の家・畑のうち、敵が先に届くもの、自分が届かないもの")},
    {QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "余裕"),
     QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "自分の家・畑で、敵のコスト−自分のコストの最小")},
    {QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "前線"),
     QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "手番順の領土のうち、他の勢力の手番順の領土と辺で接するマス")},
    {QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "広さ"),
     QT_TRANSLATE_NOOP("tav::FactionAnalysisView", "最初の城の門の前から6コスト以内で届くマス")},
};

QLabel* LegendSwatch(QRgb colour, QWidget* parent) {
    auto* swatch = new QLabel(parent);
    swatch->setFixedSize(12, 12);
    swatch->setAutoFillBackground(true);
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, QColor(colour));
    swatch->setPalette(palette);
    return swatch;
}

} // namespace

// The tinted map, copied to the screen pixel for pixel; after a change only the cells that changed are
// painted again.
class TerritoryPictureArea : public QWidget {
public:
    TerritoryPictureArea(const QImage* picture, QWidget* parent) : QWidget(parent), picture_(picture) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.drawImage(event->rect(), *picture_, event->rect());
    }

private:
    const QImage* picture_;
};

FactionAnalysisView::FactionAnalysisView(QWidget* parent)
    : QMdiSubWindow(parent, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("factionAnalysisView"));
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);

    turnOrder_ = new TurnOrderControl(content);
    connect(turnOrder_, &TurnOrderControl::OrderChanged, this, &FactionAnalysisView::TurnOrderChanged);
    layout->addWidget(turnOrder_);

    table_ = new QTableWidget(FactionCount + 1, ColumnCount, content);
    table_->setObjectName(QStringLiteral("factionTable"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->verticalHeader()->hide();
    table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    for (int row = 0; row < table_->rowCount(); ++row)
        for (int column = 0; column < ColumnCount; ++column) {
            auto* item = new QTableWidgetItem;
            if (column != NameColumn && column != CastlesColumn)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(row, column, item);
        }
    layout->addWidget(table_);
    // A window narrower than the columns shows the sideways scroll bar, which must not cover the last row.
    connect(table_->horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this] { FitTableHeight(); });

    missingCastles_ = new QLabel(content);
    missingCastles_->setObjectName(QStringLiteral("missingCastles"));
    missingCastles_->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    missingCastles_->hide();
    layout->addWidget(missingCastles_);

    summary_ = new QLabel(content);
    summary_->setObjectName(QStringLiteral("factionSummary"));
    layout->addWidget(summary_);

    turnOrderBalance_ = new QLabel(content);
    turnOrderBalance_->setObjectName(QStringLiteral("turnOrderBalance"));
    layout->addWidget(turnOrderBalance_);

    symmetryDifferences_ = new QLabel(content);
    symmetryDifferences_->setObjectName(QStringLiteral("symmetryDifferences"));
    symmetryDifferences_->hide();
    layout->addWidget(symmetryDifferences_);

    auto* legend = new QHBoxLayout;
    legend->addWidget(LegendSwatch(ContestedTint, content));
    contestedLegend_ = new QLabel(content);
    legend->addWidget(contestedLegend_);
    legend->addSpacing(12);
    legend->addWidget(LegendSwatch(UnreachableTint, content));
    unreachableLegend_ = new QLabel(content);
    legend->addWidget(unreachableLegend_);
    legend->addSpacing(12);
    legend->addWidget(LegendSwatch(ThreatenedMark, content));
    threatenedLegend_ = new QLabel(content);
    legend->addWidget(threatenedLegend_);
    legend->addSpacing(12);
    legend->addWidget(LegendSwatch(LostMark, content));
    lostLegend_ = new QLabel(content);
    legend->addWidget(lostLegend_);
    legend->addStretch();
    layout->addLayout(legend);

    picture_ = new TerritoryPictureArea(&territory_.Picture(), content);
    picture_->setObjectName(QStringLiteral("territoryPicture"));
    picture_->setFixedSize(PictureEdge, PictureEdge);
    layout->addWidget(picture_);

    setWidget(content);
    RetranslateUi();
}

void FactionAnalysisView::RetranslateUi() {
    setWindowTitle(tr("勢力分析"));
    // The distance columns are named after the factions once a map is shown.
    for (int column = 0; column < FirstDistanceColumn; ++column) {
        const ColumnInfo& info = Columns[column];
        auto* header = new QTableWidgetItem(tr(info.Header));
        if (*info.Tip)
            header->setToolTip(tr(info.Tip));
        table_->setHorizontalHeaderItem(column, header);
    }
    QTableWidgetItem* spread = table_->item(SpreadRow, NameColumn);
    spread->setText(tr("差"));
    spread->setToolTip(tr("各列の最大−最小"));
    contestedLegend_->setText(tr("係争地"));
    unreachableLegend_->setText(tr("到達不能"));
    threatenedLegend_->setText(tr("脅威のある家・畑"));
    lostLegend_->setText(tr("失う家・畑"));
    turnOrder_->Retranslate();
    if (shownTileSet_) {
        SetFactionHeaders(*shownTileSet_);
        ShowFigures(*shownTileSet_, true);
    }
}

void FactionAnalysisView::closeEvent(QCloseEvent* event) {
    // Its × only puts the window away. The subwindow's own close would hide the content with it, and every
    // later showing would be an empty frame.
    event->ignore();
    hide();
}

void FactionAnalysisView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QMdiSubWindow::changeEvent(event);
}

bool FactionAnalysisView::SetCellText(int row, int column, const QString& text) {
    QTableWidgetItem* item = table_->item(row, column);
    if (item->text() == text) // an unchanged text repaints nothing
        return false;
    item->setText(text);
    // A column is measured again only for a text longer than its longest so far; figures of as many digits
    // fit where the last ones did.
    if (text.size() > longestText_[static_cast<std::size_t>(column)])
        changedColumns_ |= 1u << column;
    return true;
}

void FactionAnalysisView::FitTableHeight() {
    // All four rows, never a scroll bar of their own.
    const QScrollBar* sideways = table_->horizontalScrollBar();
    const int sidewaysHeight = sideways->maximum() > 0 ? sideways->sizeHint().height() : 0;
    table_->setFixedHeight(table_->horizontalHeader()->height() + table_->verticalHeader()->length() +
                           2 * table_->frameWidth() + sidewaysHeight);
}

void FactionAnalysisView::SetFactionHeaders(TileSet tileSet) {
    for (int f = 0; f < FactionCount; ++f) {
        const QString name = FactionText(tileSet, f);
        const QRgb colour = FactionColour(tileSet, f);
        QTableWidgetItem* item = table_->item(f, NameColumn);
        item->setText(name);
        item->setBackground(QColor(colour));
        item->setForeground(TextColourOn(colour));
        auto* header = new QTableWidgetItem(tr("%1まで").arg(name));
        // Under the default table a cost is a step, and the window says steps.
        header->setToolTip(costs_.IsDefault() ? tr("その勢力の最も近い城までの歩数")
                                              : tr("その勢力の最も近い城までの移動コスト"));
        table_->setHorizontalHeaderItem(FirstDistanceColumn + f, header);
    }
    shownTileSet_ = tileSet;
}

void FactionAnalysisView::SetMovementRules(const MovementCosts& costs, const TurnOrder& order) {
    const bool wording = costs.IsDefault() != costs_.IsDefault();
    costs_ = costs;
    order_ = order;
    territory_.SetRules(costs, order);
    if (wording && shownTileSet_)
        SetFactionHeaders(*shownTileSet_);
}

void FactionAnalysisView::ShowMap(const MapGrid& grid, TileSet tileSet, const QImage& previewTilePicture) {
    const std::vector<int>& changed = territory_.Follow(grid, tileSet, previewTilePicture, CellEdge);
    analysis_ = territory_.Analysis();
    const bool headersChanged = tileSet != shownTileSet_;
    if (headersChanged)
        SetFactionHeaders(tileSet);
    ShowFigures(tileSet, headersChanged);

    // A few cells are painted one by one; many (a new map) as the rectangle around them.
    QRect around;
    for (const int i : changed) {
        const QRect cell(i / MapSize * CellEdge, i % MapSize * CellEdge, CellEdge, CellEdge);
        if (changed.size() <= 64)
            picture_->update(cell);
        else
            around |= cell;
    }
    if (!around.isEmpty())
        picture_->update(around);
}

void FactionAnalysisView::ShowFigures(TileSet tileSet, bool headersChanged) {
    bool textChanged = headersChanged;
    QString missing;
    for (int f = 0; f < FactionCount; ++f) {
        const FactionFigures& figures = analysis_.Factions[static_cast<std::size_t>(f)];
        textChanged |= SetCellText(f, CastlesColumn, CastlesText(analysis_, f));
        textChanged |= SetCellText(f, HousesColumn, QString::number(figures.Houses));
        textChanged |= SetCellText(f, FieldsColumn, QString::number(figures.Fields));
        textChanged |= SetCellText(f, TerritoryColumn, QString::number(figures.Territory));
        textChanged |= SetCellText(f, InTerritoryColumn, QString::number(figures.InTerritory));
        textChanged |= SetCellText(f, TerritoryByTurnColumn, QString::number(figures.TerritoryByTurn));
        textChanged |= SetCellText(f, SafeColumn, QString::number(figures.Threat.Safe));
        textChanged |= SetCellText(f, ThreatenedColumn, QString::number(figures.Threat.Threatened));
        textChanged |= SetCellText(f, LostColumn, QString::number(figures.Threat.Lost));
        textChanged |= SetCellText(f, MarginColumn, Optional(figures.Threat.Margin));
        textChanged |= SetCellText(f, FrontColumn, QString::number(figures.Front));
        textChanged |= SetCellText(f, RoomColumn, Optional(figures.Room));
        for (int to = 0; to < FactionCount; ++to) {
            const int steps = analysis_.Distance[static_cast<std::size_t>(f)][static_cast<std::size_t>(to)];
            const QString text = steps == NoDistance ? NoValue : QString::number(steps);
            textChanged |= SetCellText(f, FirstDistanceColumn + to, text);
        }
        if (figures.CastleCount == 0) {
            if (!missing.isEmpty())
                missing += u'\n';
            missing += tr("%1の城がありません。").arg(FactionText(tileSet, f));
        }
    }
    for (int column = HousesColumn; column < ColumnCount; ++column) {
        std::optional<int> smallest;
        std::optional<int> largest;
        for (int f = 0; f < FactionCount; ++f)
            if (const std::optional<int> figure = ColumnFigure(analysis_, column, f)) {
                smallest = std::min(smallest.value_or(*figure), *figure);
                largest = std::max(largest.value_or(*figure), *figure);
            }
        textChanged |= SetCellText(SpreadRow, column, largest ? QString::number(*largest - *smallest) : NoValue);
    }
    if (textChanged) {
        // Measuring a column lays out its texts, which costs more than the analysis: only the columns
        // whose texts grew are measured again.
        if (headersChanged)
            changedColumns_ = ~0u;
        for (int column = 0; column < ColumnCount; ++column) {
            if (!(changedColumns_ & (1u << column)))
                continue;
            table_->resizeColumnToContents(column);
            qsizetype longest = 0;
            for (int row = 0; row < table_->rowCount(); ++row)
                if (const QTableWidgetItem* item = table_->item(row, column))
                    longest = std::max(longest, item->text().size());
            longestText_[static_cast<std::size_t>(column)] = longest;
        }
        FitTableHeight();
    }
    changedColumns_ = 0;
    if (missingCastles_->text() != missing) {
        missingCastles_->setText(missing);
        missingCastles_->setVisible(!missing.isEmpty());
    }

    const QString balance = analysis_.Balance ? QString::number(*analysis_.Balance, 'f', 3)
                                              : NoValue + tr("（領土のない勢力があります）");
    const QString summary = tr("係争地：%1　到達不能：%2　バランス（最大÷最小の領土）：%3")
                                .arg(analysis_.Contested)
                                .arg(analysis_.Unreachable)
                                .arg(balance);
    if (summary_->text() != summary)
        summary_->setText(summary);
    turnOrder_->Show(order_, tileSet);
    ShowTurnOrderBalance(tileSet);
    ShowSymmetryDifferences();
}

void FactionAnalysisView::ShowTurnOrderBalance(TileSet tileSet) {
    // Who moves first changes from game to game: each rotation of the order, named by its order, and the worst
    // of them named by the faction that moves first in it.
    QStringList rotations;
    std::optional<int> worst;
    std::optional<double> lowest;
    std::optional<double> highest;
    bool allMeasured = true;
    for (int k = 0; k < FactionCount; ++k) {
        const std::optional<double>& balance = analysis_.TurnOrderBalances[static_cast<std::size_t>(k)];
        rotations.append(QStringLiteral("%1 %2")
                             .arg(QString::fromStdString(TurnOrderText(analysis_.Order.Rotated(k))), BalanceText(balance)));
        if (!balance) {
            allMeasured = false;
            continue;
        }
        if (!worst || *balance > *analysis_.TurnOrderBalances[static_cast<std::size_t>(*worst)])
            worst = k;
        lowest = std::min(lowest.value_or(*balance), *balance);
        highest = std::max(highest.value_or(*balance), *balance);
    }
    QString text = tr("手番順のバランス：%1").arg(rotations.join(QStringLiteral("　")));
    if (allMeasured && worst) {
        const int first = analysis_.Order.Rotated(*worst).Factions[0];
        text += u'\n' + tr("最悪：%1（%2が先手の順 %3）　差（最大÷最小）：%4")
                            .arg(BalanceText(analysis_.WorstTurnOrderBalance), FactionText(tileSet, first),
                                 QString::fromStdString(TurnOrderText(analysis_.Order.Rotated(*worst))))
                            .arg(QString::number(*highest / *lowest, 'f', 3));
    } else {
        text += u'\n' + tr("最悪：%1（領土のない勢力があります）").arg(NoValue);
    }
    if (turnOrderBalance_->text() != text)
        turnOrderBalance_->setText(text);
}

void FactionAnalysisView::SetSymmetry(SymmetryMode mode) {
    symmetry_ = mode;
    ShowSymmetryDifferences();
}

void FactionAnalysisView::ShowSymmetryDifferences() {
    const bool shown = symmetry_ != SymmetryMode::None && shownTileSet_;
    QString text;
    if (shown) {
        const FactionImageDifferences d = CompareFactionImages(analysis_, symmetry_);
        const QString nearest = d.NearestEnemy ? QString::number(*d.NearestEnemy) : tr("片方だけ到達");
        text = tr("対称の勢力との最大の差：城 %1　家 %2　畑 %3　領土 %4　最も近い敵の城まで %5")
                   .arg(d.Castles)
                   .arg(d.Houses)
                   .arg(d.Fields)
                   .arg(d.Territory)
                   .arg(nearest);
    }
    if (symmetryDifferences_->text() != text)
        symmetryDifferences_->setText(text);
    symmetryDifferences_->setVisible(shown);
}

} // namespace tav
