#pragma once
// How units move over the map in the faction analysis: the ten cost classes of the open tile codes, the
// table of entry costs a map author sets for them (and its text file), and the order in which the four
// factions take their turns.

#include "MapGrid.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tav {

constexpr int FactionCount = 4;

// ---- Cost classes -------------------------------------------------------------------------------------

// The kinds of open cell a cost table prices. Every code that is not blocked by nature belongs to exactly
// one; water, mountains, castle walls and the other blocking codes of the map check belong to none.
enum class CostClass : std::uint8_t {
    Plain,        // 0
    Forest,       // 1..4
    MountainPath, // 5
    Plateau,      // 32..47
    House,        // 8..11, the four factions' houses
    Field,        // 12..15, the four factions' fields
    Castle,       // 20..23, the castles, and the gate 29: a gate is priced as its castle
    Obstacle,     // 122
    SingleTile,   // the open single tiles: 7, 16..19, 24..28, 30, 31, 123
    NoTile,       // 128..255, codes without a tile (only a loaded file brings them)
};
constexpr int CostClassCount = 10;

// The classes in the order files, reports and tables list them.
constexpr std::array<CostClass, CostClassCount> AllCostClasses = {
    CostClass::Plain, CostClass::Forest,   CostClass::MountainPath, CostClass::Plateau,    CostClass::House,
    CostClass::Field, CostClass::Castle,   CostClass::Obstacle,     CostClass::SingleTile, CostClass::NoTile};

// The name of each class in AllCostClasses order, UTF-8: the role names of the status bar, which cost files,
// JSON reports and the editor's settings use as keys.
constexpr std::array<std::string_view, CostClassCount> CostClassNames = {
    "平地", "森林", "山道", "台地", "勢力の家", "勢力の畑", "城", "障害物", "単独タイル", "タイルなし"};

constexpr std::size_t CostClassIndex(CostClass costClass) { return static_cast<std::size_t>(costClass); }
constexpr std::string_view CostClassName(CostClass costClass) { return CostClassNames[CostClassIndex(costClass)]; }
// The class named `name` (UTF-8, exactly as in CostClassNames), or nothing.
std::optional<CostClass> CostClassNamed(std::string_view name);

// The cost class of a code; nothing for a code blocked by nature (exactly the codes IsPassableCode refuses).
constexpr std::optional<CostClass> CostClassOf(TileCode code) {
    if (code >= 128)
        return CostClass::NoTile;
    if (code == 0)
        return CostClass::Plain;
    if (code <= 4)
        return CostClass::Forest;
    if (code == 5)
        return CostClass::MountainPath;
    if (code >= 8 && code <= 11)
        return CostClass::House;
    if (code >= 12 && code <= 15)
        return CostClass::Field;
    if ((code >= 20 && code <= 23) || code == 29)
        return CostClass::Castle;
    if (code >= 32 && code <= 47)
        return CostClass::Plateau;
    if (code == 122)
        return CostClass::Obstacle;
    if (code == 7 || (code >= 16 && code <= 19) || (code >= 24 && code <= 28) || code == 30 || code == 31 ||
        code == 123)
        return CostClass::SingleTile;
    return std::nullopt; // 6, 48..121 (water, mountains, castle walls), 124..127
}

// ---- The cost table -----------------------------------------------------------------------------------

// What entering a cell of each class costs a unit: 1..9, or Blocked. The default table is all 1, under which
// a cost is a number of steps and every figure is what the plain step count gives. The castle class is
// never blocked (a castle must stay enterable).
struct MovementCosts {
    static constexpr std::uint8_t Blocked = 0;
    static constexpr int Cheapest = 1; // the entry costs a table may give
    static constexpr int Dearest = 9;

    std::array<std::uint8_t, CostClassCount> Entry = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}; // AllCostClasses order

    std::uint8_t& operator[](CostClass costClass) { return Entry[CostClassIndex(costClass)]; }
    std::uint8_t operator[](CostClass costClass) const { return Entry[CostClassIndex(costClass)]; }

    // Every entry 1..9 or Blocked, and the castle class not blocked.
    bool IsValid() const;
    // All 1: costs are steps ("歩" in the editor and "steps" in the tool; "コスト"/"cost" otherwise).
    bool IsDefault() const;
    // The cost of entering a cell holding `code`, 1..9; -1 when units may not enter it (blocked by nature or
    // by the table).
    int EntryCost(TileCode code) const;
    bool operator==(const MovementCosts&) const = default;
};

// Whether units may enter a cell of `code` under `costs`: not blocked by nature nor by the table.
inline bool IsOpenCode(TileCode code, const MovementCosts& costs) { return costs.EntryCost(code) > 0; }

// ---- The cost file ------------------------------------------------------------------------------------
// UTF-8 text, one class a line: its name, blanks (spaces, tabs or the ideographic space), then its cost as
// one digit 1..9, or "通行不可" (or "blocked") to close it. "#" starts a comment up to the end of its line;
// blank lines are skipped; lines may end in CR LF and the text may start with a byte-order mark. A class the
// file leaves out costs 1.
//     # slow woods, no way over the plateaus
//     森林 2
//     台地 通行不可

// Why a text is not a cost table.
enum class CostFileError {
    None,
    NotUtf8,         // the line holds bytes that are not UTF-8
    MissingCost,     // a name without a cost
    ExtraWords,      // more than a name and a cost
    UnknownRole,     // not the name of a cost class, of the gate or of a role blocked by nature
    GateRole,        // 城門: the gate is priced with 城
    BlockedByNature, // 水辺, 山地, 城壁, 旗のある城壁: units never enter them, whatever a file says
    BadCost,         // not a whole number 1..9 nor 通行不可/blocked
    CastleBlocked,   // 城 通行不可: castles must stay enterable
    RoleTwice,       // a class already given on an earlier line
};

struct CostFileResult {
    std::optional<MovementCosts> Costs; // set exactly when Error is None
    CostFileError Error = CostFileError::None;
    int Line = 0;      // 1-based line of the fault, 0 when there is none
    std::string Role;  // the name as the line writes it (UTF-8 when the line is), empty for NotUtf8
    std::string Word;  // the cost word of a BadCost or CastleBlocked line; the extra word of ExtraWords
    int FirstLine = 0; // RoleTwice: the line that gave the class first
};

// Reads a cost file's text. Never throws; any bytes give a table or an error.
CostFileResult ParseMovementCosts(std::string_view text);
// A sentence for the user, UTF-8 Japanese, starting with the line ("3行目：…"); empty without an error.
std::string CostFileErrorMessage(const CostFileResult& result);
// The text of a cost file giving every class its entry, in AllCostClasses order ("森林 2", "台地 通行不可");
// ParseMovementCosts reads it back as the same table.
std::string FormatMovementCosts(const MovementCosts& costs);

// ---- Turn order ---------------------------------------------------------------------------------------

// The order in which the factions move: Factions[0] moves first. A cell that several factions reach at the
// same least cost goes to the one of them that moves first. The default is 0, 1, 2, 3.
struct TurnOrder {
    std::array<std::uint8_t, FactionCount> Factions = {0, 1, 2, 3};

    // Each of 0..3 exactly once.
    bool IsPermutation() const;
    // 0 for the faction that moves first, 3 for the last; `faction` 0..3 of a permutation.
    int Rank(int faction) const;
    // The same cycle started at its (k+1)-th faction: for 2,0,3,1, rotation 1 is 0,3,1,2. k is 0..3.
    TurnOrder Rotated(int k) const;
    bool operator==(const TurnOrder&) const = default;
};

// Reads "2,0,3,1": four faction numbers separated by commas (blanks around them allowed), each of 0..3 once.
// Nothing for anything else.
std::optional<TurnOrder> ParseTurnOrder(std::string_view text);
// "2,0,3,1"; ParseTurnOrder reads it back.
std::string TurnOrderText(const TurnOrder& order);

} // namespace tav
