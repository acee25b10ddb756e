#include "MapText.h"

#include "CellBlock.h"
#include "CellGrid.h"
#include "MapCheck.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tav {
namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

void AppendHex(std::string& out, std::uint8_t byte) {
    out += HexDigits[byte >> 4];
    out += HexDigits[byte & 0xF];
}

// The tile-set number the file gives, before any correction: the signed byte over ten, truncated.
int StoredTileSetNumber(std::uint8_t byte) { return static_cast<std::int8_t>(byte) / 10; }

std::optional<std::uint8_t> HexByte(std::string_view word) {
    if (word.size() != 2)
        return std::nullopt;
    int value = 0;
    for (const char c : word) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + digit;
    }
    return static_cast<std::uint8_t>(value);
}

std::optional<int> WholeNumber(std::string_view word) {
    bool negative = !word.empty() && word.front() == '-';
    if (negative)
        word.remove_prefix(1);
    if (word.empty() || word.size() > 3 || !std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int value = 0;
    for (const char c : word)
        value = value * 10 + (c - '0');
    return negative ? -value : value;
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    for (std::size_t p = 0; p < line.size();) {
        if (line[p] == ' ' || line[p] == '\t') {
            ++p;
            continue;
        }
        std::size_t q = p;
        while (q < line.size() && line[q] != ' ' && line[q] != '\t')
            ++q;
        words.push_back(line.substr(p, q - p));
        p = q;
    }
    return words;
}

// A word of the text quoted in a message: printable ASCII as it is, a backslash or quote escaped, any other
// byte as \xHH (so that no control sequence reaches a terminal and a NUL does not end the message), and at
// most 40 bytes of it, "..." marking the cut.
std::string Quoted(std::string_view word) {
    constexpr std::size_t MaxQuoted = 40;
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (const char c : word.substr(0, MaxQuoted)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else {
            out += "\\x";
            out += Hex[byte >> 4];
            out += Hex[byte & 0xF];
        }
    }
    if (word.size() > MaxQuoted)
        out += "...";
    return out + "\"";
}

MapTextResult Refuse(std::string error, int line, int column) {
    MapTextResult result;
    result.Error = std::move(error);
    result.Line = line;
    result.Column = column;
    return result;
}

} // namespace

std::string FormatMapText(const MapImage& image) {
    const std::uint8_t setByte = image[TileSetByteOffset];
    const int number = StoredTileSetNumber(setByte);
    const auto set = TileSetNumbered(number);
    const std::string_view name = set ? TileSetName(*set) : std::string_view{};
    std::string out = "tileset " + std::to_string(number) + " " + (name.empty() ? std::string("-") : std::string(name)) +
                      " bytes ";
    AppendHex(out, setByte);
    out += ' ';
    AppendHex(out, image[TileSetByteOffset + 1]);
    out += '\n';
    out.reserve(out.size() + MapSize * MapSize * 3);
    for (int y = 0; y < MapSize; ++y) {
        for (int x = 0; x < MapSize; ++x) {
            if (x > 0)
                out += ' ';
            AppendHex(out, image[GridIndex(x, y)]);
        }
        out += '\n';
    }
    return out;
}

MapTextResult ParseMapText(std::string_view text) {
    // Some editors put a byte-order mark in front of UTF-8 text they save.
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    const std::size_t headerEnd = std::min(text.find('\n'), text.size());
    std::string_view header = text.substr(0, headerEnd);
    if (!header.empty() && header.back() == '\r')
        header.remove_suffix(1);
    const std::vector<std::string_view> words = Words(header);
    if (words.size() != 6 || words[0] != "tileset" || words[3] != "bytes")
        return Refuse("the first line must read \"tileset N NAME bytes XX YY\"", 1, 0);
    const auto number = WholeNumber(words[1]);
    if (!number)
        return Refuse(Quoted(words[1]) + " is not a tile-set number", 1, 2);
    const auto setByte = HexByte(words[4]);
    const auto lastByte = HexByte(words[5]);
    if (!setByte)
        return Refuse(Quoted(words[4]) + " is not a hex byte (two hex digits)", 1, 5);
    if (!lastByte)
        return Refuse(Quoted(words[5]) + " is not a hex byte (two hex digits)", 1, 6);
    if (StoredTileSetNumber(*setByte) != *number)
        return Refuse("tile set " + std::to_string(*number) + " does not agree with the stored byte " +
                          Quoted(words[4]) + " (which gives " + std::to_string(StoredTileSetNumber(*setByte)) +
                          "); change the byte, not the number",
                      1, 2);

    const std::string_view rows = headerEnd < text.size() ? text.substr(headerEnd + 1) : std::string_view{};
    // Blank lines before the rows would shift every row up; the clipboard reader skips them, this form must not.
    if (rows.empty() || rows.front() == '\n' || rows.starts_with("\r\n"))
        return Refuse("row 1 of 48 is missing", 2, 0);
    const BlockTextResult block = ParseBlockText(rows);
    if (!block.Block) {
        const int line = block.Line + 1;
        switch (block.Error) {
        case BlockTextError::NotHex:
            return Refuse("not a tile code (two hex digits, 00 to FF)", line, block.Column);
        case BlockTextError::TooLarge:
            return block.Column > 0 ? Refuse("more than 48 codes in the row", line, block.Column)
                                    : Refuse("more than 48 rows", line, 0);
        case BlockTextError::Ragged:
            return Refuse("every row must hold 48 codes (a blank line between rows is not allowed)", line, 0);
        case BlockTextError::Empty:
        case BlockTextError::None:
            break;
        }
        return Refuse("row 1 of 48 is missing", 2, 0);
    }
    if (block.Block->Width != MapSize)
        return Refuse("every row must hold 48 codes, not " + std::to_string(block.Block->Width), 2, 0);
    if (block.Block->Height != MapSize)
        return Refuse("48 rows expected, found " + std::to_string(block.Block->Height), block.Block->Height + 2, 0);

    MapImage image{};
    for (int y = 0; y < MapSize; ++y)
        for (int x = 0; x < MapSize; ++x)
            image[GridIndex(x, y)] = block.Block->At(x, y);
    image[TileSetByteOffset] = *setByte;
    image[TileSetByteOffset + 1] = *lastByte;
    MapTextResult result;
    result.Image = image;
    return result;
}

} // namespace tav
