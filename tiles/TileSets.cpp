#include "TileSets.h"

namespace tav {

const std::array<TileSetInfo, 9> TileSets = {{
    {1, "ヴェルダ", "MenuChar1", "ヴェルダ(&1)", "Alt+1"},
    {2, "コロネット", "MenuChar2", "コロネット(&2)", "Alt+2"},
    {3, "サンドラ", "MenuChar3", "サンドラ(&3)", "Alt+3"},
    {4, "ミルフォス", "MenuChar4", "ミルフォス(&4)", "Alt+4"},
    {5, "ラピスト", "MenuChar5", "ラピスト(&5)", "Alt+5"},
    {6, "ゼフィール", "MenuChar6", "ゼフィール(&6)", "Alt+6"},
    {7, "オルカナ", "MenuChar7", "オルカナ(&7)", "Alt+7"},
    {8, "ノクターナ", "MenuChar8", "ノクターナ(&8)", "Alt+8"},
    {9, "ステラン", "MenuChar9", "ステラン(&9)", "Alt+9"},
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
