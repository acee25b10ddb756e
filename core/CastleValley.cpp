#include "CastleValley.h"

#include "GridWalk.h"

#include <algorithm>

namespace tav {

namespace {

// The corners of the walls touch no ground along a side, so they are left to the land round the valley.
// The castle at the middle, its pass to the right. The lower gate cell (below the gate) goes right along the
// courtyard and up to the pass in five steps; the upper one, its mirror image, in five as well.
// clang-format off
constexpr std::string_view TwoWayRows[] = {
    " ##### ",
    "#.....#",
    "#.rrr.#",
    "#.rCr.P",
    "#.rrr.#",
    "#.....#",
    " ##### ",
};
// clang-format on

// The castle in the fourth row and column. Walls in the upper-left and lower-right corners of the courtyard
// cut it in two: the lower and the left gate cell lie two steps from its lower-left corner, the upper and the
// right ones two steps from its upper-right corner. From each corner a way of equal length (the shape is its
// own mirror image across the diagonal through the castle and the pass) runs round the lower right to the
// pass, so every gate cell is ten steps from the pass.
// clang-format off
constexpr std::string_view FourWayRows[] = {
    " ####### ",
    "##......#",
    "#.rrr.#.#",
    "#.rCr.#.#",
    "#.rrr.#.#",
    "#....##.#",
    "#.#####.#",
    "#......P ",
    " ######  ",
};
// clang-format on

ValleyPart PartOf(char c) {
    switch (c) {
    case '#':
        return ValleyPart::Wall;
    case '.':
        return ValleyPart::Open;
    case 'P':
        return ValleyPart::Pass;
    case 'C':
        return ValleyPart::Castle;
    case 'r':
        return ValleyPart::Ring;
    default:
        return ValleyPart::Outside;
    }
}

// Offsets from the castle in the shape's own rows, before any turn.
struct Picture {
    int Width = 0;
    int Height = 0;
    int CastleX = 0;
    int CastleY = 0;
    std::span<const std::string_view> Rows;

    ValleyPart At(int column, int row) const {
        if (row < 0 || row >= Height || column < 0 || column >= Width) return ValleyPart::Outside;
        const std::string_view line = Rows[static_cast<std::size_t>(row)];
        return static_cast<std::size_t>(column) < line.size() ? PartOf(line[static_cast<std::size_t>(column)])
                                                              : ValleyPart::Outside;
    }
};

Picture PictureOf(const ValleyShape& shape) {
    Picture picture;
    picture.Rows = shape.Rows;
    picture.Height = static_cast<int>(shape.Rows.size());
    for (int row = 0; row < picture.Height; ++row) {
        const std::string_view line = shape.Rows[static_cast<std::size_t>(row)];
        picture.Width = std::max(picture.Width, static_cast<int>(line.size()));
        if (const auto at = line.find('C'); at != std::string_view::npos) {
            picture.CastleX = static_cast<int>(at);
            picture.CastleY = row;
        }
    }
    return picture;
}

ValleyOffset Orient(ValleyOffset offset, int orientation) {
    if (orientation & 1) offset = {offset.Dy, offset.Dx};
    if (orientation & 2) offset.Dx = -offset.Dx;
    if (orientation & 4) offset.Dy = -offset.Dy;
    return offset;
}

} // namespace

const ValleyShape TwoWayValley{"two-way", TwoWayRows, false};
const ValleyShape FourWayValley{"four-way", FourWayRows, true};

bool KeepsEvenWays(const ValleyShape& shape, int orientation) {
    return shape.EvensAllSides || (orientation & 1) == 0;
}

ValleyLayout LayValley(const ValleyShape& shape, int orientation) {
    const Picture picture = PictureOf(shape);

    // Walls joined through walls to the outside can be sea; the others are shut in by the valley's own
    // ground.
    const GridShape pictureShape{picture.Width, picture.Height};
    std::vector<bool> reachesOutside(static_cast<std::size_t>(pictureShape.CellCount()), false);
    BreadthFirstWalk walk(pictureShape);
    for (int row = 0; row < picture.Height; ++row)
        for (int column = 0; column < picture.Width; ++column) {
            if (picture.At(column, row) != ValleyPart::Wall) continue;
            bool touchesOutside = false;
            for (const CellStep side : SideSteps)
                touchesOutside = touchesOutside ||
                                 picture.At(column + side.Dx, row + side.Dy) == ValleyPart::Outside;
            if (touchesOutside) {
                reachesOutside[pictureShape.Index({column, row})] = true;
                walk.Start({column, row});
            }
        }
    walk.Run([&](MapCell, MapCell to) {
        const std::size_t cell = pictureShape.Index(to);
        if (picture.At(to.X, to.Y) != ValleyPart::Wall || reachesOutside[cell]) return false;
        reachesOutside[cell] = true;
        return true;
    });

    ValleyLayout layout;
    for (int row = 0; row < picture.Height; ++row)
        for (int column = 0; column < picture.Width; ++column) {
            const ValleyPart part = picture.At(column, row);
            if (part == ValleyPart::Outside) continue;
            const ValleyOffset at = Orient({column - picture.CastleX, row - picture.CastleY}, orientation);
            layout.Cells.push_back(
                {at, part, part == ValleyPart::Wall && !reachesOutside[pictureShape.Index({column, row})]});
            if (part != ValleyPart::Pass) continue;
            for (const CellStep side : SideSteps)
                if (picture.At(column + side.Dx, row + side.Dy) == ValleyPart::Outside)
                    layout.Approach.push_back(Orient(
                        {column + side.Dx - picture.CastleX, row + side.Dy - picture.CastleY}, orientation));
        }
    return layout;
}

} // namespace tav
