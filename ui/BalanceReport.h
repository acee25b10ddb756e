#pragma once
// The balance figure of the status bar while the territory overlay is on: the largest territory over the
// smallest, and how much the last step of the history changed it; and the worst turn-order balance (the
// territories by turn under the rotations of the turn order) where it differs from the balance. A step is whatever one undo takes back
// (a whole stroke, a shape, a fill, a paste, a command), so the change shown grows over a stroke and undo
// shows the reverse change.

#include "FactionAnalysis.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>

namespace tav {

class Document;

class BalanceReport : public QObject {
    Q_OBJECT
public:
    BalanceReport(Document* document, QObject* parent);

    // While off it says nothing (an empty text) and costs nothing.
    void SetActive(bool active);
    // Says it all again, in the editor's language.
    void Retranslate() { Report(); }
    // The cost table and turn order to measure with; the figure follows at once.
    void SetMovementRules(const MovementCosts& costs, const TurnOrder& order);

signals:
    // `text` is empty while off; `tip` names the faction whose territory the step changed most.
    void BalanceChanged(const QString& text, const QString& tip);

private:
    struct Territories {
        std::array<int, FactionCount> Territory{};
        std::optional<int> Hundredths; // the balance as shown, in hundredths; none while a territory is 0
        std::optional<int> WorstTurnHundredths; // the worst turn-order balance, the same way
    };

    void StartOver();
    void HistoryMoved(int index);
    void Report();
    Territories Measure() const;

    Document* document_;
    bool active_ = false;
    MovementCosts costs_;
    TurnOrder order_;
    int settledIndex_ = 0;               // where the history stood when last measured
    Territories settled_;                // the map as last measured
    std::optional<Territories> beforeStep_; // the map before the step in force; none after a new map
};

} // namespace tav
