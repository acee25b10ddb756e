#pragma once
// How a map divides into sea and land, and the land into its kinds of terrain.

#include "MapGrid.h"

namespace tav {

// Cell counts. Sea is the water joined (through the four side neighbours) to water on the rim; land is every
// other cell. Inland water is water that is not sea. Mountains on the rim count as mountains.
struct MapShares {
    int Sea = 0;
    int Land = 0;
    int Mountains = 0;   // codes 96..111
    int Forests = 0;     // codes 1..4
    int Plateaus = 0;    // codes 32..47
    int InlandWater = 0; // codes 48..95 that are not sea
};

MapShares MeasureShares(const MapGrid& grid);

// Whether `count` of `whole` lies within `tolerance` percentage points of `percent`, in whole numbers only.
constexpr bool WithinPoints(int count, int whole, int percent, int tolerance) {
    const int difference = 100 * count - percent * whole;
    return difference <= tolerance * whole && -difference <= tolerance * whole;
}

// A count as a percentage of a whole, rounded to one decimal, for reports: 651 of 2304 gives 283 (28.3 %).
constexpr int PerMille(int count, int whole) {
    return whole == 0 ? 0 : (2000 * count + whole) / (2 * whole);
}

} // namespace tav
