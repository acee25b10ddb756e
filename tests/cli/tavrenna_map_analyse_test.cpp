// `analyse` prints the golden maps' hand-worked figures, and `render --territory` draws the analysis
// window's territory picture.

#include "CliTestSupport.h"

#include "../core/FactionGoldenMaps.h"

#include "FactionAnalysis.h"
#include "MapCheck.h"
#include "TerritoryTint.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "TileSets.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace tav::clitest {
namespace {

class Analyse : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

// Each figure line of a golden map as the JSON gives it: numbers, null for '-'.
QJsonArray NumbersJson(const golden::GoldenMap& map, const std::string& key) {
    QJsonArray numbers;
    for (const int n : map.Numbers(key))
        numbers.append(n == NoDistance ? QJsonValue(QJsonValue::Null) : QJsonValue(n));
    return numbers;
}

TEST_F(Analyse, JsonGivesEachGoldenMapsFiguresAndTheTileSetsNames) {
    int tileSet = 0;
    for (const std::string& name : golden::GoldenMapNames()) {
        SCOPED_TRACE(name);
        const golden::GoldenMap map = golden::LoadGoldenMap(name);
        tileSet = tileSet % TileSetCount + 1; // a different set, and so other names, for each map
        WriteMap(Path("in.map"), map.Grid, static_cast<std::uint8_t>(tileSet * 10));
        const RunResult run = RunTool({"analyse", Path("in.map"), "--json"});
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        EXPECT_TRUE(run.Err.isEmpty());
        EXPECT_EQ(Lines(run.Out).size(), 1); // one object on one line

        QJsonParseError error{};
        const QJsonObject json = QJsonDocument::fromJson(run.Out, &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
        EXPECT_EQ(json.value("tileset"), tileSet);
        const QJsonArray factions = json.value("factions").toArray();
        ASSERT_EQ(factions.size(), FactionCount);
        QJsonArray distances;
        for (int f = 0; f < FactionCount; ++f) {
            SCOPED_TRACE(f);
            const QJsonObject faction = factions[f].toObject();
            EXPECT_EQ(faction.value("index"), f);
            EXPECT_EQ(faction.value("name").toString().toStdString(), FactionName(*TileSetNumbered(tileSet), f));
            std::vector<std::string> castles;
            for (const QJsonValue& castle : faction.value("castles").toArray())
                castles.push_back(std::to_string(castle[0].toInt()) + "," +
                                  std::to_string(castle[1].toInt()));
            EXPECT_EQ(castles, map.Facts.at("castles" + std::to_string(f)));
            for (const char* key : {"houses", "fields", "territory", "in_territory"})
                EXPECT_EQ(faction.value(key), NumbersJson(map, key).at(f)) << key;
            distances.append(NumbersJson(map, "distance" + std::to_string(f)));
        }
        EXPECT_EQ(json.value("distance"), distances);
        EXPECT_EQ(json.value("contested"), map.Numbers("contested").at(0));
        EXPECT_EQ(json.value("unreachable"), map.Numbers("unreachable").at(0));
        const std::string balance = map.Facts.at("balance").at(0);
        EXPECT_EQ(json.value("balance"),
                  balance == "none" ? QJsonValue(QJsonValue::Null) : QJsonValue(std::stod(balance)));
    }
}

TEST_F(Analyse, TextNamesTheFactionsAndGivesTheSameFigures) {
    WriteMap(Path("in.map"), golden::LoadGoldenMap("walls_and_gates").Grid, 10);
    const RunResult run = RunTool({"analyse", Path("in.map")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    // The lines of before come first, unchanged; the figures of turn order and costs follow.
    EXPECT_EQ(Lines(run.Out).mid(0, 14),
              QStringList({
                  "tile set 1 ヴェルダ",
                  "faction 0 カルドア領(緑): castle (1,1); houses 1, fields 1, territory 9, in territory 1",
                  "faction 1 ブレスト領(赤): castle (7,1); houses 1, fields 0, territory 9, in territory 0",
                  "faction 2 シオネル領(白): no castle; houses 0, fields 0, territory 0, in territory 0",
                  "faction 3 ヴォルグ領(黒): no castle; houses 0, fields 0, territory 0, in territory 0",
                  "distance in steps from the row's castles to the column's:",
                  "        0     1     2     3",
                  "  0     -    10     -     -",
                  "  1    10     -     -     -",
                  "  2     -     -     -     -",
                  "  3     -     -     -     -",
                  "contested 4",
                  "unreachable 0",
                  "balance none",
              }));
}

TEST_F(Analyse, RenderTerritoryDrawsTheTintedPictureOfTheAnalysis) {
    const MapGrid grid = golden::LoadGoldenMap("tie_line").Grid;
    WriteMap(Path("in.map"), grid, 30);
    ASSERT_EQ(RunTool({"render", Path("in.map"), "-o", Path("plain.png"), "--edge", "8"}).ExitCode, 0);
    const RunResult run =
        RunTool({"render", Path("in.map"), "-o", Path("tint.png"), "--edge", "8", "--territory"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();

    TileBitmaps bitmaps;
    bitmaps.LoadTileSetBitmaps(TileSet::Sandra);
    const QImage plain = RenderMap(grid, bitmaps.Picture(TileEdge::Px8), 8);
    const QImage expected = TerritoryPicture(AnalyseFactions(grid), TileSet::Sandra, plain);
    const QImage tinted(Path("tint.png"));
    EXPECT_EQ(tinted.convertToFormat(QImage::Format_RGB32), expected);
    EXPECT_EQ(QImage(Path("plain.png")).convertToFormat(QImage::Format_RGB32), plain);
    // The faction's quarter is tinted, the water beyond the field is not.
    EXPECT_NE(tinted.pixel(4, 4), plain.pixel(4, 4));
    EXPECT_EQ(tinted.pixel(100, 100), plain.pixel(100, 100));
}

} // namespace
} // namespace tav::clitest
