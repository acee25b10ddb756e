#pragma once
// Rectangles of cells lifted out of the map and put back: copy and paste with clipping, moving a
// rectangle, replacing and exchanging codes, and the text form of a block that the clipboard carries
// (one line per row, codes as two-digit hex separated by spaces).

#include "MapGrid.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tav {

// A rectangle of cells, both corners inclusive; Left <= Right and Top <= Bottom.
struct CellRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left + 1; }
    int Height() const { return Bottom - Top + 1; }
    bool Contains(int x, int y) const { return x >= Left && x <= Right && y >= Top && y <= Bottom; }
    bool operator==(const CellRect&) const = default;
};

// The rectangle with corners (x1, y1) and (x2, y2) in any order.
CellRect RectFromCorners(int x1, int y1, int x2, int y2);
// The part of `rect` inside the map; nothing when they do not meet.
std::optional<CellRect> ClipToMap(const CellRect& rect);
constexpr CellRect WholeMap{0, 0, MapSize - 1, MapSize - 1};

// Codes copied out of the map, row by row. Origin is where the block's top-left cell was copied from.
struct CellBlock {
    int Width = 0;
    int Height = 0;
    std::vector<TileCode> Codes; // Codes[y * Width + x]
    int OriginX = 0;
    int OriginY = 0;

    TileCode At(int x, int y) const { return Codes[static_cast<std::size_t>(y * Width + x)]; }
    bool operator==(const CellBlock&) const = default;
};

// Calls write(x, y, code) for every cell of `block` placed with its top-left cell at (left, top) that lies
// inside the map, row by row. The bounds are worked out once, so no cell outside the map is ever addressed.
template <typename Write>
void ForEachPlacedCell(const CellBlock& block, int left, int top, Write write) {
    const int x0 = std::max(0, -left);
    const int y0 = std::max(0, -top);
    const int x1 = std::min(block.Width, MapSize - left);
    const int y1 = std::min(block.Height, MapSize - top);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            write(left + x, top + y, block.At(x, y));
}

// The cells of `rect` that lie inside the map; an empty block (0 x 0) when none do.
CellBlock CopyBlock(const MapGrid& grid, const CellRect& rect);
// Writes `block` with its top-left cell at (left, top); cells that fall outside the map are dropped.
void PasteBlock(MapGrid& grid, const CellBlock& block, int left, int top);
// Writes `code` into every cell of `rect` inside the map.
void FillRect(MapGrid& grid, const CellRect& rect, TileCode code);
// Moves the cells of `rect` by (dx, dy): the rectangle is left holding `hole`, then its old codes are
// written at the new place; what falls outside the map is dropped.
void MoveBlock(MapGrid& grid, const CellRect& rect, int dx, int dy, TileCode hole);

// Replaces `from` by `to` in every cell of `area` (the whole map by default); returns how many cells changed.
int ReplaceCodes(MapGrid& grid, TileCode from, TileCode to, const CellRect& area = WholeMap);
// Swaps `a` and `b` in every cell of `area`; returns how many cells changed.
int ExchangeCodes(MapGrid& grid, TileCode a, TileCode b, const CellRect& area = WholeMap);

// The text form: a line per row, each code as two upper-case hex digits, one space between codes.
std::string FormatBlockText(const CellBlock& block);

// Why a text is not a block.
enum class BlockTextError {
    None,
    Empty,       // no codes at all
    NotHex,      // an item that is not two hex digits
    Ragged,      // rows of different lengths, or a blank line between rows
    TooLarge,    // more than 48 rows or columns
};

struct BlockTextResult {
    std::optional<CellBlock> Block; // set exactly when Error is None
    BlockTextError Error = BlockTextError::None;
    int Line = 0;   // 1-based line of the fault, 0 when it has none
    int Column = 0; // 1-based item within the line, 0 when it has none
};

// Reads the text form. Items are two hex digits in either case, separated by spaces or tabs;
// lines may end in CR LF; blank lines before the first and after the last row are ignored. Every code
// 00..FF is taken, as the editor's own form takes it: a loaded map may hold codes without a tile, and a
// copy must paste back what it copied. The block's origin is (0, 0).
BlockTextResult ParseBlockText(std::string_view text);
// A sentence for the user, UTF-8 Japanese, naming the line and item where there is one.
std::string BlockTextErrorMessage(const BlockTextResult& result);

// The editor's own clipboard form: width, height, the codes row by row, then the origin's x and y.
std::vector<std::uint8_t> EncodeBlockBytes(const CellBlock& block);
// Reads it back; nothing when the bytes are not a block of 1..48 x 1..48 with an origin inside the map.
std::optional<CellBlock> DecodeBlockBytes(std::span<const std::uint8_t> bytes);

} // namespace tav
