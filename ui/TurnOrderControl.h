#pragma once
// The turn order of the faction analysis window: the four factions in the order they move, the first at the
// left, with a button (入替) between each two neighbours that lets them trade places. Any order is a few trades away.

#include "MovementRules.h"
#include "TileSets.h"

#include <QWidget>

#include <array>

class QLabel;
class QToolButton;

namespace tav {

class TurnOrderControl : public QWidget {
    Q_OBJECT
public:
    explicit TurnOrderControl(QWidget* parent);

    // Shows `order` with the factions of `tileSet`; announces nothing.
    void Show(const TurnOrder& order, TileSet tileSet);
    const TurnOrder& Order() const { return order_; }
    void Retranslate();

signals:
    // The user changed the order.
    void OrderChanged(const TurnOrder& order);

private:
    void Trade(int later); // the factions at places later - 1 and later trade places
    void ShowNames();

    TurnOrder order_;
    TileSet tileSet_ = TileSet::Verda;
    QLabel* caption_ = nullptr;
    std::array<QLabel*, FactionCount> places_{};
    std::array<QToolButton*, FactionCount - 1> trades_{};
};

} // namespace tav
