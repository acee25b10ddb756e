#include "PackCommands.h"

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

#include <atomic>
#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tav::cli {
namespace {

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

// What a command makes of one map that could be read.
struct MapReport {
    std::string Text; // whole lines
    std::string Json; // one object
    bool Problem = false;
};
using Reporter = std::function<MapReport(const QString& path, const LoadedMap& map, bool json)>;

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

// The run over the inputs that every reporting command shares. One file keeps the output of a single
// map exactly; several (or a folder) prefix each text line with the map's path, or give one JSON array
// with an object per map. An unreadable map is reported and the run goes on; the status is 2 when any map
// could not be read, else 1 when `problemsCount` and a map has problems, else 0. A command that reads the
// map with a corrected tile set says so on stderr; one that keeps the stored bytes (`text`) stays silent.
int ReportOnMaps(const CommandLine& line, const QStringList& arguments, bool json, bool problemsCount,
                 bool correctsTileSet, const Reporter& report) {
    const MapInputs inputs = ExpandMapInputs(arguments, [](const QString& text) { PrintError(text); });
    bool unreadable = inputs.FolderErrors > 0;
    bool problem = false;
    const auto load = [correctsTileSet](const QString& path) {
        return correctsTileSet ? LoadInput(path) : ReadMapFile(path);
    };
    if (!inputs.Several) {
        const LoadedMap map = load(inputs.Maps.front().Path); // a failure ends the command as before
        const MapReport result = report(inputs.Maps.front().Path, map, json);
        Print(json ? result.Json + "\n" : result.Text);
        return result.Problem && problemsCount ? ExitProblemsFound : ExitSuccess;
    }
    (void)line;
    if (json)
        Print("[");
    bool first = true;
    for (const MapInput& input : inputs.Maps) {
        const std::string path = input.Path.toStdString();
        std::string object = "{\"path\": " + JsonString(path);
        try {
            if (!input.Error.isEmpty())
                throw CliFailure(input.Error);
            const LoadedMap map = load(input.Path);
            const MapReport result = report(input.Path, map, json);
            problem = problem || result.Problem;
            if (json) {
                object += ", \"tileset\": " + std::to_string(TileSetNumber(map.TileSet));
                if (map.TileSetCorrected)
                    object += ", \"warning\": " + JsonString(TileSetCorrectedMessage().toStdString());
                object += ", \"report\": " + result.Json + "}";
            } else {
                Print(Prefixed(result.Text, path + ": "));
            }
        } catch (const CliFailure& failure) {
            PrintError(failure.Line());
            unreadable = true;
            object += ", \"error\": " + JsonString(failure.Line().toStdString()) + "}";
        }
        if (json) {
            Print((first ? "\n" : ",\n") + object);
            first = false;
        }
    }
    if (json)
        Print(first ? "]\n" : "\n]\n");
    if (unreadable)
        return ExitError;
    return problem && problemsCount ? ExitProblemsFound : ExitSuccess;
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

int CheckCommand(const QStringList& arguments) {
    CommandLine line(QStringLiteral("check"), QStringLiteral("check FILE.map... [--json] [--symmetry MODE]"),
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
    return ReportOnMaps(line, line.Positionals(), line.IsSet(JsonOption), true, true,
                        [symmetry](const QString&, const LoadedMap& map, bool json) {
        const MapCheckReport report = CheckMap(map.Grid, map.TileSet);
        // The symmetry line follows the rule lines; breaking the symmetry counts as a problem.
        const auto asymmetry = symmetry ? AsymmetryText(map.Grid, *symmetry) : std::nullopt;
        MapReport result{json ? std::string() : CheckText(report), json ? CheckJson(report) : std::string(),
                         report.Problem || asymmetry};
        if (asymmetry && !json)
            result.Text += *asymmetry + "\n";
        if (symmetry && json) {
            result.Json.pop_back();
            result.Json += ", \"asymmetry\": " + (asymmetry ? JsonString(*asymmetry) : std::string("null")) + "}";
        }
        return result;
    });
}

int AnalyseCommand(const QStringList& arguments) {
    CommandLine line(QStringLiteral("analyse"), QStringLiteral("analyse FILE.map... [--json]"),
                     QStringLiteral("Prints the faction analysis of maps: each faction's castles, houses, "
                                    "fields, territory (the open cells it reaches in fewer steps than any "
                                    "other) and how many of its houses and fields lie in it; the steps between "
                                    "the castles; the contested and unreachable cells; and the balance, largest "
                                    "territory over smallest.") +
                         InputsNote,
                     {QStringLiteral("FILE.map")}, true);
    line.AddOption(JsonOption);
    if (!line.Parse(arguments))
        return ExitSuccess;
    return ReportOnMaps(line, line.Positionals(), line.IsSet(JsonOption), false, true, [](const QString&, const LoadedMap& map, bool json) {
        const FactionAnalysis analysis = AnalyseFactions(map.Grid);
        return MapReport{json ? std::string() : AnalysisText(analysis, map.TileSet),
                         json ? AnalysisJson(analysis, map.TileSet) : std::string(), false};
    });
}

int StatsCommand(const QStringList& arguments) {
    CommandLine line(QStringLiteral("stats"), QStringLiteral("stats FILE.map... [--json]"),
                     QStringLiteral("Counts the cells of each role, the castles, houses and fields of each "
                                    "faction, and the passable and blocked cells of maps.") +
                         InputsNote,
                     {QStringLiteral("FILE.map")}, true);
    line.AddOption(JsonOption);
    if (!line.Parse(arguments))
        return ExitSuccess;
    return ReportOnMaps(line, line.Positionals(), line.IsSet(JsonOption), false, true, [](const QString&, const LoadedMap& map, bool json) {
        return MapReport{json ? std::string() : StatsText(map.Grid, map.TileSet),
                         json ? StatsJson(map.Grid, map.TileSet) : std::string(), false};
    });
}

int TextCommand(const QStringList& arguments) {
    CommandLine line(QStringLiteral("text"), QStringLiteral("text FILE.map..."),
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
    return ReportOnMaps(line, line.Positionals(), false, false, false,
                        [](const QString& path, const LoadedMap& map, bool) {
        if (map.ReportedSize > static_cast<qint64>(MapFileSize))
            PrintError(path + QStringLiteral(": only the first 2306 bytes are a map; the rest of the file is "
                                                 "not in the text and 'fromtext' will not bring it back"));
        return MapReport{FormatMapText(StoredImage(map)), std::string(), false};
    });
}

int RenderCommand(const QStringList& arguments) {
    CommandLine line(QStringLiteral("render"),
                     QStringLiteral("render IN.map... (-o OUT.png | --out-dir DIR) [--edge 4|8|16|32 | --size PX] "
                                    "[--tileset N] [--territory] [--jobs N]"),
                     QStringLiteral("Draws whole maps as PNG pictures, 48 tiles square, with the tiles of each "
                                    "file's tile set or of --tileset. Codes of 128 and above show the views' "
                                    "marker.\nIN may be a folder: its maps keep their paths below --out-dir, "
                                    "with .png for .map; a file argument gives its base name.\n--size makes "
                                    "thumbnails: it draws only files of exactly 2306 bytes and refuses any "
                                    "other, writing nothing for it."),
                     {QStringLiteral("IN.map")}, true);
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
    if (!line.Parse(arguments))
        return ExitSuccess;

    TileEdge edge = line.Edge(edgeOption).value_or(TileEdge::Px16);
    const auto fitSize = line.Number(sizeOption, 1, MaxThumbnailSize);
    if (fitSize && line.Value(edgeOption))
        line.Fail(QStringLiteral("give --edge or --size, not both"));
    if (fitSize)
        edge = EdgeToFit(*fitSize);
    const auto tileSetNumber = line.Number(tileSetOption, 1, TileSetCount);
    const std::optional<TileSet> tileSet = tileSetNumber ? TileSetNumbered(*tileSetNumber) : std::nullopt;
    const int jobs = line.Number(jobsOption, 1, 256).value_or(std::max(1, QThread::idealThreadCount()));
    const auto output = line.Value(outputOption);
    const auto outDir = line.Value(outDirOption);
    if (output && outDir)
        line.Fail(QStringLiteral("give -o or --out-dir, not both"));
    if (!output && !outDir)
        line.Fail(QStringLiteral("-o or --out-dir is required"));
    if ((output && output->isEmpty()) || (outDir && outDir->isEmpty()))
        line.Fail(QStringLiteral("the output must not be empty"));

    const QStringList positionals = line.Positionals();
    const MapInputs inputs = ExpandMapInputs(positionals, [](const QString& text) { PrintError(text); });
    if (output && (inputs.Several || inputs.Maps.size() != 1))
        line.Fail(QStringLiteral("-o takes one input; give --out-dir for several"));

    // Every output name is decided, and must be unique, before anything is written.
    std::vector<QString> targets;
    std::map<QString, QString> taken; // output -> the input that takes it
    for (const MapInput& input : inputs.Maps) {
        QString target = output.value_or(QString());
        if (!input.Error.isEmpty()) { // reported below; its decoded name could clash with another map's
            targets.push_back(target);
            continue;
        }
        if (outDir) {
            QString relative = input.Relative;
            if (relative.endsWith(QStringLiteral(".map")))
                relative.chop(4);
            target = QDir(*outDir).filePath(relative + QStringLiteral(".png"));
        }
        const auto [where, fresh] = taken.emplace(QDir::cleanPath(target), input.Path);
        if (!fresh)
            throw CliFailure(QStringLiteral("%1 and %2 would both be drawn to %3; nothing was written")
                                 .arg(where->second, input.Path, target));
        targets.push_back(target);
    }

    // The tile pictures are read once per set, before the workers start, and only read afterwards.
    std::mutex picturesLock;
    QHash<int, QImage> pictures;
    const auto picture = [&](TileSet set) -> QImage {
        std::lock_guard lock(picturesLock);
        auto found = pictures.find(TileSetNumber(set));
        if (found == pictures.end()) {
            try {
                found = pictures.insert(TileSetNumber(set), ReadTileSetPictures(TileBitmaps::LinkedPictureRoot(), set)
                                                                [TileBitmaps::SlotOf(edge)]);
            } catch (const TileLoadError& error) {
                throw CliFailure(QString::fromUtf8(error.what()));
            }
        }
        return *found;
    };

    struct Outcome {
        QStringList Messages;
        bool Failed = false;
    };
    std::vector<Outcome> outcomes(inputs.Maps.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < inputs.Maps.size(); i = next++) {
            Outcome& outcome = outcomes[i];
            try {
                if (!inputs.Maps[i].Error.isEmpty())
                    throw CliFailure(inputs.Maps[i].Error);
                const LoadedMap map = ReadMapFile(inputs.Maps[i].Path);
                // A file manager asks for every file named *.map; source and linker maps get no picture.
                if (fitSize && map.ReportedSize != static_cast<qint64>(MapFileSize))
                    throw CliFailure(inputs.Maps[i].Path + QStringLiteral(": not a map: %1 bytes, where a map has "
                                                                          "%2; --size draws only map files")
                                                               .arg(map.ReportedSize)
                                                               .arg(MapFileSize));
                if (map.TileSetCorrected)
                    outcome.Messages << inputs.Maps[i].Path + QStringLiteral(": ") + TileSetCorrectedMessage();
                const TileSet set = tileSet.value_or(map.TileSet);
                const QImage tiles = picture(set);
                const bool scaledDown = fitSize && MapSize * Pixels(edge) > *fitSize;
                QByteArray png;
                if (scaledDown || line.IsSet(territoryOption)) {
                    QImage drawn = RenderMap(map.Grid, tiles, Pixels(edge));
                    if (line.IsSet(territoryOption))
                        drawn = TerritoryPicture(AnalyseFactions(map.Grid), set, drawn);
                    if (scaledDown)
                        drawn = drawn.scaled(*fitSize, *fitSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                    png = EncodePng(drawn);
                } else {
                    png = MapPng(map.Grid, tiles, Pixels(edge));
                }
                if (outDir)
                    QDir().mkpath(QFileInfo(targets[i]).path());
                WriteFileAtomically(targets[i], png);
            } catch (const CliFailure& failure) {
                outcome.Messages << failure.Line();
                outcome.Failed = true;
            }
        }
    };
    std::vector<std::jthread> workers;
    for (int j = 1; j < std::min<int>(jobs, static_cast<int>(inputs.Maps.size())); ++j)
        workers.emplace_back(work);
    work();
    workers.clear();

    bool failed = inputs.FolderErrors > 0;
    for (const Outcome& outcome : outcomes) {
        for (const QString& message : outcome.Messages)
            PrintError(message);
        failed = failed || outcome.Failed;
    }
    return failed ? ExitError : ExitSuccess;
}

} // namespace tav::cli
