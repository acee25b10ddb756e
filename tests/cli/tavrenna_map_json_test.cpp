// The JSON the tool prints, against what it printed before it was built with a JSON library: the same
// keys in the same order with the same values, for each command that prints JSON; new keys only after them.

#include "CliTestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

#include <filesystem>

namespace tav::clitest {
namespace {

using Json = nlohmann::ordered_json;

// The printed JSON, parsed: one value, or the values of its lines (generate prints one object a line).
std::vector<Json> ParsedJson(const QByteArray& text) {
    const std::string whole = text.toStdString();
    if (Json::accept(whole))
        return {Json::parse(whole)};
    std::vector<Json> values;
    for (const QString& line : Lines(text))
        values.push_back(Json::parse(line.toStdString()));
    return values;
}

// Whether `printed` keeps everything of `was`: the same scalars, arrays of the same length whose elements
// keep theirs, and objects whose first keys are those of `was`, in its order, each keeping its value. Keys
// added after the old ones (the figures of movement costs and turn order) are allowed; none before them.
::testing::AssertionResult KeepsEveryOldKey(const Json& printed, const Json& was, const std::string& where = "") {
    if (was.is_object()) {
        if (!printed.is_object() || printed.size() < was.size())
            return ::testing::AssertionFailure() << where << ": not an object with at least the old keys";
        auto key = printed.begin();
        for (auto old = was.begin(); old != was.end(); ++old, ++key) {
            if (key.key() != old.key())
                return ::testing::AssertionFailure() << where << ": key " << key.key() << " where " << old.key() << " was";
            if (auto kept = KeepsEveryOldKey(key.value(), old.value(), where + "." + old.key()); !kept)
                return kept;
        }
        return ::testing::AssertionSuccess();
    }
    if (was.is_array()) {
        if (!printed.is_array() || printed.size() != was.size())
            return ::testing::AssertionFailure() << where << ": not an array of " << was.size();
        for (std::size_t i = 0; i < was.size(); ++i)
            if (auto kept = KeepsEveryOldKey(printed[i], was[i], where + "[" + std::to_string(i) + "]"); !kept)
                return kept;
        return ::testing::AssertionSuccess();
    }
    if (printed != was)
        return ::testing::AssertionFailure() << where << ": " << printed.dump() << " where " << was.dump() << " was";
    return ::testing::AssertionSuccess();
}

struct GoldenRun {
    const char* Golden; // below tests/data/cli/json
    QStringList Arguments;
    int ExitCode;
};

TEST(TavrennaMapJson, KeysOrderAndValuesAreAsTheyWere) {
    const GoldenRun runs[] = {
        {"check_pack.json", {"check", "--json", "--symmetry", "quarter", "pack"}, 2},
        {"check_one.json", {"check", "--json", "pack/gen1.map"}, 0},
        {"check_one_symmetry.json", {"check", "--json", "--symmetry", "lr", "pack/gen2.map"}, 0},
        {"analyse_pack.json", {"analyse", "--json", "pack"}, 2},
        {"analyse_one.json", {"analyse", "--json", "pack/painted.map"}, 0},
        {"stats_pack.json", {"stats", "--json", "pack"}, 2},
        {"stats_one.json", {"stats", "--json", "pack/gen2.map"}, 0},
        {"diff_edited.json", {"diff", "--json", "pack/gen1.map", "pair/edited.map"}, 1},
        {"diff_stored_bytes.json", {"diff", "--json", "pack/gen1.map", "pack/sub/zero.map"}, 1},
        {"generate_one.json", {"generate", "--json", "--seed", "1", "-o", "out.map"}, 0},
        {"generate_count.json", {"generate", "--json", "--seed", "5", "--count", "2", "--out-dir", "out"}, 0},
    };
    // The paths in the output are as given, so the tool runs in a copy of the data folder.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path data = TAV_TEST_DATA_DIR "/cli";
    std::filesystem::copy(data, dir.path().toStdString(), std::filesystem::copy_options::recursive);
    for (const GoldenRun& run : runs) {
        SCOPED_TRACE(run.Golden);
        const RunResult result = RunTool(run.Arguments, {}, 20000, dir.path());
        EXPECT_EQ(result.ExitCode, run.ExitCode) << result.Err.toStdString();
        const std::vector<Json> golden = ParsedJson(ReadBytes(QString::fromStdString((data / "json" / run.Golden).string())));
        ASSERT_FALSE(golden.empty());
        const std::vector<Json> printed = ParsedJson(result.Out);
        ASSERT_EQ(printed.size(), golden.size());
        for (std::size_t i = 0; i < golden.size(); ++i)
            EXPECT_TRUE(KeepsEveryOldKey(printed[i], golden[i]));
    }
}

TEST(TavrennaMapJson, AnArrayOfSeveralMapsKeepsOneObjectALine) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::filesystem::copy(TAV_TEST_DATA_DIR "/cli", dir.path().toStdString(),
                          std::filesystem::copy_options::recursive);
    const RunResult result = RunTool({"stats", "--json", "pack/gen1.map", "pack/gen2.map"}, {}, 20000, dir.path());
    EXPECT_EQ(result.ExitCode, 0);
    const QStringList lines = Lines(result.Out);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "[");
    EXPECT_TRUE(lines[1].endsWith(u',')) << lines[1].toStdString();
    EXPECT_EQ(Json::parse(lines[2].toStdString()).at("path"), "pack/gen2.map");
    EXPECT_EQ(lines[3], "]");
}

} // namespace
} // namespace tav::clitest
