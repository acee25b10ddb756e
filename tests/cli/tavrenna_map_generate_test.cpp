// `generate` writes the core generator's map byte for byte, prints its seed, balance and distances (or one
// JSON object), writes many maps named by their seeds, chooses and prints a seed of its own, and refuses
// requests outside the ranges with a usage error.

#include "CliTestSupport.h"

#include "FactionAnalysis.h"
#include "MapGenerator.h"
#include "MapImage.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <string>

namespace tav::clitest {
namespace {

class Generate : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

QByteArray CoreBytes(const GeneratorParameters& parameters) {
    const GenerationResult result = GenerateMap(parameters);
    EXPECT_TRUE(result.Map);
    const MapImage image = BuildMapImage(result.Map->Grid, *TileSetNumbered(parameters.TileSet));
    return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size()));
}

QByteArray NearestLine(const GeneratorParameters& parameters) {
    QByteArray line = "distances";
    for (const int steps : NearestEnemyDistances(GenerateMap(parameters).Map->Analysis))
        line += " " + QByteArray::number(steps);
    return line;
}

TEST_F(Generate, WritesTheCoresMapAndPrintsItsSeedBalanceAndDistances) {
    struct Case {
        QStringList Options;
        GeneratorParameters Parameters;
    };
    GeneratorParameters big;
    big.Seed = 18446744073709551615ull; // the largest 64-bit seed, beyond the tool's nine-digit numbers
    big.Symmetry = SymmetryMode::Half;
    big.Land = 40;
    big.Houses = 8;
    big.TileSet = 4;
    GeneratorParameters plain;
    plain.Seed = 12;
    const std::vector<Case> cases = {
        {{"--seed", "12"}, plain},
        {{"--seed", "18446744073709551615", "--symmetry", "half", "--land", "40", "--houses", "8",
          "--tileset", "4"},
         big},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Options.join(u' ').toStdString());
        const RunResult run = RunTool(QStringList{"generate", "-o", Path("out.map")} + c.Options);
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        EXPECT_EQ(ReadBytes(Path("out.map")), CoreBytes(c.Parameters));
        const QStringList lines = Lines(run.Out);
        ASSERT_EQ(lines.size(), 3);
        EXPECT_EQ(lines[0], "seed " + QString::number(c.Parameters.Seed));
        EXPECT_EQ(lines[1], "balance 1.000"); // the generator's maps share the land out evenly
        EXPECT_EQ(lines[2].toUtf8(), NearestLine(c.Parameters));
    }
}

TEST_F(Generate, WithoutASeedItChoosesOneThatMakesTheSameMapAgain) {
    const RunResult first = RunTool({"generate", "-o", Path("first.map"), "--symmetry", "lr"});
    ASSERT_EQ(first.ExitCode, 0) << first.Err.toStdString();
    const QStringList lines = Lines(first.Out);
    ASSERT_FALSE(lines.isEmpty());
    ASSERT_TRUE(lines[0].startsWith("seed "));
    const QString seed = lines[0].mid(5);
    const RunResult again =
        RunTool({"generate", "-o", Path("again.map"), "--symmetry", "lr", "--seed", seed});
    ASSERT_EQ(again.ExitCode, 0);
    EXPECT_EQ(ReadBytes(Path("again.map")), ReadBytes(Path("first.map")));
    EXPECT_EQ(again.Out, first.Out);
}

TEST_F(Generate, CountWritesOneMapPerSeedNamedByIt) {
    const QString folder = Path("maps/new"); // made, parents included
    const RunResult run =
        RunTool({"generate", "--seed", "99", "--count", "3", "--out-dir", folder, "--water", "9"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name), QStringList({"100.map", "101.map", "99.map"}));
    const QStringList lines = Lines(run.Out);
    ASSERT_EQ(lines.size(), 3);
    for (int i = 0; i < 3; ++i) {
        GeneratorParameters parameters;
        parameters.Seed = 99 + static_cast<std::uint64_t>(i);
        parameters.Water = 9;
        const QString file = QDir(folder).filePath(QString::number(parameters.Seed) + ".map");
        EXPECT_EQ(ReadBytes(file), CoreBytes(parameters));
        EXPECT_EQ(lines[i].toUtf8(), file.toUtf8() + ": seed " + QByteArray::number(99 + i) +
                                         ", balance 1.000, " + NearestLine(parameters));
    }
}

TEST_F(Generate, JsonGivesTheParametersSharesAndAnalysis) {
    const RunResult run = RunTool({"generate", "-o", Path("out.map"), "--seed", "7", "--symmetry", "quad",
                                   "--forests", "25", "--json"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_EQ(Lines(run.Out).size(), 1);
    QJsonParseError error{};
    const QJsonObject json = QJsonDocument::fromJson(run.Out, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();

    GeneratorParameters parameters;
    parameters.Seed = 7;
    parameters.Symmetry = SymmetryMode::Quad;
    parameters.Forests = 25;
    const GeneratedMap map = *GenerateMap(parameters).Map;
    EXPECT_EQ(json.value("seed").toInteger(), 7);
    EXPECT_EQ(json.value("file").toString(), Path("out.map"));
    const QJsonObject given = json.value("parameters").toObject();
    EXPECT_EQ(given.value("symmetry").toString(), "quad");
    for (const GeneratorRange& range : GeneratorRanges)
        EXPECT_EQ(
            given.value(QString::fromLatin1(range.Name.data(), static_cast<qsizetype>(range.Name.size()))),
            parameters.*range.Field)
            << range.Name;
    EXPECT_NEAR(json.value("shares").toObject().value("forests").toDouble(),
                100.0 * map.Shares.Forests / map.Shares.Land, 0.05);
    const QJsonArray factions = json.value("factions").toArray();
    ASSERT_EQ(factions.size(), FactionCount);
    for (int f = 0; f < FactionCount; ++f) {
        const QJsonObject faction = factions[f].toObject();
        const std::uint16_t castle = map.Analysis.Castles(f).front();
        EXPECT_EQ(faction.value("castle").toArray(), QJsonArray({castle / MapSize, castle % MapSize}));
        EXPECT_EQ(faction.value("territory"), map.Analysis.Factions[static_cast<std::size_t>(f)].Territory);
        EXPECT_EQ(faction.value("houses"), 3);
        EXPECT_EQ(faction.value("fields"), 2);
        EXPECT_EQ(faction.value("nearest_enemy"),
                  NearestEnemyDistances(map.Analysis)[static_cast<std::size_t>(f)]);
    }
    EXPECT_EQ(json.value("balance").toDouble(), 1.0);
    EXPECT_EQ(json.value("distance_ratio").toDouble(), 1.0);
}

TEST_F(Generate, RequestsOutsideTheRangesAreUsageErrors) {
    const std::vector<QStringList> requests = {
        {"--land", "29"},
        {"--land", "91"},
        {"--mountains", "31"},
        {"--forests", "31"},
        {"--plateaus", "21"},
        {"--water", "16"},
        {"--houses", "9"},
        {"--fields", "9"},
        {"--tileset", "0"},
        {"--tileset", "10"},
        {"--land", "-5"},
        {"--seed", "18446744073709551616"}, // one past the largest 64-bit number
        {"--seed", "-1"},
        {"--seed", "12a"},
        {"--seed", ""},
        {"--symmetry", "diagonal"},
        {"--count", "2"}, // without --out-dir
        {"--count", "0", "--out-dir", "x"},
        {"--out-dir", "x"}, // with -o as well
    };
    for (const QStringList& request : requests) {
        SCOPED_TRACE(request.join(u' ').toStdString());
        const RunResult run = RunTool(QStringList{"generate", "-o", Path("out.map")} + request);
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_TRUE(run.Out.isEmpty());
        EXPECT_TRUE(run.Err.startsWith("tavrenna-map: generate: ")) << run.Err.toStdString();
        EXPECT_FALSE(QFile::exists(Path("out.map")));
    }
    // Seeds counted on past the largest would wrap round to 0.
    const RunResult past =
        RunTool({"generate", "--seed", "18446744073709551614", "--count", "3", "--out-dir", Path("past")});
    EXPECT_EQ(past.ExitCode, 2);
    EXPECT_TRUE(past.Err.contains("runs past the largest seed")) << past.Err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("past/0.map")));
    const RunResult missing = RunTool({"generate", "--seed", "1"});
    EXPECT_EQ(missing.ExitCode, 2);
    EXPECT_TRUE(missing.Err.contains("-o or --out-dir is required"));
}

} // namespace
} // namespace tav::clitest
