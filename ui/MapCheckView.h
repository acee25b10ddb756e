#pragma once
// The map check window: the report of the last map check in a list, in the editor's language, which it
// follows when the language changes. It starts minimised and comes up by itself only when a check finds a
// problem. With a symmetry mode in force it adds how many cells break the symmetry, which is no problem: a
// map may be drawn with a mode and still be meant uneven.

#include "MapCheck.h"

#include "MapGrid.h"
#include "Symmetry.h"

#include <QMdiSubWindow>

#include <optional>
#include <vector>

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

    // The report line of a finding in the editor's language; in Japanese the command-line tool's line.
    static QString FindingText(const CheckFinding& finding, TileSet tileSet);
    // The line of a finding with Count > 0 in the editor's language; in Japanese the core's AsymmetryLine.
    static QString AsymmetryText(const AsymmetryFinding& finding);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Checks `grid` and fills the list, leaving the window as it stands.
    void FillReport(const MapGrid& grid);
    // Fills the list from the findings kept, in the language in force.
    void ShowReport();

    const Document* document_;
    QListWidget* checkList_ = nullptr;
    // The last check's result; the list is worded from it again when the language changes.
    std::vector<CheckFinding> findings_;
    AsymmetryFinding asymmetry_;
    std::optional<TileSet> checkedTileSet_; // none before the first check: the list stays empty
};

} // namespace tav
