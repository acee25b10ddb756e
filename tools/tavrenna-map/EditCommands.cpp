#include "EditCommands.h"

#include "CellBlock.h"
#include "CommandLine.h"
#include "DrawTools.h"
#include "MapFiles.h"
#include "Shaping.h"
#include "TileSets.h"

#include <array>
#include <optional>
#include <string_view>

namespace tav::cli {
namespace {

const QCommandLineOption OutputOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                      QStringLiteral("Write the result to <file> (may be the input file)."),
                                      QStringLiteral("file"));

QCommandLineOption TileSetOption(const QString& what) {
    return QCommandLineOption(QStringLiteral("tileset"), what, QStringLiteral("N"));
}

int ShapeOrUnshape(const CommandEntry& command, const QStringList& arguments, bool shape) {
    CommandLine line(command,
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
    {u"pen", DrawTool::Pen},
    {u"line", DrawTool::Line},
    {u"box", DrawTool::Box},
    {u"boxfill", DrawTool::BoxFill},
    {u"circle", DrawTool::Circle},
    {u"circlefill", DrawTool::CircleFill},
    {u"bucket", DrawTool::Bucket},
}};

} // namespace

int PaintCommand(const CommandEntry& command, const QStringList& arguments) {
    CommandLine line(command,
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
    std::optional<DrawTool> tool;
    for (const ToolName& entry : ToolNames)
        if (toolText == QStringView(entry.Name))
            tool = entry.Tool;
    if (!tool)
        line.Fail(QStringLiteral("unknown tool \"%1\"").arg(toolText));
    const auto at = line.Cell(atOption);
    if (!at)
        line.Fail(QStringLiteral("--at is required"));
    const auto from = line.Cell(fromOption);
    // Pen and bucket never have a first point in the editor; taking one would make the bucket a box.
    if (from && ToolKindOf(*tool) == ToolKind::Cell)
        line.Fail(QStringLiteral("--from does not apply to the %1").arg(toolText));
    const auto code = line.Number(codeOption, 0, 127);
    if (!code)
        line.Fail(QStringLiteral("--code is required"));

    LoadedMap map = LoadInput(line.Positional(0));
    ShapeCells cells;
    ApplyToolToGrid(cells, map.Grid, *tool, static_cast<TileCode>(*code), from ? from->X : -1, from ? from->Y : -1,
                    at->X, at->Y);
    WriteMapFile(output, map.Grid, map.TileSet);
    return ExitSuccess;
}

// The map comes back to itself after 48 turns, so a large count costs no more than 47 turns.
constexpr int MaxShiftCount = 1000000;

int ShiftCommand(const CommandEntry& command, const QStringList& arguments) {
    CommandLine line(command,
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

namespace {

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

} // namespace

namespace {

int ReplaceOrExchange(const CommandEntry& command, const QStringList& arguments, bool exchange) {
    CommandLine line(command,
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

} // namespace

int ShapeCommand(const CommandEntry& command, const QStringList& arguments) {
    return ShapeOrUnshape(command, arguments, true);
}

int UnshapeCommand(const CommandEntry& command, const QStringList& arguments) {
    return ShapeOrUnshape(command, arguments, false);
}

int ReplaceCommand(const CommandEntry& command, const QStringList& arguments) {
    return ReplaceOrExchange(command, arguments, false);
}

int ExchangeCommand(const CommandEntry& command, const QStringList& arguments) {
    return ReplaceOrExchange(command, arguments, true);
}

int NewCommand(const CommandEntry& command, const QStringList& arguments) {
    CommandLine line(command,
                     QStringLiteral("Writes a new map: every cell 48, as the editor's New makes it."), {});
    const QCommandLineOption tileSetOption = TileSetOption(QStringLiteral("The map's tile set, 1 (default) to 9."));
    line.AddOption(OutputOption);
    line.AddOption(tileSetOption);
    if (!line.Parse(arguments))
        return ExitSuccess;
    const QString output = line.RequiredValue(OutputOption);
    const auto number = line.Number(tileSetOption, 1, TileSetCount);
    const TileSet tileSet = TileSetNumbered(number.value_or(1)).value_or(TileSet::Verda);
    WriteMapFile(output, FilledGrid(NewMapTile), tileSet);
    return ExitSuccess;
}


} // namespace tav::cli
