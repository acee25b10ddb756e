#pragma once
// The about box: names the program and its version; shown modally from the menu bar and kept for the
// whole run.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace tav {

class TVersionView : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 496;
    static constexpr int ClientHeight = 327;

    explicit TVersionView(QWidget* owner);

    void Button1Click();

    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* StaticText[8] = {}; // StaticText1 .. StaticText8
    QPushButton* Button1 = nullptr;
};

} // namespace tav
