#pragma once
// The map check window: the report lines of the last map check in a list. It starts minimised and comes
// up by itself only when a check finds a problem.

#include "MapGrid.h"

#include <QMdiSubWindow>

class QListWidget;
class QMdiArea;

namespace tav {

class Document;

class MapCheckView : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 350;
    static constexpr int ClientHeight = 200;

    static constexpr int ItemHeight = 12;

    MapCheckView(const Document* document, QMdiArea* frame);

    // Checks `grid` in the map's tile set (the map in the editor, or the map as a save will write it) and
    // fills the list with the report, header first. True when a problem was found; the window has then been
    // restored if minimised and shown. Never asks anything and never changes the map document.
    bool RunMapCheck(const MapGrid& grid);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    const Document* document_;
    QListWidget* checkList_ = nullptr;
};

} // namespace tav
