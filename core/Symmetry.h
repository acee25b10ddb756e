#pragma once
// Symmetric maps: the six symmetry modes, the images of a cell and of a tile code under each mode, the
// symmetric-equal relation between a cell and its images, and making a map symmetric from one share.
//
// Each mode is a small group acting on cells and factions alike. Image 0 is always the cell itself; a mode
// with n images besides it numbers them 1..n. 48 is even, so no cell is its own image.

#include "CellGrid.h"
#include "MapGrid.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tav {

// In the order F6 cycles through them.
enum class SymmetryMode : std::uint8_t {
    None,      // なし
    LeftRight, // 左右対称: x -> 47 - x
    TopBottom, // 上下対称: y -> 47 - y
    Quad,      // 上下左右対称: image 1 left-right, 2 top-bottom, 3 both
    Half,      // 点対称: (x, y) -> (47 - x, 47 - y)
    Quarter,   // 四方回転: image k is k quarter turns of (x, y) -> (47 - y, x)
};
constexpr std::array<SymmetryMode, 6> AllSymmetryModes = {SymmetryMode::None,      SymmetryMode::LeftRight,
                                                          SymmetryMode::TopBottom, SymmetryMode::Quad,
                                                          SymmetryMode::Half,      SymmetryMode::Quarter};

std::string_view SymmetryModeName(SymmetryMode mode);    // the Japanese name the editor shows, UTF-8
std::string_view SymmetryModeCliName(SymmetryMode mode); // none, lr, tb, quad, half, quarter
std::optional<SymmetryMode> SymmetryModeFromCliName(std::string_view name);

// How many images a cell has besides itself: 0 for none, 1 for lr, tb and half, 3 for quad and quarter.
int SymmetryImageCount(SymmetryMode mode);

// Image `image` (0..SymmetryImageCount) of a cell inside the map.
MapCell ImageCell(SymmetryMode mode, int image, MapCell cell);

// The faction (0..3) whose castle, houses and fields stand in image `image` of faction `faction`'s:
// f XOR 1 in lr, tb and half; f XOR k in quad; (f + k) mod 4 in quarter.
int ImageFaction(SymmetryMode mode, int image, int faction);

using CodeTable = std::array<TileCode, 256>;

// The code a cell's image holds when the cell holds `code`: edge pieces turned with the cell, faction codes
// moved to the image faction. Every byte has an entry; codes without a role of their own map to themselves.
const CodeTable& ImageCodeTable(SymmetryMode mode, int image);
inline TileCode ImageCode(SymmetryMode mode, int image, TileCode code) {
    return ImageCodeTable(mode, image)[code];
}

// Whether two codes count as the same for symmetry: equal plain codes, a house and its field alike.
bool SymmetricCodesEqual(TileCode a, TileCode b);

// The part of the map Symmetrize copies from; the images of a share are the other shares.
enum class SymmetrySource : std::uint8_t {
    Left,
    Right,
    Top,
    Bottom,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight
};

std::string_view SymmetrySourceName(SymmetrySource source); // 左, 右, 上, 下, 左上, 右上, 左下, 右下
std::string_view SymmetrySourceCliName(SymmetrySource source); // left, right, ..., bottom-right
std::optional<SymmetrySource> SymmetrySourceFromCliName(std::string_view name);

// The shares a mode can copy from, the default first: lr left/right; tb top/bottom; half left/right/top/
// bottom; quad and quarter the four quadrants. None for mode none.
std::span<const SymmetrySource> AllowedSources(SymmetryMode mode);
bool IsAllowedSource(SymmetryMode mode, SymmetrySource source);
bool InSourceShare(SymmetrySource source, MapCell cell);

// Cells that are not symmetric-equal to every one of their images.
struct AsymmetryFinding {
    SymmetryMode Mode = SymmetryMode::None;
    int Count = 0;                       // cells that break the relation, both cells of a pair counted
    std::array<MapCell, 5> FirstCells{}; // the first of them in reading order (row by row)
    int FirstCount = 0;                  // how many of FirstCells are set: min(Count, 5)
};

// Compares every cell outside castle blocks, and every castle, with each of its images: the image must hold
// the cell's image code, compared by SymmetricCodesEqual. The other cells of a castle's 3 x 3 block are not
// compared, since shaping builds the ring with the gate always facing down. Count is 0 for mode none.
AsymmetryFinding FindAsymmetry(const MapGrid& grid, SymmetryMode mode);

// The map check's line for a finding with Count > 0, in the mode's words, UTF-8; e.g.
// "左右対称ではないセルが 12 個あります。(3,0) (44,0) (5,2) (42,2) (7,7) ほか".
std::string AsymmetryLine(const AsymmetryFinding& finding);

// Whether the 3 x 3 blocks of castles at `a` and `b` overlap: within two cells of each other in both x and y.
bool BlocksOverlap(MapCell a, MapCell b);

struct RemovedCastle {
    MapCell Cell;
    TileCode Code = 0; // 20..23
};

struct SymmetrizeResult {
    MapGrid Grid{};
    std::vector<RemovedCastle> RemovedCastles; // in reading order
};

// Makes the map symmetric for `mode` from the `source` share: shapes the share, copies it onto the other
// shares through the image code tables, then shapes the map. The result is shaped and symmetric-equal.
// A castle of the source share whose 3 x 3 block would overlap an image block (its own or another castle's)
// is removed and returned. Throws std::invalid_argument for mode none or a source the mode does not allow.
SymmetrizeResult Symmetrize(const MapGrid& grid, SymmetryMode mode, SymmetrySource source);

// The line naming a removed castle, in the map check's manner, UTF-8: "(23,10)にあるカルドア領(緑)の城は
// 対称の位置の城と重なるため取り除きました。"
std::string RemovedCastleLine(const RemovedCastle& castle, TileSet tileSet);

} // namespace tav
