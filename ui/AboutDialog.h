#pragma once
// The about box: names the program and its version; shown modally from the menu bar and kept for the
// whole run.

#include <QDialog>

namespace tav {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 496;
    static constexpr int ClientHeight = 327;

    explicit AboutDialog(QWidget* owner);

protected:
    // Kept for the whole run, it follows a change of language (its panel's texts are English already).
    void changeEvent(QEvent* event) override;
};

} // namespace tav
