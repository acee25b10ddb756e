// Blocks of cells: moving, pasting, replacing and exchanging against golden maps, the clipboard's text
// form (what it refuses, and that any block survives the round trip) and the editor's own byte form.

#include "CellBlock.h"
#include "CellGrid.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>

namespace tav {
namespace {

// A golden map: 48 lines of 48 hex codes, row by row as the map is seen (any byte, unlike the clipboard).
MapGrid ReadGolden(const std::string& name) {
    std::ifstream file(std::string(TAV_TEST_DATA_DIR) + "/blocks/" + name);
    EXPECT_TRUE(file.good()) << name;
    MapGrid grid{};
    for (int y = 0; y < MapSize; ++y)
        for (int x = 0; x < MapSize; ++x) {
            unsigned code = 0;
            file >> std::hex >> code;
            grid[GridIndex(x, y)] = static_cast<TileCode>(code);
        }
    EXPECT_FALSE(file.fail()) << name << " holds fewer than 48 x 48 codes";
    return grid;
}

TEST(CellBlockGolden, EachEditGivesItsGoldenMap) {
    struct Case {
        const char* expected;
        std::function<void(MapGrid&)> edit;
    };
    const Case cases[] = {
        // The 4 x 3 block near the top-left corner goes right past the edge: its last column is dropped.
        {"moved.txt", [](MapGrid& g) { MoveBlock(g, RectFromCorners(4, 3, 1, 1), 44, 1, NewMapTile); }},
        // The same block copied and pasted hanging over the left and bottom edges.
        {"pasted.txt", [](MapGrid& g) { PasteBlock(g, CopyBlock(g, {1, 1, 4, 3}), -2, 46); }},
        // 00 by 05 in a corner, then the unknown code 90 by 30 everywhere.
        {"replaced.txt",
         [](MapGrid& g) {
             EXPECT_EQ(ReplaceCodes(g, 0x00, 0x05, RectFromCorners(3, 0, 0, 5)), 15);
             EXPECT_EQ(ReplaceCodes(g, 0x90, 0x30), 4);
         }},
        {"exchanged.txt", [](MapGrid& g) { EXPECT_EQ(ExchangeCodes(g, 0x00, 0x05, {0, 0, 11, 11}), 133); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        MapGrid grid = ReadGolden("input.txt");
        c.edit(grid);
        EXPECT_EQ(grid, ReadGolden(c.expected));
    }
}

TEST(CellBlock, CopyKeepsOnlyTheCellsInsideTheMapAndRemembersWhereTheyCameFrom) {
    MapGrid grid{};
    for (int i = 0; i < MapCells; ++i)
        grid[static_cast<std::size_t>(i)] = static_cast<TileCode>(i);
    const CellBlock block = CopyBlock(grid, {45, -2, 50, 1});
    EXPECT_EQ(block.Width, 3);
    EXPECT_EQ(block.Height, 2);
    EXPECT_EQ(block.OriginX, 45);
    EXPECT_EQ(block.OriginY, 0);
    EXPECT_EQ(block.At(2, 1), grid[CellIndex(47, 1)]);
    EXPECT_EQ(CopyBlock(grid, {48, 0, 60, 10}).Width, 0) << "a rectangle off the map copies nothing";
    MapGrid pasted = grid;
    PasteBlock(pasted, block, 48, -5);
    PasteBlock(pasted, block, -1000000, 1000000);
    EXPECT_EQ(pasted, grid) << "a block pasted wholly off the map changes nothing";
}

// Seeded random maps and areas: exchanging twice gives the map back, the counts are the cells that changed,
// and nothing outside the area changes.
TEST(CellBlock, ReplaceAndExchangeChangeOnlyTheirAreaAndCountWhatTheyChange) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        MapGrid grid{};
        for (TileCode& c : grid)
            c = static_cast<TileCode>(random() % 4);
        const CellRect area = RectFromCorners(static_cast<int>(random() % 48), static_cast<int>(random() % 48),
                                              static_cast<int>(random() % 48), static_cast<int>(random() % 48));
        const auto a = static_cast<TileCode>(random() % 4);
        const auto b = static_cast<TileCode>(random() % 4);
        for (const bool exchange : {false, true}) {
            SCOPED_TRACE(testing::Message() << "round " << round << (exchange ? " exchange" : " replace"));
            MapGrid changed = grid;
            const int count = exchange ? ExchangeCodes(changed, a, b, area) : ReplaceCodes(changed, a, b, area);
            int differing = 0;
            for (int x = 0; x < MapSize; ++x) {
                for (int y = 0; y < MapSize; ++y) {
                    const std::size_t i = GridIndex(x, y);
                    differing += changed[i] != grid[i];
                    const TileCode wanted = !area.Contains(x, y) ? grid[i] : grid[i] == a ? b : grid[i];
                    if (!exchange || grid[i] != b || !area.Contains(x, y))
                        ASSERT_EQ(changed[i], wanted);
                    else
                        ASSERT_EQ(changed[i], a);
                }
            }
            EXPECT_EQ(count, differing);
            if (exchange) {
                ExchangeCodes(changed, a, b, area);
                EXPECT_EQ(changed, grid);
            }
        }
    }
}

TEST(BlockText, RefusesWhatIsNotARectangleOfTileCodesAndSaysWhere) {
    struct Case {
        const char* text;
        BlockTextError error;
        int line;
        int column;
    };
    const Case cases[] = {
        {"", BlockTextError::Empty, 0, 0},
        {" \n\t\r\n", BlockTextError::Empty, 0, 0},
        {"01 02\n03 4G", BlockTextError::NotHex, 2, 2},
        {"01 002", BlockTextError::NotHex, 1, 2},
        {"01 02\n3 04", BlockTextError::NotHex, 2, 1},
        {"0x1", BlockTextError::NotHex, 1, 1},
        {"01 02\n03", BlockTextError::Ragged, 2, 0},
        {"01\n\n02", BlockTextError::Ragged, 2, 0},
        {"01,02", BlockTextError::NotHex, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const BlockTextResult result = ParseBlockText(c.text);
        EXPECT_FALSE(result.Block);
        EXPECT_EQ(result.Error, c.error);
        EXPECT_EQ(result.Line, c.line);
        EXPECT_EQ(result.Column, c.column);
        EXPECT_FALSE(BlockTextErrorMessage(result).empty());
    }
    std::string wide(49 * 3, ' ');
    for (std::size_t i = 0; i < 49; ++i)
        wide.replace(i * 3, 2, "01");
    EXPECT_EQ(ParseBlockText(wide).Error, BlockTextError::TooLarge);
    std::string tall;
    for (int i = 0; i < 49; ++i)
        tall += "01\n";
    EXPECT_EQ(ParseBlockText(tall).Error, BlockTextError::TooLarge);
    EXPECT_EQ(BlockTextErrorMessage(ParseBlockText("01 02\n03")), "2行目：どの行も同じ数のタイルコードを並べた長方形にしてください。");
}

TEST(BlockText, AcceptsWhatATextEditorMakesOfIt) {
    const BlockTextResult result = ParseBlockText("\r\n  0a\t7F 01 \r\n00 10 2b\r\n\n");
    ASSERT_TRUE(result.Block);
    EXPECT_EQ(result.Block->Width, 3);
    EXPECT_EQ(result.Block->Height, 2);
    EXPECT_EQ(result.Block->Codes, (std::vector<TileCode>{0x0A, 0x7F, 0x01, 0x00, 0x10, 0x2B}));
    EXPECT_EQ(FormatBlockText(*result.Block), "0A 7F 01\n00 10 2B\n");
}

// Any block of codes 00..FF, 1 x 1 to 48 x 48, comes back from its text and from its bytes unchanged: a
// loaded map may hold codes without a tile, and what is copied must paste back as it was.
TEST(BlockText, AnyBlockOfCodesSurvivesBothClipboardForms) {
    CellBlock everyByte{16, 16, {}, 0, 0};
    for (int code = 0; code < 256; ++code)
        everyByte.Codes.push_back(static_cast<TileCode>(code));
    std::vector<CellBlock> blocks = {everyByte};
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        CellBlock block{1 + static_cast<int>(random() % 48), 1 + static_cast<int>(random() % 48), {}, 0, 0};
        for (int i = 0; i < block.Width * block.Height; ++i)
            block.Codes.push_back(static_cast<TileCode>(random() % 256));
        blocks.push_back(block);
    }
    for (CellBlock& block : blocks) {
        SCOPED_TRACE(::testing::Message() << block.Width << " x " << block.Height);
        const BlockTextResult parsed = ParseBlockText(FormatBlockText(block));
        ASSERT_TRUE(parsed.Block) << BlockTextErrorMessage(parsed);
        ASSERT_EQ(*parsed.Block, block);
        block.OriginX = static_cast<int>(random() % 48);
        block.OriginY = static_cast<int>(random() % 48);
        const std::vector<std::uint8_t> bytes = EncodeBlockBytes(block);
        ASSERT_EQ(DecodeBlockBytes(bytes), block);
    }
}

TEST(BlockBytes, RefusesBytesThatAreNotABlock) {
    const std::vector<std::vector<std::uint8_t>> refused = {
        {},
        {1},
        {0, 1, 0, 0},       // no width
        {2, 1, 5, 0, 0},    // a code short
        {1, 1, 5, 0, 0, 0}, // a byte too many
        {49, 1},            // wider than the map
        {1, 1, 5, 48, 0},   // copied from outside the map
    };
    for (const auto& bytes : refused)
        EXPECT_FALSE(DecodeBlockBytes(bytes)) << bytes.size() << " bytes";
}

} // namespace
} // namespace tav
