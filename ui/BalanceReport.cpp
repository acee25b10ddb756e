#include "BalanceReport.h"

#include "Document.h"
#include "MapCheck.h"

#include <QCoreApplication>

#include <cmath>
#include <cstdlib>

namespace tav {

namespace {

QString Signed(int hundredths) {
    return QStringLiteral("%1%2.%3")
        .arg(hundredths < 0 ? QStringLiteral("-") : QStringLiteral("+"))
        .arg(std::abs(hundredths) / 100)
        .arg(std::abs(hundredths) % 100, 2, 10, QLatin1Char('0'));
}

QString Figure(int hundredths) {
    return QStringLiteral("%1.%2").arg(hundredths / 100).arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

BalanceReport::BalanceReport(Document* document, QObject* parent) : QObject(parent), document_(document) {
    // The history announces its index after every push, also one that merged into the step in force (the
    // next stretch of a stroke), and after every undo and redo; by then the map holds the change.
    connect(document_->UndoStack(), &QUndoStack::indexChanged, this, &BalanceReport::HistoryMoved);
    connect(document_, &Document::MapReset, this, &BalanceReport::StartOver);
    connect(document_, &Document::TileSetChanged, this, &BalanceReport::Report); // the factions' names
}

BalanceReport::Territories BalanceReport::Measure() const {
    const FactionAnalysis analysis = AnalyseFactions(document_->Grid(), costs_, order_);
    Territories measured;
    for (int f = 0; f < FactionCount; ++f)
        measured.Territory[static_cast<std::size_t>(f)] = analysis.Factions[static_cast<std::size_t>(f)].Territory;
    if (analysis.Balance)
        measured.Hundredths = static_cast<int>(std::lround(*analysis.Balance * 100));
    if (analysis.WorstTurnOrderBalance)
        measured.WorstTurnHundredths = static_cast<int>(std::lround(*analysis.WorstTurnOrderBalance * 100));
    return measured;
}

void BalanceReport::SetMovementRules(const MovementCosts& costs, const TurnOrder& order) {
    if (costs == costs_ && order == order_)
        return;
    costs_ = costs;
    order_ = order;
    // The same map under other rules: no step to compare with.
    StartOver();
}

void BalanceReport::SetActive(bool active) {
    active_ = active;
    StartOver();
}

void BalanceReport::StartOver() {
    beforeStep_.reset();
    settledIndex_ = document_->UndoStack()->index();
    if (active_)
        settled_ = Measure();
    Report();
}

void BalanceReport::HistoryMoved(int index) {
    if (!active_)
        return;
    // Another step begins where the history stood before it; a merged stretch keeps the step's start.
    if (index != settledIndex_)
        beforeStep_ = settled_;
    settledIndex_ = index;
    settled_ = Measure();
    Report();
}

void BalanceReport::Report() {
    if (!active_) {
        emit BalanceChanged(QString(), QString());
        return;
    }
    const QString noValue = QStringLiteral("—");
    QString text = tr("バランス %1").arg(settled_.Hundredths ? Figure(*settled_.Hundredths) : noValue);
    QString tip = tr("最大の領土÷最小の領土");
    if (beforeStep_) {
        if (settled_.Hundredths && beforeStep_->Hundredths)
            text += QStringLiteral(" (%1)").arg(Signed(*settled_.Hundredths - *beforeStep_->Hundredths));
        int most = -1;
        int mostChange = 0;
        for (int f = 0; f < FactionCount; ++f) {
            const int change = settled_.Territory[static_cast<std::size_t>(f)] -
                               beforeStep_->Territory[static_cast<std::size_t>(f)];
            if (std::abs(change) > std::abs(mostChange)) {
                most = f;
                mostChange = change;
            }
        }
        if (most >= 0) {
            const QString name =
                QCoreApplication::translate("Factions", FactionName(document_->TileSet(), most).data());
            tip += u'\n' + tr("最も変わった領土：%1 %2%3")
                               .arg(name, mostChange > 0 ? QStringLiteral("+") : QString())
                               .arg(mostChange);
        }
    }
    // Ties go to the earlier mover in a real game; where that shifts the figure, the worst balance of the
    // rotations of the turn order stands beside it.
    if (settled_.WorstTurnHundredths != settled_.Hundredths) {
        text += tr("　手番順 %1").arg(settled_.WorstTurnHundredths ? Figure(*settled_.WorstTurnHundredths) : noValue);
        tip += u'\n' + tr("手番順：手番の順を回した4通りで、同じコストで届くマスを先に動く勢力のものとした領土の最大÷最小の、最も悪い値");
    }
    emit BalanceChanged(text, tip);
}

} // namespace tav
