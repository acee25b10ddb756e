#include "MapPng.h"

#include "CellGrid.h"
#include "TileRender.h"
#include "TileSets.h"

#include <QHash>

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <vector>

namespace tav {
namespace {

// The marker's colours; TileRender draws codes without a tile in them.
constexpr QRgb MarkerFill = 0xFFFF00FF;
constexpr QRgb MarkerCross = 0xFF000000;

void PutBigEndian(QByteArray& out, std::uint32_t value) {
    const char bytes[4] = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                           static_cast<char>(value >> 8), static_cast<char>(value)};
    out.append(bytes, 4);
}

void PutChunk(QByteArray& out, const char* type, const QByteArray& body) {
    PutBigEndian(out, static_cast<std::uint32_t>(body.size()));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(body);
    const auto crc = crc32(0, reinterpret_cast<const Bytef*>(out.constData() + start),
                           static_cast<uInt>(out.size() - start));
    PutBigEndian(out, static_cast<std::uint32_t>(crc));
}

} // namespace

QImage IndexedTilePicture(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QList<QRgb> colours;
    QHash<QRgb, int> index;
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* to = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = from[x] | 0xFF000000;
            auto found = index.constFind(colour);
            if (found == index.constEnd()) {
                if (colours.size() == 256)
                    return QImage();
                found = index.insert(colour, static_cast<int>(colours.size()));
                colours.append(colour);
            }
            to[x] = static_cast<uchar>(*found);
        }
    }
    for (const QRgb marker : {MarkerFill, MarkerCross})
        if (!index.contains(marker)) {
            if (colours.size() == 256)
                return QImage();
            index.insert(marker, static_cast<int>(colours.size()));
            colours.append(marker);
        }
    indexed.setColorTable(colours);
    return indexed;
}

QImage RenderMapIndexed(const MapGrid& grid, const QImage& indexedPicture, int edge) {
    QImage image(MapSize * edge, MapSize * edge, QImage::Format_Indexed8);
    image.setColorTable(indexedPicture.colorTable());
    const QList<QRgb> table = indexedPicture.colorTable();
    const auto fill = static_cast<uchar>(table.indexOf(MarkerFill));
    const auto cross = static_cast<uchar>(table.indexOf(MarkerCross));
    const qsizetype toStride = image.bytesPerLine();
    const qsizetype fromStride = indexedPicture.bytesPerLine();
    uchar* bits = image.bits();
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y) {
            const int code = grid[GridIndex(x, y)];
            uchar* to = bits + static_cast<qsizetype>(y * edge) * toStride + x * edge;
            if (code >= 128) {
                // The marker, pixel for pixel as TileRender draws it in colour.
                QImage square(edge, edge, QImage::Format_RGB32);
                DrawTile(square, 0, 0, QImage(), edge, code);
                for (int v = 0; v < edge; ++v) {
                    const auto* row = reinterpret_cast<const QRgb*>(square.constScanLine(v));
                    for (int u = 0; u < edge; ++u)
                        to[v * toStride + u] = (row[u] | 0xFF000000) == MarkerFill ? fill : cross;
                }
                continue;
            }
            const QRect source = TileSourceRect(code, edge);
            const uchar* from = indexedPicture.constBits() + source.top() * fromStride + source.left();
            for (int v = 0; v < edge; ++v)
                std::memcpy(to + v * toStride, from + v * fromStride, static_cast<std::size_t>(edge));
        }
    return image;
}

QByteArray EncodePng(const QImage& picture, int level, PngRowFilter filter) {
    if (picture.isNull())
        return {};
    const bool indexed = picture.format() == QImage::Format_Indexed8;
    const QImage source = indexed ? picture : picture.convertToFormat(QImage::Format_RGB888);
    const int width = source.width(), height = source.height();
    const std::size_t rowBytes = static_cast<std::size_t>(width) * (indexed ? 1 : 3);

    // Every row with its filter byte in front, as the image data PNG compresses.
    std::vector<std::uint8_t> raw((rowBytes + 1) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        std::uint8_t* to = raw.data() + (rowBytes + 1) * static_cast<std::size_t>(y);
        const uchar* row = source.constScanLine(y);
        if (filter == PngRowFilter::Up && y > 0) {
            const uchar* above = source.constScanLine(y - 1);
            to[0] = 2;
            for (std::size_t i = 0; i < rowBytes; ++i)
                to[1 + i] = static_cast<std::uint8_t>(row[i] - above[i]);
        } else {
            to[0] = 0;
            std::memcpy(to + 1, row, rowBytes);
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    QByteArray packed(static_cast<qsizetype>(packedSize), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, raw.data(), static_cast<uLong>(raw.size()),
                  level) != Z_OK)
        return {};
    packed.truncate(static_cast<qsizetype>(packedSize));

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    PutBigEndian(header, static_cast<std::uint32_t>(width));
    PutBigEndian(header, static_cast<std::uint32_t>(height));
    header.append(static_cast<char>(8));           // bits per sample
    header.append(static_cast<char>(indexed ? 3 : 2)); // indexed or RGB
    header.append(3, '\0');                        // deflate, adaptive filtering, no interlace
    PutChunk(png, "IHDR", header);
    if (indexed) {
        QByteArray palette;
        for (const QRgb colour : source.colorTable()) {
            palette.append(static_cast<char>(qRed(colour)));
            palette.append(static_cast<char>(qGreen(colour)));
            palette.append(static_cast<char>(qBlue(colour)));
        }
        PutChunk(png, "PLTE", palette);
    }
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", QByteArray());
    return png;
}

QByteArray MapPng(const MapGrid& grid, const QImage& tilePicture, int edge) {
    // A tile picture is made indexed once: a pack renders hundreds of maps from a few pictures. Keyed by
    // the picture's cache key, which stays with the picture's pixels (a copy shares it, a change renews it).
    static std::mutex lock;
    static QHash<qint64, QImage> made;
    QImage indexed;
    {
        std::lock_guard guard(lock);
        auto found = made.constFind(tilePicture.cacheKey());
        if (found == made.constEnd()) {
            if (made.size() > 64)
                made.clear();
            found = made.insert(tilePicture.cacheKey(), IndexedTilePicture(tilePicture));
        }
        indexed = *found;
    }
    if (indexed.isNull())
        return EncodePng(RenderMap(grid, tilePicture, edge));
    return EncodePng(RenderMapIndexed(grid, indexed, edge));
}

} // namespace tav
