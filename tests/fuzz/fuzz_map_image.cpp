// Bytes of a file as Open reads them, through everything the editor does with a loaded map: the file
// image, shaping, unshaping, the map check and shaping again.

#include "CellGrid.h"
#include "FuzzCheck.h"
#include "MapCheck.h"
#include "MapImage.h"
#include "Shaping.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstdint>
#include <span>
#include <string_view>

namespace {

using namespace tav;

constexpr bool IsRingCode(TileCode code) { return IsGate(code) || IsCastleWall(code); }

using CellFlags = std::array<bool, MapCells>;

// The cells that have a castle among their eight neighbours: pass 1 writes a ring piece there unless the
// cell is a castle itself. Built from the castles alone, since the fuzzer runs this for every input.
CellFlags CastleNeighbours(const MapGrid& grid) {
    CellFlags next{};
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y)
            if (IsCastle(At(grid, {x, y})))
                ForEachNeighbour({x, y}, [&](int, MapCell cell) { next[GridIndex(cell)] = true; });
    return next;
}

// Shaping keeps every castle, puts a ring piece into every other cell next to one, and otherwise may only
// move a cell within its kind; codes of 128 and more belong to no kind and stay.
void CheckShapedFrom(const MapGrid& before, const MapGrid& after) {
    const CellFlags castleNeighbours = CastleNeighbours(before);
    for (int i = 0; i < MapCells; ++i) {
        const TileCode was = before[i];
        const TileCode now = after[i];
        if (IsCastle(was)) {
            FUZZ_CHECK(now == was, "shaping keeps every castle");
        } else if (castleNeighbours[i]) {
            FUZZ_CHECK(IsRingCode(now), "a cell next to a castle holds a ring piece after shaping");
        } else if (was >= 128) {
            FUZZ_CHECK(now == was, "a code of 128 or more survives shaping untouched");
        } else if (was >= 8 && was <= 11) {
            FUZZ_CHECK(now == was || now == was + 4, "a faction tile stays itself or becomes its alternate");
        } else if (was == 5 || was == 122) {
            FUZZ_CHECK(now == was, "the ridge passage and the raised obstacle never change");
        } else {
            FUZZ_CHECK(TileClass(now) == TileClass(was), "shaping keeps every cell within its kind");
        }
    }
}

void CheckReport(const MapCheckReport& report, const MapGrid& grid, const MapGrid& checked) {
    FUZZ_CHECK(checked == grid, "the map check leaves the grid alone");
    FUZZ_CHECK(!report.Lines.empty(), "the report starts with its header");
    FUZZ_CHECK(report.Lines.front().starts_with("キャラクタータイプ："), "the header names the tile set");
    FUZZ_CHECK(report.Problem == (report.Lines.size() > 1), "a problem is reported exactly when a line follows the header");
    FUZZ_CHECK(report.Lines.size() == report.Findings.size() + 1, "one line per finding after the header");
    for (const std::string& line : report.Lines) {
        FUZZ_CHECK(!line.empty(), "no report line is empty");
        FUZZ_CHECK(fuzz::IsWellFormedUtf8(line), "every report line is well-formed UTF-8");
    }
    for (const CheckFinding& finding : report.Findings) {
        for (const GridCell& cell : finding.Cells)
            FUZZ_CHECK(InMap(cell.X, cell.Y), "a finding's cells lie on the map");
        FUZZ_CHECK((finding.Kind == CheckFindingKind::RimGap) == (finding.Faction == -1),
                   "every finding but a rim gap names its faction");
        FUZZ_CHECK((finding.Kind == CheckFindingKind::CastlesTooClose) == (finding.OtherFaction != -1),
                   "only castles too close to each other name a second faction");
        if (finding.Kind == CheckFindingKind::CastlesTooClose) {
            FUZZ_CHECK(finding.Cells.size() == 2, "castles too close to each other come as a pair");
            const GridCell a = finding.Cells[0];
            const GridCell b = finding.Cells[1];
            FUZZ_CHECK(a.Y < b.Y || (a.Y == b.Y && a.X < b.X), "the pair comes in reading order");
            FUZZ_CHECK(std::abs(a.X - b.X) <= 2 && std::abs(a.Y - b.Y) <= 2, "the pair's 3 x 3 blocks overlap");
            FUZZ_CHECK(IsCastle(grid[CellIndex(a.X, a.Y)]) && IsCastle(grid[CellIndex(b.X, b.Y)]),
                       "both cells of the pair hold castles");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto image = ReadMapImage(bytes);
    FUZZ_CHECK(image.has_value() == (size >= MapFileSize), "an image is read exactly when the file holds 2306 bytes");
    if (!image)
        return 0;
    FUZZ_CHECK(std::equal(image->Grid.begin(), image->Grid.end(), data), "the grid is the first 2304 bytes unchanged");
    FUZZ_CHECK(image->TileSet == static_cast<std::int8_t>(data[TileSetByteOffset]) / 10,
               "the tile set is the signed byte 2304 divided by 10");
    FUZZ_CHECK(image->TileSet >= -12 && image->TileSet <= 12, "the tile set number lies in -12..12");
    // The editor corrects a tile set outside 1..9 to 1 before anything draws or checks the map.
    const TileSet tileSet = TileSetNumbered(image->TileSet).value_or(TileSet::Verda);

    const MapGrid loaded = image->Grid;
    MapGrid grid = loaded;
    ShapeMap(grid);
    CheckShapedFrom(loaded, grid);
    const MapGrid shaped = grid;

    MapGrid again = shaped;
    ShapeMap(again);
    FUZZ_CHECK(again == shaped, "a second shaping changes nothing");

    UnshapeMap(grid);
    for (int i = 0; i < MapCells; ++i) {
        FUZZ_CHECK(grid[i] == PlainCode(shaped[i]), "unshaping puts every cell to its plain code");
        FUZZ_CHECK(shaped[i] < 128 || grid[i] == shaped[i], "a code of 128 or more survives unshaping untouched");
        FUZZ_CHECK(PlainCode(grid[i]) == grid[i], "a plain code is its own plain code");
    }

    const MapGrid unshaped = grid;
    CheckReport(CheckMap(grid, tileSet), unshaped, grid);
    CheckReport(CheckMap(shaped, tileSet), shaped, shaped);

    ShapeMap(grid);
    CheckShapedFrom(unshaped, grid);
    static_assert(sizeof(MapGrid) == MapCells, "the grid stays 2304 bytes");
    return 0;
}
