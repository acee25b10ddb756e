#include "TurnOrderControl.h"

#include "MapCheck.h"
#include "TerritoryTint.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include <utility>

namespace tav {

TurnOrderControl::TurnOrderControl(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("turnOrderControl"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    caption_ = new QLabel(this);
    row->addWidget(caption_);
    for (int place = 0; place < FactionCount; ++place) {
        if (place > 0) {
            auto* trade = new QToolButton(this);
            trade->setObjectName(QStringLiteral("tradeTurns%1Button").arg(place));
            trade->setAutoRaise(true);
            connect(trade, &QToolButton::clicked, this, [this, place] { Trade(place); });
            row->addWidget(trade);
            trades_[static_cast<std::size_t>(place - 1)] = trade;
        }
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("turnPlace%1").arg(place));
        label->setAutoFillBackground(true);
        label->setMargin(2);
        label->setFrameShape(QFrame::Box); // so a white faction stands out from the window
        row->addWidget(label);
        places_[static_cast<std::size_t>(place)] = label;
    }
    row->addStretch();
    Retranslate();
}

void TurnOrderControl::Retranslate() {
    caption_->setText(tr("手番の順（左が先手）："));
    for (QToolButton* trade : trades_) {
        trade->setText(tr("⇄入替"));
        trade->setToolTip(tr("隣り合う2つの勢力の手番を入れ替える"));
    }
    ShowNames();
}

void TurnOrderControl::Show(const TurnOrder& order, TileSet tileSet) {
    if (order == order_ && tileSet == tileSet_ && !places_[0]->text().isEmpty())
        return;
    order_ = order;
    tileSet_ = tileSet;
    ShowNames();
}

void TurnOrderControl::ShowNames() {
    for (int place = 0; place < FactionCount; ++place) {
        const int faction = order_.Factions[static_cast<std::size_t>(place)];
        QLabel* label = places_[static_cast<std::size_t>(place)];
        label->setText(QCoreApplication::translate("Factions", FactionName(tileSet_, faction).data()));
        const QColor colour(FactionColour(tileSet_, faction));
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, colour);
        palette.setColor(QPalette::WindowText, colour.lightness() > 140 ? QColor(Qt::black) : QColor(Qt::white));
        label->setPalette(palette);
    }
}

void TurnOrderControl::Trade(int later) {
    std::swap(order_.Factions[static_cast<std::size_t>(later - 1)], order_.Factions[static_cast<std::size_t>(later)]);
    ShowNames();
    emit OrderChanged(order_);
}

} // namespace tav
