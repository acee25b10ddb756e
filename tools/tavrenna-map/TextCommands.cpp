#include "TextCommands.h"

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

#include <array>
#include <cstdint>
#include <cstdio>
#include <map>
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

int FromTextCommand(const QStringList& arguments) {
    CommandLine line(QStringLiteral("fromtext"), QStringLiteral("fromtext FILE.txt -o OUT.map"),
                     QStringLiteral("Turns the text form that 'text' prints back into a map file, byte for byte; "
                                    "the tile-set bytes come from the first line's \"bytes XX YY\". Codes may be "
                                    "00 to FF in either case; a leading byte-order mark is skipped."),
                     {QStringLiteral("FILE.txt")});
    const QCommandLineOption outputOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                          QStringLiteral("Write the map to <file>."), QStringLiteral("file"));
    line.AddOption(outputOption);
    if (!line.Parse(arguments))
        return ExitSuccess;
    const QString output = line.RequiredValue(outputOption);
    const QString input = line.Positional(0);
    // A text map is about 7 KB; the limit only keeps a wrong argument (a disk image) from being read whole.
    constexpr qint64 TextLimit = 1 << 20;
    const QByteArray text = ReadTextFile(input, TextLimit);
    const MapTextResult result = ParseMapText(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    if (!result.Image) {
        QString where = QStringLiteral("line %1").arg(result.Line);
        if (result.Column > 0)
            where += QStringLiteral(", column %1").arg(result.Column);
        throw CliFailure(input + QStringLiteral(": ") + where + QStringLiteral(": ") +
                         QString::fromStdString(result.Error));
    }
    RemoveStaleTemporaries(output);
    WriteFileAtomically(output, MapImageBytes(*result.Image));
    return ExitSuccess;
}

int DiffCommand(const QStringList& arguments) {
    CommandLine line(QStringLiteral("diff"), QStringLiteral("diff A.map B.map [--json] [-o OUT.png] [--edge 4|8|16|32]"),
                     QStringLiteral("Shows what changed from map A to map B: every changed cell with its codes and "
                                    "roles, the cells gained and lost by each role, the tile-set change, the two "
                                    "stored tile-set bytes when they differ, and the factions' territories and "
                                    "balance before and after. -o draws B with the changed cells framed.\nExit "
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
    if (!line.Parse(arguments))
        return ExitSuccess;
    TileEdge edge = line.Edge(edgeOption).value_or(TileEdge::Px16);
    const auto output = line.Value(outputOption);
    if (output && output->isEmpty())
        line.Fail(QStringLiteral("--output must not be empty"));

    const LoadedMap a = LoadInput(line.Positional(0));
    const LoadedMap b = LoadInput(line.Positional(1));
    std::vector<int> changed; // grid indices in reading order: row by row from the top
    for (int y = 0; y < MapSize; ++y)
        for (int x = 0; x < MapSize; ++x)
            if (a.Grid[GridIndex(x, y)] != b.Grid[GridIndex(x, y)])
                changed.push_back(CellIndex(x, y));
    const MapImage storedBefore = StoredImage(a), storedAfter = StoredImage(b);
    const int setBefore = StoredTileSet(storedBefore), setAfter = StoredTileSet(storedAfter);
    // Two stored bytes can give one tile set (0A and 0B are both set 1) and the second byte is not read at
    // all, yet files that differ there are not equal.
    const std::array<int, 2> bytesBefore{storedBefore[TileSetByteOffset], storedBefore[TileSetByteOffset + 1]};
    const std::array<int, 2> bytesAfter{storedAfter[TileSetByteOffset], storedAfter[TileSetByteOffset + 1]};
    const bool equal = changed.empty() && bytesBefore == bytesAfter;
    std::map<std::string, int> roleDelta;
    std::vector<std::string> roleOrder;
    for (const int index : changed) {
        for (const auto& [code, step] : {std::pair{a.Grid[static_cast<std::size_t>(index)], -1},
                                         std::pair{b.Grid[static_cast<std::size_t>(index)], +1}}) {
            const std::string role = RoleName(code);
            if (!roleDelta.contains(role))
                roleOrder.push_back(role);
            roleDelta[role] += step;
        }
    }
    const FactionAnalysis before = AnalyseFactions(a.Grid), after = AnalyseFactions(b.Grid);

    std::string out;
    if (line.IsSet(jsonOption)) {
        out = "{\"equal\": " + std::string(equal ? "true" : "false") + ", \"cells\": [";
        for (std::size_t i = 0; i < changed.size(); ++i) {
            const auto index = static_cast<std::size_t>(changed[i]);
            out += (i ? ", " : "") + std::string("{\"x\": ") + std::to_string(changed[i] / MapSize) +
                   ", \"y\": " + std::to_string(changed[i] % MapSize) + ", \"before\": " + std::to_string(a.Grid[index]) +
                   ", \"after\": " + std::to_string(b.Grid[index]) + ", \"before_role\": " +
                   JsonString(RoleName(a.Grid[index])) + ", \"after_role\": " + JsonString(RoleName(b.Grid[index])) + "}";
        }
        out += "], \"roles\": {";
        bool first = true;
        for (const std::string& role : roleOrder)
            if (roleDelta[role] != 0) {
                out += (first ? "" : ", ") + JsonString(role) + ": " + std::to_string(roleDelta[role]);
                first = false;
            }
        out += "}, \"tileset\": {\"before\": " + std::to_string(setBefore) + ", \"after\": " + std::to_string(setAfter) +
               "}, \"bytes\": {\"before\": [" + std::to_string(bytesBefore[0]) + ", " + std::to_string(bytesBefore[1]) +
               "], \"after\": [" + std::to_string(bytesAfter[0]) + ", " + std::to_string(bytesAfter[1]) +
               "]}, \"factions\": [";
        for (int f = 0; f < FactionCount; ++f)
            out += (f ? ", " : "") + std::string("{\"index\": ") + std::to_string(f) +
                   ", \"territory_before\": " + std::to_string(before.Factions[static_cast<std::size_t>(f)].Territory) +
                   ", \"territory_after\": " + std::to_string(after.Factions[static_cast<std::size_t>(f)].Territory) + "}";
        out += "], \"balance\": {\"before\": " + BalanceText(before.Balance, "null") +
               ", \"after\": " + BalanceText(after.Balance, "null") + "}}\n";
    } else {
        for (const int index : changed) {
            const int was = a.Grid[static_cast<std::size_t>(index)], is = b.Grid[static_cast<std::size_t>(index)];
            out += "(" + std::to_string(index / MapSize) + "," + std::to_string(index % MapSize) + ") " + Hex(was) +
                   " → " + Hex(is) + " " + RoleName(was) + " → " + RoleName(is) + "\n";
        }
        if (!changed.empty()) {
            out += std::to_string(changed.size()) + (changed.size() == 1 ? " cell changed" : " cells changed");
            for (const std::string& role : roleOrder)
                if (roleDelta[role] != 0)
                    out += ", " + role + " " + Signed(roleDelta[role]);
            out += "\n";
        }
        if (setBefore != setAfter)
            out += "tileset " + TileSetText(setBefore) + " → " + TileSetText(setAfter) + "\n";
        if (bytesBefore != bytesAfter)
            out += "bytes " + Hex(bytesBefore[0]) + " " + Hex(bytesBefore[1]) + " → " + Hex(bytesAfter[0]) + " " +
                   Hex(bytesAfter[1]) + "\n";
        if (!changed.empty()) {
            const TileSet shownSet = b.TileSet;
            for (int f = 0; f < FactionCount; ++f) {
                const auto i = static_cast<std::size_t>(f);
                out += "faction " + std::to_string(f) + " " + std::string(FactionName(shownSet, f)) + ": territory " +
                       std::to_string(before.Factions[i].Territory) + " → " + std::to_string(after.Factions[i].Territory) +
                       "\n";
            }
            out += "balance " + BalanceText(before.Balance, "none") + " → " + BalanceText(after.Balance, "none") + "\n";
        }
    }
    Print(out);

    if (output) {
        QImage picture;
        try {
            picture = FramedPicture(StoredImage(b), b.TileSet, edge, changed);
        } catch (const TileLoadError& error) {
            throw CliFailure(QString::fromUtf8(error.what()));
        }
        WriteFileAtomically(*output, EncodePng(picture));
    }
    return equal ? ExitSuccess : ExitProblemsFound;
}

} // namespace tav::cli
