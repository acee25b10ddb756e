// The committed pictures are exactly what the generator draws, and the drawn tiles join without seams.

#include "ArtGen.h"
#include "CellGrid.h"
#include "Shaping.h"
#include "TileSets.h"

#include <QDir>
#include <QDirIterator>

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace tav {
namespace {

const QString ResourceDir = QStringLiteral(TAV_RESOURCES_DIR);

TEST(Artwork, CommittedPicturesAreExactlyWhatTheGeneratorDraws) {
    for (const artgen::GeneratedPicture& generated : artgen::AllPictures()) {
        SCOPED_TRACE(generated.Path.toStdString());
        const QImage committed(ResourceDir + u'/' + generated.Path);
        ASSERT_FALSE(committed.isNull()) << "missing; run the artgen_regenerate target";
        ASSERT_EQ(generated.Image.format(), QImage::Format_Indexed8);
        ASSERT_EQ(committed.format(), QImage::Format_Indexed8);
        ASSERT_EQ(committed.size(), generated.Image.size());
        EXPECT_EQ(committed.colorTable(), generated.Image.colorTable());
        for (int y = 0; y < committed.height(); ++y)
            ASSERT_EQ(0, std::memcmp(committed.constScanLine(y), generated.Image.constScanLine(y), static_cast<std::size_t>(committed.width())))
                << "row " << y << " differs; run the artgen_regenerate target";
    }
}

TEST(Artwork, ResourcesHoldNoPictureTheGeneratorDoesNotDraw) {
    std::set<QString> generated;
    for (const artgen::GeneratedPicture& picture : artgen::AllPictures())
        generated.insert(picture.Path);
    EXPECT_EQ(generated.size(), 36u + 27u + 8u + 1u); // tiles, tool bar, the icon at eight sizes, the about box
    QDirIterator it(ResourceDir, {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = QDir(ResourceDir).relativeFilePath(it.next());
        EXPECT_TRUE(generated.count(path)) << path.toStdString() << " is not drawn by the generator";
    }
}

TEST(Artwork, GeneratorDrawsTheSameEveryTime) {
    for (int set : {1, 5, 9})
        for (int edge : artgen::PictureEdges)
            EXPECT_EQ(artgen::TileSetPicture(set, edge), artgen::TileSetPicture(set, edge)) << set << " " << edge;
    EXPECT_EQ(artgen::AboutPicture(), artgen::AboutPicture());
}

// Seams. For two neighbouring cells that a shaped map joins (water beside water, a mountain arm meeting
// a mountain arm, a tree run, trees side by side, flat plateau), the pixels on both sides of the border
// must agree about what is drawn there: where one tile shows something other than plain ground at its
// border, the other shows the same colour at the mirrored place.
struct Seams {
    QImage Picture;
    int Edge;
    int Pixel(int code, int x, int y) const { return Picture.pixelIndex((code % 8) * Edge + x, (code / 8) * Edge + y); }
    bool Ground(int code, int x, int y) const { return Pixel(code, x, y) == Pixel(0, x, y); }
    // The border column/row of a (right or lower side) against b's (left or upper side).
    std::string Compare(int a, int b, bool horizontal) const {
        for (int i = 0; i < Edge; ++i) {
            const int ax = horizontal ? Edge - 1 : i, ay = horizontal ? i : Edge - 1;
            const int bx = horizontal ? 0 : i, by = horizontal ? i : 0;
            const bool aDrawn = !Ground(a, ax, ay), bDrawn = !Ground(b, bx, by);
            if (aDrawn != bDrawn || (aDrawn && Pixel(a, ax, ay) != Pixel(b, bx, by)))
                return "codes " + std::to_string(a) + (horizontal ? " | " : " / ") + std::to_string(b) + " at " + std::to_string(i);
        }
        return {};
    }
};

bool IsWater(int c) { return c >= 48 && c <= 95; }
bool IsRidge(int c) { return (c >= 96 && c <= 111) || c == 5; }
int RidgeJoins(int c) { return c == 5 ? 15 : 111 - c; }   // W 1, N 2, E 4, S 8
int PlateauJoins(int c) { return 47 - c; }

TEST(Artwork, ShapedMapsJoinWithoutSeams) {
    std::mt19937 rng(4);
    const TileCode kinds[] = {0, 0, 1, 1, 32, 32, 48, 48, 48, 96, 96, 5, 122};
    std::vector<MapGrid> maps;
    for (int m = 0; m < 12; ++m) {
        MapGrid grid{};
        // blobs, so that both long edges and single cells occur
        grid.fill(kinds[rng() % std::size(kinds)]);
        for (int blob = 0; blob < 120; ++blob) {
            const int x0 = static_cast<int>(rng() % 48), y0 = static_cast<int>(rng() % 48);
            const int w = 1 + static_cast<int>(rng() % 6), h = 1 + static_cast<int>(rng() % 6);
            const TileCode code = kinds[rng() % std::size(kinds)];
            for (int x = x0; x < std::min(48, x0 + w); ++x)
                for (int y = y0; y < std::min(48, y0 + h); ++y)
                    grid[GridIndex(x, y)] = code;
        }
        ShapeMap(grid);
        maps.push_back(grid);
    }
    for (int set = 1; set <= 9; ++set)
        for (int edge : artgen::PictureEdges) {
            SCOPED_TRACE(testing::Message() << "set " << set << " edge " << edge);
            const Seams seams{artgen::TileSetPicture(set, edge), edge};
            std::set<std::string> failures;
            for (const MapGrid& grid : maps)
                for (int x = 0; x < 48; ++x)
                    for (int y = 0; y < 48; ++y) {
                        const int a = grid[GridIndex(x, y)];
                        for (const bool horizontal : {true, false}) {
                            const int nx = x + (horizontal ? 1 : 0), ny = y + (horizontal ? 0 : 1);
                            if (!InMap(nx, ny))
                                continue;
                            const int b = grid[GridIndex(nx, ny)];
                            const int toward = horizontal ? 4 : 8, back = horizontal ? 1 : 2;
                            bool joined = false;
                            if (IsWater(a) && IsWater(b))
                                joined = true;
                            else if (IsRidge(a) && IsRidge(b))
                                joined = (RidgeJoins(a) & toward) && (RidgeJoins(b) & back);
                            else if (a >= 1 && a <= 4 && b >= 1 && b <= 4)
                                // trees side by side meet whatever their runs; one above the other only inside a run
                                joined = horizontal || ((a == 1 || a == 2) && (b == 1 || b == 3));
                            else if (a >= 32 && a <= 47 && b >= 32 && b <= 47) {
                                // the rims running along the border must be the same on both sides
                                const int along = horizontal ? (2 | 8) : (1 | 4);
                                joined = (PlateauJoins(a) & toward) && (PlateauJoins(b) & back) &&
                                         (PlateauJoins(a) & along) == (PlateauJoins(b) & along);
                            }
                            if (joined) {
                                const std::string failure = seams.Compare(a, b, horizontal);
                                if (!failure.empty())
                                    failures.insert(failure);
                            }
                        }
                    }
            for (const std::string& failure : failures)
                ADD_FAILURE() << "set " << set << " edge " << seams.Edge << ": seam between " << failure;
        }
}

} // namespace
} // namespace tav
