#include "Commands.h"

#include "CellBlock.h"
#include "CommandLine.h"
#include "DrawTools.h"
#include "FactionAnalysis.h"
#include "GenerateCommand.h"
#include "MapCheck.h"
#include "MapFiles.h"
#include "Shaping.h"
#include "SymmetryCommands.h"
#include "TerritoryTint.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "TileSets.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace tav::cli {
namespace {

void PrintError(const QString& line) {
    std::fputs(("tavrenna-map: " + line + u'\n').toUtf8().constData(), stderr);
}

// Loads the input as the editor's Open does; a tile set outside 1..9 becomes 1 with the editor's message.
LoadedMap LoadInput(const QString& path) {
    LoadedMap map = ReadMapFile(path);
    if (map.TileSetCorrected)
        PrintError(path + QStringLiteral(": ") + InvalidTileSetMessage);
    return map;
}

const QCommandLineOption OutputOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                      QStringLiteral("Write the result to <file> (may be the input file)."),
                                      QStringLiteral("file"));

QCommandLineOption TileSetOption(const QString& what) {
    return QCommandLineOption(QStringLiteral("tileset"), what, QStringLiteral("N"));
}

int CheckCommand(const QStringList& arguments) {
    CommandLine line(QStringLiteral("check"), QStringLiteral("check FILE.map [--symmetry MODE]"),
                     QStringLiteral("Checks a map against the game's rules and prints the report lines of the "
                                    "map check for the file's tile set.\nExit status 0: no problem; 1: problems "
                                    "found; 2: error."),
                     {QStringLiteral("FILE.map")});
    line.AddOption(CheckSymmetryOption);
    if (!line.Parse(arguments))
        return ExitSuccess;
    const auto symmetry = CheckSymmetryMode(line);
    const LoadedMap map = LoadInput(line.Positional(0));
    const MapCheckReport report = CheckMap(map.Grid, map.TileSet);
    for (const std::string& text : report.Lines) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fputc('\n', stdout);
    }
    const bool asymmetric = symmetry && PrintAsymmetry(map.Grid, *symmetry);
    return report.Problem || asymmetric ? ExitProblemsFound : ExitSuccess;
}

int ShapeCommand(const QStringList& arguments, bool shape) {
    const QString name = shape ? QStringLiteral("shape") : QStringLiteral("unshape");
    CommandLine line(name, name + QStringLiteral(" IN.map -o OUT.map"),
                     shape ? QStringLiteral("Shapes a map as the editor's shaping command does: fitting edge, shore "
                                            "and corner tiles, castle walls and gates, alternating faction tiles.")
                           : QStringLiteral("Unshapes a map: every cell of an edge-aware terrain returns to the "
                                            "plain code of its kind."),
                     {QStringLiteral("IN.map")});
    line.AddOption(OutputOption);
    if (!line.Parse(arguments))
        return ExitSuccess;
    const QString output = line.RequiredValue(OutputOption);
    LoadedMap map = LoadInput(line.Positional(0));
    if (shape)
        ShapeMap(map.Grid);
    else
        UnshapeMap(map.Grid);
    WriteMapFile(output, map.Grid, map.TileSet);
    return ExitSuccess;
}

struct ToolName {
    std::u16string_view Name;
    DrawTool Tool;
};
constexpr std::array<ToolName, 7> ToolNames = {{
    {u"pen", Pen},
    {u"line", Line},
    {u"box", Box},
    {u"boxfill", BoxFill},
    {u"circle", Circle},
    {u"circlefill", CircleFill},
    {u"bucket", Bucket},
}};

int PaintCommand(const QStringList& arguments) {
    CommandLine line(QStringLiteral("paint"),
                     QStringLiteral("paint IN.map -o OUT.map --tool pen|line|box|boxfill|circle|circlefill|bucket "
                                    "--at X,Y [--from X,Y] --code N"),
                     QStringLiteral("Paints one tool stroke with tile code N, as a click in the editor does. "
                                    "--from is the first point of a two-point tool; without it the tool covers "
                                    "the cell at --at alone."),
                     {QStringLiteral("IN.map")});
    const QCommandLineOption toolOption(QStringLiteral("tool"),
                                        QStringLiteral("The tool: pen, line, box, boxfill, circle, circlefill or "
                                                       "bucket."),
                                        QStringLiteral("tool"));
    const QCommandLineOption atOption(QStringLiteral("at"),
                                      QStringLiteral("The cell clicked (the second point of a two-point tool), "
                                                     "X and Y from 0 to 47."),
                                      QStringLiteral("X,Y"));
    const QCommandLineOption fromOption(QStringLiteral("from"),
                                        QStringLiteral("The first point of line, box, boxfill, circle or "
                                                       "circlefill."),
                                        QStringLiteral("X,Y"));
    const QCommandLineOption codeOption(QStringLiteral("code"), QStringLiteral("The tile code, 0 to 127."),
                                        QStringLiteral("N"));
    for (const auto* option : {&OutputOption, &toolOption, &atOption, &fromOption, &codeOption})
        line.AddOption(*option);
    if (!line.Parse(arguments))
        return ExitSuccess;

    const QString output = line.RequiredValue(OutputOption);
    const QString toolText = line.RequiredValue(toolOption);
    int tool = 0;
    for (const ToolName& entry : ToolNames)
        if (toolText == QStringView(entry.Name))
            tool = entry.Tool;
    if (tool == 0)
        line.Fail(QStringLiteral("unknown tool \"%1\"").arg(toolText));
    const auto at = line.Cell(atOption);
    if (!at)
        line.Fail(QStringLiteral("--at is required"));
    const auto from = line.Cell(fromOption);
    // Pen and bucket never have a first point in the editor; taking one would make the bucket a box.
    if (from && ToolKindOf(tool) == CellTool)
        line.Fail(QStringLiteral("--from does not apply to the %1").arg(toolText));
    const auto code = line.Number(codeOption, 0, 127);
    if (!code)
        line.Fail(QStringLiteral("--code is required"));

    LoadedMap map = LoadInput(line.Positional(0));
    ShapeCells cells;
    ApplyToolToGrid(cells, map.Grid, tool, static_cast<TileCode>(*code), from ? from->X : -1, from ? from->Y : -1,
                    at->X, at->Y);
    WriteMapFile(output, map.Grid, map.TileSet);
    return ExitSuccess;
}

// The map comes back to itself after 48 turns, so a large count costs no more than 47 turns.
constexpr int MaxShiftCount = 1000000;

int ShiftCommand(const QStringList& arguments) {
    CommandLine line(QStringLiteral("shift"), QStringLiteral("shift IN.map -o OUT.map --dir left|right|up|down "
                                                             "[--count N]"),
                     QStringLiteral("Turns the map by one cell per step with wrap-around: what leaves one edge "
                                    "comes back on the opposite one."),
                     {QStringLiteral("IN.map")});
    const QCommandLineOption dirOption(QStringLiteral("dir"), QStringLiteral("left, right, up or down."),
                                       QStringLiteral("direction"));
    const QCommandLineOption countOption(QStringLiteral("count"),
                                         QStringLiteral("How many cells to turn (default 1, at most %1).")
                                             .arg(MaxShiftCount),
                                         QStringLiteral("N"));
    line.AddOption(OutputOption);
    line.AddOption(dirOption);
    line.AddOption(countOption);
    if (!line.Parse(arguments))
        return ExitSuccess;

    const QString output = line.RequiredValue(OutputOption);
    const QString dirText = line.RequiredValue(dirOption);
    ShiftDirection direction{};
    if (dirText == u"left")
        direction = ShiftDirection::Left;
    else if (dirText == u"right")
        direction = ShiftDirection::Right;
    else if (dirText == u"up")
        direction = ShiftDirection::Up;
    else if (dirText == u"down")
        direction = ShiftDirection::Down;
    else
        line.Fail(QStringLiteral("unknown direction \"%1\"").arg(dirText));
    const int count = line.Number(countOption, 0, MaxShiftCount).value_or(1);

    LoadedMap map = LoadInput(line.Positional(0));
    for (int step = 0; step < count % MapSize; ++step)
        ShiftMap(map.Grid, direction);
    WriteMapFile(output, map.Grid, map.TileSet);
    return ExitSuccess;
}

// "X1,Y1,X2,Y2", each 0..47, corners in any order.
std::optional<CellRect> RectArgument(const CommandLine& line, const QCommandLineOption& option) {
    const auto text = line.Value(option);
    if (!text)
        return std::nullopt;
    const QStringList parts = text->split(u',');
    std::array<int, 4> values{};
    bool valid = parts.size() == 4;
    for (qsizetype i = 0; valid && i < 4; ++i) {
        const auto value = ParseWholeNumber(parts[i], 0, MapSize - 1);
        valid = value.has_value();
        values[static_cast<std::size_t>(i)] = value.value_or(0);
    }
    if (!valid)
        line.Fail(QStringLiteral("--rect must be X1,Y1,X2,Y2 with whole numbers from 0 to %1, not \"%2\"")
                      .arg(MapSize - 1)
                      .arg(*text));
    return RectFromCorners(values[0], values[1], values[2], values[3]);
}

int ReplaceCommand(const QStringList& arguments, bool exchange) {
    const QString name = exchange ? QStringLiteral("exchange") : QStringLiteral("replace");
    CommandLine line(name, name + QStringLiteral(" IN.map -o OUT.map --code A --with B [--rect X1,Y1,X2,Y2]"),
                     exchange ? QStringLiteral("Swaps tile codes A and B, in the whole map or inside the rectangle, "
                                               "as the editor's 交換 does.")
                              : QStringLiteral("Replaces tile code A by B, in the whole map or inside the "
                                               "rectangle, as the editor's 置換 does. A may be any byte, so codes "
                                               "without a tile can be repaired."),
                     {QStringLiteral("IN.map")});
    const QCommandLineOption codeOption(QStringLiteral("code"),
                                        exchange ? QStringLiteral("Code A, 0 to 127.")
                                                 : QStringLiteral("The code to replace, 0 to 255."),
                                        QStringLiteral("A"));
    const QCommandLineOption withOption(QStringLiteral("with"),
                                        exchange ? QStringLiteral("Code B, 0 to 127.")
                                                 : QStringLiteral("The code to write, 0 to 127."),
                                        QStringLiteral("B"));
    const QCommandLineOption rectOption(QStringLiteral("rect"),
                                        QStringLiteral("Only inside this rectangle, corners included, in any order, "
                                                       "each 0 to 47."),
                                        QStringLiteral("X1,Y1,X2,Y2"));
    for (const auto* option : {&OutputOption, &codeOption, &withOption, &rectOption})
        line.AddOption(*option);
    if (!line.Parse(arguments))
        return ExitSuccess;

    const QString output = line.RequiredValue(OutputOption);
    const auto a = line.Number(codeOption, 0, exchange ? 127 : 255);
    if (!a)
        line.Fail(QStringLiteral("--code is required"));
    const auto b = line.Number(withOption, 0, 127);
    if (!b)
        line.Fail(QStringLiteral("--with is required"));
    const CellRect area = RectArgument(line, rectOption).value_or(WholeMap);

    LoadedMap map = LoadInput(line.Positional(0));
    if (exchange)
        ExchangeCodes(map.Grid, static_cast<TileCode>(*a), static_cast<TileCode>(*b), area);
    else
        ReplaceCodes(map.Grid, static_cast<TileCode>(*a), static_cast<TileCode>(*b), area);
    WriteMapFile(output, map.Grid, map.TileSet);
    return ExitSuccess;
}

int RenderCommand(const QStringList& arguments) {
    CommandLine line(QStringLiteral("render"),
                     QStringLiteral("render IN.map -o OUT.png [--edge 4|8|16|32] [--tileset N] [--territory]"),
                     QStringLiteral("Draws the whole map as a PNG picture, 48 tiles square, with the tiles of the "
                                    "file's tile set or of --tileset. Codes of 128 and above show the views' "
                                    "marker."),
                     {QStringLiteral("IN.map")});
    const QCommandLineOption edgeOption(QStringLiteral("edge"),
                                        QStringLiteral("Tile edge in pixels: 4, 8, 16 (default) or 32."),
                                        QStringLiteral("pixels"));
    const QCommandLineOption tileSetOption = TileSetOption(QStringLiteral("Draw with tile set N (1 to 9) instead "
                                                                          "of the file's."));
    const QCommandLineOption territoryOption(QStringLiteral("territory"),
                                             QStringLiteral("Tint every cell by the faction whose territory it is, "
                                                            "as the faction analysis window shows it."));
    line.AddOption(OutputOption);
    line.AddOption(edgeOption);
    line.AddOption(tileSetOption);
    line.AddOption(territoryOption);
    if (!line.Parse(arguments))
        return ExitSuccess;

    const QString output = line.RequiredValue(OutputOption);
    int scaleIndex = 1; // 16 pixels
    if (const auto edgeText = line.Value(edgeOption)) {
        scaleIndex = -1;
        for (int i = 0; i < ScaleCount; ++i)
            if (ParseWholeNumber(*edgeText, 1, 99) == ScaleTileEdge[static_cast<std::size_t>(i)])
                scaleIndex = i;
        if (scaleIndex < 0)
            line.Fail(QStringLiteral("--edge must be 4, 8, 16 or 32, not \"%1\"").arg(*edgeText));
    }
    const auto tileSet = line.Number(tileSetOption, 1, TileSetCount);

    const LoadedMap map = LoadInput(line.Positional(0));
    TileBitmaps bitmaps;
    try {
        bitmaps.LoadTileSetBitmaps(tileSet.value_or(map.TileSet));
    } catch (const TileLoadError& error) {
        throw CliFailure(QString::fromUtf8(error.what()));
    }
    const int edge = ScaleTileEdge[static_cast<std::size_t>(scaleIndex)];
    QImage picture = RenderMap(map.Grid, bitmaps.Picture(scaleIndex), edge);
    if (line.IsSet(territoryOption))
        picture = TerritoryPicture(AnalyseFactions(map.Grid), tileSet.value_or(map.TileSet), picture);
    // Encoded in memory first, so the file is written in one piece like a map and libpng never sees a
    // failing device.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(picture))
        throw CliFailure(output + QStringLiteral(": cannot encode the picture: ") + writer.errorString());
    WriteFileAtomically(output, png);
    return ExitSuccess;
}

// A JSON string: quotes, backslashes and control characters escaped; the rest stays UTF-8 as it is.
std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

std::string DistanceText(int steps, std::string_view none) {
    return steps == NoDistance ? std::string(none) : std::to_string(steps);
}

// Rounded to three decimals, always with the point, whatever the locale.
std::string BalanceText(const std::optional<double>& balance, std::string_view none) {
    return balance ? QString::number(*balance, 'f', 3).toStdString() : std::string(none);
}

std::string AnalysisJson(const FactionAnalysis& analysis, int tileSet) {
    std::string out = "{\"tileset\": " + std::to_string(tileSet) + ", \"factions\": [";
    for (int f = 0; f < FactionCount; ++f) {
        const FactionFigures& figures = analysis.Factions[static_cast<std::size_t>(f)];
        out += f ? ", " : "";
        out += "{\"index\": " + std::to_string(f) + ", \"name\": " + JsonString(FactionName(tileSet, f)) +
               ", \"castles\": [";
        bool first = true;
        for (const std::uint16_t cell : analysis.Castles(f)) {
            out += first ? "[" : ", [";
            out += std::to_string(cell / MapSize) + ", " + std::to_string(cell % MapSize) + "]";
            first = false;
        }
        out += "], \"houses\": " + std::to_string(figures.Houses) + ", \"fields\": " + std::to_string(figures.Fields) +
               ", \"territory\": " + std::to_string(figures.Territory) +
               ", \"in_territory\": " + std::to_string(figures.InTerritory) + "}";
    }
    out += "], \"distance\": [";
    for (int from = 0; from < FactionCount; ++from) {
        out += from ? ", [" : "[";
        for (int to = 0; to < FactionCount; ++to) {
            out += to ? ", " : "";
            out += DistanceText(analysis.Distance[static_cast<std::size_t>(from)][static_cast<std::size_t>(to)],
                                "null");
        }
        out += "]";
    }
    out += "], \"contested\": " + std::to_string(analysis.Contested) +
           ", \"unreachable\": " + std::to_string(analysis.Unreachable) +
           ", \"balance\": " + BalanceText(analysis.Balance, "null") + "}\n";
    return out;
}

std::string AnalysisText(const FactionAnalysis& analysis, int tileSet) {
    std::string out = "tile set " + std::to_string(tileSet) + " " + std::string(TileSetName(tileSet)) + "\n";
    for (int f = 0; f < FactionCount; ++f) {
        const FactionFigures& figures = analysis.Factions[static_cast<std::size_t>(f)];
        out += "faction " + std::to_string(f) + " " + std::string(FactionName(tileSet, f)) + ": ";
        if (figures.CastleCount == 0)
            out += "no castle";
        else
            out += figures.CastleCount == 1 ? "castle" : "castles";
        for (const std::uint16_t cell : analysis.Castles(f))
            out += " (" + std::to_string(cell / MapSize) + "," + std::to_string(cell % MapSize) + ")";
        out += "; houses " + std::to_string(figures.Houses) + ", fields " + std::to_string(figures.Fields) +
               ", territory " + std::to_string(figures.Territory) + ", in territory " +
               std::to_string(figures.InTerritory) + "\n";
    }
    out += "distance in steps from the row's castles to the column's:\n        0     1     2     3\n";
    for (int from = 0; from < FactionCount; ++from) {
        char row[64];
        std::snprintf(row, sizeof row, "  %d", from);
        out += row;
        for (int to = 0; to < FactionCount; ++to) {
            std::snprintf(row, sizeof row, "%6s",
                          DistanceText(analysis.Distance[static_cast<std::size_t>(from)][static_cast<std::size_t>(to)],
                                       "-")
                              .c_str());
            out += row;
        }
        out += "\n";
    }
    out += "contested " + std::to_string(analysis.Contested) + "\nunreachable " +
           std::to_string(analysis.Unreachable) + "\nbalance " + BalanceText(analysis.Balance, "none") + "\n";
    return out;
}

int AnalyseCommand(const QStringList& arguments) {
    CommandLine line(QStringLiteral("analyse"), QStringLiteral("analyse FILE.map [--json]"),
                     QStringLiteral("Prints the faction analysis of a map: each faction's castles, houses, "
                                    "fields, territory (the open cells it reaches in fewer steps than any "
                                    "other) and how many of its houses and fields lie in it; the steps between "
                                    "the castles; the contested and unreachable cells; and the balance, largest "
                                    "territory over smallest."),
                     {QStringLiteral("FILE.map")});
    const QCommandLineOption jsonOption(QStringLiteral("json"), QStringLiteral("Print one JSON object instead."));
    line.AddOption(jsonOption);
    if (!line.Parse(arguments))
        return ExitSuccess;
    const LoadedMap map = LoadInput(line.Positional(0));
    const FactionAnalysis analysis = AnalyseFactions(map.Grid);
    const std::string text =
        line.IsSet(jsonOption) ? AnalysisJson(analysis, map.TileSet) : AnalysisText(analysis, map.TileSet);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return ExitSuccess;
}

int NewCommand(const QStringList& arguments) {
    CommandLine line(QStringLiteral("new"), QStringLiteral("new -o OUT.map [--tileset N]"),
                     QStringLiteral("Writes a new map: every cell 48, as the editor's New makes it."), {});
    const QCommandLineOption tileSetOption = TileSetOption(QStringLiteral("The map's tile set, 1 (default) to 9."));
    line.AddOption(OutputOption);
    line.AddOption(tileSetOption);
    if (!line.Parse(arguments))
        return ExitSuccess;
    const QString output = line.RequiredValue(OutputOption);
    const int tileSet = line.Number(tileSetOption, 1, TileSetCount).value_or(1);
    WriteMapFile(output, FilledGrid(NewMapTile), tileSet);
    return ExitSuccess;
}

const char* const TopDescription =
    "Checks, shapes, paints, renders and analyses Tavrenna .map files with the editor's own rules.\n"
    "\n"
    "Commands:\n"
    "  check FILE.map [--symmetry MODE]     print the map check's report lines\n"
    "  shape IN.map -o OUT.map              shape the map as the editor does\n"
    "  unshape IN.map -o OUT.map            return edge-aware terrain to its plain codes\n"
    "  paint IN.map -o OUT.map --tool T --at X,Y [--from X,Y] --code N\n"
    "                                       paint one tool stroke\n"
    "  shift IN.map -o OUT.map --dir D [--count N]\n"
    "                                       turn the map with wrap-around\n"
    "  replace IN.map -o OUT.map --code A --with B [--rect X1,Y1,X2,Y2]\n"
    "                                       replace tile code A by B\n"
    "  exchange IN.map -o OUT.map --code A --with B [--rect X1,Y1,X2,Y2]\n"
    "                                       swap tile codes A and B\n"
    "  render IN.map -o OUT.png [--edge 4|8|16|32] [--tileset N] [--territory]\n"
    "                                       draw the map as a PNG picture\n"
    "  analyse FILE.map [--json]            print each faction's territory, reach and the balance\n"
    "  new -o OUT.map [--tileset N]         write a new map\n"
    "  symmetrize IN.map -o OUT.map --symmetry lr|tb|quad|half|quarter [--source SHARE]\n"
    "                                       copy one share of the map onto the others\n"
    "  generate -o OUT.map [--seed N] [--symmetry MODE] [--land P] ... [--count K --out-dir DIR]\n"
    "                                       generate a fair map from a seed\n"
    "\n"
    "'tavrenna-map COMMAND --help' describes a command. Exit status: 0 success, 1 the check found\n"
    "problems, 2 error.";

} // namespace

int RunTavrennaMap(const QStringList& arguments) {
    try {
        QCommandLineParser top;
        top.setApplicationDescription(QString::fromUtf8(TopDescription));
        top.addPositionalArgument(QStringLiteral("command"), QStringLiteral("The command to run."),
                                  QStringLiteral("COMMAND [ARGS...]"));
        // Qt's own help option would add --help-all for Qt's options, which this tool does not take.
        const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                      QStringLiteral("Show this help."));
        top.addOption(help);
        const QCommandLineOption version = top.addVersionOption();
        // Everything from the command on belongs to the command's own parser.
        top.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
        if (!top.parse(arguments))
            throw CliFailure(top.errorText() + QStringLiteral(" (see 'tavrenna-map --help')"));
        if (top.isSet(help)) {
            QString text = top.helpText();
            text.replace(0, text.indexOf(u'\n'), QStringLiteral("Usage: tavrenna-map COMMAND [ARGS...]"));
            std::fputs(text.toUtf8().constData(), stdout);
            return ExitSuccess;
        }
        if (top.isSet(version)) {
            std::fputs((QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n')
                           .toUtf8()
                           .constData(),
                       stdout);
            return ExitSuccess;
        }
        QStringList rest = top.positionalArguments();
        if (rest.isEmpty())
            throw CliFailure(QStringLiteral("no command given (see 'tavrenna-map --help')"));
        const QString command = rest.takeFirst();
        if (command == u"check")
            return CheckCommand(rest);
        if (command == u"shape")
            return ShapeCommand(rest, true);
        if (command == u"unshape")
            return ShapeCommand(rest, false);
        if (command == u"paint")
            return PaintCommand(rest);
        if (command == u"shift")
            return ShiftCommand(rest);
        if (command == u"replace")
            return ReplaceCommand(rest, false);
        if (command == u"exchange")
            return ReplaceCommand(rest, true);
        if (command == u"render")
            return RenderCommand(rest);
        if (command == u"analyse")
            return AnalyseCommand(rest);
        if (command == u"new")
            return NewCommand(rest);
        if (command == u"symmetrize")
            return SymmetrizeCommand(rest);
        if (command == u"generate")
            return GenerateCommand(rest);
        throw CliFailure(QStringLiteral("unknown command \"%1\" (see 'tavrenna-map --help')").arg(command));
    } catch (const CliFailure& failure) {
        PrintError(failure.Line());
        return ExitError;
    }
}

} // namespace tav::cli
