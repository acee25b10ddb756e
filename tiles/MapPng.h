#pragma once
// Maps as small PNG files: the map drawn as an 8-bit indexed picture (a tile set has a few dozen colours)
// and encoded with zlib directly, so that the compression level and the row filter are ours to choose.
// The pixels are the same as RenderMap's, colour for colour.

#include "MapGrid.h"

#include <QByteArray>
#include <QImage>

namespace tav {

// A tile picture of any format as an 8-bit indexed picture whose colour table holds each of its colours
// once, followed by the marker's colours (for codes without a tile) where the picture lacks them.
// Null when the picture has more colours than an index can name.
QImage IndexedTilePicture(const QImage& picture);

// The whole map at tile edge `edge`, 48 * edge pixels square, from a picture made by IndexedTilePicture;
// the same colours as RenderMap draws from the tile picture it was made of.
QImage RenderMapIndexed(const MapGrid& grid, const QImage& indexedPicture, int edge);

// Row filters of PNG that the encoder can use: none, or the row above subtracted (which suits tiles, whose
// rows repeat).
enum class PngRowFilter { None, Up };

// The compression the map pictures use. Levels 1 to 3 share zlib's fast matcher; level 3 searches a little
// longer, which keeps maps of mostly one terrain no larger than a general encoder's files (levels 1 and 2
// are not), at well under twice the time of level 1. Unfiltered rows compress better than the Up filter
// here: a tile's rows repeat along the row 32 pixels on, which the matcher finds by itself.
constexpr int MapPngLevel = 3;
constexpr PngRowFilter MapPngFilter = PngRowFilter::None;

// `picture` as PNG bytes: colour type 3 (indexed) for an 8-bit indexed picture, else 8-bit RGB (the
// alpha channel is dropped). Empty for a null picture.
QByteArray EncodePng(const QImage& picture, int level = MapPngLevel, PngRowFilter filter = MapPngFilter);

// The map drawn from a tile picture and encoded: indexed when the picture's colours allow it (always for
// the built-in sets), RGB otherwise.
QByteArray MapPng(const MapGrid& grid, const QImage& tilePicture, int edge);

} // namespace tav
