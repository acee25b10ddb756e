// The same hostile files and failing writes as for tavrenna-map, through the editor's Open and Save:
// a refused file changes nothing of the document, a loaded one comes in from its first 2306 bytes, and
// a write onto a full device keeps the old file byte for byte.

#include "../support/WriteFailures.h"
#include "FileFixture.h"
#include "TileSets.h"

#include <QFileInfo>
#include <QToolButton>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

namespace tav::testing {
namespace {

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Whether the edit window and the preview show `grid` exactly as the render path draws it, codes without
// a tile (128 and above, which only a file brings) included.
bool ViewsShowExactly(const MapGrid& grid) {
    const MapDocument& doc = MainView->Document;
    const int edge = EditTileEdge(doc.EditScale);
    const QImage map = RenderMap(grid, MainView->TileBitmaps.Picture(EditScaleIndex(doc.EditScale)), edge);
    const QImage preview = RenderMap(grid, MainView->TileBitmaps.Picture(PreviewScaleIndex), TPreEditView::CellEdge);
    return MapEditView->HiddenMapImage.copy(map.rect()) == map && PreEditView->HiddenPreviewImage.copy(preview.rect()) == preview;
}

long PeakRssKiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class EditorHostileFiles : public FileCommandsTest {
protected:
    // The document as it stood before a refused Open, to see that nothing of it changed.
    struct Snapshot {
        MapGrid Grid;
        std::string FileName;
        int TileSet;
        int Modified;
        QString Caption;
    };
    Snapshot Take() {
        return {Doc().Grid, Doc().FileName, Doc().CurrentTileSet, Doc().Modified, EditCaption()};
    }
    void ExpectUnchanged(const Snapshot& s) {
        EXPECT_EQ(Doc().Grid, s.Grid);
        EXPECT_EQ(Doc().FileName, s.FileName);
        EXPECT_EQ(Doc().CurrentTileSet, s.TileSet);
        EXPECT_EQ(Doc().Modified, s.Modified);
        EXPECT_EQ(EditCaption(), s.Caption);
        EXPECT_TRUE(ViewsShowExactly(s.Grid));
    }
    void Open(const QString& path) {
        Platform->Messages.clear();
        Platform->Errors.clear();
        Platform->OpenAnswers.push_back(path);
        MainView->MenuOpenFile->trigger();
    }
};

TEST_F(EditorHostileFiles, EveryInputIsOpenedOrRefusedLeavingTheDocumentAsItWas) {
    const MapGrid sample = PlainPaintedGrid(21);
    QByteArray longer = ImageBytes(sample, 40);
    longer.append(3000 - longer.size(), '\x7F');
    ASSERT_TRUE(QDir(Folder()).mkpath(QStringLiteral("地図 フォルダ")));
    ASSERT_TRUE(QDir(Folder()).mkdir(QStringLiteral("folder.map")));
    ASSERT_EQ(::mkfifo(Native(Path("pipe.map")).c_str(), 0600), 0);
    ASSERT_EQ(::symlink(Native(Path("gone.map")).c_str(), Native(Path("dangling.map")).c_str()), 0);

    enum class Outcome { BadFormat, CannotRead, Loads };
    struct Case {
        const char* name;
        QString path;
        std::optional<QByteArray> content;
        Outcome outcome;
        const char* reason = ""; // for CannotRead: a piece of the error line
    };
    const std::vector<Case> cases = {
        {"empty", Path("empty.map"), QByteArray(), Outcome::BadFormat},
        {"one byte", Path("one.map"), QByteArray(1, '\x30'), Outcome::BadFormat},
        {"2305 bytes", Path("short.map"), ImageBytes(sample, 40).left(2305), Outcome::BadFormat},
        {"directory", Path("folder.map"), std::nullopt, Outcome::CannotRead, "directory"},
        {"FIFO", Path("pipe.map"), std::nullopt, Outcome::CannotRead, "pipe"},
        {"dangling symlink", Path("dangling.map"), std::nullopt, Outcome::CannotRead, "No such file"},
        {"2306 bytes of 0xFF", Path("ff.map"), QByteArray(2306, '\xFF'), Outcome::Loads},
        {"3000 bytes", Path("long.map"), longer, Outcome::Loads},
        {"Japanese and spaces", Path("地図 フォルダ/マップ 一.map"), ImageBytes(sample, 40), Outcome::Loads},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.content) {
            ASSERT_TRUE(PutFile(c.path, *c.content));
        }
        // An edited map with a file of its own, so that a refusal that loses it would show.
        MainView->MenuChar[2]->trigger();
        Doc().Grid = PlainPaintedGrid(5);
        Doc().FileName = "mine.map";
        MapEditView->RedrawMap();
        Doc().Modified = 1;
        Platform->Answers.push_back(true); // discard the edits
        const Snapshot before = Take();

        Open(c.path);

        switch (c.outcome) {
        case Outcome::BadFormat:
            EXPECT_EQ(Platform->Messages.back(), BadFormatText);
            EXPECT_TRUE(Platform->Errors.empty());
            ExpectUnchanged(before);
            break;
        case Outcome::CannotRead:
            ASSERT_EQ(Platform->Errors.size(), 1u);
            EXPECT_TRUE(Platform->Errors[0].startsWith(c.path + QStringLiteral(": cannot read"))) << Platform->Errors[0].toStdString();
            EXPECT_TRUE(Platform->Errors[0].contains(QString::fromLatin1(c.reason))) << Platform->Errors[0].toStdString();
            ExpectUnchanged(before);
            break;
        case Outcome::Loads: {
            EXPECT_TRUE(Platform->Errors.empty());
            MapGrid expected{};
            std::copy_n(c.content->constData(), MapCells, reinterpret_cast<char*>(expected.data()));
            EXPECT_EQ(Doc().Grid, expected);
            EXPECT_EQ(QString::fromStdString(Doc().FileName), c.path);
            EXPECT_EQ(Doc().Modified, 0);
            const int stored = static_cast<std::int8_t>((*c.content)[2304]) / 10;
            EXPECT_EQ(Doc().CurrentTileSet, (stored >= 1 && stored <= 9) ? stored : 1);
            EXPECT_TRUE(ViewsShowExactly(expected));
            break;
        }
        }
        EXPECT_EQ(CurrentTimerIntervals(), TimerIntervals(200, 200)) << "the blinking goes on";
    }
}

TEST_F(EditorHostileFiles, EveryTileSetByteOpensAsItsSetOrAsSetOneWithTheCorrection) {
    const MapGrid grid = PlainPaintedGrid(33);
    for (int byte = 0; byte <= 255; ++byte) {
        SCOPED_TRACE("tile-set byte " + std::to_string(byte));
        ASSERT_TRUE(PutFile(Path("in.map"), ImageBytes(grid, byte)));
        Doc().Modified = 0;
        Open(Path("in.map"));
        const int stored = static_cast<std::int8_t>(byte) / 10;
        const bool valid = stored >= 1 && stored <= 9;
        const int inForce = valid ? stored : 1;
        EXPECT_TRUE(Platform->Errors.empty());
        EXPECT_EQ(Platform->Count(InvalidTileSetText), valid ? 0 : 1);
        EXPECT_EQ(Doc().CurrentTileSet, inForce);
        EXPECT_EQ(MainView->TileBitmaps.LoadedTileSet(), inForce);
        EXPECT_EQ(Doc().Grid, grid);
        EXPECT_TRUE(MainView->MenuChar[inForce - 1]->isChecked());
    }
}

TEST_F(EditorHostileFiles, AGigabyteFileOpensWithFlatMemory) {
    const MapGrid grid = PlainPaintedGrid(44);
    ASSERT_TRUE(PutFile(Path("huge.map"), ImageBytes(grid, 60)));
    ASSERT_EQ(::truncate(Native(Path("huge.map")).c_str(), 1LL << 30), 0);
    const long before = PeakRssKiB();
    Open(Path("huge.map"));
    EXPECT_TRUE(Platform->Errors.empty());
    EXPECT_EQ(Doc().Grid, grid);
    // The peak may not grow by anything near the file's size; reading it whole would add a gigabyte.
    EXPECT_LT(PeakRssKiB() - before, 64 * 1024) << "peak memory grew from " << before << " KiB";
}

TEST_F(EditorHostileFiles, SavingOntoAFullDeviceKeepsTheOldFileAndTheDocument) {
    ASSERT_TRUE(QDir(Folder()).mkdir(QStringLiteral("full")));
    TinyMount mount(Path("full"));
    if (!mount.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root with CAP_SYS_ADMIN)";
    const QString target = Path("full/old.map");
    const QByteArray old = ImageBytes(PlainPaintedGrid(3), 20);
    ASSERT_TRUE(PutFile(target, old));
    {
        QFile filler(Path("full/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    const QStringList filesBefore = QDir(Path("full")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    enum class Way { Save, SaveAs };
    for (Way way : {Way::Save, Way::SaveAs}) {
        SCOPED_TRACE(way == Way::Save ? "Save" : "Save As");
        Platform->Errors.clear();
        Doc().Grid = PlayableGrid();
        Doc().FileName = way == Way::Save ? target.toStdString() : "earlier.map";
        Doc().Modified = 1;
        if (way == Way::Save) {
            MainView->MenuSaveFile->trigger();
        } else {
            Platform->SaveAnswers.push_back(target);
            MainView->SaveAsButton->click();
        }
        ASSERT_EQ(Platform->Errors.size(), 1u);
        EXPECT_TRUE(Platform->Errors[0].startsWith(target + QStringLiteral(": cannot write"))) << Platform->Errors[0].toStdString();
        EXPECT_EQ(FileBytes(target), old);
        EXPECT_EQ(QDir(Path("full")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), filesBefore)
            << "no temporary file is left behind";
        EXPECT_EQ(Doc().Grid, Shaped(PlayableGrid())) << "the map stays as Save shaped it";
        EXPECT_EQ(Doc().Modified, 1);
        if (way == Way::SaveAs) {
            EXPECT_EQ(Doc().FileName, "earlier.map");
        }
    }
}

} // namespace
} // namespace tav::testing
