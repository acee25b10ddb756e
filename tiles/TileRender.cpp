#include "TileRender.h"

#include "CellGrid.h"
#include "TileSets.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace tav {

namespace {

// Codes without a tile show a magenta square crossed in black: no tile set uses that pair, so a
// stray byte from a file stands out at every tile edge.
constexpr QRgb MarkerFill = 0xFFFF00FF;
constexpr QRgb MarkerCross = 0xFF000000;

QRgb MarkerPixel(int u, int v, int edge) {
    if (edge <= 4) // at 4 pixels a cross would fill the tile; one dark diagonal keeps it readable
        return (u == v) ? MarkerCross : MarkerFill;
    const int last = edge - 1;
    const bool frame = u == 0 || v == 0 || u == last || v == last;
    const long long antidiagonal = static_cast<long long>(u) + v - last; // u + v alone may pass INT_MAX
    const bool cross = std::abs(u - v) <= edge / 16 || std::llabs(antidiagonal) <= edge / 16;
    return (frame || cross) ? MarkerCross : MarkerFill;
}

// The marker squares of the four tile edges the views use, made once; other edges are computed pixel by pixel.
struct MarkerSquare {
    int Edge = 0;
    std::vector<QRgb> Pixels; // Edge rows of Edge pixels
};

const MarkerSquare* CachedMarker(int edge) {
    static const std::array<MarkerSquare, AllTileEdges.size()> squares = [] {
        std::array<MarkerSquare, AllTileEdges.size()> made;
        for (std::size_t i = 0; i < made.size(); ++i) {
            const int e = Pixels(AllTileEdges[i]);
            made[i].Edge = e;
            made[i].Pixels.resize(static_cast<std::size_t>(e) * static_cast<std::size_t>(e));
            for (int v = 0; v < e; ++v)
                for (int u = 0; u < e; ++u)
                    made[i].Pixels[static_cast<std::size_t>(v * e + u)] = MarkerPixel(u, v, e);
        }
        return made;
    }();
    for (const MarkerSquare& square : squares)
        if (square.Edge == edge)
            return &square;
    return nullptr;
}

// The part of [start, start + edge) inside [0, size), computed in 64 bits so any start and edge may be passed.
std::pair<int, int> Clip(int start, int edge, int size) {
    const long long end = std::min(static_cast<long long>(start) + edge, static_cast<long long>(size));
    return {std::max(start, 0), static_cast<int>(std::max(end, 0LL))};
}

void DrawMarker(QImage& target, int left, int top, int edge) {
    const auto [x0, x1] = Clip(left, edge, target.width());
    const auto [y0, y1] = Clip(top, edge, target.height());
    if (x0 >= x1 || y0 >= y1)
        return;
    const bool fast = target.format() == QImage::Format_RGB32 || target.format() == QImage::Format_ARGB32;
    const MarkerSquare* cached = fast ? CachedMarker(edge) : nullptr;
    for (int y = y0; y < y1; ++y) {
        QRgb* row = fast ? reinterpret_cast<QRgb*>(target.scanLine(y)) : nullptr;
        if (cached) {
            const QRgb* from = cached->Pixels.data() + static_cast<std::size_t>((y - top) * edge + (x0 - left));
            std::memcpy(row + x0, from, static_cast<std::size_t>(x1 - x0) * sizeof(QRgb));
            continue;
        }
        for (int x = x0; x < x1; ++x) {
            const QRgb pixel = MarkerPixel(x - left, y - top, edge);
            if (row)
                row[x] = pixel;
            else
                target.setPixel(x, y, pixel);
        }
    }
}

} // namespace

void DrawTile(QImage& target, int left, int top, const QImage& picture, int edge, int code) {
    if (edge <= 0 || target.isNull())
        return;
    // A square wholly outside the target draws nothing. Clipped in 64 bits, so that any position and
    // edge may be passed.
    const auto [x0, x1] = Clip(left, edge, target.width());
    const auto [y0, y1] = Clip(top, edge, target.height());
    if (x0 >= x1 || y0 >= y1)
        return;
    // A missing picture, or one too small for the code's square, is never read from. The square's place
    // in the picture is only worked out for an edge the picture can hold, where it cannot overflow.
    const bool edgeFits = !picture.isNull() && edge <= picture.width() && edge <= picture.height();
    const QRect source = (code >= 0 && code < 128 && edgeFits) ? TileSourceRect(code, edge) : QRect();
    if (source.isNull() || !picture.rect().contains(source)) {
        DrawMarker(target, left, top, edge);
        return;
    }
    const QRect clipped(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
    const int sx = source.left() + (clipped.left() - left);
    const int sy = source.top() + (clipped.top() - top);
    if (picture.format() == target.format() && picture.depth() == 32) {
        // The common case: pictures are converted to the views' format when loaded, so a tile is a few row copies.
        // The rows are addressed from the start of each picture: scanLine() would check for sharing on every row.
        const std::size_t bytes = static_cast<std::size_t>(clipped.width()) * 4;
        const qsizetype fromStride = picture.bytesPerLine();
        const qsizetype toStride = target.bytesPerLine();
        const uchar* from = picture.constBits() + sy * fromStride + static_cast<qsizetype>(sx) * 4;
        uchar* to = target.bits() + clipped.top() * toStride + static_cast<qsizetype>(clipped.left()) * 4;
        for (int row = 0; row < clipped.height(); ++row, from += fromStride, to += toStride)
            std::memcpy(to, from, bytes);
        return;
    }
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(clipped.topLeft(), picture, QRect(sx, sy, clipped.width(), clipped.height()));
}

void DrawCells(QImage& target, const MapGrid& grid, const CellMask& cells, const QImage& picture, int edge) {
    const MarkerSquare* marker = CachedMarker(edge);
    const bool rowCopies = marker && target.format() == QImage::Format_RGB32 &&
                           picture.format() == QImage::Format_RGB32 && target.width() >= MapSize * edge &&
                           target.height() >= MapSize * edge && picture.width() == 8 * edge &&
                           picture.height() == 16 * edge;
    if (!rowCopies) {
        for (int index = 0; index < MapCells; ++index)
            if (cells[static_cast<std::size_t>(index)])
                DrawTile(target, index / MapSize * edge, index % MapSize * edge, picture, edge,
                         grid[static_cast<std::size_t>(index)]);
        return;
    }
    const auto rowBytes = static_cast<std::size_t>(edge) * 4;
    const qsizetype fromStride = picture.bytesPerLine();
    const qsizetype toStride = target.bytesPerLine();
    const auto* markerPixels = reinterpret_cast<const uchar*>(marker->Pixels.data());
    uchar* bits = target.bits();
    // Per cell of a row of cells: where its tile's first row is and how far apart its rows are.
    std::array<const uchar*, MapSize> from{};
    std::array<qsizetype, MapSize> stride{};
    for (int y = 0; y < MapSize; ++y) {
        bool any = false;
        for (int x = 0; x < MapSize; ++x) {
            const auto index = GridIndex(x, y);
            from[static_cast<std::size_t>(x)] = nullptr;
            if (!cells[index])
                continue;
            any = true;
            const int code = grid[index];
            if (code < 128) {
                const QRect source = TileSourceRect(code, edge);
                from[static_cast<std::size_t>(x)] = picture.constBits() + source.top() * fromStride + source.left() * 4;
                stride[static_cast<std::size_t>(x)] = fromStride;
            } else {
                from[static_cast<std::size_t>(x)] = markerPixels;
                stride[static_cast<std::size_t>(x)] = static_cast<qsizetype>(rowBytes);
            }
        }
        if (!any)
            continue;
        for (int v = 0; v < edge; ++v) {
            uchar* to = bits + static_cast<qsizetype>(y * edge + v) * toStride;
            for (int x = 0; x < MapSize; ++x, to += rowBytes)
                if (const uchar* row = from[static_cast<std::size_t>(x)])
                    std::memcpy(to, row + v * stride[static_cast<std::size_t>(x)], rowBytes);
        }
    }
}

QImage RenderMap(const MapGrid& grid, const QImage& picture, int edge) {
    QImage image(MapSize * edge, MapSize * edge, QImage::Format_RGB32);
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y)
            DrawTile(image, x * edge, y * edge, picture, edge, grid[GridIndex(x, y)]);
    return image;
}

} // namespace tav
