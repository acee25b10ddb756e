// A tile square far outside the target, as any caller of the render path may ask for: nothing is drawn,
// and the square's far edge is never computed in a way that overflows (found by fuzzing the render path;
// the sanitizer build reports such an overflow as a failure).

#include "TileRender.h"
#include "TileSets.h"

#include <QImage>

#include <gtest/gtest.h>

#include <climits>

namespace tav {
namespace {

constexpr QRgb Background = 0xFF123456;

QImage TilePicture(int edge) {
    QImage picture(8 * edge, 16 * edge, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, 99));
    return picture;
}

TEST(TileFarOutsideTarget, DrawsNothingAtAnyExtremePosition) {
    const QPoint positions[] = {{INT_MAX, 0}, {0, INT_MAX}, {INT_MIN, 0}, {0, INT_MIN},
                                {INT_MAX - 3, INT_MAX - 3}, {INT_MIN, INT_MAX}, {64, 0}, {0, -32}};
    for (TileEdge tileEdge : AllTileEdges) {
        const int edge = Pixels(tileEdge);
        const QImage picture = TilePicture(edge);
        for (int code : {0, 127, 128, 255}) { // tiles and the marker of codes without a tile
            for (const QPoint& at : positions) {
                SCOPED_TRACE("edge " + std::to_string(edge) + " code " + std::to_string(code) + " at " +
                             std::to_string(at.x()) + "," + std::to_string(at.y()));
                QImage target(64, 64, QImage::Format_RGB32);
                target.fill(Background);
                const QImage before = target;
                DrawTile(target, at.x(), at.y(), picture, edge, code);
                EXPECT_EQ(target, before);
            }
        }
    }
}

TEST(TileFarOutsideTarget, ASquareOverlappingTheTopLeftCornerStillDrawsItsVisiblePart) {
    for (TileEdge tileEdge : AllTileEdges) {
        const int edge = Pixels(tileEdge);
        SCOPED_TRACE("edge " + std::to_string(edge));
        const QImage picture = TilePicture(edge);
        QImage target(64, 64, QImage::Format_RGB32);
        target.fill(Background);
        const int code = 9; // column 1, row 1 of the picture
        DrawTile(target, -(edge - 1), -(edge - 1), picture, edge, code);
        // Only the square's last pixel lands on the target, at (0, 0).
        EXPECT_EQ(target.pixel(0, 0), picture.pixel(2 * edge - 1, 2 * edge - 1));
        EXPECT_EQ(target.pixel(1, 0), Background);
        EXPECT_EQ(target.pixel(0, 1), Background);
    }
}

TEST(TileFarOutsideTarget, AnEdgeNoPictureCanHoldDrawsTheMarkerClippedToTheTarget) {
    const QImage picture = TilePicture(32);
    for (int edge : {1 << 16, 1 << 27, (1 << 30) + 1, INT_MAX}) {
        SCOPED_TRACE("edge " + std::to_string(edge));
        QImage marker(16, 16, QImage::Format_RGB32);
        marker.fill(Background);
        DrawTile(marker, 0, 0, picture, edge, 200); // a code without a tile
        for (int y = 0; y < marker.height(); ++y)
            for (int x = 0; x < marker.width(); ++x)
                ASSERT_NE(marker.pixel(x, y), Background) << "at " << x << "," << y;
        for (int code : {0, 127}) { // codes with a tile, whose square no picture is large enough to hold
            QImage target(16, 16, QImage::Format_RGB32);
            target.fill(Background);
            DrawTile(target, 0, 0, picture, edge, code);
            EXPECT_EQ(target, marker) << "code " << code;
        }
        // Only the square's last pixel lands on the target, whatever the edge.
        QImage corner(16, 16, QImage::Format_RGB32);
        corner.fill(Background);
        DrawTile(corner, 1 - edge, 1 - edge, picture, edge, 0);
        for (int y = 0; y < corner.height(); ++y)
            for (int x = 0; x < corner.width(); ++x)
                ASSERT_EQ(corner.pixel(x, y) != Background, x == 0 && y == 0) << "at " << x << "," << y;
    }
}

} // namespace
} // namespace tav
