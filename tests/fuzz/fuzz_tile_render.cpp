// A grid from any bytes, drawn through the one render path at every tile edge, from the real tile
// pictures and from pictures of the wrong size or format, into targets of any size and at any position.
// Nothing outside a picture or a target may be touched, and every drawn pixel must be the tile's own.

#include "FuzzCheck.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "TileSets.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QImage>

#include <algorithm>
#include <array>
#include <cstring>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

using namespace tav;

constexpr QRgb Untouched = 0xFF123456; // a colour no tile set uses

std::array<TileBitmaps, TileSetCount>* g_tileSets = nullptr;

bool HasTile(const QImage& picture, int edge, int code) {
    return code >= 0 && code < 128 && !picture.isNull() && picture.rect().contains(TileSourceRect(code, edge));
}

// Pictures converted to the views' format copy pixel for pixel; others go through the painter, whose
// colour conversion this does not reproduce, so only their bounds are checked.
bool ExactPixels(const QImage& picture, const QImage& target) {
    return picture.format() == QImage::Format_RGB32 && target.format() == QImage::Format_RGB32;
}

// Every code without a tile looks the same at one edge; the first one seen is the one all others must match.
struct MarkerMemory {
    std::vector<QRgb> Marker;
    void Check(const QImage& drawn, int left, int top, int edge) {
        const bool first = Marker.empty();
        Marker.resize(static_cast<std::size_t>(edge) * static_cast<std::size_t>(edge));
        for (int v = 0; v < edge; ++v) {
            const auto* row = reinterpret_cast<const QRgb*>(drawn.constScanLine(top + v)) + left;
            QRgb* remembered = Marker.data() + static_cast<std::size_t>(v) * static_cast<std::size_t>(edge);
            if (first)
                std::copy(row, row + edge, remembered);
            else
                FUZZ_CHECK(std::equal(row, row + edge, remembered), "every code without a tile is drawn as the same marker");
        }
    }
};

// One tile drawn at any position into a target of any size: pixels outside the tile's square stay as
// they were, pixels inside are the tile's (or the marker's).
void DrawOneTile(FuzzedDataProvider& input, const QImage& picture, int edge) {
    const int width = input.ConsumeIntegralInRange<int>(0, 3 * edge + 4);
    const int height = input.ConsumeIntegralInRange<int>(0, 3 * edge + 4);
    const bool nearby = input.ConsumeBool();
    const int left = nearby ? input.ConsumeIntegralInRange<int>(-edge - 2, width + 2) : input.ConsumeIntegral<int>();
    const int top = nearby ? input.ConsumeIntegralInRange<int>(-edge - 2, height + 2) : input.ConsumeIntegral<int>();
    const int code = input.ConsumeBool() ? input.ConsumeIntegralInRange<int>(-2, 257) : input.ConsumeIntegral<int>();
    const auto format = input.ConsumeBool() ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;

    QImage target(width, height, format);
    target.fill(Untouched);
    const QImage before = target;
    DrawTile(target, left, top, picture, edge, code);
    FUZZ_CHECK(target.size() == before.size() && target.format() == before.format(), "drawing keeps the target's size and format");

    const bool tile = HasTile(picture, edge, code);
    const bool exact = tile && ExactPixels(picture, target);
    const QRect source = tile ? TileSourceRect(code, edge) : QRect();
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(target.constScanLine(y));
        const long long v = static_cast<long long>(y) - top;
        const auto* tileRow = exact && v >= 0 && v < edge
                                  ? reinterpret_cast<const QRgb*>(picture.constScanLine(source.top() + static_cast<int>(v)))
                                  : nullptr;
        for (int x = 0; x < width; ++x) {
            const long long u = static_cast<long long>(x) - left;
            const bool inside = u >= 0 && u < edge && v >= 0 && v < edge;
            if (!inside)
                FUZZ_CHECK(row[x] == Untouched, "nothing outside the tile's square is written");
            else if (tileRow)
                FUZZ_CHECK(row[x] == tileRow[source.left() + u], "a drawn pixel is the tile's own");
        }
    }
}

// A picture that is not what the loader makes: too small, empty, or of another format.
QImage OddPicture(FuzzedDataProvider& input, int edge) {
    const int width = input.ConsumeIntegralInRange<int>(0, 8 * edge + 2);
    const int height = input.ConsumeIntegralInRange<int>(0, 16 * edge + 2);
    constexpr std::array formats = {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_Indexed8,
                                    QImage::Format_RGB16, QImage::Format_Mono};
    const auto format = formats[input.ConsumeIntegralInRange<std::size_t>(0, formats.size() - 1)];
    if (width == 0 || height == 0)
        return QImage();
    QImage picture(width, height, format);
    if (format == QImage::Format_Indexed8 || format == QImage::Format_Mono) {
        picture.setColorCount(2);
        picture.setColor(0, 0xFF00AA00);
        picture.setColor(1, 0xFF0000AA);
        picture.fill(1);
    } else {
        picture.fill(0xFF00AA00);
    }
    return picture;
}

// FNV-1a over the input's bytes.
std::uint32_t InputHash(const std::uint8_t* data, std::size_t size) {
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 16777619u;
    return hash;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Every tile set once: loading is not what is fuzzed, and the pictures are the same for every input.
    static std::array<TileBitmaps, TileSetCount> sets;
    for (int set = 1; set <= TileSetCount; ++set)
        sets[static_cast<std::size_t>(set - 1)].LoadTileSetBitmaps(*TileSetNumbered(set));
    g_tileSets = &sets;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const TileEdge tileEdge = AllTileEdges[input.ConsumeIntegralInRange<std::size_t>(0, AllTileEdges.size() - 1)];
    const int tileSet = input.ConsumeIntegralInRange<int>(1, TileSetCount);
    const bool odd = input.ConsumeIntegralInRange<int>(0, 3) == 0;
    const int edge = (odd && input.ConsumeBool()) ? input.ConsumeIntegralInRange<int>(-2, 40)
                                                  : Pixels(tileEdge);
    const QImage picture = odd ? OddPicture(input, std::max(edge, 1))
                               : (*g_tileSets)[static_cast<std::size_t>(tileSet - 1)].Picture(tileEdge);

    for (int i = input.ConsumeIntegralInRange<int>(0, 3); i > 0; --i)
        if (edge > 0)
            DrawOneTile(input, picture, edge);

    if (edge <= 0) {
        // No tile edge, no drawing; the render path must still return without touching anything.
        QImage target(8, 8, QImage::Format_RGB32);
        target.fill(Untouched);
        DrawTile(target, 0, 0, picture, edge, 0);
        FUZZ_CHECK(target.pixel(0, 0) == Untouched, "a tile edge of 0 or less draws nothing");
        return 0;
    }

    // The whole grid, as the edit window, the preview and the command-line renderer draw it. A whole map
    // costs the square of the edge (ten megabytes checked pixel by pixel at 32), while the single tiles
    // above cover the bounds at a fraction of that, so one input in about edge * edge / 8 draws one: every
    // edge gets whole maps, at much the same cost per input. The choice is a hash of the whole input rather
    // than one of its bytes, which the fuzzer would learn to keep: a mutation of an input that drew a whole
    // map is as unlikely to draw one as any other.
    const std::uint32_t odds = static_cast<std::uint32_t>(std::max(1, edge * edge / 8));
    if (InputHash(data, size) % odds != 0)
        return 0;
    const std::vector<std::uint8_t> pattern = input.ConsumeRemainingBytes<std::uint8_t>();
    MapGrid grid{};
    for (int i = 0; i < MapCells; ++i)
        grid[i] = pattern.empty() ? NewMapTile : pattern[static_cast<std::size_t>(i) % pattern.size()];
    const QImage map = RenderMap(grid, picture, edge);
    FUZZ_CHECK(map.width() == MapSize * edge && map.height() == MapSize * edge, "the map is 48 tiles square");

    // Every pixel of every cell, row by row: a tile from the wrong square or a marker that differs shows.
    MarkerMemory markers;
    for (int x = 0; x < MapSize; ++x) {
        for (int y = 0; y < MapSize; ++y) {
            const int code = grid[CellIndex(x, y)];
            if (!HasTile(picture, edge, code)) {
                markers.Check(map, x * edge, y * edge, edge);
                continue;
            }
            if (!ExactPixels(picture, map))
                continue;
            const QRect source = TileSourceRect(code, edge);
            const std::size_t bytes = static_cast<std::size_t>(edge) * sizeof(QRgb);
            for (int v = 0; v < edge; ++v)
                FUZZ_CHECK(std::memcmp(map.constScanLine(y * edge + v) + static_cast<std::size_t>(x * edge) * sizeof(QRgb),
                                       picture.constScanLine(source.top() + v) +
                                           static_cast<std::size_t>(source.left()) * sizeof(QRgb),
                                       bytes) == 0,
                           "every cell shows its own tile");
        }
    }
    return 0;
}
