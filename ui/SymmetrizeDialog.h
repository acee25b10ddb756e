#pragma once
// The dialog of 対称にする: which share of the map the others are copied from, among the shares the
// symmetry mode in force allows, its default chosen.

#include "Symmetry.h"

#include <QDialog>

#include <utility>
#include <vector>

class QRadioButton;

namespace tav {

class SymmetrizeDialog : public QDialog {
    Q_OBJECT
public:
    // `mode` must not be none.
    SymmetrizeDialog(SymmetryMode mode, QWidget* parent);

    SymmetrySource Source() const;

private:
    std::vector<std::pair<SymmetrySource, QRadioButton*>> sources_;
};

} // namespace tav
