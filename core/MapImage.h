#pragma once
// The .map file image: 2304 grid bytes column by column, the tile-set number x 10, a zero byte.
// No header, no magic number, no checksum.

#include "MapGrid.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace tav {

constexpr std::size_t MapFileSize = 2306;
constexpr std::size_t TileSetByteOffset = 2304;

using MapImage = std::array<std::uint8_t, MapFileSize>;

// The image of a map as Save writes it, built in one piece before anything is written.
MapImage BuildMapImage(const MapGrid& grid, TileSet tileSet);

struct MapImageContent {
    // Byte 2304 read as a signed 8-bit value divided by 10, truncated toward zero: -12 to 12.
    // Validating it is the tile-set switch's work.
    int TileSet = 0;
    MapGrid Grid{};
};

// Reads an image from the bytes of a file. Fewer than 2306 bytes: rejected (nullopt).
// Bytes after the first 2306 are not looked at; byte 2305 is ignored; every grid byte is kept as it is.
std::optional<MapImageContent> ReadMapImage(std::span<const std::uint8_t> bytes);

} // namespace tav
