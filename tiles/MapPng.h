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

// How the image data is compressed: zlib's level (1-9), its match strategy (Z_DEFAULT_STRATEGY, Z_FILTERED,
// Z_RLE), the row filter, and optionally the level's search limits set anew (deflateTune: a match this long
// is good enough to search less, the longest match to look past, one long enough to stop at, the longest
// chain of places tried); all four 0 keep the level's own.
struct PngCompression {
    int Level;
    int Strategy;
    PngRowFilter Filter;
    int GoodLength = 0;
    int LazyLength = 0;
    int NiceLength = 0;
    int ChainLength = 0;
};

// The compression every picture uses, chosen by measurement (tiles_bench's BM_PngCompressionChoices; the
// sizes beside optipng -o2 from bench/png_sizes.sh) on the generator's maps at 8, 16 and 32 pixels: the row
// above subtracted, zlib's lazy matcher with matches up to PNG's longest and at most 64 places tried. The
// files come within 1.2 times the size optipng -o2 reaches at every edge, in about 3 times the time zlib's
// fastest level takes on the bare indices. The level's own search (128 places, matches of 128 at most)
// gains a few percent for a third more time; the fast matcher stays a third larger at 16 pixels, where the
// same row of the tile row above lies 12 KiB back and only a longer search finds it.
extern const PngCompression MapPngCompression;

// The compression of thumbnails (`render --size`): a scaled picture of blended colours, small, asked for by
// file managers that keep it. Its cost beside the program's start is what counts there, so zlib's fastest
// level; the row above subtracted suits smooth pictures.
extern const PngCompression ThumbnailPngCompression;

// `picture` as PNG bytes: colour type 3 (indexed) for an 8-bit indexed picture, else 8-bit RGB (the
// alpha channel is dropped). Empty for a null picture.
QByteArray EncodePng(const QImage& picture, const PngCompression& compression = MapPngCompression);

// The map drawn from a tile picture and encoded: indexed when the picture's colours allow it (always for
// the built-in sets), RGB otherwise.
QByteArray MapPng(const MapGrid& grid, const QImage& tilePicture, int edge);

} // namespace tav
