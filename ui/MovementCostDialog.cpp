#include "MovementCostDialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tav {

MovementCostDialog::MovementCostDialog(const MovementCosts& current, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("movementCostDialog"));
    setWindowTitle(tr("移動コスト"));

    auto* note = new QLabel(tr("マスに入るときのコスト（1〜9）。通行不可のマスにはどの勢力も入れません。\n"
                               "水辺・山地・城壁はもともと通行不可です。"),
                            this);
    note->setWordWrap(true);
    auto* form = new QFormLayout;
    for (const CostClass costClass : AllCostClasses) {
        auto* field = new QSpinBox(this);
        field->setObjectName(FieldName(costClass));
        // The castle must stay enterable: its field starts at 1, the others at 0, shown as 通行不可.
        field->setRange(costClass == CostClass::Castle ? MovementCosts::Cheapest : MovementCosts::Blocked,
                        MovementCosts::Dearest);
        field->setSpecialValueText(costClass == CostClass::Castle ? QString() : tr("通行不可"));
        const std::string_view name = CostClassName(costClass);
        const QString shown = QCoreApplication::translate("TileRoles", std::string(name).c_str());
        form->addRow(costClass == CostClass::Castle ? tr("%1（城門も）").arg(shown) : shown, field);
        fields_[CostClassIndex(costClass)] = field;
    }

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* reset = buttons->addButton(tr("既定値に戻す"), QDialogButtonBox::ResetRole);
    reset->setObjectName(QStringLiteral("defaultCostsButton"));
    connect(reset, &QPushButton::clicked, this, [this] { Show(MovementCosts{}); });
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    buttons->addButton(tr("キャンセル"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addWidget(note);
    column->addLayout(form);
    column->addWidget(buttons);
    Show(current.IsValid() ? current : MovementCosts{});
}

QString MovementCostDialog::FieldName(CostClass costClass) {
    return QStringLiteral("costField%1").arg(CostClassIndex(costClass));
}

void MovementCostDialog::Show(const MovementCosts& costs) {
    for (const CostClass costClass : AllCostClasses)
        fields_[CostClassIndex(costClass)]->setValue(costs[costClass]);
}

MovementCosts MovementCostDialog::Chosen() const {
    MovementCosts chosen;
    for (const CostClass costClass : AllCostClasses)
        chosen[costClass] = static_cast<std::uint8_t>(fields_[CostClassIndex(costClass)]->value());
    return chosen;
}

} // namespace tav
