// The edit window's comforts as a user meets them: shapes by press, drag and release, Esc, the wheel and
// Ctrl+wheel, the eyedropper, the code readouts in the status bar, the preview's frame and navigation, grid
// lines and the preferences, which are kept between runs.

#include "DrawTools.h"
#include "EditorSettings.h"
#include "MainWindow.h"
#include "Platform.h"
#include "TileRoles.h"

#include "Document.h"
#include "Shaping.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

// Texts in failure messages as text.
static void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace tav {
namespace {

// Settings in a folder of the test's own, removed with it.
class IsolatedSettings {
public:
    IsolatedSettings() {
        QStandardPaths::setTestModeEnabled(true);
        for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, folder_.path());
    }
    ~IsolatedSettings() {
        const QString testLocation = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, testLocation);
    }

private:
    QTemporaryDir folder_;
};

// A 1024 x 768 screen, timers that never tick on their own, and modal dialogs the test answers.
class ComfortPlatform : public Platform {
public:
    std::function<int(QDialog*)> AnswerDialog;
    QSize ScreenSize() const override { return {1024, 768}; }
    bool AskOkCancel(QWidget*, const QString&, const QString&) override { return true; }
    void ShowMessage(QWidget*, const QString&, const QString&) override {}
    void ReportError(QWidget*, const QString& text) override { ADD_FAILURE() << text.toStdString(); }
    std::optional<QString> OpenFileName(QWidget*, const FileDialogSettings&) override { return std::nullopt; }
    std::optional<QString> SaveFileName(QWidget*, const FileDialogSettings&) override { return std::nullopt; }
    int ExecModal(QDialog* dialog) override { return AnswerDialog ? AnswerDialog(dialog) : QDialog::Rejected; }
    bool TimersRun() const override { return false; }
};

class EditComforts : public ::testing::Test {
protected:
    void SetUp() override { StartEditor(); }
    void TearDown() override {
        window.reset();
        InstallPlatform(nullptr);
    }
    void StartEditor() {
        window.reset();
        auto installed = std::make_unique<ComfortPlatform>();
        platform = installed.get();
        InstallPlatform(std::move(installed));
        window = std::make_unique<MainWindow>();
        window->show();
        QApplication::setActiveWindow(window.get());
    }

    template <class Widget = QWidget>
    Widget* Find(const char* name) const {
        auto* found = window->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QWidget* MapPicture() const { return Find("EditMapImage"); }
    QString Text(const char* label) const { return Find<QLabel>(label)->text(); }
    bool Checked(const char* button) const { return Find<QToolButton>(button)->isChecked(); }
    Document& Map() const { return *window->Map(); }

    // The middle of cell (x, y) on the edit window's picture while it is not scrolled.
    static QPoint Cell(int x, int y, int edge = 8) { return {x * edge + edge / 2, y * edge + edge / 2}; }
    // The cell the status bar names with the pointer at `at` on the edit window's picture.
    QString CellUnder(QPoint at) {
        // By way of another cell: a move to where the pointer already is would be dropped as no move.
        QTest::mouseMove(MapPicture(), at + QPoint(40, 40));
        QTest::mouseMove(MapPicture(), at);
        return Text("StatusPanel");
    }
    void PickTile(int code) {
        QTest::mouseClick(Find("CharSetImage"), Qt::LeftButton, {}, QPoint(17 * (code % 8) + 8, 17 * (code / 8) + 8));
    }
    void Wheel(QPoint at, QPoint angle, QPoint pixels = {}, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* map = MapPicture();
        QWheelEvent event(QPointF(at), map->mapToGlobal(QPointF(at)), pixels, angle, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(map, &event);
    }

    IsolatedSettings settings; // before the window, which reads them
    ComfortPlatform* platform = nullptr;
    std::unique_ptr<MainWindow> window;
};

MapGrid Painted(MapGrid grid, int tool, int code, QPoint from, QPoint to) {
    ShapeCells cells;
    ApplyToolToGrid(cells, grid, tool, static_cast<TileCode>(code), from.x(), from.y(), to.x(), to.y());
    return grid;
}

TEST_F(EditComforts, ShapesPaintByDragAsByTwoClicksInOneStep) {
    const struct {
        const char* Button;
        int Tool;
    } shapes[] = {{"LineButton", Line},     {"BoxButton", Box},           {"BoxFillButton", BoxFill},
                  {"CircleButton", Circle}, {"CircleFillButton", CircleFill}};
    const MapGrid blank = MapDocument::FilledGrid(NewMapTile);
    PickTile(0x60);
    for (const auto& shape : shapes) {
        SCOPED_TRACE(shape.Button);
        const MapGrid expected = Painted(blank, shape.Tool, 0x60, {2, 3}, {9, 7});
        Find<QToolButton>(shape.Button)->click();
        Map().Reset(blank, 1, QString(), QString());
        QTest::mousePress(MapPicture(), Qt::LeftButton, {}, Cell(2, 3));
        QTest::mouseMove(MapPicture(), Cell(5, 5));
        QTest::mouseMove(MapPicture(), Cell(9, 7));
        EXPECT_EQ(Text("StatusPanel"), "X1=2, Y1=3, X2=9, Y2=7"); // the shape follows the drag
        EXPECT_EQ(Map().Grid(), blank);
        QTest::mouseRelease(MapPicture(), Qt::LeftButton, {}, Cell(9, 7));
        EXPECT_EQ(Map().Grid(), expected);
        EXPECT_EQ(Map().UndoStack()->count(), 1);
        EXPECT_EQ(Text("StatusPanel"), "X=9, Y=7");

        Map().Reset(blank, 1, QString(), QString());
        QTest::mouseClick(MapPicture(), Qt::LeftButton, {}, Cell(2, 3));
        EXPECT_EQ(Map().Grid(), blank); // a release where the press was leaves the first point set
        QTest::mouseClick(MapPicture(), Qt::LeftButton, {}, Cell(9, 7));
        EXPECT_EQ(Map().Grid(), expected);
    }
}

TEST_F(EditComforts, EscapeDropsAClickedOrDraggedFirstPoint) {
    Find<QToolButton>("LineButton")->click();
    PickTile(0x60);
    const MapGrid before = Map().Grid();
    QTest::mouseClick(MapPicture(), Qt::LeftButton, {}, Cell(2, 3));
    EXPECT_EQ(Text("StatusPanel"), "X1=2, Y1=3, X2=2, Y2=3");
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(Text("StatusPanel"), "X=2, Y=3");

    QTest::mousePress(MapPicture(), Qt::LeftButton, {}, Cell(2, 3));
    QTest::mouseMove(MapPicture(), Cell(9, 7));
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QTest::mouseRelease(MapPicture(), Qt::LeftButton, {}, Cell(9, 7));
    EXPECT_EQ(Map().Grid(), before);
    EXPECT_EQ(Text("StatusPanel"), "X=9, Y=7");
}

TEST_F(EditComforts, WheelAndTouchpadScrollTheEditWindow) {
    const struct {
        const char* What;
        std::vector<QPoint> Angles, Pixels;
        Qt::KeyboardModifiers Modifiers;
        const char* CellAtTopLeft;
    } cases[] = {
        {"one notch down: three rows", {{0, -120}}, {{}}, {}, "X=0, Y=3"},
        {"Shift: three columns", {{0, -120}}, {{}}, Qt::ShiftModifier, "X=3, Y=0"},
        {"half notches add up", {{0, -60}, {0, -60}}, {{}, {}}, {}, "X=0, Y=3"},
        {"touchpad pixels, in small steps", {{0, -30}, {0, -30}}, {{-10, -20}, {-30, -20}}, {}, "X=1, Y=1"},
        {"up at the top stays there", {{0, 120}}, {{}}, {}, "X=0, Y=0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        StartEditor();
        Find<QToolButton>("LargeCharButton")->click();
        for (std::size_t i = 0; i < c.Angles.size(); ++i)
            Wheel({16, 16}, c.Angles[i], c.Pixels[i], c.Modifiers);
        EXPECT_EQ(CellUnder({16, 16}), c.CellAtTopLeft);
    }
}

TEST_F(EditComforts, ControlWheelStepsTheScaleKeepingTheCellUnderThePointer) {
    const QPoint pointer = Cell(10, 8);
    const struct {
        int Notch;
        const char* Button;
    } steps[] = {{120, "MiddleCharButton"}, {120, "LargeCharButton"}, {120, "LargeCharButton"},
                 {-120, "MiddleCharButton"}, {-120, "SmallCharButton"}, {-120, "SmallCharButton"}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Button);
        Wheel(pointer, {0, step.Notch}, {}, Qt::ControlModifier);
        EXPECT_TRUE(Checked(step.Button));
        EXPECT_EQ(CellUnder(pointer), "X=10, Y=8");
    }
}

TEST_F(EditComforts, EyedropperPicksTheCodeAndTheStatusBarNamesCodes) {
    PickTile(0x14);
    EXPECT_EQ(Text("StatusPickedCode"), "選択タイル 0x14 城");
    QTest::mouseClick(MapPicture(), Qt::LeftButton, {}, Cell(5, 5)); // the pen paints a castle
    PickTile(0x60);
    const MapGrid painted = Map().Grid();
    const struct {
        Qt::MouseButton Button;
        Qt::KeyboardModifiers Modifiers;
        QPoint At;
        int Picked;
        const char* Under;
    } picks[] = {{Qt::LeftButton, Qt::AltModifier, {5, 5}, 0x14, "0x14 城"},
                 {Qt::MiddleButton, {}, {6, 5}, 0x30, "0x30 水辺"}};
    for (const auto& pick : picks) {
        SCOPED_TRACE(pick.Picked);
        QTest::mouseMove(MapPicture(), Cell(pick.At.x(), pick.At.y()));
        EXPECT_EQ(Text("StatusCellCode"), pick.Under);
        QTest::mouseClick(MapPicture(), pick.Button, pick.Modifiers, Cell(pick.At.x(), pick.At.y()));
        EXPECT_EQ(Text("StatusPickedCode"), QStringLiteral("選択タイル ") + pick.Under);
        EXPECT_EQ(Map().Grid(), painted);
    }
    QTest::mouseClick(MapPicture(), Qt::LeftButton, {}, Cell(7, 7)); // the pen paints the picked code
    EXPECT_EQ(Map().Cell(7, 7), 0x30);
    EXPECT_EQ(Text("StatusCellCode"), "0x30 水辺");
}

TEST(TileRoleNames, FollowTheKindsOfCodes) {
    for (int code = 0; code < 256; ++code) {
        SCOPED_TRACE(code);
        EXPECT_FALSE(TileRoleName(code).isEmpty());
        if (code < 128) { // codes that unshape to one plain code are one kind
            EXPECT_EQ(TileRoleName(code), TileRoleName(PlainCode(static_cast<TileCode>(code))));
        }
    }
    EXPECT_EQ(TileCodeText(0x00), "0x00 平地");
    EXPECT_EQ(TileCodeText(0x1D), "0x1D 城門");
    EXPECT_EQ(TileCodeText(0x2F), "0x2F 台地");
    EXPECT_EQ(TileCodeText(0x7A), "0x7A 障害物");
    EXPECT_EQ(TileCodeText(0xC8), "0xC8 タイルなし");
}

TEST_F(EditComforts, PreviewFramesTheVisibleAreaAndNavigatesTheEditWindow) {
    Find<QToolButton>("LargeCharButton")->click();
    window->findChild<QAction*>(QStringLiteral("MenuShowPreview"))->trigger();
    QWidget* preview = Find("PreviewImage");
    const QRgb white = qRgb(255, 255, 255);
    EXPECT_EQ(preview->grab().toImage().pixel(0, 20), white); // the left edge of the frame
    const QSize view = MapPicture()->size();
    QTest::mouseClick(preview, Qt::LeftButton, {}, {24 * 4, 24 * 4});
    EXPECT_EQ(CellUnder({view.width() / 2, view.height() / 2}), "X=24, Y=24");
    const QImage framed = preview->grab().toImage();
    const int left = (24 * 32 - view.width() / 2) / 8;
    EXPECT_EQ(framed.pixel(left, 24 * 4), white);
    EXPECT_NE(framed.pixel(0, 20), white);

    QTest::mousePress(preview, Qt::LeftButton, {}, {10 * 4, 10 * 4});
    QTest::mouseMove(preview, {20 * 4 + 2, 30 * 4 + 2});
    QTest::mouseRelease(preview, Qt::LeftButton, {}, {20 * 4 + 2, 30 * 4 + 2});
    EXPECT_EQ(CellUnder({view.width() / 2, view.height() / 2}), "X=20, Y=30");
}

TEST_F(EditComforts, RestoredPreviewLeavesThePaletteUncovered) {
    auto* preview = Find<QMdiSubWindow>("PreEditView");
    const QRect frame = Find<QMdiArea>("MdiArea")->viewport()->rect();
    for (const char* scale : {"SmallCharButton", "MiddleCharButton", "LargeCharButton"}) {
        for (bool byMenu : {false, true}) {
            SCOPED_TRACE(std::string(scale) + (byMenu ? " by the window menu" : " by its own button"));
            Find<QToolButton>(scale)->click();
            preview->showMinimized();
            if (byMenu)
                window->findChild<QAction*>(QStringLiteral("MenuShowPreview"))->trigger();
            else
                preview->showNormal();
            QApplication::processEvents();
            EXPECT_FALSE(preview->geometry().intersects(Find("CharacterView")->geometry()));
            EXPECT_TRUE(frame.contains(preview->geometry()));
        }
    }
}

TEST_F(EditComforts, GridLinesToggleFromTheOptionsMenuAndAreRemembered) {
    QAction* gridLines = window->findChild<QAction*>(QStringLiteral("MenuGridLines"));
    const QRgb plain = MapPicture()->grab().toImage().pixel(8, 3);
    gridLines->trigger();
    EXPECT_TRUE(gridLines->isChecked());
    EXPECT_NE(MapPicture()->grab().toImage().pixel(8, 3), plain);
    StartEditor();
    gridLines = window->findChild<QAction*>(QStringLiteral("MenuGridLines"));
    EXPECT_TRUE(gridLines->isChecked());
    gridLines->trigger();
    EXPECT_EQ(MapPicture()->grab().toImage().pixel(8, 3), plain);
    EXPECT_FALSE(EditorSettings::Load().GridLines);
}

TEST_F(EditComforts, PreferencesApplyAtOnceAndStartTheNextRun) {
    auto fill = [](QDialog* dialog) {
        dialog->findChild<QComboBox*>(QStringLiteral("StartTileSet"))->setCurrentIndex(2);
        dialog->findChild<QComboBox*>(QStringLiteral("StartScale"))->setCurrentIndex(1);
        dialog->findChild<QCheckBox*>(QStringLiteral("GridLines"))->setChecked(true);
        dialog->findChild<QCheckBox*>(QStringLiteral("Blink"))->setChecked(false);
        dialog->findChild<QSpinBox*>(QStringLiteral("AutosaveMinutes"))->setValue(12);
        dialog->findChild<QComboBox*>(QStringLiteral("Language"))->setCurrentIndex(1);
    };
    QAction* preferences = window->findChild<QAction*>(QStringLiteral("MenuPreferences"));
    platform->AnswerDialog = [&](QDialog* dialog) {
        fill(dialog);
        return int(QDialog::Rejected);
    };
    preferences->trigger();
    EXPECT_EQ(EditorSettings::Load(), EditorSettings{});

    platform->AnswerDialog = [&](QDialog* dialog) {
        fill(dialog);
        return int(QDialog::Accepted);
    };
    preferences->trigger();
    const EditorSettings expected{3, Middle, true, false, 12, QStringLiteral("en")};
    EXPECT_EQ(EditorSettings::Load(), expected);
    EXPECT_EQ(window->Settings(), expected);
    EXPECT_TRUE(window->findChild<QAction*>(QStringLiteral("MenuGridLines"))->isChecked());
    EXPECT_TRUE(Checked("SmallCharButton")); // the start scale waits for the next run

    StartEditor();
    EXPECT_EQ(Map().TileSet(), 3);
    EXPECT_TRUE(window->findChild<QAction*>(QStringLiteral("MenuChar3"))->isChecked());
    EXPECT_TRUE(Checked("MiddleCharButton"));
}

TEST(EditorSettingsStore, RefusesOutOfRangeValues) {
    IsolatedSettings isolated;
    EditorSettings{9, Large, true, false, 0, QStringLiteral("en")}.Save();
    QSettings store(QString::fromLatin1(SettingsOrganisation), QString::fromLatin1(SettingsApplication));
    store.setValue(QStringLiteral("Editor/StartTileSet"), 10);
    store.setValue(QStringLiteral("Editor/StartScaleEdge"), 12);
    store.setValue(QStringLiteral("Editor/AutosaveMinutes"), -5);
    store.setValue(QStringLiteral("Editor/Language"), QStringLiteral("fr"));
    store.sync();
    // The defaults for the refused values; the others as stored.
    EXPECT_EQ(EditorSettings::Load(), (EditorSettings{1, Small, true, false, 5, QStringLiteral("ja")}));
}

} // namespace
} // namespace tav
