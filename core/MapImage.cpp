#include "MapImage.h"

#include <algorithm>

namespace tav {

MapImage BuildMapImage(const MapGrid& grid, TileSet tileSet) {
    MapImage image{};
    std::copy(grid.begin(), grid.end(), image.begin());
    image[TileSetByteOffset] = static_cast<std::uint8_t>(TileSetNumber(tileSet) * 10);
    image[TileSetByteOffset + 1] = 0;
    return image;
}

std::optional<MapImageContent> ReadMapImage(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < MapFileSize)
        return std::nullopt;
    MapImageContent content;
    // The stored byte is signed in the game's files: 200 reads as -56 and gives tile set -5.
    const auto stored = static_cast<std::int8_t>(bytes[TileSetByteOffset]);
    content.TileSet = stored / 10; // C++ division truncates toward zero
    std::copy_n(bytes.begin(), MapCells, content.Grid.begin());
    return content;
}

} // namespace tav
