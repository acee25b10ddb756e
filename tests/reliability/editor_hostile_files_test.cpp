// The same hostile files and failing writes as for tavrenna-map, through the editor's Open and Save:
// a refused file changes nothing of the document, a loaded one comes in from its first 2306 bytes, and
// a write onto a full device keeps the old file byte for byte.

#include "../support/WriteFailures.h"
#include "TestMaps.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace tav::testing {
namespace {

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

long PeakRssKiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The tile set a file's byte 2304 stands for; anything but 1..9 becomes set 1.
int TileSetOfByte(int byte) {
    const int stored = static_cast<std::int8_t>(byte) / 10;
    return stored >= 1 && stored <= 9 ? stored : 1;
}

// Mended: a refused file used to clear Modified although nothing was loaded, so the unsaved map could then
// be thrown away without a question; a chosen path that is not a regular file would block (a pipe) or never
// end (a device); and only the image's own bytes are read.
TEST_F(EditorUi, EveryInputIsOpenedOrRefusedLeavingTheDocumentAsItWas) {
    const MapGrid sample = PlainPaintedGrid(21);
    QByteArray longer = ImageBytes(sample, 40, 77);
    longer.append(3000 - longer.size(), '\x7F');
    ASSERT_TRUE(QDir(Folder()).mkpath(QStringLiteral("地図 フォルダ")));
    ASSERT_TRUE(QDir(Folder()).mkdir(QStringLiteral("folder.map")));
    ASSERT_EQ(::mkfifo(Native(Path("pipe.map")).c_str(), 0600), 0);
    ASSERT_EQ(::symlink(Native(Path("gone.map")).c_str(), Native(Path("dangling.map")).c_str()), 0);

    enum class Outcome { BadFormat, CannotRead, Loads };
    const struct {
        const char* name;
        QString path;
        std::optional<QByteArray> content;
        Outcome outcome;
        const char* reason = ""; // for CannotRead: a piece of the error line
        int reportedSize = -1;   // for BadFormat: the size the file reports, which refuses it before it is read
    } cases[] = {
        {"2306 bytes of 0xFF", Path("ff.map"), QByteArray(2306, '\xFF'), Outcome::Loads},
        {"3000 bytes", Path("long.map"), longer, Outcome::Loads},
        {"Japanese and spaces", Path("地図 フォルダ/マップ 一.map"), ImageBytes(sample, 40), Outcome::Loads},
        {"empty", Path("empty.map"), QByteArray(), Outcome::BadFormat, "", 0},
        {"one byte", Path("one.map"), QByteArray(1, '\x30'), Outcome::BadFormat, "", 1},
        {"2305 bytes", Path("short.map"), ImageBytes(sample, 40).left(2305), Outcome::BadFormat, "", 2305},
        {"a /proc file, reporting 0 bytes", QStringLiteral("/proc/self/maps"), std::nullopt, Outcome::BadFormat, "", 0},
        {"directory", Path("folder.map"), std::nullopt, Outcome::CannotRead, "フォルダです"},
        {"FIFO", Path("pipe.map"), std::nullopt, Outcome::CannotRead, "パイプ"},
        {"dangling symlink", Path("dangling.map"), std::nullopt, Outcome::CannotRead, "見つかりません"},
        {"device", QStringLiteral("/dev/zero"), std::nullopt, Outcome::CannotRead, "デバイスです"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.content) {
            ASSERT_TRUE(PutFile(c.path, *c.content));
        }
        // An edited map in set 3 with a file of its own, so that a refusal that loses any of it would show.
        OpenMap("mine.map", PlainPaintedGrid(5), 30);
        const MapGrid grid = Paint(0, 0, 100);
        const QString caption = d.EditCaption();

        d.Open(c.path); // discarding the edits

        if (c.outcome == Outcome::Loads) {
            EXPECT_TRUE(p.Errors.empty());
            MapGrid expected{};
            std::copy_n(c.content->constData(), MapCells, reinterpret_cast<char*>(expected.data()));
            EXPECT_EQ(d.Grid(), expected);
            EXPECT_EQ(d.FileName(), c.path);
            EXPECT_FALSE(d.Modified());
            EXPECT_EQ(d.TileSet(), TileSetOfByte(static_cast<std::uint8_t>((*c.content)[2304])));
            EXPECT_TRUE(d.ShowsGrid(expected));
            continue;
        }
        if (c.outcome == Outcome::BadFormat) {
            EXPECT_EQ(p.Messages.back(), BadFormatText + QStringLiteral("\nファイルの大きさは %1 バイトとされていますが、"
                                                                        "マップには 2306 バイトが必要です。")
                                                              .arg(c.reportedSize));
            EXPECT_TRUE(p.Errors.empty());
        } else {
            ASSERT_EQ(p.Errors.size(), 1u);
            EXPECT_TRUE(p.Errors[0].startsWith(ReadErrorStart(c.path)))
                << p.Errors[0].toStdString();
            EXPECT_TRUE(p.Errors[0].contains(QString::fromUtf8(c.reason))) << p.Errors[0].toStdString();
        }
        EXPECT_EQ(d.Grid(), grid);
        EXPECT_EQ(d.FileName(), Path("mine.map"));
        EXPECT_EQ(d.TileSet(), 3);
        EXPECT_TRUE(d.Modified());
        EXPECT_EQ(d.EditCaption(), caption);
        EXPECT_TRUE(d.ShowsGrid(grid));
    }
    // The editor goes on taking commands, and the kept flag does its work: New still asks.
    MapGrid shifted = d.Grid();
    ShiftMap(shifted, ShiftDirection::Left);
    d.Key("Shift+Left");
    EXPECT_EQ(d.Grid(), shifted);
    p.Forget();
    d.Trigger("newMapAction");
    EXPECT_EQ(p.Messages, (std::vector<QString>{DiscardQuestionText}));
}

TEST_F(EditorUi, EveryTileSetByteOpensAsItsSetOrAsSetOneWithTheCorrection) {
    const MapGrid grid = PlainPaintedGrid(33);
    for (int byte = 0; byte <= 255; ++byte) {
        SCOPED_TRACE("tile-set byte " + std::to_string(byte));
        ASSERT_TRUE(PutFile(Path("in.map"), ImageBytes(grid, byte)));
        p.Forget();
        d.Open(Path("in.map"));
        const int stored = static_cast<std::int8_t>(byte) / 10;
        const bool valid = stored >= 1 && stored <= 9;
        EXPECT_TRUE(p.Errors.empty());
        EXPECT_EQ(p.Count(InvalidTileSetText), valid ? 0 : 1);
        EXPECT_EQ(d.TileSet(), TileSetOfByte(byte));
        EXPECT_TRUE(d.Checked(QStringLiteral("tileSet%1Action").arg(TileSetOfByte(byte))));
        EXPECT_EQ(d.Grid(), grid);
    }
    EXPECT_TRUE(d.ShowsGrid(grid));
}

TEST_F(EditorUi, AGigabyteFileOpensWithFlatMemory) {
    const MapGrid grid = PlainPaintedGrid(44);
    ASSERT_TRUE(PutFile(Path("huge.map"), ImageBytes(grid, 60)));
    ASSERT_EQ(::truncate(Native(Path("huge.map")).c_str(), 1LL << 30), 0);
    const long before = PeakRssKiB();
    d.Open(Path("huge.map"));
    EXPECT_TRUE(p.Errors.empty());
    EXPECT_EQ(d.Grid(), grid);
    // The peak may not grow by anything near the file's size; reading it whole would add a gigabyte.
    EXPECT_LT(PeakRssKiB() - before, 64 * 1024) << "peak memory grew from " << before << " KiB";
}

TEST_F(EditorUi, SavingOntoAFullDeviceKeepsTheOldFileAndTheDocument) {
    ASSERT_TRUE(QDir(Folder()).mkdir(QStringLiteral("full")));
    TinyMount mount(Path("full"));
    if (!mount.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root with CAP_SYS_ADMIN)";
    const QString target = Path("full/old.map");
    const QByteArray old = ImageBytes(PlayableGrid(), 20);
    ASSERT_TRUE(PutFile(target, old));
    {
        QFile filler(Path("full/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    const QStringList filesBefore = QDir(Path("full")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    for (bool saveAs : {false, true}) {
        SCOPED_TRACE(saveAs ? "Save As" : "Save");
        d.Open(target);
        const QString fileName = d.FileName();
        const MapGrid edited = Paint(30, 30, 1);
        p.Forget();
        if (saveAs) {
            p.SaveAnswers.push_back(target);
            d.ClickButton("saveAsButton");
        } else {
            d.Trigger("saveAction");
        }
        ASSERT_EQ(p.Errors.size(), 1u);
        EXPECT_TRUE(p.Errors[0].startsWith(WriteErrorStart(target)))
            << p.Errors[0].toStdString();
        EXPECT_EQ(FileBytes(target), old);
        EXPECT_EQ(QDir(Path("full")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), filesBefore)
            << "no temporary file is left behind";
        EXPECT_EQ(d.Grid(), Shaped(edited)) << "the map stays as Save shaped it";
        EXPECT_TRUE(d.Modified());
        EXPECT_EQ(d.FileName(), fileName);
    }
}

} // namespace
} // namespace tav::testing
