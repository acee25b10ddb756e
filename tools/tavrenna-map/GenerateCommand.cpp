#include "GenerateCommand.h"

#include "CommandLine.h"
#include "MapFiles.h"
#include "Reports.h"
#include "MapGenerator.h"

#include <QDir>

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tav::cli {
namespace {

constexpr int MaxCount = 100000;

// Three decimals, as the faction analysis prints its balance.
std::string Ratio(int numerator, int denominator) {
    const long long thousandths = (2000LL * numerator + denominator) / (2LL * denominator);
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%03lld", thousandths / 1000, thousandths % 1000);
    return text;
}

std::string Decimal(int perMille) {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%d", perMille / 10, perMille % 10);
    return text;
}

struct Figures {
    int SmallestTerritory = 0;
    int LargestTerritory = 0;
    std::array<int, FactionCount> Nearest{};
    int ShortestNearest = 0;
    int LongestNearest = 0;
};

Figures FiguresOf(const GeneratedMap& map) {
    Figures figures;
    figures.SmallestTerritory = MapCells;
    for (const FactionFigures& faction : map.Analysis.Factions) {
        figures.SmallestTerritory = std::min(figures.SmallestTerritory, faction.Territory);
        figures.LargestTerritory = std::max(figures.LargestTerritory, faction.Territory);
    }
    figures.Nearest = NearestEnemyDistances(map.Analysis);
    figures.ShortestNearest = *std::min_element(figures.Nearest.begin(), figures.Nearest.end());
    figures.LongestNearest = *std::max_element(figures.Nearest.begin(), figures.Nearest.end());
    return figures;
}

std::string DistanceList(const Figures& figures, const char* separator) {
    std::string out;
    for (std::size_t f = 0; f < figures.Nearest.size(); ++f)
        out += (f ? separator : "") + std::to_string(figures.Nearest[f]);
    return out;
}

// "seed N", "balance B" and "distances D0 D1 D2 D3", each on a line of its own or, for one of many maps, on
// one line after the file's name.
std::string TextReport(const GeneratorParameters& parameters, const GeneratedMap& map,
                       const char* separator) {
    const Figures figures = FiguresOf(map);
    return "seed " + std::to_string(parameters.Seed) + separator + "balance " +
           Ratio(figures.LargestTerritory, figures.SmallestTerritory) + separator + "distances " +
           DistanceList(figures, " ") + "\n";
}

Json JsonReport(const GeneratorParameters& parameters, const GeneratedMap& map, const QString& file) {
    const Figures figures = FiguresOf(map);
    Json used = {{"symmetry", std::string(SymmetryModeCliName(parameters.Symmetry))}};
    for (const GeneratorRange& range : GeneratorRanges)
        used[std::string(range.Name)] = parameters.*range.Field;
    const MapShares& shares = map.Shares;
    const Json shareFigures = {{"land", DecimalNumber(Decimal(PerMille(shares.Land, MapCells)))},
                               {"mountains", DecimalNumber(Decimal(PerMille(shares.Mountains, shares.Land)))},
                               {"forests", DecimalNumber(Decimal(PerMille(shares.Forests, shares.Land)))},
                               {"plateaus", DecimalNumber(Decimal(PerMille(shares.Plateaus, shares.Land)))},
                               {"water", DecimalNumber(Decimal(PerMille(shares.InlandWater, shares.Land)))}};
    Json factions = Json::array();
    for (int f = 0; f < FactionCount; ++f) {
        const FactionFigures& faction = map.Analysis.Factions[static_cast<std::size_t>(f)];
        const std::uint16_t castle = map.Analysis.Castles(f).front();
        Json object = {{"index", f},
                       {"castle", {castle / MapSize, castle % MapSize}},
                       {"territory", faction.Territory},
                       {"houses", faction.Houses},
                       {"fields", faction.Fields},
                       {"nearest_enemy", figures.Nearest[static_cast<std::size_t>(f)]}};
        // The generator measures with the default table and order, whatever an analysis elsewhere uses.
        object.update(FactionFiguresJson(map.Analysis, f));
        factions.push_back(object);
    }
    return {{"file", file.toStdString()},
            {"seed", parameters.Seed},
            {"attempt", map.Attempt},
            {"parameters", used},
            {"shares", shareFigures},
            {"factions", factions},
            {"balance", DecimalNumber(Ratio(figures.LargestTerritory, figures.SmallestTerritory))},
            {"distance_ratio", DecimalNumber(Ratio(figures.LongestNearest, figures.ShortestNearest))}};
}

QString RangeDescription(std::string_view name) {
    if (name == "land") return QStringLiteral("Land, percent of all 2304 cells");
    if (name == "water") return QStringLiteral("Inland water (lakes), percent of the land");
    if (name == "houses") return QStringLiteral("Houses per faction");
    if (name == "fields") return QStringLiteral("Fields per faction");
    if (name == "tileset") return QStringLiteral("The map's tile set");
    QString kind = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    kind[0] = kind[0].toUpper();
    return kind + QStringLiteral(", percent of the land");
}

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

} // namespace

std::optional<std::uint64_t> ParseSeed(const QString& text) {
    // Digits only, like every number the tool takes; a sign or blank is a typo, not a seed.
    if (text.isEmpty() || text.size() > 20) return std::nullopt;
    std::uint64_t value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c.unicode() - u'0');
        if (value > (UINT64_MAX - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

namespace {

// The options of generate, made once per run.
struct GenerateOptions {
    QCommandLineOption Output{QStringList{QStringLiteral("o"), QStringLiteral("output")},
                              QStringLiteral("Write the map to <file>."), QStringLiteral("file")};
    QCommandLineOption Seed{QStringLiteral("seed"),
                            QStringLiteral("The seed, 0 to 18446744073709551615 (default: a random one, printed)."),
                            QStringLiteral("N")};
    QCommandLineOption Symmetry{QStringLiteral("symmetry"),
                                QStringLiteral("none, lr, tb, quad, half or quarter (default)."),
                                QStringLiteral("MODE")};
    QCommandLineOption PrintJson{QStringLiteral("json"), QStringLiteral("Print one JSON object per map: the "
                                                                   "parameters, the shares and the analysis.")};
    QCommandLineOption Count{QStringLiteral("count"),
                             QStringLiteral("With --out-dir: write K maps, seeds N, N+1, ... (1 to %1).").arg(MaxCount),
                             QStringLiteral("K")};
    QCommandLineOption OutDir{QStringLiteral("out-dir"),
                              QStringLiteral("Write the maps into <dir> (made if missing), each named by its seed: "
                                             "<seed>.map."),
                              QStringLiteral("dir")};
    std::vector<QCommandLineOption> Ranges = RangeOptions();

    static std::vector<QCommandLineOption> RangeOptions() {
        std::vector<QCommandLineOption> options;
        for (const GeneratorRange& range : GeneratorRanges)
            options.emplace_back(QString::fromLatin1(range.Name.data(), static_cast<qsizetype>(range.Name.size())),
                                 QStringLiteral("%1, %2 to %3 (default %4).")
                                     .arg(RangeDescription(range.Name))
                                     .arg(range.Min)
                                     .arg(range.Max)
                                     .arg(range.Default),
                                 QStringLiteral("N"));
        return options;
    }

    // In the order the help lists them.
    void AddTo(CommandLine& line) const {
        for (const auto* option : {&Output, &Seed, &Symmetry})
            line.AddOption(*option);
        for (const QCommandLineOption& option : Ranges)
            line.AddOption(option);
        for (const auto* option : {&PrintJson, &Count, &OutDir})
            line.AddOption(*option);
    }
};

// What one run of generate makes.
struct GenerateRun {
    GeneratorParameters Parameters; // the seed is the first map's
    std::optional<QString> Output;
    std::optional<QString> OutDir;
    int Maps = 1;
    bool PrintJson = false;
};

std::uint64_t FirstSeed(const CommandLine& line, const GenerateOptions& options) {
    const auto text = line.Value(options.Seed);
    if (!text) {
        std::random_device device;
        return (static_cast<std::uint64_t>(device()) << 32) ^ device();
    }
    const auto seed = ParseSeed(*text);
    if (!seed)
        line.Fail(QStringLiteral("--seed must be a whole number from 0 to 18446744073709551615, not \"%1\"").arg(*text));
    return *seed;
}

GenerateRun ReadGenerateRun(const CommandLine& line, const GenerateOptions& options) {
    GenerateRun run;
    if (const auto text = line.Value(options.Symmetry)) {
        const auto mode = SymmetryModeFromCliName(text->toStdString());
        if (!mode)
            line.Fail(QStringLiteral("--symmetry must be one of none, lr, tb, quad, half, quarter, not \"%1\"").arg(*text));
        run.Parameters.Symmetry = *mode;
    }
    for (std::size_t i = 0; i < GeneratorRanges.size(); ++i) {
        const GeneratorRange& range = GeneratorRanges[i];
        run.Parameters.*range.Field = line.Number(options.Ranges[i], range.Min, range.Max).value_or(range.Default);
    }
    run.Output = line.Value(options.Output);
    run.OutDir = line.Value(options.OutDir);
    if (run.Output && run.OutDir)
        line.Fail(QStringLiteral("give either -o or --out-dir, not both"));
    if (!run.Output && !run.OutDir)
        line.Fail(QStringLiteral("-o or --out-dir is required"));
    if ((run.Output && run.Output->isEmpty()) || (run.OutDir && run.OutDir->isEmpty()))
        line.Fail(QStringLiteral("empty file name"));
    const auto count = line.Number(options.Count, 1, MaxCount);
    if (count && !run.OutDir)
        line.Fail(QStringLiteral("--count needs --out-dir"));
    run.Parameters.Seed = FirstSeed(line, options);
    // Seeds N, N+1, ... must not wrap round to 0, which would name a map after a seed nobody asked for.
    if (count && run.Parameters.Seed > UINT64_MAX - static_cast<std::uint64_t>(*count - 1))
        line.Fail(QStringLiteral("--count %1 from seed %2 runs past the largest seed").arg(*count).arg(run.Parameters.Seed));
    run.Maps = count.value_or(1);
    run.PrintJson = line.IsSet(options.PrintJson);
    return run;
}

// Generates, writes and reports the map of `parameters.Seed`.
void GenerateOne(const GenerateRun& run, const GeneratorParameters& parameters) {
    const GenerationResult result = GenerateMap(parameters);
    if (!result.Map) {
        const std::string_view figure = GeneratorFigureName(result.Failed);
        throw CliFailure(QStringLiteral("generate: seed %1: no sub-seed of %2 met the figures; the one that "
                                        "failed most often: %3 (try another seed)")
                             .arg(QString::number(parameters.Seed))
                             .arg(GeneratorAttempts)
                             .arg(QString::fromUtf8(figure.data(), static_cast<qsizetype>(figure.size()))));
    }
    const QString path = run.Output ? *run.Output
                                    : QDir(*run.OutDir).filePath(QString::number(parameters.Seed) + QStringLiteral(".map"));
    WriteMapFile(path, result.Map->Grid, TileSetNumbered(parameters.TileSet).value_or(TileSet::Verda));
    if (run.PrintJson)
        Print(JsonLine(JsonReport(parameters, *result.Map, path)) + "\n");
    else if (run.OutDir)
        Print(path.toStdString() + ": " + TextReport(parameters, *result.Map, ", "));
    else
        Print(TextReport(parameters, *result.Map, "\n"));
}

} // namespace

int GenerateCommand(const CommandEntry& command, const QStringList& arguments) {
    CommandLine line(
        command,
        QStringLiteral(
            "Generates a fair map: land, mountain chains, forests, plateaus, lakes and rivers, and four "
            "castles in valleys of their own with their houses and fields. Every map is shaped, passes "
            "the map check, lets every castle reach every other, keeps each faction's houses and fields "
            "in its own territory, has a balance of at most 1.05 and nearest-enemy distances within "
            "10 %, is symmetric for the mode and meets the shares within 5 points. Prints the seed, "
            "the balance and each faction's steps to its nearest enemy castle.\nExit status 0: written; "
            "2: a usage error, or no sub-seed met the figures (the figure is named)."),
        {});
    const GenerateOptions options;
    options.AddTo(line);
    if (!line.Parse(arguments))
        return ExitSuccess;
    const GenerateRun run = ReadGenerateRun(line, options);
    if (run.OutDir && !QDir().mkpath(*run.OutDir))
        throw CliFailure(*run.OutDir + QStringLiteral(": cannot make the folder"));
    GeneratorParameters parameters = run.Parameters;
    for (int i = 0; i < run.Maps; ++i) {
        parameters.Seed = run.Parameters.Seed + static_cast<std::uint64_t>(i);
        GenerateOne(run, parameters);
    }
    return ExitSuccess;
}

} // namespace tav::cli
