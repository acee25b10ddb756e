// 対称にする and the symmetry line of the map check, driven as the user does.

#include "EditorDriver.h"
#include "Symmetry.h"
#include "TestMaps.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace tav::testing {
namespace {

TEST_F(EditorUi, SymmetrizeUndoesToTheSameBytesAndAsymmetryIsReportedButNeverStopsASave) {
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
    // A map the check passes: land at random inside a rim of water, one castle per faction with ground in
    // front of its gate. Those beside the axes overlap their images' blocks where the source share holds them:
    // (23,10) under lr, (24,24) under tb, quad and half.
    std::mt19937 rng(24);
    constexpr TileCode land[] = {0, 0, 1, 32, 48, 96, 8, 9, 10, 11};
    MapGrid before = FilledGrid(NewMapTile);
    for (int x = 2; x < MapSize - 2; ++x)
        for (int y = 2; y < MapSize - 2; ++y)
            before[CellIndex(x, y)] = land[rng() % std::size(land)];
    for (const auto [x, y, faction] : {std::array{10, 10, 0}, {23, 10, 1}, {24, 24, 2}, {36, 30, 3}}) {
        before[CellIndex(x, y)] = static_cast<TileCode>(20 + faction);
        before[CellIndex(x, y + 2)] = 0;
    }
    int namedCastles = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        const SymmetryMode mode = *SymmetryModeFromCliName(c.mode);
        OpenMap(QStringLiteral("uneven.map"), before, 30); // Sandra
        d.SetSymmetryMode("none");
        EXPECT_FALSE(d.Action(QStringLiteral("symmetrizeAction"))->isEnabled());
        d.SetSymmetryMode(c.mode);
        p.DialogAnswers.push_back(EditorDriver::Answer({{QString::fromLatin1(c.sourceButton), 1}}, true));
        d.Trigger(QStringLiteral("symmetrizeAction"));
        const SymmetrizeResult expected = Symmetrize(before, mode, c.source);
        EXPECT_EQ(d.Grid(), expected.Grid);
        EXPECT_EQ(FindAsymmetry(d.Grid(), mode).Count, 0);
        d.SetSymmetryMode("none"); // the axes stand over the cells beside them
        EXPECT_TRUE(d.ShowsGrid(d.Grid()));
        d.SetSymmetryMode(c.mode);
        QStringList named;
        for (const RemovedCastle& castle : expected.RemovedCastles)
            named << QString::fromStdString(RemovedCastleLine(castle, TileSet::Sandra));
        EXPECT_EQ(p.Messages, named.empty() ? std::vector<QString>{} : std::vector<QString>{named.join(u'\n')});
        namedCastles += static_cast<int>(named.size());

        d.Key("Ctrl+Z");
        EXPECT_EQ(d.Grid(), before);
        EXPECT_FALSE(d.Action(QStringLiteral("undoAction"))->isEnabled());

        // Saved as it is, the uneven map gets its line in the check of the map as written, and no question.
        const AsymmetryFinding finding = FindAsymmetry(Shaped(before), mode);
        ASSERT_GT(finding.Count, 0);
        d.Key("Ctrl+S");
        EXPECT_EQ(p.Messages.size(), named.size() ? 1u : 0u);
        EXPECT_TRUE(d.Minimised(QStringLiteral("check window")));
        EXPECT_EQ(FileBytes(Path(QStringLiteral("uneven.map"))), ImageBytes(Shaped(before), 30));
        EXPECT_EQ(d.CheckLines().value(d.CheckLines().size() - 1), QString::fromStdString(AsymmetryLine(finding)));
    }
    EXPECT_EQ(namedCastles, 4);
}

} // namespace
} // namespace tav::testing
