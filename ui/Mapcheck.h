#pragma once
// The map check window: the report lines of the last map check in a list.

#include <QMdiSubWindow>

class QListWidget;
class QMdiArea;

namespace tav {

class TMapCheckView : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 350;
    static constexpr int ClientHeight = 200;

    explicit TMapCheckView(QMdiArea* frame);

    QListWidget* CheckList = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
};

} // namespace tav
