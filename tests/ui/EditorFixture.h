#pragma once
// Starts the editor through the same start-up path as the program, on a scripted platform, and
// offers the mouse gestures and pixel look-ups the window tests need.

#include "Charsel.h"
#include "Editview.h"
#include "Mainform.h"
#include "Mapcheck.h"
#include "Platform.h"
#include "Preview.h"
#include "TileRender.h"
#include "TileSets.h"
#include "Version.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace tav::testing {

// Screen size, answers and records of every message, and timers that never tick on their own:
// the tests call the tick handlers themselves.
class FixturePlatform : public Platform {
public:
    QSize Screen{1024, 768};
    std::vector<QString> Messages;
    std::vector<QString> Errors;
    std::deque<bool> Answers;
    int ModalShows = 0;

    QSize ScreenSize() const override { return Screen; }
    bool AskOkCancel(QWidget*, const QString&, const QString& text) override {
        Messages.push_back(text);
        if (Answers.empty())
            return false;
        const bool answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    void ShowMessage(QWidget*, const QString&, const QString& text) override { Messages.push_back(text); }
    void ReportError(QWidget*, const QString& text) override { Errors.push_back(text); }
    std::optional<QString> OpenFileName(QWidget*, const FileDialogSettings&) override { return std::nullopt; }
    std::optional<QString> SaveFileName(QWidget*, const FileDialogSettings&) override { return std::nullopt; }
    int ExecModal(QDialog*) override {
        ++ModalShows;
        return 0;
    }
    bool TimersRun() const override { return false; }
};

// Installs the scripted platform, creates the windows and, unless told otherwise, shows the main window.
class Editor {
public:
    explicit Editor(QSize screen = {1024, 768}, bool show = true) {
        auto platform = std::make_unique<FixturePlatform>();
        platform->Screen = screen;
        Platform = platform.get();
        InstallPlatform(std::move(platform));
        CreateEditorWindows();
        if (show)
            Show();
    }
    ~Editor() {
        DestroyEditorWindows();
        InstallPlatform(nullptr);
    }
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    void Show() {
        MainView->show();
        QApplication::setActiveWindow(MainView);
    }

    FixturePlatform* Platform = nullptr;
};

class EditorTest : public ::testing::Test {
public:
    Editor editor;
    MapDocument& Doc() { return MainView->Document; }
    int Edge() const { return MapEditView->Edge(); }

    // Mouse gestures on the edit window, at the middle of a cell.
    QPoint CellCentre(int x, int y) const {
        const int e = MapEditView->Edge();
        return QPoint(x * e + e / 2, y * e + e / 2) - MapEditView->EditArea->Offset();
    }
    void PressCell(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(MapEditView->EditArea, button, Qt::NoModifier, CellCentre(x, y));
    }
    void ReleaseCell(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(MapEditView->EditArea, button, Qt::NoModifier, CellCentre(x, y));
    }
    void ClickCell(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        PressCell(x, y, button);
        ReleaseCell(x, y, button);
    }
    void MoveToCell(int x, int y) { QTest::mouseMove(MapEditView->EditArea, CellCentre(x, y)); }

    // Picks a tile in the palette by clicking it.
    void PickTile(int code) {
        const QPoint p(17 * (code % 8) + 8, 17 * (code / 8) + 8);
        QTest::mouseClick(CharacterView->CharSetArea, Qt::LeftButton, Qt::NoModifier, p);
    }

    // A pixel of tile `code` in the picture of scale index `z` of the tile set in force.
    static QRgb TilePixel(int z, int code, int u, int v) {
        const int e = ScaleTileEdge[static_cast<std::size_t>(z)];
        return MainView->TileBitmaps.Picture(z).pixel((code % 8) * e + u, (code / 8) * e + v);
    }

    // Whether the square of cell (x, y) at tile edge e in `image` shows tile `code` of picture `z`.
    static bool CellShows(const QImage& image, int x, int y, int e, int z, int code) {
        for (int v = 0; v < e; ++v)
            for (int u = 0; u < e; ++u)
                if (image.pixel(x * e + u, y * e + v) != TilePixel(z, code, u, v))
                    return false;
        return true;
    }

    static bool SameArea(const QImage& a, const QImage& b, const QRect& area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y))
                    return false;
        return true;
    }

    static bool MapPictureIsClean() {
        const int f = 48 * MapEditView->Edge();
        return SameArea(MapEditView->EditMapImage, MapEditView->HiddenMapImage, QRect(0, 0, f, f));
    }
};

} // namespace tav::testing
