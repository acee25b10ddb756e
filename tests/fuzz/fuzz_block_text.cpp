// Any bytes as clipboard text and as the editor's own clipboard form: each is read or refused, never a
// crash; what is read is a block of codes of 1..48 x 1..48 that comes back unchanged through its text.

#include "CellBlock.h"
#include "FuzzCheck.h"

#include <cstdint>
#include <string_view>

using namespace tav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const BlockTextResult parsed = ParseBlockText(text);
    FUZZ_CHECK(parsed.Block.has_value() == (parsed.Error == BlockTextError::None), "a block exactly when no error");
    if (!parsed.Block) {
        FUZZ_CHECK(fuzz::IsWellFormedUtf8(BlockTextErrorMessage(parsed)), "the refusal is a well-formed sentence");
    } else {
        const CellBlock& block = *parsed.Block;
        FUZZ_CHECK(block.Width >= 1 && block.Width <= MapSize && block.Height >= 1 && block.Height <= MapSize,
                   "a block is 1..48 on each side");
        FUZZ_CHECK(block.Codes.size() == static_cast<std::size_t>(block.Width * block.Height), "one code per cell");
        const BlockTextResult again = ParseBlockText(FormatBlockText(block));
        FUZZ_CHECK(again.Block && *again.Block == block, "the text of a block reads back as the block");
        // Pasting it anywhere near the map stays inside the grid.
        MapGrid grid = FilledGrid(NewMapTile);
        PasteBlock(grid, block, static_cast<int>(size % 97) - 48, static_cast<int>(size % 89) - 44);
    }
    if (const auto decoded = DecodeBlockBytes({data, size})) {
        FUZZ_CHECK(decoded->Codes.size() == static_cast<std::size_t>(decoded->Width * decoded->Height),
                   "decoded bytes hold one code per cell");
        FUZZ_CHECK(EncodeBlockBytes(*decoded) == std::vector<std::uint8_t>(data, data + size),
                   "decoded bytes encode back to themselves");
    }
    return 0;
}
