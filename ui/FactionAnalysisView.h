#pragma once
// The faction analysis window: for each faction its castles, houses, fields, territory, territory by turn,
// how many of its houses and fields are safe, threatened or lost and by what margin, its front, its room and
// the cost to the other factions' castles, with each column's spread below; the turn order (which the user
// reorders here), the contested and unreachable cells, the balance and the turn-order balance of each rotation
// with the worst named; and the map at 4 pixels per cell tinted by territory, the threatened and lost houses
// and fields framed. With a symmetry mode, the largest differences between a faction and its images. A
// passive view: whoever owns the map calls ShowMap after each change, SetMovementRules and SetSymmetry when
// those change, and hears of the user's new turn order through TurnOrderChanged.

#include "FactionAnalysis.h"
#include "FactionSymmetry.h"
#include "MapGrid.h"
#include "TintedMap.h"

#include <QImage>
#include <QMdiSubWindow>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

class QLabel;
class QTableWidget;

namespace tav {

class TerritoryPictureArea;
class TurnOrderControl;

class FactionAnalysisView : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int CellEdge = 4;
    static constexpr int PictureEdge = MapSize * CellEdge; // 192

    // Table columns.
    enum Column {
        NameColumn,
        CastlesColumn,
        HousesColumn,
        FieldsColumn,
        TerritoryColumn,
        InTerritoryColumn,
        TerritoryByTurnColumn,
        SafeColumn,
        ThreatenedColumn,
        LostColumn,
        MarginColumn,
        FrontColumn,
        RoomColumn,
        FirstDistanceColumn, // one column per faction: the cost to its nearest castle
        ColumnCount = FirstDistanceColumn + FactionCount,
    };
    // Table rows: the factions, then the spread of each column.
    static constexpr int SpreadRow = FactionCount;

    // Add the window to the frame with QMdiArea::addSubWindow; it starts empty until the first ShowMap.
    explicit FactionAnalysisView(QWidget* parent = nullptr);

    // Analyses `grid` and refreshes the table, the notes and the picture. `tileSet` names and colours the
    // factions; `previewTilePicture` is the tile set's 4-pixel picture.
    void ShowMap(const MapGrid& grid, TileSet tileSet, const QImage& previewTilePicture);

    const FactionAnalysis& Analysis() const { return analysis_; }

    // The symmetry mode the figures are compared under; none hides the comparison.
    void SetSymmetry(SymmetryMode mode);
    // The cost table and turn order the next ShowMap measures with.
    void SetMovementRules(const MovementCosts& costs, const TurnOrder& order);

signals:
    // The user reordered the factions' turns.
    void TurnOrderChanged(const TurnOrder& order);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The texts that do not depend on the map, in the editor's language.
    void RetranslateUi();
    void SetFactionHeaders(TileSet tileSet);
    // The table and the notes for analysis_; `headersChanged` makes the columns fit their new headers.
    void ShowFigures(TileSet tileSet, bool headersChanged);
    // Returns whether the text changed.
    bool SetCellText(int row, int column, const QString& text);
    void FitTableHeight();
    void ShowSymmetryDifferences();
    void ShowTurnOrderBalance(TileSet tileSet);

    FactionAnalysis analysis_{};
    TintedMap territory_; // the tinted picture, redrawn where tiles or holders changed
    std::optional<TileSet> shownTileSet_; // none before the first map
    std::uint32_t changedColumns_ = 0;    // a bit for each column to measure again
    std::array<qsizetype, ColumnCount> longestText_{}; // per column, in characters, when it was last measured
    SymmetryMode symmetry_ = SymmetryMode::None;
    QTableWidget* table_ = nullptr;
    QLabel* missingCastles_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* turnOrderBalance_ = nullptr;
    TurnOrderControl* turnOrder_ = nullptr;
    MovementCosts costs_;
    TurnOrder order_;
    QLabel* symmetryDifferences_ = nullptr;
    QLabel* contestedLegend_ = nullptr;
    QLabel* unreachableLegend_ = nullptr;
    QLabel* threatenedLegend_ = nullptr;
    QLabel* lostLegend_ = nullptr;
    TerritoryPictureArea* picture_ = nullptr;
};

} // namespace tav
