#include "TileSets.h"

#include "MapCheck.h"

#include <string>

namespace tav {

namespace {

// The names are the map check's own, so the menu, the check window and the map check never disagree.
std::string MenuCaption(int tileSet) {
    return std::string(TileSetName(tileSet)) + "(&" + static_cast<char>('0' + tileSet) + ")";
}

const std::array<std::string, 9> MenuCaptions = {MenuCaption(1), MenuCaption(2), MenuCaption(3),
                                                 MenuCaption(4), MenuCaption(5), MenuCaption(6),
                                                 MenuCaption(7), MenuCaption(8), MenuCaption(9)};

TileSetInfo Info(int tileSet, const char* menuItem, const char* shortcut) {
    // The map check's names are string literals: their data ends in a zero like any C string.
    return {tileSet, TileSetName(tileSet).data(), menuItem,
            MenuCaptions[static_cast<std::size_t>(tileSet - 1)].c_str(), shortcut};
}

} // namespace

const std::array<TileSetInfo, 9> TileSets = {{
    Info(1, "MenuChar1", "Alt+1"),
    Info(2, "MenuChar2", "Alt+2"),
    Info(3, "MenuChar3", "Alt+3"),
    Info(4, "MenuChar4", "Alt+4"),
    Info(5, "MenuChar5", "Alt+5"),
    Info(6, "MenuChar6", "Alt+6"),
    Info(7, "MenuChar7", "Alt+7"),
    Info(8, "MenuChar8", "Alt+8"),
    Info(9, "MenuChar9", "Alt+9"),
}};

QString PictureName(int tileSet, int scaleIndex) {
    QString name = QStringLiteral("MD");
    name += QChar(u'0' + (tileSet - 1));
    name += QChar(u'0' + scaleIndex);
    return name;
}

int EditScaleIndex(int editScale) {
    switch (editScale) {
    case 1: return 2; // Small: 8-pixel tiles
    case 2: return 1; // Middle: 16-pixel tiles
    default: return 0; // Large, and any stray value, shows 32-pixel tiles
    }
}

int EditTileEdge(int editScale) { return ScaleTileEdge[static_cast<std::size_t>(EditScaleIndex(editScale))]; }

QRect TileSourceRect(int code, int edge) {
    const int column = code % 8;
    const int row = code / 8;
    return QRect(edge * column, edge * row, edge, edge);
}

} // namespace tav
