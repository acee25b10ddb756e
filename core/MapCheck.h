#pragma once
// The rules a playable map must meet: the map check's findings as data, and its Japanese report lines.

#include "MapGrid.h"

#include <string>
#include <string_view>
#include <vector>

namespace tav {

// Names of the nine tile sets (index set - 1) and of the four factions of each set, UTF-8.
std::string_view TileSetName(TileSet tileSet);
std::string_view FactionName(TileSet tileSet, int faction); // faction 0..3

// Whether units cannot pass a cell of this plain code (apply PlainCode first): water, mountains, castle
// walls, the monster and a few single tiles. The check tests the cell in front of a gate with it; the
// faction analysis walks only through cells it does not block. Codes 128..255 never block.
bool IsBlockingCode(TileCode plain);

// A cell of the map: column X and row Y, 0..47 each, (0, 0) at the top left.
struct GridCell {
    int X = 0;
    int Y = 0;
    bool operator==(const GridCell&) const = default;
};

// What the map check can find wrong with a map.
enum class CheckFindingKind {
    RimGap,        // units could leave the map through a rim cell; Cells: that cell
    CastleOnRim,   // a castle stands on the rim; Cells: the castle; Faction: its owner
    SealedCastle,  // the cell in front of a castle's gate blocks units, or lies off the map; Cells, Faction as above
    MissingCastle, // a faction has no castle; Cells: none; Faction: the faction
    ExtraCastles,  // a faction has two castles or more; Cells: all of them; Faction: the faction
    CastlesTooClose, // two castles' 3 x 3 blocks (castle and ring) overlap, so shaping cannot build both rings;
                     // Cells: the two castles in reading order; Faction, OtherFaction: their owners
};

// One finding of the map check, as data: the editor words it in its language, the command-line tool prints
// CheckReportLine's Japanese, and later work can point at its cells.
struct CheckFinding {
    CheckFindingKind Kind = CheckFindingKind::RimGap;
    std::vector<GridCell> Cells; // in reading order: row by row from the top, left to right in a row
    int Faction = -1;            // 0..3; -1 for a rim gap, which belongs to no faction
    int OtherFaction = -1;       // 0..3 for CastlesTooClose: the second castle's owner; -1 otherwise
    bool operator==(const CheckFinding&) const = default;
};

// Checks the grid; nothing found means the map is playable. The findings come in the report's order: cell by
// cell in reading order its rim gap, castle on the rim, sealed castle and the castles before it (in reading
// order) that stand too close to it, then the factions without a castle, then those with more than one. Never
// changes the grid.
std::vector<CheckFinding> FindMapProblems(const MapGrid& grid);

// The report's first line, "キャラクタータイプ：" and the name of the tile set (1..9).
std::string CheckReportHeader(TileSet tileSet);
// The Japanese report line of a finding, naming factions as the tile set (1..9) does, e.g.
// "(3,0) に外周抜けがあります。" or "カルドア領(緑)の城がありません。".
std::string CheckReportLine(const CheckFinding& finding, TileSet tileSet);

// The map check as the command-line tool prints it.
struct MapCheckReport {
    std::vector<CheckFinding> Findings; // FindMapProblems' result
    std::vector<std::string> Lines;     // UTF-8: the header, then the line of each finding
    bool Problem = false;               // true when anything was found
};

MapCheckReport CheckMap(const MapGrid& grid, TileSet tileSet);

} // namespace tav
