#include "TextCommands.h"

#include "AnalysisRules.h"
#include "CellGrid.h"
#include "CommandLine.h"
#include "FactionAnalysis.h"
#include "MapCheck.h"
#include "MapFiles.h"
#include "MapPng.h"
#include "MapText.h"
#include "Reports.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "TileRoles.h"
#include "TileSets.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <string>
#include <vector>

namespace tav::cli {
namespace {

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

std::string Hex(int byte) {
    static constexpr char digits[] = "0123456789ABCDEF";
    return {digits[(byte >> 4) & 0xF], digits[byte & 0xF]};
}

// The tile-set number as the file gives it, before any correction.
int StoredTileSet(const MapImage& image) { return static_cast<std::int8_t>(image[TileSetByteOffset]) / 10; }

std::string TileSetText(int number) {
    const auto set = TileSetNumbered(number);
    const std::string_view name = set ? TileSetName(*set) : std::string_view{};
    return std::to_string(number) + " " + (name.empty() ? std::string("-") : std::string(name));
}

std::string RoleName(int code) {
    for (const TileRole& role : TileRoles)
        if (code >= role.First && code <= role.Last)
            return role.Name;
    return {};
}

std::string Signed(int n) { return (n > 0 ? "+" : "") + std::to_string(n); }

std::string BalanceText(const std::optional<double>& balance, const char* none) {
    return balance ? QString::number(*balance, 'f', 3).toStdString() : std::string(none);
}

// Colours for the frames around changed cells: a dark and a light ring, so that one of them stands out
// on any tile set's colours. At a 4-pixel edge the light ring fills the cell's middle: a dark ring alone
// vanishes on the dark water and forests of some sets.
constexpr QRgb FrameDark = 0xFF000000;
constexpr QRgb FrameLight = 0xFFFF40FF;

QImage FramedPicture(const MapImage& after, TileSet tileSet, TileEdge tileEdge, const std::vector<int>& changed) {
    const int edge = Pixels(tileEdge);
    MapGrid grid{};
    std::copy_n(after.begin(), MapCells, grid.begin());
    QImage picture =
        RenderMap(grid, ReadTileSetPictures(TileBitmaps::LinkedPictureRoot(), tileSet)[TileBitmaps::SlotOf(tileEdge)],
                  edge)
            .convertToFormat(QImage::Format_RGB32);
    QPainter painter(&picture);
    const int ring = edge >= 16 ? 2 : 1;
    for (const int index : changed) {
        const QRect cell((index / MapSize) * edge, (index % MapSize) * edge, edge, edge);
        painter.fillRect(cell.left(), cell.top(), edge, ring, FrameDark);
        painter.fillRect(cell.left(), cell.bottom() - ring + 1, edge, ring, FrameDark);
        painter.fillRect(cell.left(), cell.top(), ring, edge, FrameDark);
        painter.fillRect(cell.right() - ring + 1, cell.top(), ring, edge, FrameDark);
        const QRect inner = cell.adjusted(ring, ring, -ring, -ring);
        painter.fillRect(inner.left(), inner.top(), inner.width(), ring, FrameLight);
        painter.fillRect(inner.left(), inner.bottom() - ring + 1, inner.width(), ring, FrameLight);
        painter.fillRect(inner.left(), inner.top(), ring, inner.height(), FrameLight);
        painter.fillRect(inner.right() - ring + 1, inner.top(), ring, inner.height(), FrameLight);
    }
    return picture;
}

} // namespace

int FromTextCommand(const CommandEntry& command, const QStringList& arguments) {
    CommandLine line(command,
                     QStringLiteral("Turns the text form that 'text' prints back into a map file, byte for byte; "
                                    "the tile-set bytes come from the first line's \"bytes XX YY\". Codes are "
                                    "two hex digits, 00 to FF in either case; a leading byte-order mark is "
                                    "skipped. A file larger than 1 MiB is refused."),
                     {QStringLiteral("FILE.txt")});
    const QCommandLineOption outputOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                          QStringLiteral("Write the map to <file>."), QStringLiteral("file"));
    line.AddOption(outputOption);
    if (!line.Parse(arguments))
        return ExitSuccess;
    const QString output = line.RequiredValue(outputOption);
    const QString input = line.Positional(0);
    // A text map is about 7 KB; a larger file (a disk image, a log) is refused whole, never cut.
    constexpr qint64 TextLimit = 1 << 20;
    const QByteArray text = ReadTextFile(input, TextLimit);
    const MapTextResult result = ParseMapText(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    if (!result.Image) {
        QString where = QStringLiteral("line %1").arg(result.Line);
        // The place counts the words of the header line and the codes of a row, not characters.
        if (result.Column > 0)
            where += (result.Line == 1 ? QStringLiteral(", word %1") : QStringLiteral(", code %1")).arg(result.Column);
        throw CliFailure(ShownName(input) + QStringLiteral(": ") + where + QStringLiteral(": ") +
                         QString::fromStdString(result.Error));
    }
    RemoveStaleTemporaries(output);
    WriteFileAtomically(output, MapImageBytes(*result.Image));
    return ExitSuccess;
}

namespace {

// What changed from map A to map B.
struct MapDifference {
    std::vector<int> Changed; // grid indices in reading order: row by row from the top
    int SetBefore = 0, SetAfter = 0;
    // Two stored bytes can give one tile set (0A and 0B are both set 1) and the second byte is not read at
    // all, yet files that differ there are not equal.
    std::array<int, 2> BytesBefore{}, BytesAfter{};
    // Cells gained (+) and lost (-) by each role, in the order the roles first appear.
    std::vector<std::pair<std::string, int>> Roles;
    FactionAnalysis Before, After;

    bool Equal() const { return Changed.empty() && BytesBefore == BytesAfter; }
};

MapDifference Compare(const LoadedMap& a, const LoadedMap& b, const AnalysisRules& rules) {
    MapDifference difference;
    for (int y = 0; y < MapSize; ++y)
        for (int x = 0; x < MapSize; ++x)
            if (a.Grid[GridIndex(x, y)] != b.Grid[GridIndex(x, y)])
                difference.Changed.push_back(CellIndex(x, y));
    const MapImage storedBefore = StoredImage(a), storedAfter = StoredImage(b);
    difference.SetBefore = StoredTileSet(storedBefore);
    difference.SetAfter = StoredTileSet(storedAfter);
    difference.BytesBefore = {storedBefore[TileSetByteOffset], storedBefore[TileSetByteOffset + 1]};
    difference.BytesAfter = {storedAfter[TileSetByteOffset], storedAfter[TileSetByteOffset + 1]};
    for (const int index : difference.Changed) {
        for (const auto& [code, step] : {std::pair{a.Grid[static_cast<std::size_t>(index)], -1},
                                         std::pair{b.Grid[static_cast<std::size_t>(index)], +1}}) {
            const std::string role = RoleName(code);
            auto found = std::find_if(difference.Roles.begin(), difference.Roles.end(),
                                      [&](const auto& entry) { return entry.first == role; });
            if (found == difference.Roles.end())
                difference.Roles.emplace_back(role, step);
            else
                found->second += step;
        }
    }
    difference.Before = AnalyseFactions(a.Grid, rules.Costs, rules.Order);
    difference.After = AnalyseFactions(b.Grid, rules.Costs, rules.Order);
    return difference;
}

Json DifferenceJson(const MapDifference& difference, const MapGrid& a, const MapGrid& b) {
    Json cells = Json::array();
    for (const int index : difference.Changed) {
        const auto i = static_cast<std::size_t>(index);
        cells.push_back({{"x", index / MapSize},
                         {"y", index % MapSize},
                         {"before", a[i]},
                         {"after", b[i]},
                         {"before_role", RoleName(a[i])},
                         {"after_role", RoleName(b[i])}});
    }
    Json roles = Json::object();
    for (const auto& [role, delta] : difference.Roles)
        if (delta != 0)
            roles[role] = delta;
    Json factions = Json::array();
    for (int f = 0; f < FactionCount; ++f) {
        const auto i = static_cast<std::size_t>(f);
        factions.push_back({{"index", f},
                            {"territory_before", difference.Before.Factions[i].Territory},
                            {"territory_after", difference.After.Factions[i].Territory}});
    }
    return {{"equal", difference.Equal()},
            {"cells", cells},
            {"roles", roles},
            {"tileset", {{"before", difference.SetBefore}, {"after", difference.SetAfter}}},
            {"bytes", {{"before", difference.BytesBefore}, {"after", difference.BytesAfter}}},
            {"factions", factions},
            {"balance",
             {{"before", ThreeDecimals(difference.Before.Balance)}, {"after", ThreeDecimals(difference.After.Balance)}}},
            {"figures", {{"before", FairnessFiguresJson(difference.Before)}, {"after", FairnessFiguresJson(difference.After)}}}};
}

std::string Change(const std::string& before, const std::string& after) { return before + " → " + after; }
std::string Change(int before, int after) { return Change(std::to_string(before), std::to_string(after)); }
std::string Change(const std::optional<int>& before, const std::optional<int>& after) {
    const auto text = [](const std::optional<int>& n) { return n ? std::to_string(*n) : std::string("none"); };
    return Change(text(before), text(after));
}

// The change of every figure that movement costs and turn order add, a line per faction and one for the
// turn-order balance.
std::string FairnessChangeText(const FactionAnalysis& before, const FactionAnalysis& after, TileSet shownSet) {
    std::string out;
    for (int f = 0; f < FactionCount; ++f) {
        const FactionFigures& was = before.Factions[static_cast<std::size_t>(f)];
        const FactionFigures& is = after.Factions[static_cast<std::size_t>(f)];
        out += "faction " + std::to_string(f) + " " + std::string(FactionName(shownSet, f)) + ": territory by turn " +
               Change(was.TerritoryByTurn, is.TerritoryByTurn) + ", safe " + Change(was.Threat.Safe, is.Threat.Safe) +
               ", threatened " + Change(was.Threat.Threatened, is.Threat.Threatened) + ", lost " +
               Change(was.Threat.Lost, is.Threat.Lost) + ", margin " + Change(was.Threat.Margin, is.Threat.Margin) +
               ", front " + Change(was.Front, is.Front) + " (with";
        const char* separator = " ";
        for (int g = 0; g < FactionCount; ++g)
            if (g != f) {
                const auto i = static_cast<std::size_t>(g);
                out += separator + std::to_string(g) + ": " + Change(was.FrontWith[i], is.FrontWith[i]);
                separator = ", ";
            }
        out += "), room " + Change(was.Room, is.Room) + "\n";
    }
    out += "turn-order balance";
    for (int k = 0; k < FactionCount; ++k) {
        const auto i = static_cast<std::size_t>(k);
        out += (k ? ", " : " ") + TurnOrderText(after.Order.Rotated(k)) + " " +
               Change(BalanceText(before.TurnOrderBalances[i], "none"), BalanceText(after.TurnOrderBalances[i], "none"));
    }
    return out + ", worst " +
           Change(BalanceText(before.WorstTurnOrderBalance, "none"), BalanceText(after.WorstTurnOrderBalance, "none")) +
           "\n";
}

std::string DifferenceText(const MapDifference& difference, const MapGrid& a, const MapGrid& b, TileSet shownSet) {
    std::string out;
    for (const int index : difference.Changed) {
        const int was = a[static_cast<std::size_t>(index)], is = b[static_cast<std::size_t>(index)];
        out += "(" + std::to_string(index / MapSize) + "," + std::to_string(index % MapSize) + ") " + Hex(was) +
               " → " + Hex(is) + " " + RoleName(was) + " → " + RoleName(is) + "\n";
    }
    const std::size_t changed = difference.Changed.size();
    if (changed > 0) {
        out += std::to_string(changed) + (changed == 1 ? " cell changed" : " cells changed");
        for (const auto& [role, delta] : difference.Roles)
            if (delta != 0)
                out += ", " + role + " " + Signed(delta);
        out += "\n";
    }
    if (difference.SetBefore != difference.SetAfter)
        out += "tileset " + TileSetText(difference.SetBefore) + " → " + TileSetText(difference.SetAfter) + "\n";
    const auto& before = difference.BytesBefore;
    const auto& after = difference.BytesAfter;
    if (before != after)
        out += "bytes " + Hex(before[0]) + " " + Hex(before[1]) + " → " + Hex(after[0]) + " " + Hex(after[1]) + "\n";
    if (changed > 0) {
        for (int f = 0; f < FactionCount; ++f) {
            const auto i = static_cast<std::size_t>(f);
            out += "faction " + std::to_string(f) + " " + std::string(FactionName(shownSet, f)) + ": territory " +
                   std::to_string(difference.Before.Factions[i].Territory) + " → " +
                   std::to_string(difference.After.Factions[i].Territory) + "\n";
        }
        out += "balance " + BalanceText(difference.Before.Balance, "none") + " → " +
               BalanceText(difference.After.Balance, "none") + "\n";
        out += FairnessChangeText(difference.Before, difference.After, shownSet);
    }
    return out;
}

} // namespace

int DiffCommand(const CommandEntry& command, const QStringList& arguments) {
    CommandLine line(command,
                     QStringLiteral("Shows what changed from map A to map B: every changed cell with its codes and "
                                    "roles, the cells gained and lost by each role, the tile-set change, the two "
                                    "stored tile-set bytes when they differ, and the factions' territories and "
                                    "balance before and after, and every figure of turn order and movement "
                                    "costs (territory by turn, houses and fields safe, threatened and lost, "
                                    "margin, fronts, room, turn-order balance). -o draws B with the changed "
                                    "cells framed.\nExit "
                                    "status 0: the maps are equal (every cell and both stored bytes); 1: they "
                                    "differ; 2: error."),
                     {QStringLiteral("A.map"), QStringLiteral("B.map")});
    const QCommandLineOption jsonOption(QStringLiteral("json"), QStringLiteral("Print one JSON object instead."));
    const QCommandLineOption outputOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                          QStringLiteral("Draw B with the changed cells framed, as a PNG picture."),
                                          QStringLiteral("file"));
    const QCommandLineOption edgeOption(QStringLiteral("edge"),
                                        QStringLiteral("Tile edge of the picture in pixels: 4, 8, 16 (default) or 32."),
                                        QStringLiteral("pixels"));
    line.AddOption(jsonOption);
    line.AddOption(outputOption);
    line.AddOption(edgeOption);
    AddAnalysisRuleOptions(line);
    if (!line.Parse(arguments))
        return ExitSuccess;
    const AnalysisRules rules = ReadAnalysisRules(line);
    TileEdge edge = line.Edge(edgeOption).value_or(TileEdge::Px16);
    const auto output = line.Value(outputOption);
    if (output && output->isEmpty())
        line.Fail(QStringLiteral("--output must not be empty"));

    if (output)
        InputFiles(line.Positionals()).RefuseAsOutput(*output);
    const LoadedMap a = LoadInput(line.Positional(0));
    const LoadedMap b = LoadInput(line.Positional(1));
    for (const auto& [map, path] : {std::pair{&a, line.Positional(0)}, std::pair{&b, line.Positional(1)}})
        if (map->ReportedSize > static_cast<qint64>(MapFileSize))
            PrintError(ShownName(path) + QStringLiteral(": only the first 2306 bytes are a map; the rest of the file "
                                                        "is not compared"));
    const MapDifference difference = Compare(a, b, rules);
    if (line.IsSet(jsonOption))
        Print(JsonLine(DifferenceJson(difference, a.Grid, b.Grid)) + "\n");
    else
        Print(DifferenceText(difference, a.Grid, b.Grid, b.TileSet));

    if (output) {
        QImage picture;
        try {
            picture = FramedPicture(StoredImage(b), b.TileSet, edge, difference.Changed);
        } catch (const TileLoadError& error) {
            throw CliFailure(QString::fromUtf8(error.what()));
        }
        WritePictureFile(*output, EncodePng(picture));
    }
    return difference.Equal() ? ExitSuccess : ExitProblemsFound;
}

} // namespace tav::cli
