// Files a map author might hand the command-line tool by mistake or by malice, and writes that fail
// part-way: no file may crash or hang the tool, make it read more than the map's own bytes, or cost the
// author the file a failed write was meant to replace.

#include "../support/WriteFailures.h"
#include "ChildProcess.h"
#include "MapCheck.h"
#include "MapGrid.h"
#include "MapImage.h"
#include "Shaping.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace tav::reliability {
namespace {

const std::string Tool = TAV_MAP_TOOL;
constexpr auto Deadline = std::chrono::seconds(20);
const std::string FormatError = "ファイル形式が正常ではありません";
const std::string TileSetCorrected = "無効なキャラクタです。修正しました。";

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A map with a little of everything, so shaping has work to do and its result is easy to tell apart.
MapGrid SampleGrid() {
    MapGrid grid = FilledGrid(0);
    for (int x = 10; x < 20; ++x)
        for (int y = 5; y < 9; ++y)
            grid[CellIndex(x, y)] = 48;
    grid[CellIndex(30, 30)] = 21;
    grid[CellIndex(3, 40)] = 200;
    return grid;
}

QByteArray ImageOf(const MapGrid& grid, std::uint8_t tileSetByte) {
    QByteArray bytes(reinterpret_cast<const char*>(grid.data()), MapCells);
    bytes.append(static_cast<char>(tileSetByte));
    bytes.append('\0');
    return bytes;
}

// What the tool must write for an input image: the grid shaped, the tile set in force (1 when the file's
// number lies outside 1..9), a zero byte.
QByteArray ShapedImage(const QByteArray& input) {
    const auto content =
        ReadMapImage(std::span(reinterpret_cast<const std::uint8_t*>(input.constData()), static_cast<std::size_t>(input.size())));
    if (!content)
        return {};
    MapGrid grid = content->Grid;
    ShapeMap(grid);
    const MapImage image = BuildMapImage(grid, TileSetNumbered(content->TileSet).value_or(TileSet::Verda));
    return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size()));
}

// A refused file: status 2, one line on stderr that names the file, nothing on stdout, no crash.
void ExpectRefused(const ChildResult& run, const QString& path) {
    ASSERT_TRUE(run.Started);
    EXPECT_FALSE(run.TimedOut) << "the tool hung";
    EXPECT_FALSE(run.Signalled) << run.Err;
    EXPECT_EQ(run.ExitCode, 2) << run.Err;
    EXPECT_TRUE(run.Out.empty()) << run.Out;
    EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
    EXPECT_NE(run.Err.find(Native(path)), std::string::npos) << run.Err;
}

class HostileFiles : public ::testing::Test {
protected:
    QTemporaryDir dir_;
    QString Path(const QString& name) const { return dir_.filePath(name); }
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
};

TEST_F(HostileFiles, EveryInputIsReadOrRefusedWithoutCrashOrHang) {
    const QByteArray sample = ImageOf(SampleGrid(), 30);
    QByteArray longer = sample;
    for (int i = 0; longer.size() < 3000; ++i)
        longer.append(static_cast<char>(i * 7));
    ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("地図 フォルダ")));

    struct Case {
        const char* name;
        QString path;
        std::optional<QByteArray> content; // written before the run; nullopt: made by hand below
        bool loads;                        // false: the file must be refused
        const char* message;               // a piece of the refusal line
    };
    const std::vector<Case> cases = {
        {"empty", Path("empty.map"), QByteArray(), false, FormatError.c_str()},
        {"one byte", Path("one.map"), QByteArray(1, '\x30'), false, FormatError.c_str()},
        {"2305 bytes", Path("short.map"), sample.left(2305), false, FormatError.c_str()},
        {"2306 bytes of 0xFF", Path("ff.map"), QByteArray(2306, '\xFF'), true, ""},
        {"3000 bytes", Path("long.map"), longer, true, ""},
        {"Japanese and spaces", Path("地図 フォルダ/マップ 一.map"), sample, true, ""},
        {"directory", Path("folder.map"), std::nullopt, false, "directory"},
        {"FIFO", Path("pipe.map"), std::nullopt, false, "pipe"},
        {"dangling symlink", Path("dangling.map"), std::nullopt, false, "No such file"},
    };
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folder.map")));
    ASSERT_EQ(::mkfifo(Native(Path("pipe.map")).c_str(), 0600), 0);
    ASSERT_EQ(::symlink(Native(Path("gone.map")).c_str(), Native(Path("dangling.map")).c_str()), 0);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.content)
            WriteBytes(c.path, *c.content);
        const QString out = Path(QStringLiteral("出力 %1.map").arg(QString::fromUtf8(c.name)));
        const QString png = Path(QStringLiteral("出力 %1.png").arg(QString::fromUtf8(c.name)));

        const ChildResult check = RunChild(Tool, {"check", Native(c.path)}, Deadline);
        const ChildResult shape = RunChild(Tool, {"shape", Native(c.path), "-o", Native(out)}, Deadline);
        const ChildResult render = RunChild(Tool, {"render", Native(c.path), "-o", Native(png), "--edge", "4"}, Deadline);
        if (c.path == Path("folder.map")) {
            // The commands that read map packs take a folder for the maps below it: none here, which is an
            // error, so that a mistyped folder does not pass for a checked pack.
            ExpectRefused(shape, c.path);
            EXPECT_NE(shape.Err.find(c.message), std::string::npos) << shape.Err;
            EXPECT_EQ(check.ExitCode, 2) << check.Err;
            EXPECT_NE(check.Err.find(": no .map files in this folder"), std::string::npos) << check.Err;
            EXPECT_TRUE(check.Out.empty()) << check.Out;
            EXPECT_EQ(render.ExitCode, 2) << "one picture for a folder of maps is a usage error";
            EXPECT_FALSE(QFileInfo::exists(out));
            EXPECT_FALSE(QFileInfo::exists(png));
            continue;
        }
        if (!c.loads) {
            for (const ChildResult* run : {&check, &shape, &render}) {
                ExpectRefused(*run, c.path);
                EXPECT_NE(run->Err.find(c.message), std::string::npos) << run->Err;
            }
            EXPECT_FALSE(QFileInfo::exists(out));
            EXPECT_FALSE(QFileInfo::exists(png));
            continue;
        }
        for (const ChildResult* run : {&check, &shape, &render}) {
            ASSERT_TRUE(run->Started);
            EXPECT_FALSE(run->TimedOut);
            EXPECT_FALSE(run->Signalled) << run->Err;
        }
        EXPECT_TRUE(check.ExitCode == 0 || check.ExitCode == 1) << check.Err;
        EXPECT_EQ(check.Out.rfind("キャラクタータイプ：", 0), 0u) << check.Out;
        EXPECT_EQ(shape.ExitCode, 0) << shape.Err;
        EXPECT_EQ(ReadBytes(out), ShapedImage(*c.content)) << "shaped from the first 2306 bytes alone";
        EXPECT_EQ(render.ExitCode, 0) << render.Err;
        EXPECT_EQ(QImage(png).size(), QSize(192, 192));
    }
}

TEST_F(HostileFiles, AGigabyteFileIsReadByItsFirstBytesWithFlatMemory) {
    const QByteArray sample = ImageOf(SampleGrid(), 20);
    WriteBytes(Path("small.map"), sample);
    WriteBytes(Path("huge.map"), sample);
    // A sparse file: the map's bytes, then a hole up to 1 GiB that costs no disk.
    ASSERT_EQ(::truncate(Native(Path("huge.map")).c_str(), 1LL << 30), 0);

    const ChildResult small = RunChild(Tool, {"shape", Native(Path("small.map")), "-o", Native(Path("small-out.map"))});
    const ChildResult huge = RunChild(Tool, {"shape", Native(Path("huge.map")), "-o", Native(Path("huge-out.map"))});
    ASSERT_EQ(small.ExitCode, 0) << small.Err;
    ASSERT_FALSE(huge.TimedOut);
    ASSERT_EQ(huge.ExitCode, 0) << huge.Err;
    EXPECT_EQ(ReadBytes(Path("huge-out.map")), ReadBytes(Path("small-out.map")));
    // Reading the file whole would cost a gigabyte; the same map from a small file sets the baseline.
    EXPECT_LT(huge.MaxRssKiB, small.MaxRssKiB + 16 * 1024)
        << "peak memory " << huge.MaxRssKiB << " KiB against " << small.MaxRssKiB << " KiB for the small file";
}

TEST_F(HostileFiles, EveryTileSetByteIsReadAsItsSetOrCorrectedToSetOne) {
    const MapGrid grid = SampleGrid();
    for (int byte = 0; byte <= 255; ++byte) {
        SCOPED_TRACE("tile-set byte " + std::to_string(byte));
        const QByteArray image = ImageOf(grid, static_cast<std::uint8_t>(byte));
        WriteBytes(Path("in.map"), image);
        const int stored = static_cast<std::int8_t>(byte) / 10;
        const bool valid = stored >= 1 && stored <= 9;
        const TileSet inForce = valid ? *TileSetNumbered(stored) : TileSet::Verda;

        const ChildResult check = RunChild(Tool, {"check", Native(Path("in.map"))}, Deadline);
        ASSERT_FALSE(check.TimedOut || check.Signalled) << check.Err;
        EXPECT_EQ(check.ExitCode, 1) << check.Err; // the sample map lacks castles
        const std::string header = "キャラクタータイプ：" + std::string(TileSetName(inForce)) + "\n";
        EXPECT_EQ(check.Out.rfind(header, 0), 0u) << check.Out;
        EXPECT_EQ(check.Err.find(TileSetCorrected) != std::string::npos, !valid) << check.Err;

        const ChildResult shape = RunChild(Tool, {"shape", Native(Path("in.map")), "-o", Native(Path("out.map"))}, Deadline);
        ASSERT_EQ(shape.ExitCode, 0) << shape.Err;
        const QByteArray written = ReadBytes(Path("out.map"));
        ASSERT_EQ(written.size(), 2306);
        EXPECT_EQ(static_cast<std::uint8_t>(written[2304]), TileSetNumber(inForce) * 10);
        EXPECT_EQ(written, ShapedImage(image));
    }
}

TEST_F(HostileFiles, AWriteThatCannotHappenLeavesEverythingAsItWas) {
    const QByteArray input = ImageOf(SampleGrid(), 10);
    WriteBytes(Path("in.map"), input);
    ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("target.map/inside")));
    WriteBytes(Path("target.map/keep.txt"), "keep");

    struct Case {
        const char* name;
        QString target;
    };
    const std::vector<Case> cases = {
        {"missing folder", Path("no such folder/out.map")},
        {"target is a directory", Path("target.map")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* command : {"shape", "unshape"}) {
            ExpectRefused(RunChild(Tool, {command, Native(Path("in.map")), "-o", Native(c.target)}, Deadline), c.target);
        }
        ExpectRefused(RunChild(Tool, {"new", "-o", Native(c.target)}, Deadline), c.target);
    }
    EXPECT_FALSE(QFileInfo::exists(Path("no such folder")));
    EXPECT_TRUE(QFileInfo(Path("target.map")).isDir());
    EXPECT_EQ(ReadBytes(Path("target.map/keep.txt")), QByteArray("keep"));
    EXPECT_EQ(ReadBytes(Path("in.map")), input);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"in.map", "target.map"}));
}

TEST_F(HostileFiles, AFullDeviceLeavesTheOldFileByteIdentical) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("full")));
    TinyMount mount(Path("full"));
    if (!mount.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root with CAP_SYS_ADMIN)";

    const QByteArray input = ImageOf(SampleGrid(), 10);
    WriteBytes(Path("in.map"), input);
    MapGrid oldGrid{};
    for (int i = 0; i < MapCells; ++i)
        oldGrid[i] = static_cast<TileCode>((i * 31 + 7) & 0x7F);
    const QByteArray old = ImageOf(oldGrid, 50);
    const QString target = Path("full/old.map");
    WriteBytes(target, old);
    // Fill what is left of the device, so the new file's first block has nowhere to go.
    {
        QFile filler(Path("full/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    const QStringList before = QDir(Path("full")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"shape", Native(Path("in.map")), "-o", Native(target)},
             {"unshape", Native(Path("in.map")), "-o", Native(target)},
             {"new", "-o", Native(target)},
             {"shape", Native(target), "-o", Native(target)},
         }) {
        SCOPED_TRACE(arguments.front());
        ExpectRefused(RunChild(Tool, arguments, Deadline), target);
        EXPECT_EQ(ReadBytes(target), old);
        EXPECT_EQ(QDir(Path("full")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before)
            << "no temporary file is left behind";
    }
}

} // namespace
} // namespace tav::reliability
