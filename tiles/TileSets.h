#pragma once
// The nine tile sets, their picture names and the geometry that turns a tile code into a picture square.

#include <QRect>
#include <QString>

#include <array>

namespace tav {

constexpr int ScaleCount = 4;
// Tile edge in pixels of each scale index: 0 = 32, 1 = 16, 2 = 8, 3 = 4.
constexpr std::array<int, ScaleCount> ScaleTileEdge = {32, 16, 8, 4};
constexpr int PaletteScaleIndex = 1; // the tile palette always shows 16-pixel tiles
constexpr int PreviewScaleIndex = 3; // the preview always shows 4-pixel tiles

struct TileSetInfo {
    int Number;              // 1..9
    const char* Name;        // UTF-8, as the map check and the command-line tool show it
    const char* MenuItem;    // "MenuChar1" .. "MenuChar9"
    const char* MenuCaption; // "ヴェルダ(&1)" ..
    const char* Shortcut;    // "Alt+1" ..
};
extern const std::array<TileSetInfo, 9> TileSets;

// A tile set's Name or MenuCaption in the editor's language; the command-line tool shows the table's own.
QString TileSetText(const char* text);

// "MD" + digit(set - 1) + digit(scale index): set 1 at scale 0 is "MD00", set 9 at scale 3 "MD83".
QString PictureName(int tileSet, int scaleIndex);

// The tile edge and the picture (scale index) of an edit scale; any value other than 1 and 2 counts as 3.
int EditTileEdge(int editScale);
int EditScaleIndex(int editScale);

// The square of tile code 0..127 in a picture of tile edge `edge`: column code mod 8, row code div 8.
QRect TileSourceRect(int code, int edge);

} // namespace tav
