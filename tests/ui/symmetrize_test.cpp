// 対称にする and the symmetry line of the map check, driven as the user does.

#include "EditorDriver.h"
#include "Symmetry.h"
#include "TestMaps.h"

#include <gtest/gtest.h>

#include <random>

namespace tav::testing {
namespace {

TileCode& At(MapGrid& grid, int x, int y) { return grid[static_cast<std::size_t>(CellIndex(x, y))]; }

// Ground, woods, hills, water, mountains and houses at random, with a castle well inside the top-left
// quadrant and two beside the axes, whose blocks overlap their own images' under some modes.
MapGrid UnevenGrid(unsigned seed) {
    static constexpr TileCode codes[] = {0, 0, 0, 1, 32, 48, 96, 8, 9, 10, 11};
    std::mt19937 rng(seed);
    MapGrid grid{};
    for (TileCode& code : grid)
        code = codes[rng() % std::size(codes)];
    At(grid, 10, 10) = 20;
    At(grid, 23, 10) = 21; // beside the left-right axis
    At(grid, 24, 24) = 22; // beside both axes and the centre
    return grid;
}

TEST_F(EditorUi, SymmetrizeMakesTheMapSymmetricAsOneStepThatUndoesToTheSameBytes) {
    const struct {
        const char* mode;
        const char* sourceButton;
        SymmetrySource source;
    } cases[] = {
        {"lr", "leftSource", SymmetrySource::Left},
        {"tb", "bottomSource", SymmetrySource::Bottom},
        {"quad", "bottomRightSource", SymmetrySource::BottomRight},
        {"half", "rightSource", SymmetrySource::Right},
        {"quarter", "topLeftSource", SymmetrySource::TopLeft},
    };
    int namedCastles = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        const SymmetryMode mode = *SymmetryModeFromCliName(c.mode);
        const MapGrid before = UnevenGrid(static_cast<unsigned>(mode) + 7);
        OpenMap(QStringLiteral("uneven.map"), before, 30); // Sandra
        ASSERT_GT(FindAsymmetry(before, mode).Count, 0);
        d.SetSymmetryMode("none");
        EXPECT_FALSE(d.Action(QStringLiteral("symmetrizeAction"))->isEnabled());
        d.SetSymmetryMode(c.mode);
        ASSERT_TRUE(d.Action(QStringLiteral("symmetrizeAction"))->isEnabled());

        p.DialogAnswers.push_back(EditorDriver::Answer({{QString::fromLatin1(c.sourceButton), 1}}, true));
        d.Trigger(QStringLiteral("symmetrizeAction"));
        EXPECT_EQ(p.Dialogs, std::vector<QString>{QStringLiteral("symmetrizeDialog")});
        const SymmetrizeResult expected = Symmetrize(before, mode, c.source);
        EXPECT_EQ(d.Grid(), expected.Grid);
        EXPECT_EQ(FindAsymmetry(d.Grid(), mode).Count, 0);
        EXPECT_TRUE(d.ShowsGrid(d.Grid()));
        // A castle left out is named, in the map check's words.
        QStringList named;
        for (const RemovedCastle& castle : expected.RemovedCastles)
            named << QString::fromStdString(RemovedCastleLine(castle, TileSet::Sandra));
        EXPECT_EQ(p.Messages, named.empty() ? std::vector<QString>{} : std::vector<QString>{named.join(u'\n')});
        namedCastles += static_cast<int>(named.size());

        d.Key("Ctrl+Z");
        EXPECT_EQ(d.Grid(), before);
        EXPECT_FALSE(d.Action(QStringLiteral("undoAction"))->isEnabled());
        EXPECT_FALSE(d.Modified());
    }
    // Left out where the source share holds them: (23,10) under lr, (24,24) under tb, quad and half.
    EXPECT_EQ(namedCastles, 4);
}

TEST_F(EditorUi, AsymmetryIsReportedByTheCheckButNeverStopsASave) {
    OpenMap(QStringLiteral("playable.map"), PlayableGrid());
    d.SetSymmetryMode("lr");
    const AsymmetryFinding finding = FindAsymmetry(PlayableGrid(), SymmetryMode::LeftRight);
    ASSERT_GT(finding.Count, 0);
    d.Key("Ctrl+S");
    EXPECT_TRUE(p.Messages.empty());
    EXPECT_TRUE(d.Minimised(QStringLiteral("check window")));
    EXPECT_EQ(FileBytes(Path(QStringLiteral("playable.map"))), ImageBytes(Shaped(PlayableGrid()), 10));
    const QStringList lines = d.CheckLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], QString::fromStdString(AsymmetryLine(finding)));

    d.SetSymmetryMode("none");
    d.ClickButton(QStringLiteral("mapCheckButton"));
    EXPECT_EQ(d.CheckLines().size(), 1);
}

} // namespace
} // namespace tav::testing
