// The faction analysis window shows what the analysis of the map it is given finds: the golden maps'
// figures in the table, the missing castles, the summary and the tinted picture, refreshed on every map.

#include "../core/FactionGoldenMaps.h"

#include "FactionAnalysisView.h"
#include "MapCheck.h"
#include "TerritoryTint.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "TileSets.h"

#include <QLabel>
#include <QMdiArea>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <set>

namespace tav {
namespace {

QStringList RowTexts(const QTableWidget& table, int row) {
    QStringList texts;
    for (int column = 0; column < table.columnCount(); ++column)
        texts << table.item(row, column)->text();
    return texts;
}

QImage ExpectedPicture(const MapGrid& grid, int tileSet) {
    TileBitmaps bitmaps;
    bitmaps.LoadTileSetBitmaps(tileSet);
    const QImage map = RenderMap(grid, bitmaps.Picture(PreviewScaleIndex), 4);
    return TerritoryPicture(AnalyseFactions(grid), tileSet, map);
}

TEST(FactionAnalysisWindow, ShowsEachMapsFiguresNamesAndPictureAndFollowsTheNextMap) {
    QMdiArea area;
    auto* view = new FactionAnalysisView;
    area.addSubWindow(view);
    area.resize(900, 700);
    area.show();
    view->show();
    const auto* table = view->findChild<QTableWidget*>(QStringLiteral("FactionTable"));
    const auto* missing = view->findChild<QLabel*>(QStringLiteral("MissingCastles"));
    const auto* summary = view->findChild<QLabel*>(QStringLiteral("FactionSummary"));
    const auto* picture = view->findChild<QLabel*>(QStringLiteral("TerritoryPicture"));
    ASSERT_TRUE(table && missing && summary && picture);

    TileBitmaps setOne;
    setOne.LoadTileSetBitmaps(1);
    const MapGrid walls = golden::LoadGoldenMap("walls_and_gates").Grid;
    view->ShowMap(walls, 1, setOne.Picture(PreviewScaleIndex));
    EXPECT_EQ(RowTexts(*table, 0),
              QStringList({"カルドア領(緑)", "(1,1)", "1", "1", "9", "1", "—", "10", "—", "—"}));
    EXPECT_EQ(RowTexts(*table, 1),
              QStringList({"ブレスト領(赤)", "(7,1)", "1", "0", "9", "0", "10", "—", "—", "—"}));
    EXPECT_EQ(RowTexts(*table, 2), QStringList({"シオネル領(白)", "なし", "0", "0", "0", "0", "—", "—", "—", "—"}));
    EXPECT_EQ(table->item(1, 0)->background().color().rgb(), FactionColour(1, 1));
    EXPECT_EQ(table->horizontalHeaderItem(FactionAnalysisView::FirstDistanceColumn + 3)->text(),
              "ヴォルグ領(黒)まで");
    EXPECT_TRUE(missing->isVisible());
    EXPECT_EQ(missing->text(), "シオネル領(白)の城がありません。\nヴォルグ領(黒)の城がありません。");
    EXPECT_TRUE(summary->text().startsWith("係争地：4　到達不能：0　バランス（最大÷最小の領土）：—"))
        << summary->text().toStdString();
    EXPECT_EQ(picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32), ExpectedPicture(walls, 1));

    // The next map replaces everything: another tile set's names, all four castles, a balance.
    TileBitmaps setSeven;
    setSeven.LoadTileSetBitmaps(7);
    const MapGrid tie = golden::LoadGoldenMap("tie_line").Grid;
    view->ShowMap(tie, 7, setSeven.Picture(PreviewScaleIndex));
    EXPECT_EQ(RowTexts(*table, 3),
              QStringList({"ウミネコ港(黒)", "(4,4)", "0", "0", "4", "0", "8", "4", "4", "—"}));
    EXPECT_FALSE(missing->isVisible());
    EXPECT_EQ(summary->text(), "係争地：9　到達不能：0　バランス（最大÷最小の領土）：1.000");
    EXPECT_EQ(picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32), ExpectedPicture(tie, 7));
}

// The rows and the picture tell the factions apart by colour: each name's colour word is known, and no two
// factions of a set share one.
TEST(FactionAnalysisWindow, EveryFactionOfEverySetHasAColourOfItsOwn) {
    for (int tileSet = 1; tileSet <= TileSetCount; ++tileSet) {
        std::set<QRgb> colours;
        for (int f = 0; f < FactionCount; ++f)
            colours.insert(FactionColour(tileSet, f));
        EXPECT_EQ(colours.size(), 4u) << tileSet;
        EXPECT_FALSE(colours.count(ContestedTint) || colours.count(UnreachableTint)) << tileSet;
    }
}

} // namespace
} // namespace tav
