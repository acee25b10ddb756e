// The figures of movement costs and turn order in tavrenna-map: analyse, diff, render --territory and
// generate print what the faction analysis measures under --costs and --turn-order, and a cost file or an
// order that cannot be used is refused with its reason and status 2.

#include "CliTestSupport.h"

#include "../core/FactionGoldenMaps.h"

#include "FactionAnalysis.h"
#include "MovementRules.h"
#include "TerritoryTint.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "TileSets.h"

#include <QImage>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

#include <sys/stat.h>

namespace tav::clitest {
namespace {

using Json = nlohmann::ordered_json;

class Figures : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString CostFile(const QByteArray& text) {
        const QString path = Path(QStringLiteral("costs%1.txt").arg(++files_));
        WriteBytes(path, text);
        return path;
    }
    QTemporaryDir dir_;
    int files_ = 0;
};

// A corridor map with a house of faction 0 between its castle and faction 1's, trees on faction 0's side, and
// a tie in the middle for faction 2 and 3 off to the side.
MapGrid CorridorMap() {
    MapGrid grid = FilledGrid(NewMapTile);
    const char* rows[] = {"A.Ta....B", "~~~~~~~~~", "C.....D"};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; rows[y][x]; ++x)
            grid[static_cast<std::size_t>(CellIndex(x + 5, y + 5))] = golden::LegendCode(rows[y][x]);
    return grid;
}

// The new keys as the tool should print them, from the analysis it links.
Json ExpectedFigures(const FactionAnalysis& analysis) {
    Json costs = Json::object();
    for (const CostClass c : AllCostClasses)
        costs[std::string(CostClassName(c))] =
            analysis.Costs[c] == MovementCosts::Blocked ? Json(nullptr) : Json(analysis.Costs[c]);
    Json factions = Json::array();
    for (const FactionFigures& f : analysis.Factions)
        factions.push_back({{"territory_by_turn", f.TerritoryByTurn},
                            {"threat",
                             {{"safe", f.Threat.Safe},
                              {"threatened", f.Threat.Threatened},
                              {"lost", f.Threat.Lost},
                              {"margin", f.Threat.Margin ? Json(*f.Threat.Margin) : Json(nullptr)}}},
                            {"front", {{"total", f.Front}, {"by_faction", f.FrontWith}}},
                            {"room", f.Room ? Json(*f.Room) : Json(nullptr)}});
    return {{"turn_order", analysis.Order.Factions}, {"costs", costs}, {"factions", factions}};
}

// The printed object's new keys: those after the old ones, the factions' included.
void ExpectPrintedFigures(const Json& printed, const FactionAnalysis& analysis) {
    const Json expected = ExpectedFigures(analysis);
    std::vector<std::string> keys;
    for (auto it = printed.begin(); it != printed.end(); ++it)
        keys.push_back(it.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"tileset", "factions", "distance", "contested", "unreachable", "balance",
                                              "turn_order", "costs", "turn_order_balance"}));
    EXPECT_EQ(printed.at("turn_order"), expected.at("turn_order"));
    EXPECT_EQ(printed.at("costs"), expected.at("costs"));
    for (std::size_t f = 0; f < FactionCount; ++f) {
        SCOPED_TRACE(f);
        const Json& faction = printed.at("factions").at(f);
        std::vector<std::string> factionKeys;
        for (auto it = faction.begin(); it != faction.end(); ++it)
            factionKeys.push_back(it.key());
        EXPECT_EQ(factionKeys, (std::vector<std::string>{"index", "name", "castles", "houses", "fields", "territory",
                                                         "in_territory", "territory_by_turn", "threat", "front",
                                                         "room"}));
        for (const char* key : {"territory_by_turn", "threat", "front", "room"})
            EXPECT_EQ(faction.at(key), expected.at("factions").at(f).at(key)) << key;
    }
}

TEST_F(Figures, AnalyseJsonAddsTheFiguresOfTheTableAndOrderAfterTheOldKeys) {
    const MapGrid grid = CorridorMap();
    WriteMap(Path("in.map"), grid, 10);
    const QString slowTrees = CostFile("# the woods are slow\n森林 4\n台地 通行不可\n");
    MovementCosts costs;
    costs[CostClass::Forest] = 4;
    costs[CostClass::Plateau] = MovementCosts::Blocked;
    struct Case {
        QStringList Options;
        MovementCosts Costs;
        TurnOrder Order;
    };
    const Case cases[] = {
        {{}, {}, {}},
        {{"--turn-order", "3,2,1,0"}, {}, *ParseTurnOrder("3,2,1,0")},
        {{"--costs", slowTrees, "--turn-order", " 1, 0 ,3,2"}, costs, *ParseTurnOrder("1,0,3,2")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Options.join(u' ').toStdString());
        const RunResult run = RunTool(QStringList{"analyse", Path("in.map"), "--json"} + c.Options);
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        const Json printed = Json::parse(run.Out.toStdString());
        const FactionAnalysis analysis = AnalyseFactions(grid, c.Costs, c.Order);
        ExpectPrintedFigures(printed, analysis);
        // Rounded to three decimals like the balance; null where a territory is 0 (the worst then too).
        for (std::size_t k = 0; k < FactionCount; ++k) {
            const auto& balance = analysis.TurnOrderBalances[k];
            const Json& rotation = printed.at("turn_order_balance").at("rotations").at(k);
            if (balance) {
                EXPECT_NEAR(rotation.get<double>(), *balance, 0.0005);
            } else {
                EXPECT_TRUE(rotation.is_null());
            }
        }
        EXPECT_EQ(printed.at("turn_order_balance").at("worst").is_null(), !analysis.WorstTurnOrderBalance.has_value());
    }

    // By hand: the trees at 4 make the house lost (own 1 + 4 + 1 = 6 against 5), and the tie between C and D
    // goes to the earlier of them.
    const RunResult slow = RunTool({"analyse", Path("in.map"), "--json", "--costs", slowTrees, "--turn-order", "3,2,1,0"});
    const Json figures = Json::parse(slow.Out.toStdString());
    EXPECT_EQ(figures.at("factions").at(0).at("threat"), Json::parse(R"({"safe":0,"threatened":0,"lost":1,"margin":-1})"));
    EXPECT_EQ(figures.at("factions").at(2).at("territory_by_turn"), 3);
    EXPECT_EQ(figures.at("factions").at(3).at("territory_by_turn"), 4);
    EXPECT_EQ(figures.at("costs").at("森林"), 4);
    EXPECT_TRUE(figures.at("costs").at("台地").is_null());

    // Several maps: the figures are inside each map's report.
    ASSERT_TRUE(QDir().mkpath(Path("pack")));
    WriteMap(Path("pack/a.map"), grid, 10);
    WriteMap(Path("pack/b.map"), grid, 20);
    const RunResult pack = RunTool({"analyse", Path("pack"), "--json", "--turn-order", "2,0,3,1"});
    ASSERT_EQ(pack.ExitCode, 0) << pack.Err.toStdString();
    const Json reports = Json::parse(pack.Out.toStdString());
    ASSERT_EQ(reports.size(), 2u);
    for (const Json& map : reports)
        ExpectPrintedFigures(map.at("report"), AnalyseFactions(grid, {}, *ParseTurnOrder("2,0,3,1")));
}

TEST_F(Figures, AnalyseTextGivesTheNewFiguresAfterTheOldLines) {
    WriteMap(Path("in.map"), golden::LoadGoldenMap("tie_line").Grid, 10);
    const RunResult run = RunTool({"analyse", Path("in.map")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QStringList lines = Lines(run.Out);
    ASSERT_EQ(lines.size(), 14 + 7);
    EXPECT_EQ(lines[5], "distance in steps from the row's castles to the column's:");
    EXPECT_EQ(lines.mid(14), QStringList({
                                 "turn order 0,1,2,3",
                                 "costs 平地 1, 森林 1, 山道 1, 台地 1, 勢力の家 1, 勢力の畑 1, 城 1, 障害物 1, "
                                 "単独タイル 1, タイルなし 1",
                                 "faction 0 カルドア領(緑): territory by turn 9; safe 0, threatened 0, lost 0, margin "
                                 "none; front 5 (with 1: 3, 2: 3, 3: 0); room 25",
                                 "faction 1 ブレスト領(赤): territory by turn 6; safe 0, threatened 0, lost 0, margin "
                                 "none; front 4 (with 0: 3, 2: 0, 3: 2); room 25",
                                 "faction 2 シオネル領(白): territory by turn 6; safe 0, threatened 0, lost 0, margin "
                                 "none; front 4 (with 0: 3, 1: 0, 3: 2); room 0",
                                 "faction 3 ヴォルグ領(黒): territory by turn 4; safe 0, threatened 0, lost 0, margin "
                                 "none; front 3 (with 0: 0, 1: 2, 2: 2); room 0",
                                 "turn-order balance 0,1,2,3 2.250, 1,2,3,0 2.250, 2,3,0,1 2.250, 3,0,1,2 2.250; "
                                 "worst 2.250",
                             }));
    // Under a table that is not all 1 the distances are costs.
    const RunResult costed = RunTool({"analyse", Path("in.map"), "--costs", CostFile("平地 2\n")});
    ASSERT_EQ(costed.ExitCode, 0) << costed.Err.toStdString();
    EXPECT_EQ(Lines(costed.Out)[5], "distance in cost from the row's castles to the column's:");
    // Three cells of ground at 2 and the castle at 1.
    EXPECT_EQ(Lines(costed.Out)[7], "  0     -     7     7    14"); // to D through B's castle, at 1
}

TEST_F(Figures, ACostFileOrTurnOrderThatCannotBeUsedIsRefusedWithItsReason) {
    WriteMap(Path("in.map"), CorridorMap(), 10);
    QString huge = CostFile(QByteArray(64 * 1024 + 1, '#'));
    QString justFits = CostFile(QByteArray(64 * 1024 - 1, '#') + "\n");
    ASSERT_TRUE(QDir().mkpath(Path("folder.txt")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe.txt")).constData(), 0600), 0);
    struct Case {
        QStringList Options;
        QString InError; // empty: accepted
    };
    const Case cases[] = {
        {{"--turn-order", "0,1,2"}, "--turn-order takes the four factions"},
        {{"--turn-order", "0,1,1,3"}, "--turn-order takes the four factions"},
        {{"--turn-order", "4,1,2,3"}, "--turn-order takes the four factions"},
        {{"--turn-order", "a,b,c,d"}, "--turn-order takes the four factions"},
        {{"--costs", CostFile("森林 2\n水辺 3\n")}, "2行目：「水辺」はもともと通行不可"},
        {{"--costs", CostFile("城 通行不可\n")}, "1行目：城は通行不可にできません"},
        {{"--costs", CostFile("森林 2\n\n森林 3\n")}, "3行目：「森林」のコストは 1行目で決めてあります"},
        {{"--costs", CostFile("森林 10\n")}, "1行目：「森林」のコスト「10」は使えません"},
        {{"--costs", CostFile("城門 2\n")}, "1行目：城門のコストは城のコストで決まります"},
        {{"--costs", CostFile("草原 2\n")}, "1行目：「草原」という移動コストの分類はありません"},
        {{"--costs", CostFile("平地 1\n森林 \xFF\n")}, "not UTF-8 text (line 2)"},
        {{"--costs", huge}, "larger than 65536 bytes"},
        {{"--costs", Path("folder.txt")}, "is a directory, not a cost file"},
        {{"--costs", Path("pipe.txt")}, "is a pipe"},
        {{"--costs", Path("missing.txt")}, "missing.txt: cannot read"},
        {{"--costs", ""}, "--costs must not be empty"},
        {{"--costs", justFits}, ""},
        {{"--costs", CostFile("")}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Options.join(u' ').toStdString());
        for (const char* command : {"analyse", "diff"}) {
            SCOPED_TRACE(command);
            QStringList arguments{command, Path("in.map")};
            if (QString(command) == "diff")
                arguments << Path("in.map");
            const RunResult run = RunTool(arguments + c.Options, {}, 5000);
            ASSERT_TRUE(run.Finished) << "a pipe must not be waited on";
            if (c.InError.isEmpty()) {
                EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
                continue;
            }
            EXPECT_EQ(run.ExitCode, 2);
            EXPECT_TRUE(run.Out.isEmpty());
            EXPECT_TRUE(QString::fromUtf8(run.Err).contains(c.InError)) << run.Err.toStdString();
            if (c.Options[0] == "--costs" && !c.Options[1].isEmpty()) {
                EXPECT_TRUE(QString::fromUtf8(run.Err).startsWith("tavrenna-map: " + c.Options[1] + ": "));
            }
        }
    }
}

TEST_F(Figures, DiffGivesTheChangeOfEveryNewFigure) {
    const MapGrid before = CorridorMap();
    MapGrid after = before;
    after[static_cast<std::size_t>(CellIndex(7, 5))] = 0; // the trees cleared: the house is safe again
    WriteMap(Path("a.map"), before, 10);
    WriteMap(Path("b.map"), after, 10);
    const QString slowTrees = CostFile("森林 4\n");
    const RunResult run = RunTool({"diff", Path("a.map"), Path("b.map"), "--costs", slowTrees});
    ASSERT_EQ(run.ExitCode, 1) << run.Err.toStdString();
    const QStringList lines = Lines(run.Out);
    // Before: own 6 against 5, lost; after: own 3 against 5, safe. The tie at x = 9 goes to faction 0.
    EXPECT_TRUE(lines.contains("faction 0 カルドア領(緑): territory by turn 3 → 5, safe 0 → 1, threatened 0 → 0, lost "
                               "1 → 0, margin -1 → 2, front 1 → 1 (with 1: 1 → 1, 2: 0 → 0, 3: 0 → 0), room 7 → 7"))
        << run.Out.toStdString();
    EXPECT_TRUE(lines.constLast().startsWith("turn-order balance 0,1,2,3 ")) << run.Out.toStdString();

    const RunResult json = RunTool({"diff", Path("a.map"), Path("b.map"), "--costs", slowTrees, "--json", "--turn-order",
                                    "1,0,2,3"});
    ASSERT_EQ(json.ExitCode, 1) << json.Err.toStdString();
    const Json printed = Json::parse(json.Out.toStdString());
    const Json& figures = printed.at("figures");
    MovementCosts costs;
    costs[CostClass::Forest] = 4;
    const TurnOrder order = *ParseTurnOrder("1,0,2,3");
    for (const auto& [key, grid] : {std::pair{"before", before}, std::pair{"after", after}}) {
        SCOPED_TRACE(key);
        const FactionAnalysis analysis = AnalyseFactions(grid, costs, order);
        const Json expected = ExpectedFigures(analysis);
        const Json& side = figures.at(key);
        EXPECT_EQ(side.at("turn_order"), expected.at("turn_order"));
        EXPECT_EQ(side.at("costs"), expected.at("costs"));
        EXPECT_TRUE(side.contains("turn_order_balance"));
        for (std::size_t f = 0; f < FactionCount; ++f) {
            Json faction = expected.at("factions").at(f);
            EXPECT_EQ(side.at("factions").at(f).at("index"), f);
            for (const char* figure : {"territory_by_turn", "threat", "front", "room"})
                EXPECT_EQ(side.at("factions").at(f).at(figure), faction.at(figure)) << figure;
        }
    }
}

TEST_F(Figures, RenderTerritoryMeasuresWithTheTableAndOrder) {
    const MapGrid grid = CorridorMap();
    WriteMap(Path("in.map"), grid, 10);
    const QString costsFile = CostFile("平地 3\n森林 1\n");
    const RunResult run = RunTool({"render", Path("in.map"), "-o", Path("tint.png"), "--edge", "8", "--territory",
                                   "--costs", costsFile, "--turn-order", "3,2,1,0"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    MovementCosts costs;
    costs[CostClass::Plain] = 3;
    TileBitmaps bitmaps;
    bitmaps.LoadTileSetBitmaps(TileSet::Verda);
    const QImage plain = RenderMap(grid, bitmaps.Picture(TileEdge::Px8), 8);
    const FactionAnalysis analysis = AnalyseFactions(grid, costs, *ParseTurnOrder("3,2,1,0"));
    EXPECT_EQ(QImage(Path("tint.png")).convertToFormat(QImage::Format_RGB32),
              TerritoryPicture(analysis, TileSet::Verda, plain));
    // The table moves the border: the picture differs from the one of the default table.
    EXPECT_NE(QImage(Path("tint.png")).convertToFormat(QImage::Format_RGB32),
              TerritoryPicture(AnalyseFactions(grid), TileSet::Verda, plain));

    const RunResult alone = RunTool({"render", Path("in.map"), "-o", Path("plain.png"), "--costs", costsFile});
    EXPECT_EQ(alone.ExitCode, 2);
    EXPECT_TRUE(QString::fromUtf8(alone.Err).contains("give it too")) << alone.Err.toStdString();
}

TEST_F(Figures, GenerateJsonCarriesTheNewFiguresOfEachFaction) {
    const RunResult run = RunTool({"generate", "--seed", "3", "-o", Path("g.map"), "--json"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const Json printed = Json::parse(run.Out.toStdString());
    const Json expected = ExpectedFigures(AnalyseFactions(ReadGrid(Path("g.map"))));
    for (std::size_t f = 0; f < FactionCount; ++f) {
        SCOPED_TRACE(f);
        const Json& faction = printed.at("factions").at(f);
        EXPECT_EQ(std::prev(faction.end()).key(), "room");
        for (const char* key : {"territory_by_turn", "threat", "front", "room"})
            EXPECT_EQ(faction.at(key), expected.at("factions").at(f).at(key)) << key;
        EXPECT_EQ(faction.at("threat").at("lost"), 0); // the generator's guarantee
    }
}

} // namespace
} // namespace tav::clitest
