#include "CellBlock.h"

#include "CellGrid.h"

#include <algorithm>

namespace tav {

CellRect RectFromCorners(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

std::optional<CellRect> ClipToMap(const CellRect& rect) {
    const CellRect clipped{std::max(rect.Left, 0), std::max(rect.Top, 0), std::min(rect.Right, MapSize - 1),
                           std::min(rect.Bottom, MapSize - 1)};
    if (clipped.Left > clipped.Right || clipped.Top > clipped.Bottom)
        return std::nullopt;
    return clipped;
}

CellBlock CopyBlock(const MapGrid& grid, const CellRect& rect) {
    const auto inside = ClipToMap(rect);
    if (!inside)
        return {};
    CellBlock block{inside->Width(), inside->Height(), {}, inside->Left, inside->Top};
    block.Codes.reserve(static_cast<std::size_t>(block.Width * block.Height));
    for (int y = inside->Top; y <= inside->Bottom; ++y)
        for (int x = inside->Left; x <= inside->Right; ++x)
            block.Codes.push_back(grid[GridIndex(x, y)]);
    return block;
}

void PasteBlock(MapGrid& grid, const CellBlock& block, int left, int top) {
    ForEachPlacedCell(block, left, top, [&grid](int x, int y, TileCode code) {
        grid[GridIndex(x, y)] = code;
    });
}

void FillRect(MapGrid& grid, const CellRect& rect, TileCode code) {
    const auto inside = ClipToMap(rect);
    if (!inside)
        return;
    for (int x = inside->Left; x <= inside->Right; ++x)
        for (int y = inside->Top; y <= inside->Bottom; ++y)
            grid[GridIndex(x, y)] = code;
}

void MoveBlock(MapGrid& grid, const CellRect& rect, int dx, int dy, TileCode hole) {
    const CellBlock block = CopyBlock(grid, rect);
    FillRect(grid, rect, hole);
    // Far offsets put the whole block off the map; clamping keeps the sums from overflowing.
    PasteBlock(grid, block, block.OriginX + std::clamp(dx, -2 * MapSize, 2 * MapSize),
               block.OriginY + std::clamp(dy, -2 * MapSize, 2 * MapSize));
}

namespace {

template <class Rewrite>
int RewriteArea(MapGrid& grid, const CellRect& area, Rewrite rewrite) {
    const auto inside = ClipToMap(area);
    if (!inside)
        return 0;
    int changed = 0;
    for (int x = inside->Left; x <= inside->Right; ++x) {
        for (int y = inside->Top; y <= inside->Bottom; ++y) {
            TileCode& cell = grid[GridIndex(x, y)];
            const TileCode now = rewrite(cell);
            changed += now != cell;
            cell = now;
        }
    }
    return changed;
}

} // namespace

int ReplaceCodes(MapGrid& grid, TileCode from, TileCode to, const CellRect& area) {
    return RewriteArea(grid, area, [=](TileCode c) { return c == from ? to : c; });
}

int ExchangeCodes(MapGrid& grid, TileCode a, TileCode b, const CellRect& area) {
    return RewriteArea(grid, area, [=](TileCode c) { return c == a ? b : c == b ? a : c; });
}

// ---- The text form ---------------------------------------------------------------------------------

std::string FormatBlockText(const CellBlock& block) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(static_cast<std::size_t>(block.Height * block.Width * 3));
    for (int y = 0; y < block.Height; ++y) {
        for (int x = 0; x < block.Width; ++x) {
            if (x > 0)
                text += ' ';
            const TileCode code = block.At(x, y);
            text += Digits[code >> 4];
            text += Digits[code & 0xF];
        }
        text += '\n';
    }
    return text;
}

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

BlockTextResult Refuse(BlockTextError error, int line, int column) {
    return {std::nullopt, error, line, column};
}

} // namespace

BlockTextResult ParseBlockText(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    auto blank = [](std::string_view line) { return std::all_of(line.begin(), line.end(), IsBlank); };
    std::size_t first = 0;
    while (first < lines.size() && blank(lines[first]))
        ++first;
    std::size_t last = lines.size();
    while (last > first && blank(lines[last - 1]))
        --last;
    if (first == last)
        return Refuse(BlockTextError::Empty, 0, 0);

    CellBlock block;
    for (std::size_t i = first; i < last; ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        if (block.Height == MapSize)
            return Refuse(BlockTextError::TooLarge, lineNumber, 0);
        const std::string_view line = lines[i];
        int items = 0;
        for (std::size_t p = 0; p < line.size();) {
            if (IsBlank(line[p])) {
                ++p;
                continue;
            }
            std::size_t q = p;
            while (q < line.size() && !IsBlank(line[q]))
                ++q;
            const std::string_view item = line.substr(p, q - p);
            ++items;
            if (items > MapSize)
                return Refuse(BlockTextError::TooLarge, lineNumber, items);
            int value = 0;
            for (const char c : item) {
                const int digit = HexValue(c);
                // Exactly two digits, as the clipboard writes them: a lone "3" is more likely a typo than 03.
                if (digit < 0 || item.size() != 2)
                    return Refuse(BlockTextError::NotHex, lineNumber, items);
                value = value * 16 + digit;
            }
            block.Codes.push_back(static_cast<TileCode>(value));
            p = q;
        }
        if (items == 0 || (block.Height > 0 && items != block.Width))
            return Refuse(BlockTextError::Ragged, lineNumber, 0);
        block.Width = items;
        ++block.Height;
    }
    return {std::move(block), BlockTextError::None, 0, 0};
}

std::string BlockTextErrorMessage(const BlockTextResult& result) {
    std::string where;
    if (result.Line > 0) {
        where = std::to_string(result.Line) + "行目";
        if (result.Column > 0)
            where += "の" + std::to_string(result.Column) + "番目";
        where += "：";
    }
    switch (result.Error) {
    case BlockTextError::None:
        return {};
    case BlockTextError::Empty:
        return "貼りつけるタイルコードがありません。";
    case BlockTextError::NotHex:
        return where + "タイルコードは 00 から FF までの16進数で書いてください。";
    case BlockTextError::Ragged:
        return where + "どの行も同じ数のタイルコードを並べた長方形にしてください。";
    case BlockTextError::TooLarge:
        return where + "マップより大きい範囲は貼りつけられません（48×48まで）。";
    }
    return {};
}

// ---- The editor's own form -------------------------------------------------------------------------

std::vector<std::uint8_t> EncodeBlockBytes(const CellBlock& block) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(block.Codes.size() + 4);
    bytes.push_back(static_cast<std::uint8_t>(block.Width));
    bytes.push_back(static_cast<std::uint8_t>(block.Height));
    bytes.insert(bytes.end(), block.Codes.begin(), block.Codes.end());
    bytes.push_back(static_cast<std::uint8_t>(block.OriginX));
    bytes.push_back(static_cast<std::uint8_t>(block.OriginY));
    return bytes;
}

std::optional<CellBlock> DecodeBlockBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 2)
        return std::nullopt;
    const int width = bytes[0];
    const int height = bytes[1];
    if (width < 1 || width > MapSize || height < 1 || height > MapSize)
        return std::nullopt;
    const std::size_t cells = static_cast<std::size_t>(width * height);
    if (bytes.size() != cells + 4)
        return std::nullopt;
    CellBlock block{width, height, {bytes.begin() + 2, bytes.begin() + 2 + static_cast<std::ptrdiff_t>(cells)},
                    bytes[cells + 2], bytes[cells + 3]};
    if (!InMap(block.OriginX, block.OriginY))
        return std::nullopt;
    return block;
}

} // namespace tav
