#include "PackCommands.h"

#include "AnalysisRules.h"
#include "CommandLine.h"
#include "FactionAnalysis.h"
#include "MapCheck.h"
#include "MapFiles.h"
#include "MapInputs.h"
#include "MapPng.h"
#include "MapText.h"
#include "Reports.h"
#include "SymmetryCommands.h"
#include "TerritoryTint.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "TileSets.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QThread>
#include <QThreadPool>

#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace tav::cli {
namespace {

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

// What a command makes of one map that could be read: text lines, or a JSON object when JSON was asked for.
struct MapReport {
    std::string Text{}; // whole lines
    Json Object{};
    bool Problem = false;
};
using Reporter = std::function<MapReport(const MapInput& input, const LoadedMap& map)>;

// How a reporting command goes through its maps.
struct ReportOptions {
    bool PrintJson = false;
    // Whether a map's problems make the exit status 1 (check); else they are only reported.
    bool ProblemsCount = false;
    // Whether a tile set outside 1..9 is read as 1, with the editor's message on stderr; `text` keeps the
    // stored bytes and stays silent.
    bool CorrectsTileSet = true;
};

// Every line of `text` with `prefix` in front.
std::string Prefixed(const std::string& text, const std::string& prefix) {
    std::string out;
    out.reserve(text.size() + 8 * prefix.size());
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        out += prefix;
        out.append(text, start, end - start);
        start = end;
    }
    if (!out.empty() && out.back() != '\n')
        out += '\n';
    return out;
}

// One map of several: its text lines prefixed with its path, or its object in the array. Returns whether
// it had problems; throws CliFailure when it cannot be read.
bool ReportOnOneOfSeveral(const MapInput& input, const ReportOptions& options, const Reporter& report,
                          Json& object) {
    if (!input.Error.isEmpty())
        throw CliFailure(input.Error);
    const LoadedMap map = options.CorrectsTileSet ? LoadInput(input.Path) : ReadMapFile(input.Path);
    const MapReport result = report(input, map);
    if (options.PrintJson) {
        object["tileset"] = TileSetNumber(map.TileSet);
        if (map.TileSetCorrected)
            object["warning"] = TileSetCorrectedMessage().toStdString();
        object["report"] = result.Object;
    } else {
        Print(Prefixed(result.Text, input.Shown().toStdString() + ": "));
    }
    return result.Problem;
}

// The run over the inputs that every reporting command shares. One file keeps the output of a single
// map exactly; several (or a folder) prefix each text line with the map's path, or give one JSON array
// with an object per map, one object a line. An unreadable map is reported and the run goes on; the status
// is 2 when any map could not be read, else 1 when problems count and a map has problems, else 0.
int ReportOnMaps(const QStringList& arguments, const ReportOptions& options, const Reporter& report) {
    const MapInputs inputs = ExpandMapInputs(arguments, [](const QString& text) { PrintError(text); });
    if (!inputs.Several) {
        const MapInput& input = inputs.Maps.front();
        // A failure ends the command as before.
        if (!input.Error.isEmpty())
            throw CliFailure(input.Error);
        const LoadedMap map = options.CorrectsTileSet ? LoadInput(input.Path) : ReadMapFile(input.Path);
        const MapReport result = report(input, map);
        Print(options.PrintJson ? JsonLine(result.Object) + "\n" : result.Text);
        return result.Problem && options.ProblemsCount ? ExitProblemsFound : ExitSuccess;
    }
    bool unreadable = false;
    bool problem = false;
    if (options.PrintJson)
        Print("[");
    bool first = true;
    for (const MapInput& input : inputs.Maps) {
        Json object = {{"path", input.Path.toStdString()}};
        // Two names can look alike once bytes that are not UTF-8 are shown; their bytes tell them apart.
        if (!input.Bytes.isEmpty())
            object["path_bytes"] = input.Bytes.toHex().toStdString();
        try {
            problem = ReportOnOneOfSeveral(input, options, report, object) || problem;
        } catch (const CliFailure& failure) {
            PrintError(failure.Line());
            unreadable = true;
            object["error"] = failure.Line().toStdString();
        }
        if (options.PrintJson) {
            Print((first ? "\n" : ",\n") + JsonLine(object));
            first = false;
        }
    }
    if (options.PrintJson)
        Print(first ? "]\n" : "\n]\n");
    if (unreadable)
        return ExitError;
    return problem && options.ProblemsCount ? ExitProblemsFound : ExitSuccess;
}

const QCommandLineOption JsonOption(QStringLiteral("json"),
                                    QStringLiteral("Print JSON: one object for one file, else an array with an "
                                                   "object per map."));

// Thumbnails ask for 128 to 1024 pixels; anything up to this is taken and drawn at most 48 x 32 pixels.
constexpr int MaxThumbnailSize = 16384;

// The smallest tile edge whose picture still fills `size` pixels, so that scaling down from it keeps the most
// detail for the least work; the largest edge when none fills it.
TileEdge EdgeToFit(int size) {
    for (const TileEdge edge : AllTileEdges) // smallest first
        if (MapSize * Pixels(edge) >= size)
            return edge;
    return TileEdge::Px32;
}

const QString InputsNote = QStringLiteral(
    "\nFILE may be a folder: every *.map file below it is read, in the order of their paths. With several maps "
    "each text line starts with the map's path.");

} // namespace

int CheckCommand(const CommandEntry& command, const QStringList& arguments) {
    CommandLine line(command,
                     QStringLiteral("Checks maps against the game's rules and prints the report lines of the "
                                    "map check for each file's tile set.") +
                         InputsNote +
                         QStringLiteral("\nExit status 0: no problem; 1: problems found; 2: a map could not be "
                                        "read."),
                     {QStringLiteral("FILE.map")}, true);
    line.AddOption(JsonOption);
    line.AddOption(CheckSymmetryOption);
    if (!line.Parse(arguments))
        return ExitSuccess;
    const auto symmetry = CheckSymmetryMode(line);
    const ReportOptions options{.PrintJson = line.IsSet(JsonOption), .ProblemsCount = true};
    return ReportOnMaps(line.Positionals(), options, [&](const MapInput&, const LoadedMap& map) {
        const MapCheckReport report = CheckMap(map.Grid, map.TileSet);
        // The symmetry line follows the rule lines; breaking the symmetry counts as a problem.
        const auto asymmetry = symmetry ? AsymmetryText(map.Grid, *symmetry) : std::nullopt;
        MapReport result{.Problem = report.Problem || asymmetry.has_value()};
        if (options.PrintJson) {
            result.Object = CheckJson(report);
            if (symmetry)
                result.Object["asymmetry"] = asymmetry ? Json(*asymmetry) : Json(nullptr);
        } else {
            result.Text = CheckText(report) + (asymmetry ? *asymmetry + "\n" : std::string());
        }
        return result;
    });
}

int AnalyseCommand(const CommandEntry& command, const QStringList& arguments) {
    CommandLine line(command,
                     QStringLiteral("Prints the faction analysis of maps: each faction's castles, houses, "
                                    "fields, territory (the open cells it reaches at a lower cost than any "
                                    "other) and how many of its houses and fields lie in it; the least costs "
                                    "between the castles; the contested and unreachable cells; and the balance, "
                                    "largest territory over smallest. Then the turn order and the costs; per "
                                    "faction its territory by turn (a tie goes to the earlier mover), its houses "
                                    "and fields safe, threatened and lost, the margin, its front and its room; "
                                    "and the turn-order balance of each rotation of the order and the worst.") +
                         InputsNote,
                     {QStringLiteral("FILE.map")}, true);
    line.AddOption(JsonOption);
    AddAnalysisRuleOptions(line);
    if (!line.Parse(arguments))
        return ExitSuccess;
    const AnalysisRules rules = ReadAnalysisRules(line);
    const ReportOptions options{.PrintJson = line.IsSet(JsonOption)};
    return ReportOnMaps(line.Positionals(), options, [&](const MapInput&, const LoadedMap& map) {
        const FactionAnalysis analysis = AnalyseFactions(map.Grid, rules.Costs, rules.Order);
        if (options.PrintJson)
            return MapReport{.Object = AnalysisJson(analysis, map.TileSet)};
        return MapReport{.Text = AnalysisText(analysis, map.TileSet)};
    });
}

int StatsCommand(const CommandEntry& command, const QStringList& arguments) {
    CommandLine line(command,
                     QStringLiteral("Counts the cells of each role, the castles, houses and fields of each "
                                    "faction, and the passable and blocked cells of maps.") +
                         InputsNote,
                     {QStringLiteral("FILE.map")}, true);
    line.AddOption(JsonOption);
    if (!line.Parse(arguments))
        return ExitSuccess;
    const ReportOptions options{.PrintJson = line.IsSet(JsonOption)};
    return ReportOnMaps(line.Positionals(), options, [&](const MapInput&, const LoadedMap& map) {
        if (options.PrintJson)
            return MapReport{.Object = StatsJson(map.Grid, map.TileSet)};
        return MapReport{.Text = StatsText(map.Grid, map.TileSet)};
    });
}

int TextCommand(const CommandEntry& command, const QStringList& arguments) {
    CommandLine line(command,
                     QStringLiteral("Prints maps in their text form: a line \"tileset N NAME bytes XX YY\" (the "
                                    "number as the file gives it and the two bytes it is stored in), then one "
                                    "line per row from the top with the row's 48 codes in hex. 'fromtext' turns "
                                    "it back into the same bytes.") +
                         InputsNote,
                     {QStringLiteral("FILE.map")}, true);
    if (!line.Parse(arguments))
        return ExitSuccess;
    // The text keeps the file's own tile-set bytes, so a set outside 1..9 is shown, not corrected, and the
    // correction's warning would be wrong here (and would show in every version-control diff).
    return ReportOnMaps(line.Positionals(), ReportOptions{.CorrectsTileSet = false},
                        [](const MapInput& input, const LoadedMap& map) {
        if (map.ReportedSize > static_cast<qint64>(MapFileSize))
            PrintError(input.Shown() + QStringLiteral(": only the first 2306 bytes are a map; the rest of the file is "
                                                 "not in the text and 'fromtext' will not bring it back"));
        return MapReport{.Text = FormatMapText(StoredImage(map))};
    });
}

namespace {

// What render was asked for, read from its options.
struct RenderSettings {
    TileEdge Edge = TileEdge::Px16;
    std::optional<int> FitSize;         // --size: thumbnails of FitSize pixels
    std::optional<TileSet> DrawnSet;    // --tileset, else each file's own
    bool Territory = false;
    AnalysisRules Rules; // what --territory measures with
    int Jobs = 1;
    std::optional<QString> Output;      // -o
    std::optional<QString> OutDir;      // --out-dir
};

// Nothing when the help was asked for (and has been printed).
std::optional<RenderSettings> ParseRenderOptions(CommandLine& line, const QStringList& arguments) {
    const QCommandLineOption outputOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                          QStringLiteral("Write the picture to <file>; one input only."),
                                          QStringLiteral("file"));
    const QCommandLineOption outDirOption(QStringLiteral("out-dir"),
                                          QStringLiteral("Write a picture per map below <folder>."),
                                          QStringLiteral("folder"));
    const QCommandLineOption edgeOption(QStringLiteral("edge"),
                                        QStringLiteral("Tile edge in pixels: 4, 8, 16 (default) or 32."),
                                        QStringLiteral("pixels"));
    const QCommandLineOption sizeOption(QStringLiteral("size"),
                                        QStringLiteral("Make the picture PX by PX pixels, but never larger than "
                                                       "%2 by %2 (PX from 1 to %1): drawn with the smallest tile "
                                                       "edge that fills PX, then scaled down smoothly.")
                                            .arg(MaxThumbnailSize)
                                            .arg(MapSize * Pixels(TileEdge::Px32)),
                                        QStringLiteral("PX"));
    const QCommandLineOption tileSetOption(QStringLiteral("tileset"),
                                           QStringLiteral("Draw with tile set N (1 to 9) instead of the file's."),
                                           QStringLiteral("N"));
    const QCommandLineOption territoryOption(QStringLiteral("territory"),
                                             QStringLiteral("Tint every cell by the faction whose territory it is, "
                                                            "as the faction analysis window shows it."));
    const QCommandLineOption jobsOption(QStringLiteral("jobs"),
                                        QStringLiteral("Draw N maps at a time (default: the number of cores)."),
                                        QStringLiteral("N"));
    for (const auto* option :
         {&outputOption, &outDirOption, &edgeOption, &sizeOption, &tileSetOption, &territoryOption, &jobsOption})
        line.AddOption(*option);
    AddAnalysisRuleOptions(line);
    if (!line.Parse(arguments))
        return std::nullopt;
    RenderSettings settings;

    settings.Edge = line.Edge(edgeOption).value_or(TileEdge::Px16);
    settings.FitSize = line.Number(sizeOption, 1, MaxThumbnailSize);
    if (settings.FitSize && line.Value(edgeOption))
        line.Fail(QStringLiteral("give --edge or --size, not both"));
    if (settings.FitSize)
        settings.Edge = EdgeToFit(*settings.FitSize);
    const auto tileSetNumber = line.Number(tileSetOption, 1, TileSetCount);
    settings.DrawnSet = tileSetNumber ? TileSetNumbered(*tileSetNumber) : std::nullopt;
    settings.Territory = line.IsSet(territoryOption);
    if (!settings.Territory && AnalysisRulesGiven(line))
        line.Fail(QStringLiteral("--costs and --turn-order measure the territory of --territory; give it too"));
    settings.Rules = ReadAnalysisRules(line);
    settings.Jobs = line.Number(jobsOption, 1, 256).value_or(std::max(1, QThread::idealThreadCount()));
    settings.Output = line.Value(outputOption);
    settings.OutDir = line.Value(outDirOption);
    if (settings.Output && settings.OutDir)
        line.Fail(QStringLiteral("give -o or --out-dir, not both"));
    if (!settings.Output && !settings.OutDir)
        line.Fail(QStringLiteral("-o or --out-dir is required"));
    if ((settings.Output && settings.Output->isEmpty()) || (settings.OutDir && settings.OutDir->isEmpty()))
        line.Fail(QStringLiteral("the output must not be empty"));
    return settings;
}

// A picture whose path is the folder another picture needs ("a.png" and "a.png/b.png") would make one
// of the two fail while writing, and which one would depend on --jobs: refused before anything is written.
void RefuseFileFolderClashes(const std::map<QString, QString>& taken) {
    for (const auto& [target, input] : taken) {
        for (QString folder = QFileInfo(target).path(); folder != u"." && folder != u"/" && !folder.isEmpty();) {
            const auto clash = taken.find(folder);
            if (clash != taken.end())
                throw CliFailure(QStringLiteral("%1 would be drawn to %2, which %3 needs as a folder for %4; "
                                                "nothing was written")
                                     .arg(ShownName(clash->second), ShownName(clash->first), ShownName(input),
                                          ShownName(target)));
            const QString parent = QFileInfo(folder).path();
            if (parent == folder)
                break;
            folder = parent;
        }
    }
}

// The picture's path for every input, decided, and unique, before anything is written. An input that cannot
// be read by its name gets an empty path (it is reported when its turn comes).
std::vector<QString> PictureTargets(const MapInputs& inputs, const RenderSettings& settings) {
    std::vector<QString> targets;
    std::map<QString, QString> taken; // output -> the input that takes it
    QStringList readable;
    for (const MapInput& input : inputs.Maps)
        if (input.Error.isEmpty())
            readable << input.Path;
    const InputFiles inputFiles(readable);
    for (const MapInput& input : inputs.Maps) {
        QString target = settings.Output.value_or(QString());
        if (!input.Error.isEmpty()) { // its decoded name could clash with another map's
            targets.push_back(QString());
            continue;
        }
        if (settings.OutDir) {
            QString relative = input.Relative;
            if (relative.endsWith(QStringLiteral(".map")))
                relative.chop(4);
            target = QDir(*settings.OutDir).filePath(relative + QStringLiteral(".png"));
        }
        inputFiles.RefuseAsOutput(target);
        const auto [where, fresh] = taken.emplace(QDir::cleanPath(target), input.Path);
        if (!fresh)
            throw CliFailure(QStringLiteral("%1 and %2 would both be drawn to %3; nothing was written")
                                 .arg(ShownName(where->second), ShownName(input.Path), ShownName(target)));
        targets.push_back(target);
    }
    RefuseFileFolderClashes(taken);
    return targets;
}

// The tile pictures of each tile set at one edge, read on first use by whichever worker needs them.
class TilePictures {
public:
    explicit TilePictures(TileEdge edge) : edge_(edge) {}

    QImage Of(TileSet set) {
        std::lock_guard lock(lock_);
        auto found = pictures_.find(TileSetNumber(set));
        if (found == pictures_.end()) {
            try {
                found = pictures_.insert(TileSetNumber(set),
                                         ReadTileSetPictures(TileBitmaps::LinkedPictureRoot(),
                                                             set)[TileBitmaps::SlotOf(edge_)]);
            } catch (const TileLoadError& error) {
                throw CliFailure(QString::fromUtf8(error.what()));
            }
        }
        return *found;
    }

private:
    TileEdge edge_;
    std::mutex lock_;
    QHash<int, QImage> pictures_;
};

// Draws one map to its picture file. The tile-set correction's message goes to `messages`; a failure is
// thrown as CliFailure.
void DrawMapPicture(const MapInput& input, const QString& target, const RenderSettings& settings,
                    TilePictures& pictures, QStringList& messages) {
    if (!input.Error.isEmpty())
        throw CliFailure(input.Error);
    const LoadedMap map = ReadMapFile(input.Path);
    // A file manager asks for every file named *.map; source and linker maps get no picture.
    if (settings.FitSize && map.ReportedSize != static_cast<qint64>(MapFileSize))
        throw CliFailure(input.Shown() + QStringLiteral(": not a map: %1 bytes, where a map has %2; --size draws "
                                                     "only map files")
                                          .arg(map.ReportedSize)
                                          .arg(MapFileSize));
    if (map.TileSetCorrected)
        messages << input.Shown() + QStringLiteral(": ") + TileSetCorrectedMessage();
    const TileSet set = settings.DrawnSet.value_or(map.TileSet);
    const QImage tiles = pictures.Of(set);
    const int edge = Pixels(settings.Edge);
    const bool scaledDown = settings.FitSize && MapSize * edge > *settings.FitSize;
    QByteArray png;
    if (scaledDown || settings.Territory) {
        QImage drawn = RenderMap(map.Grid, tiles, edge);
        if (settings.Territory)
            drawn = TerritoryPicture(AnalyseFactions(map.Grid, settings.Rules.Costs, settings.Rules.Order), set, drawn);
        if (scaledDown)
            drawn = drawn.scaled(*settings.FitSize, *settings.FitSize, Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
        png = EncodePng(drawn);
    } else {
        png = MapPng(map.Grid, tiles, edge);
    }
    if (settings.OutDir)
        QDir().mkpath(QFileInfo(target).path());
    WritePictureFile(target, png);
}

} // namespace

int RenderCommand(const CommandEntry& command, const QStringList& arguments) {
    CommandLine line(command,
                     QStringLiteral("Draws whole maps as PNG pictures, 48 tiles square, with the tiles of each "
                                    "file's tile set or of --tileset. Codes of 128 and above show the views' "
                                    "marker.\nIN may be a folder: its maps keep their paths below --out-dir, "
                                    "with .png for .map; a file argument gives its base name.\n--size makes "
                                    "thumbnails: it draws only files of exactly 2306 bytes and refuses any "
                                    "other, writing nothing for it."),
                     {QStringLiteral("IN.map")}, true);
    const auto parsed = ParseRenderOptions(line, arguments);
    if (!parsed)
        return ExitSuccess;
    const RenderSettings& settings = *parsed;
    const MapInputs inputs = ExpandMapInputs(line.Positionals(), [](const QString& text) { PrintError(text); });
    if (settings.Output && (inputs.Several || inputs.Maps.size() != 1))
        line.Fail(QStringLiteral("-o takes one input; give --out-dir for several"));
    const std::vector<QString> targets = PictureTargets(inputs, settings);

    // Each map is drawn by a task of its own; the messages are printed afterwards in the inputs' order.
    struct Outcome {
        QStringList Messages;
        bool Failed = false;
    };
    std::vector<Outcome> outcomes(inputs.Maps.size());
    TilePictures pictures(settings.Edge);
    QThreadPool pool;
    pool.setMaxThreadCount(std::min<int>(settings.Jobs, static_cast<int>(std::max<std::size_t>(1, inputs.Maps.size()))));
    for (std::size_t i = 0; i < inputs.Maps.size(); ++i)
        pool.start([&, i] {
            try {
                DrawMapPicture(inputs.Maps[i], targets[i], settings, pictures, outcomes[i].Messages);
            } catch (const CliFailure& failure) {
                outcomes[i].Messages << failure.Line();
                outcomes[i].Failed = true;
            }
        });
    pool.waitForDone();

    bool failed = false;
    for (const Outcome& outcome : outcomes) {
        for (const QString& message : outcome.Messages)
            PrintError(message);
        failed = failed || outcome.Failed;
    }
    return failed ? ExitError : ExitSuccess;
}

} // namespace tav::cli
