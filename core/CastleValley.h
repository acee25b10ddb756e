#pragma once
// A castle's own valley: the cells around a castle walled so that its one way out, the pass, lies equally far
// from the gate whichever side the gate opens to.
//
// Every gate faces down, so castles that are each other's images under a turn or a mirror do not see the same
// land through their gates. Seen from the first castle's valley, an image castle's gate opens to another
// side. A valley whose pass every gate side reaches in the same number of steps hides that: beyond the pass,
// every castle's distances are the image of the first castle's, so the land shares out exactly evenly.

#include "MapGrid.h"

#include <array>
#include <span>
#include <string_view>
#include <vector>

namespace tav {

enum class ValleyPart : std::uint8_t {
    Outside, // not part of the valley
    Wall,    // must block: water or mountains
    Open,    // must be open ground
    Pass,    // the way out: open, and the only open cell that touches the land outside
    Castle,  // the castle itself
    Ring,    // the castle's walls and gate, which shaping builds
};

struct ValleyOffset {
    int Dx = 0;
    int Dy = 0;
};

struct ValleyShape {
    std::string_view Name;
    std::span<const std::string_view> Rows; // '#' wall, '.' open, 'P' pass, 'C' castle, 'r' ring, ' ' outside
    bool EvensAllSides = false;             // false: evens out gates facing up and down only
};

// A valley for gates facing up or down (mirror images): a courtyard round the castle, its pass to one side on
// the castle's row, which the lower and the upper gate cell reach in the same number of steps.
extern const ValleyShape TwoWayValley;
// A valley for gates facing any side (quarter turns): walls split the courtyard in two halves, each holding
// two gate cells two steps from its corner; from the corners two equal ways run round to the pass.
extern const ValleyShape FourWayValley;

// The eight turns and flips of a shape; orientation bit 0 swaps x and y, bit 1 flips x, bit 2 flips y.
constexpr int ValleyOrientations = 8;
// Whether an orientation keeps the shape's promise: all of them for the four-way valley; for the two-way
// valley the ones that keep its up-down axis (no swap).
bool KeepsEvenWays(const ValleyShape& shape, int orientation);

struct ValleyCell {
    ValleyOffset At;
    ValleyPart Part;
    bool Enclosed = false; // a wall shut in by the valley's own open cells, so it cannot be sea
};

// The valley's cells around its castle at offset (0, 0), turned by `orientation`, and the cells of the land
// outside that touch the pass (they must be open too, or the pass leads nowhere).
struct ValleyLayout {
    std::vector<ValleyCell> Cells;
    std::vector<ValleyOffset> Approach;
};
ValleyLayout LayValley(const ValleyShape& shape, int orientation);

} // namespace tav
