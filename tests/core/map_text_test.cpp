#include "CellGrid.h"
#include "MapText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tav {
namespace {

MapImage RandomImage(std::mt19937& rng) {
    MapImage image{};
    for (auto& byte : image)
        byte = static_cast<std::uint8_t>(rng() & 0xFF);
    return image;
}

// Replaces the `word`-th (1-based) space-separated word of line `line` (1-based).
std::string WithWord(std::string text, int line, int word, const std::string& replacement) {
    std::size_t p = 0;
    for (int l = 1; l < line; ++l)
        p = text.find('\n', p) + 1;
    for (int w = 1; w < word; ++w)
        p = text.find(' ', p) + 1;
    const std::size_t end = text.find_first_of(" \n", p);
    return text.replace(p, end - p, replacement);
}

TEST(MapText, EveryImageSurvivesTheRoundTripWhateverItsBytes) {
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        MapImage image = RandomImage(rng);
        if (round < 256)
            image[TileSetByteOffset] = static_cast<std::uint8_t>(round); // every stored tile-set byte once
        const std::string text = FormatMapText(image);
        const MapTextResult back = ParseMapText(text);
        ASSERT_TRUE(back.Image) << back.Error << " at line " << back.Line;
        ASSERT_EQ(*back.Image, image) << "round " << round;
        // What a text editor on another system does to the file (a byte-order mark, CR LF) changes nothing.
        std::string crlf;
        for (const char c : text)
            crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        const MapTextResult fromCrlf = ParseMapText("\xEF\xBB\xBF" + crlf + "\r\n\r\n");
        ASSERT_TRUE(fromCrlf.Image) << fromCrlf.Error;
        ASSERT_EQ(*fromCrlf.Image, image);
    }
}

TEST(MapText, HeaderNamesTheSetAndRowsReadFromTheTop) {
    MapImage image{};
    image.fill(0x30);
    image[TileSetByteOffset] = 30;
    image[TileSetByteOffset + 1] = 0;
    image[GridIndex(1, 0)] = 0xAB;
    image[GridIndex(0, 47)] = 0x07;
    const std::string text = FormatMapText(image);
    EXPECT_EQ(text.substr(0, text.find('\n')), "tileset 3 サンドラ bytes 1E 00");
    EXPECT_EQ(text.substr(text.find('\n') + 1, 9), "30 AB 30 ");
    EXPECT_NE(text.find("\n07 30 30"), std::string::npos);
    image[TileSetByteOffset] = 0xC8; // -56: tile set -5, no name
    const std::string outside = FormatMapText(image);
    EXPECT_EQ(outside.substr(0, outside.find('\n')), "tileset -5 - bytes C8 00");
}

TEST(MapText, MalformedTextIsRefusedWithItsLineAndColumn) {
    MapImage image{};
    image.fill(0x30);
    image[TileSetByteOffset] = 10;
    const std::string good = FormatMapText(image);
    const std::string lastRowGone = good.substr(0, good.rfind('\n', good.size() - 2) + 1);
    struct Case {
        const char* what;
        std::string text;
        int line;
        int column;
    };
    const Case cases[] = {
        {"a word that is not hex", WithWord(good, 5, 12, "3G"), 5, 12},
        {"three digits", WithWord(good, 2, 1, "030"), 2, 1},
        {"one digit", WithWord(good, 7, 4, "3"), 7, 4},
        {"one digit for a stored byte", WithWord(good, 1, 6, "0"), 1, 6},
        {"a short row", WithWord(good, 7, 48, ""), 7, 0},
        {"a long row", WithWord(good, 3, 48, "30 30"), 3, 49},
        {"a row missing", lastRowGone, 49, 0},
        {"a row too many", good + std::string(good.substr(good.find('\n') + 1, 144)), 50, 0},
        {"a blank line between rows", WithWord(good, 10, 1, "\n30"), 10, 0},
        {"no header", good.substr(good.find('\n') + 1), 1, 0},
        {"a number that disagrees with the byte", WithWord(good, 1, 2, "4"), 1, 2},
        {"a byte that is not hex", WithWord(good, 1, 5, "XY"), 1, 5},
        {"nothing", "", 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MapTextResult result = ParseMapText(c.text);
        EXPECT_FALSE(result.Image);
        EXPECT_FALSE(result.Error.empty());
        EXPECT_EQ(result.Line, c.line) << result.Error;
        EXPECT_EQ(result.Column, c.column) << result.Error;
    }
}

// A word of the text quoted in the refusal can hold anything a file can: it is escaped, so that no control
// sequence reaches a terminal and a NUL does not end the line, and cut, so that a huge word is not echoed.
TEST(MapText, QuotedWordsAreEscapedAndCut) {
    MapImage image{};
    image[TileSetByteOffset] = 10;
    const std::string good = FormatMapText(image);
    const struct {
        const char* what;
        std::string word;
        std::string quoted;
    } cases[] = {
        {"an OSC sequence", "\x1B]0;owned\x07", "\"\\x1B]0;owned\\x07\""},
        {"a NUL", std::string("1\0" "2", 3), "\"1\\x002\""},
        {"a backslash and a quote", "\\\"", "\"\\\\\\\"\""},
        {"a huge word", std::string(900000, 'Q'), "\"" + std::string(40, 'Q') + "...\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const MapTextResult result = ParseMapText(WithWord(good, 1, 5, c.word));
        ASSERT_FALSE(result.Image);
        EXPECT_EQ(result.Error, c.quoted + " is not a hex byte (two hex digits)");
    }
}

} // namespace
} // namespace tav
