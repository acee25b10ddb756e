// suggest writes the core's best proposal and reports its figures and changed cells; it writes nothing and
// exits 1 on a fair map, and exits 2 on a map that fails the check or the symmetry, and on a bad limit.

#include "CliTestSupport.h"

#include "FactionAnalysis.h"
#include "FairnessSearch.h"
#include "MapCheck.h"
#include "Symmetry.h"

#include <QFile>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <nlohmann/json.hpp>

#include <string>

namespace tav::clitest {
namespace {

using Json = nlohmann::ordered_json;

class TavrennaMapSuggest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    static QString Unfair() { return QStringLiteral(TAV_TEST_DATA_DIR "/fairness/unfair.map"); }
    QTemporaryDir dir_;
};

TEST_F(TavrennaMapSuggest, WritesTheCoresBestProposalAndItsFiguresMatchAnalyse) {
    const RunResult run = RunTool({"suggest", Unfair(), "-o", Path("fair.map"), "--json"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const Json printed = Json::parse(run.Out.toStdString());
    EXPECT_EQ(printed["outcome"], "proposed");

    // The same proposal as the core's search, in the input's tile-set bytes.
    const MapGrid input = ReadGrid(Unfair());
    FairnessSearchOptions options;
    options.MaxProposals = 1;
    const FairnessSearchResult expected = SearchFairerMaps(input, options);
    ASSERT_FALSE(expected.Proposals.empty());
    const MapGrid written = ReadGrid(Path("fair.map"));
    EXPECT_EQ(written, expected.Proposals.front().Grid);
    EXPECT_EQ(ReadBytes(Path("fair.map")).mid(2304), ReadBytes(Unfair()).mid(2304));

    // The changed cells are exactly the cells that differ, with the codes of both files.
    int differing = 0;
    for (std::size_t cell = 0; cell < MapCells; ++cell)
        differing += written[cell] != input[cell];
    ASSERT_EQ(static_cast<int>(printed["changed_cells"].size()), differing);
    EXPECT_LE(differing, 46);
    for (const Json& change : printed["changed_cells"]) {
        const auto cell = static_cast<std::size_t>(CellIndex(change["x"].get<int>(), change["y"].get<int>()));
        EXPECT_EQ(change["before"].get<int>(), input[cell]);
        EXPECT_EQ(change["after"].get<int>(), written[cell]);
    }

    // The figures after are analyse's figures of the written map, and fairer than before.
    const RunResult analysed = RunTool({"analyse", Path("fair.map"), "--json"});
    ASSERT_EQ(analysed.ExitCode, 0);
    const Json analysis = Json::parse(analysed.Out.toStdString());
    const Json& after = printed["figures"]["after"];
    EXPECT_EQ(after["balance"], analysis["balance"]);
    EXPECT_EQ(after["turn_order_balance_worst"], analysis["turn_order_balance"]["worst"]);
    for (int f = 0; f < FactionCount; ++f)
        EXPECT_EQ(after["territory_by_turn"][f], analysis["factions"][f]["territory_by_turn"]);
    EXPECT_LT(after["balance"].get<double>(), printed["figures"]["before"]["balance"].get<double>());
    EXPECT_EQ(after["limits_failing"], 0);
    EXPECT_THAT(printed["reason"].get<std::string>(), ::testing::HasSubstr("→"));

    // The text names the same figures before → after and the reason.
    const RunResult text = RunTool({"suggest", Unfair(), "-o", Path("again.map")});
    ASSERT_EQ(text.ExitCode, 0);
    EXPECT_EQ(ReadBytes(Path("again.map")), ReadBytes(Path("fair.map")));
    const QStringList lines = Lines(text.Out);
    EXPECT_TRUE(lines.contains(QStringLiteral("balance %1 → %2")
                                   .arg(QString::number(printed["figures"]["before"]["balance"].get<double>(), 'f', 3),
                                        QString::number(after["balance"].get<double>(), 'f', 3))))
        << text.Out.toStdString();
    EXPECT_EQ(lines.constLast(), QString::fromStdString(printed["reason"].get<std::string>()));

    // A fair map: exit 1, nothing written.
    const RunResult fair = RunTool({"suggest", Path("fair.map"), "-o", Path("none.map")});
    EXPECT_EQ(fair.ExitCode, 1);
    EXPECT_THAT(fair.Out.toStdString(), ::testing::HasSubstr("already fair"));
    EXPECT_FALSE(QFile::exists(Path("none.map")));
}

TEST_F(TavrennaMapSuggest, LimitTurnOrderAndCostsReachTheSearch) {
    // A small limit is kept, or nothing is written.
    const RunResult small = RunTool({"suggest", Unfair(), "-o", Path("small.map"), "--max-cells", "2", "--json"});
    ASSERT_TRUE(small.ExitCode == 0 || small.ExitCode == 1) << small.Err.toStdString();
    const Json printed = Json::parse(small.Out.toStdString());
    EXPECT_EQ(printed["max_cells"], 2);
    if (small.ExitCode == 0)
        EXPECT_LE(printed["changed_cells"].size(), 2u);
    else
        EXPECT_FALSE(QFile::exists(Path("small.map")));

    QFile costs(Path("costs.txt"));
    ASSERT_TRUE(costs.open(QIODevice::WriteOnly));
    costs.write("森林 3\n台地 2\n");
    costs.close();
    const RunResult ruled = RunTool({"suggest", Unfair(), "-o", Path("ruled.map"), "--turn-order", "2,0,3,1",
                                     "--costs", Path("costs.txt"), "--json"});
    ASSERT_EQ(ruled.ExitCode, 0) << ruled.Err.toStdString();
    const Json ruledJson = Json::parse(ruled.Out.toStdString());
    EXPECT_EQ(ruledJson["turn_order"], Json::parse("[2,0,3,1]"));
    MovementCosts table;
    table[CostClass::Forest] = 3;
    table[CostClass::Plateau] = 2;
    const FactionAnalysis after = AnalyseFactions(ReadGrid(Path("ruled.map")), table, *ParseTurnOrder("2,0,3,1"));
    EXPECT_EQ(ruledJson["figures"]["after"]["territory_by_turn"][0], after.Factions[0].TerritoryByTurn);
    EXPECT_EQ(ruledJson["figures"]["after"]["lost"], MeasureFairness(after).Lost);
}

TEST_F(TavrennaMapSuggest, RefusesBadLimitsAndMapsThatFailTheCheckOrTheSymmetry) {
    for (const char* bad : {"0", "2305", "x", "-1"}) {
        SCOPED_TRACE(bad);
        const RunResult run = RunTool({"suggest", Unfair(), "-o", Path("out.map"), "--max-cells", bad});
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_THAT(run.Err.toStdString(), ::testing::HasSubstr("--max-cells"));
    }
    EXPECT_EQ(RunTool({"suggest", Unfair()}).ExitCode, 2);
    EXPECT_EQ(RunTool({"suggest", Unfair(), "-o", Path("out.map"), "--turn-order", "0,0,1,2"}).ExitCode, 2);
    EXPECT_EQ(RunTool({"suggest", Unfair(), "-o", Path("out.map"), "--symmetry", "diagonal"}).ExitCode, 2);

    // A gap in the rim: the check's lines, exit 2, nothing written.
    MapGrid gap = ReadGrid(Unfair());
    gap[static_cast<std::size_t>(CellIndex(0, 20))] = 0;
    WriteMap(Path("gap.map"), gap, 10);
    const RunResult checked = RunTool({"suggest", Path("gap.map"), "-o", Path("out.map")});
    EXPECT_EQ(checked.ExitCode, 2);
    QStringList expectedLines;
    for (const std::string& line : CheckMap(gap, TileSet::Verda).Lines)
        expectedLines << QString::fromStdString(line);
    EXPECT_EQ(Lines(checked.Out), expectedLines);

    // Not symmetric under the mode asked for: the asymmetry line, exit 2.
    const RunResult lopsided = RunTool({"suggest", Unfair(), "-o", Path("out.map"), "--symmetry", "quarter"});
    EXPECT_EQ(lopsided.ExitCode, 2);
    EXPECT_EQ(Lines(lopsided.Out),
              QStringList{QString::fromStdString(AsymmetryLine(FindAsymmetry(ReadGrid(Unfair()), SymmetryMode::Quarter)))});
    EXPECT_FALSE(QFile::exists(Path("out.map")));
}

} // namespace
} // namespace tav::clitest
