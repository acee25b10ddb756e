// The range tool, moving a selection, the clipboard and painting inside a selection, driven through the
// real windows with mouse and key events, as a user would.

#include "Document.h"
#include "MainWindow.h"
#include "Platform.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tav {
namespace {

// Records messages; timers never tick by themselves.
class RecordingPlatform : public Platform {
public:
    std::vector<QString> Messages;
    QSize ScreenSize() const override { return {1024, 768}; }
    void ShowMessage(QWidget*, const QString&, const QString& text) override { Messages.push_back(text); }
    void ReportError(QWidget*, const QString& text) override { Messages.push_back(text); }
    bool TimersRun() const override { return false; }
};

class SelectionClipboard : public ::testing::Test {
protected:
    SelectionClipboard() {
        auto platform = std::make_unique<RecordingPlatform>();
        platform_ = platform.get();
        InstallPlatform(std::move(platform));
        window_ = std::make_unique<MainWindow>();
        window_->show();
        QApplication::setActiveWindow(window_.get());
        MapGrid grid = MapDocument::FilledGrid(0);
        for (int x = 0; x < MapSize; ++x)
            for (int y = 0; y < MapSize; ++y)
                grid[static_cast<std::size_t>(CellIndex(x, y))] = static_cast<TileCode>((x + 2 * y) % 100);
        window_->Map()->Reset(grid, 1, QString(), QString());
        map_ = window_->findChild<QWidget*>(QStringLiteral("EditMapImage"));
    }
    ~SelectionClipboard() override {
        window_.reset();
        InstallPlatform(nullptr);
    }
    Document& Map() { return *window_->Map(); }
    QAction* Action(const char* name) { return window_->findChild<QAction*>(QString::fromLatin1(name)); }
    QString Status() { return window_->findChild<QLabel*>(QStringLiteral("StatusPanel"))->text(); }
    static QPoint Centre(int x, int y) { return {x * 8 + 4, y * 8 + 4}; }
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(map_, Qt::LeftButton, Qt::NoModifier, Centre(from.x(), from.y()));
        QTest::mouseMove(map_, Centre(to.x(), to.y()));
        QTest::mouseRelease(map_, Qt::LeftButton, Qt::NoModifier, Centre(to.x(), to.y()));
    }
    void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(map_, button, Qt::NoModifier, Centre(x, y));
    }

    RecordingPlatform* platform_ = nullptr;
    std::unique_ptr<MainWindow> window_;
    QWidget* map_ = nullptr;
};

TEST_F(SelectionClipboard, DraggingSelectsCopyGivesHexTextAndDraggingInsideMovesTheCellsInOneStep) {
    QTest::mouseClick(window_->findChild<QWidget*>(QStringLiteral("RangeButton")), Qt::LeftButton);
    Drag({4, 3}, {2, 5});
    EXPECT_EQ(Status(), QStringLiteral("X1=2, Y1=3, X2=4, Y2=5 (3×3)"));
    ASSERT_TRUE(Action("MenuCopy")->isEnabled());
    Action("MenuCopy")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("08 09 0A\n0A 0B 0C\n0C 0D 0E\n"));

    const MapGrid before = Map().Grid();
    Drag({3, 4}, {13, 4}); // grab the middle cell, drop ten columns right
    EXPECT_EQ(Map().Cell(12, 3), 0x08);
    EXPECT_EQ(Map().Cell(14, 5), 0x0E);
    EXPECT_EQ(Map().Cell(2, 3), NewMapTile) << "the hole takes the new map's code";
    EXPECT_EQ(Status(), QStringLiteral("X1=12, Y1=3, X2=14, Y2=5 (3×3)")) << "the selection goes with the cells";
    EXPECT_EQ(Map().UndoStack()->count(), 1);
    Map().UndoStack()->undo();
    EXPECT_EQ(Map().Grid(), before);

    QTest::keyClick(window_.get(), Qt::Key_Escape);
    EXPECT_FALSE(Action("MenuCopy")->isEnabled()) << "Esc clears the selection";
}

TEST_F(SelectionClipboard, PastedTextFloatsUntilAClickPlacesItAndTextThatIsNoBlockIsRefused) {
    QApplication::clipboard()->setText(QStringLiteral("01 02 03\n04 05 06\n"));
    QTest::keyClick(window_.get(), Qt::Key_V, Qt::ControlModifier);
    QTest::mouseMove(map_, Centre(46, 10));
    EXPECT_EQ(Map().Cell(46, 10), (46 + 20) % 100) << "nothing is written while the block floats";
    Click(46, 10);
    EXPECT_EQ(Map().Cell(46, 10), 1);
    EXPECT_EQ(Map().Cell(47, 11), 5);
    EXPECT_EQ(Map().UndoStack()->count(), 1) << "the third column fell off the map and was dropped";
    Click(0, 0); // the paste is over: the pen paints again
    EXPECT_EQ(Map().Cell(0, 0), 0);

    const MapGrid before = Map().Grid();
    QApplication::clipboard()->setText(QStringLiteral("01 02\n03 80\n"));
    Action("MenuPaste")->trigger();
    ASSERT_EQ(platform_->Messages.size(), 1u);
    EXPECT_TRUE(platform_->Messages[0].contains(QStringLiteral("7F"))) << platform_->Messages[0].toStdString();
    EXPECT_EQ(Map().Grid(), before);
    Click(5, 6);
    EXPECT_EQ(Map().Cell(5, 6), 0) << "no block floats: the click is the pen's";
    EXPECT_EQ(Map().Cell(6, 7), before[CellIndex(6, 7)]);
}

TEST_F(SelectionClipboard, ASelectionLimitsThePenAndShiftArrowsMoveOnlyItsCells) {
    Action("SelectRange")->trigger();
    Drag({10, 10}, {11, 11});
    window_->SelectTool(Pen);
    EXPECT_FALSE(Action("SelectRange")->isChecked()) << "the pen takes the mouse; the selection stays";
    QTest::mousePress(map_, Qt::LeftButton, Qt::NoModifier, Centre(9, 10));
    QTest::mouseMove(map_, Centre(10, 10));
    QTest::mouseMove(map_, Centre(12, 10));
    QTest::mouseRelease(map_, Qt::LeftButton, Qt::NoModifier, Centre(12, 10));
    EXPECT_EQ(Map().Cell(9, 10), 29);
    EXPECT_EQ(Map().Cell(10, 10), 0);
    EXPECT_EQ(Map().Cell(12, 10), 32);

    const TileCode moved = Map().Cell(11, 11);
    QTest::keyClick(window_.get(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Map().Cell(12, 11), moved);
    EXPECT_EQ(Map().Cell(10, 11), NewMapTile);
    EXPECT_EQ(Map().Cell(0, 0), 0) << "the rest of the map did not turn";
}

} // namespace
} // namespace tav
