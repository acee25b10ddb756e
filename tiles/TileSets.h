#pragma once
// The nine tile sets, their picture names and the geometry that turns a tile code into a picture square.

#include "MapGrid.h"

#include <QRect>
#include <QString>

#include <array>
#include <optional>

namespace tav {

// The one scale model: a tile's edge in pixels. Every tile set is drawn at these four edges; the edit
// window shows 8, 16 or 32, the palette 16, the preview 4.
enum class TileEdge : int { Px4 = 4, Px8 = 8, Px16 = 16, Px32 = 32 };

constexpr int Pixels(TileEdge edge) { return static_cast<int>(edge); }
// The four edges, smallest first.
constexpr std::array<TileEdge, 4> AllTileEdges = {TileEdge::Px4, TileEdge::Px8, TileEdge::Px16, TileEdge::Px32};
// The edges the edit window offers, smallest first.
constexpr std::array<TileEdge, 3> EditTileEdges = {TileEdge::Px8, TileEdge::Px16, TileEdge::Px32};
constexpr TileEdge PaletteTileEdge = TileEdge::Px16;
constexpr TileEdge PreviewTileEdge = TileEdge::Px4;

// The edge of `pixels` pixels, or nothing when no picture has tiles of that edge.
constexpr std::optional<TileEdge> TileEdgeOfPixels(int pixels) {
    for (TileEdge edge : AllTileEdges)
        if (Pixels(edge) == pixels)
            return edge;
    return std::nullopt;
}

struct TileSetInfo {
    TileSet Set;
    const char* Name;        // UTF-8, as the map check and the command-line tool show it
    const char* ActionName;  // the menu item's object name, "tileSet1Action" .. "tileSet9Action"
    const char* MenuCaption; // "ヴェルダ(&1)" ..
    const char* Shortcut;    // "Alt+1" ..
};
extern const std::array<TileSetInfo, TileSetCount> TileSets;
const TileSetInfo& InfoOf(TileSet tileSet);

// A tile set's Name or MenuCaption in the editor's language; the command-line tool shows the table's own.
QString TileSetText(const char* text);

// "MD" + digit(set - 1) + the edge's digit, 0 for 32, 1 for 16, 2 for 8 and 3 for 4: set 1 at 32 pixels is
// "MD00", set 9 at 4 pixels "MD83". The names are those the artwork has always had.
QString PictureName(TileSet tileSet, TileEdge edge);

// The square of tile code 0..127 in a picture of tile edge `edge`: column code mod 8, row code div 8.
QRect TileSourceRect(int code, int edge);

} // namespace tav
