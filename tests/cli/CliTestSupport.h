#pragma once
// Running the built tavrenna-map and making its input files.

#include "MapGrid.h"
#include "MapImage.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <span>

namespace tav::clitest {

struct RunResult {
    bool Finished = false; // false: killed after the timeout (a hang)
    int ExitCode = -1;
    QByteArray Out;
    QByteArray Err;
};

// Runs the tool with `arguments`; `childSetup` runs in the child before the tool starts.
// `workingDirectory` empty: the test's own.
inline RunResult RunTool(const QStringList& arguments, const std::function<void()>& childSetup = {},
                         int timeoutMs = 20000, const QString& workingDirectory = {}) {
    QProcess process;
    process.setProgram(QStringLiteral(TAV_MAP_TOOL));
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    if (childSetup)
        process.setChildProcessModifier(childSetup);
    process.start();
    RunResult result;
    if (!process.waitForStarted(timeoutMs))
        return result;
    result.Finished = process.waitForFinished(timeoutMs);
    if (!result.Finished) {
        process.kill();
        process.waitForFinished(5000);
        return result;
    }
    result.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.Out = process.readAllStandardOutput();
    result.Err = process.readAllStandardError();
    return result;
}

inline QStringList Lines(const QByteArray& text) {
    QStringList lines = QString::fromUtf8(text).split(u'\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

inline QByteArray ImageBytes(const MapGrid& grid, std::uint8_t tileSetByte, std::uint8_t lastByte = 0) {
    QByteArray bytes(reinterpret_cast<const char*>(grid.data()), MapCells);
    bytes.append(static_cast<char>(tileSetByte));
    bytes.append(static_cast<char>(lastByte));
    return bytes;
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline void WriteMap(const QString& path, const MapGrid& grid, std::uint8_t tileSetByte) {
    WriteBytes(path, ImageBytes(grid, tileSetByte));
}

// The grid of a written map file; fails the test when the file is not a map.
inline MapGrid ReadGrid(const QString& path) {
    const QByteArray bytes = ReadBytes(path);
    const auto content = ReadMapImage(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())));
    EXPECT_TRUE(content.has_value()) << path.toStdString();
    return content ? content->Grid : MapGrid{};
}

// An unshaped map as an author paints it: patches of the plain terrain codes, a few houses and castles,
// and a stray byte beyond 127 as only a file can bring.
inline MapGrid PaintedGrid(unsigned seed) {
    static constexpr TileCode kinds[] = {0, 1, 32, 48, 96, 5, 122, 8, 9, 10, 11, 7, 0, 48, 32, 96};
    std::mt19937 rng(seed);
    MapGrid grid = FilledGrid(NewMapTile);
    for (int patch = 0; patch < 40; ++patch) {
        const TileCode code = kinds[rng() % std::size(kinds)];
        const int x0 = static_cast<int>(rng() % MapSize), y0 = static_cast<int>(rng() % MapSize);
        const int w = 1 + static_cast<int>(rng() % 8), h = 1 + static_cast<int>(rng() % 8);
        for (int x = x0; x < std::min(MapSize, x0 + w); ++x)
            for (int y = y0; y < std::min(MapSize, y0 + h); ++y)
                grid[CellIndex(x, y)] = code;
    }
    for (int faction = 0; faction < 4; ++faction)
        grid[CellIndex(6 + 10 * faction, 10 + static_cast<int>(rng() % 20))] = static_cast<TileCode>(20 + faction);
    grid[CellIndex(30, 30)] = 200;
    return grid;
}

} // namespace tav::clitest
