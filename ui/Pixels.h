#pragma once
// Filled rectangles on the views' 32-bit pictures: no blending, no smoothing; every rectangle is clipped
// to the picture, right and bottom edges exclusive.

#include <QImage>
#include <QRect>

namespace tav {

inline void FillRect(QImage& image, const QRect& area, QRgb colour) {
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x)
            row[x] = colour;
    }
}

} // namespace tav
