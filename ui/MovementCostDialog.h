#pragma once
// 移動コスト: the entry cost of each cost class, 1..9 or 通行不可 (城 1..9 only), with a button that puts back the
// default table (all 1). It edits a copy; the frame stores and applies what the user accepted, and every
// figure follows at once.

#include "MovementRules.h"

#include <QDialog>

#include <array>

class QSpinBox;

namespace tav {

class MovementCostDialog : public QDialog {
    Q_OBJECT
public:
    MovementCostDialog(const MovementCosts& current, QWidget* parent);

    // The table as the dialog's fields stand.
    MovementCosts Chosen() const;

    // The field of a class: "costField" + its place in AllCostClasses ("costField0" is 平地). 0 stands for
    // 通行不可.
    static QString FieldName(CostClass costClass);

private:
    void Show(const MovementCosts& costs);

    std::array<QSpinBox*, CostClassCount> fields_{};
};

} // namespace tav
