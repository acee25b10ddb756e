#pragma once
// Plain pixel operations on the views' 32-bit pictures: rectangle copies between two pictures of the
// same size, filled rectangles and one-pixel frames. No blending, no smoothing; every rectangle is
// clipped to the picture, right and bottom edges exclusive.

#include <QImage>
#include <QRect>

#include <cstring>

namespace tav {

// Copies `area` of `from` to the same place in `to`; both pictures are 32-bit and of the same size.
inline void CopyRect(QImage& to, const QImage& from, const QRect& area) {
    const QRect r = area.intersected(to.rect()).intersected(from.rect());
    if (r.isEmpty())
        return;
    const std::size_t bytes = static_cast<std::size_t>(r.width()) * 4;
    const std::size_t offset = static_cast<std::size_t>(r.left()) * 4;
    for (int y = r.top(); y <= r.bottom(); ++y)
        std::memcpy(to.scanLine(y) + offset, from.constScanLine(y) + offset, bytes);
}

inline void FillRect(QImage& image, const QRect& area, QRgb colour) {
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x)
            row[x] = colour;
    }
}

// The one-pixel outline of `area`: its top and bottom rows and its left and right columns.
inline void FrameRect(QImage& image, const QRect& area, QRgb colour) {
    if (area.isEmpty())
        return;
    FillRect(image, QRect(area.left(), area.top(), area.width(), 1), colour);
    FillRect(image, QRect(area.left(), area.bottom(), area.width(), 1), colour);
    FillRect(image, QRect(area.left(), area.top(), 1, area.height()), colour);
    FillRect(image, QRect(area.right(), area.top(), 1, area.height()), colour);
}

} // namespace tav
