#pragma once
// The about box: names the program and its version; shown modally from the menu bar.

#include <QDialog>

class QPushButton;

namespace tav {

class TVersionView : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 496;
    static constexpr int ClientHeight = 327;

    explicit TVersionView(QWidget* owner);

    void Button1Click();

    QPushButton* Button1 = nullptr;
};

} // namespace tav
