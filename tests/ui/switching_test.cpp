// Tile-set and edit-scale switching.

#include "EditorFixture.h"

#include <QAction>
#include <QToolButton>

namespace tav::testing {
namespace {

TEST_F(EditorTest, SetSwitchReloadsRedrawsEveryViewAndKeepsCodesAndSelection) {
    for (int x = 0; x < 48; ++x)
        Doc().SetCell(x, 0, static_cast<TileCode>(x));
    MapEditView->RedrawMap();
    PickTile(27);
    MainView->MenuLineClick();
    ClickCell(5, 5); // a half-made line
    const MapGrid codes = Doc().Grid;
    const int loads = MainView->TileBitmaps.LoadCount();

    QTest::keyClick(MainView, Qt::Key_3, Qt::AltModifier);
    EXPECT_EQ(Doc().CurrentTileSet, 3);
    EXPECT_EQ(MainView->TileBitmaps.LoadCount(), loads + 1);
    EXPECT_EQ(MainView->TileBitmaps.LoadedTileSet(), 3);
    EXPECT_EQ(Doc().Grid, codes);
    EXPECT_TRUE(MainView->MenuChar[2]->isChecked());
    EXPECT_FALSE(MainView->MenuChar[0]->isChecked());
    EXPECT_EQ(CharacterView->SelectedTileCode(), 27);
    EXPECT_EQ(MapEditView->AnchorX, -1);
    EXPECT_EQ(MapEditView->InStroke, 0);
    EXPECT_EQ(CharacterView->Timer1.Interval(), 200);
    // Every view shows set 3's artwork for the unchanged codes.
    EXPECT_TRUE(SameArea(MapEditView->HiddenMapImage, RenderMap(Doc().Grid, MainView->TileBitmaps.Picture(2), 8),
                         QRect(0, 0, 384, 384)));
    EXPECT_TRUE(MapPictureIsClean());
    EXPECT_TRUE(SameArea(PreEditView->PreviewImage, RenderMap(Doc().Grid, MainView->TileBitmaps.Picture(3), 4),
                         QRect(0, 0, 192, 192)));
    EXPECT_EQ(CharacterView->HiddenImage.pixel(17 * 3 + 1, 17 * 3 + 1), TilePixel(1, 27, 0, 0));
}

TEST_F(EditorTest, ChoosingTheSetInForceDoesNothing) {
    MainView->MenuBoxClick();
    ClickCell(4, 4);
    MoveToCell(8, 8);
    const int loads = MainView->TileBitmaps.LoadCount();
    MainView->MenuChar[0]->trigger();
    EXPECT_EQ(MainView->TileBitmaps.LoadCount(), loads);
    EXPECT_EQ(MapEditView->AnchorX, 4);       // the half-made box survives
    EXPECT_FALSE(MapPictureIsClean());         // and no redraw wiped its cursor
    EXPECT_TRUE(MainView->MenuChar[0]->isChecked());
}

TEST_F(EditorTest, InvalidSetNumberIsReportedAndReplacedBySetOne) {
    MainView->MenuChar[4]->trigger();
    ASSERT_EQ(Doc().CurrentTileSet, 5);
    const MapGrid codes = Doc().Grid;
    for (int bad : {0, -12, 10, 12}) {
        SCOPED_TRACE(bad);
        editor.Platform->Messages.clear();
        Doc().CurrentTileSet = bad;
        MainView->ApplyTileSet();
        ASSERT_EQ(editor.Platform->Messages.size(), 1u);
        EXPECT_EQ(editor.Platform->Messages[0], QStringLiteral("無効なキャラクタです。修正しました。"));
        EXPECT_EQ(Doc().CurrentTileSet, 1);
        EXPECT_EQ(MainView->TileBitmaps.LoadedTileSet(), 1);
        EXPECT_TRUE(MainView->MenuChar[0]->isChecked());
        EXPECT_EQ(Doc().Grid, codes);
        MainView->MenuChar[4]->trigger();
    }
}

TEST_F(EditorTest, ScaleSwitchAlwaysCancelsTheShapeRedrawsAndLaysOut) {
    struct Case {
        QKeySequence key;
        int scale;
        QToolButton* TMainView::*button;
        int edge;
    };
    const Case cases[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_3), Small, &TMainView::SmallCharButton, 8}, // the scale in force
        {QKeySequence(Qt::CTRL | Qt::Key_1), Large, &TMainView::LargeCharButton, 32},
        {QKeySequence(Qt::CTRL | Qt::Key_2), Middle, &TMainView::MiddleCharButton, 16},
        {QKeySequence(Qt::CTRL | Qt::Key_3), Small, &TMainView::SmallCharButton, 8},
    };
    PickTile(60);
    Doc().SetCell(1, 1, 60);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edge);
        MainView->MenuLineClick();
        ClickCell(1, 1);
        MoveToCell(4, 1);
        ASSERT_EQ(MapEditView->AnchorX, 1);
        const int loads = MainView->TileBitmaps.LoadCount();
        QTest::keySequence(MainView, c.key);
        EXPECT_EQ(Doc().EditScale, c.scale);
        EXPECT_TRUE((MainView->*c.button)->isChecked());
        EXPECT_EQ(MapEditView->AnchorX, -1);
        EXPECT_EQ(MapEditView->InStroke, 0);
        EXPECT_TRUE(MapPictureIsClean());
        EXPECT_TRUE(CellShows(MapEditView->EditMapImage, 1, 1, c.edge, EditScaleIndex(c.scale), 60));
        EXPECT_EQ(MainView->TileBitmaps.LoadCount(), loads); // a scale switch loads nothing
        EXPECT_EQ(MapEditView->Edge(), c.edge);
        EXPECT_GT(MapEditView->MaxClientWidth, 0);
        EXPECT_EQ(MapEditView->EditClientSize().width() % c.edge, 0);
    }
}

TEST_F(EditorTest, PictureBeyondTheMapHoldsNoTilesAfterAScaleSwitch) {
    MainView->LargeCharButtonClick();
    MainView->SmallCharButtonClick();
    const QRgb navy = TMapEditView::Navy;
    EXPECT_EQ(MapEditView->EditMapImage.pixel(390, 10), navy);
    EXPECT_EQ(MapEditView->EditMapImage.pixel(10, 390), navy);
    EXPECT_EQ(MapEditView->HiddenMapImage.pixel(1000, 1000), navy);
}

} // namespace
} // namespace tav::testing
