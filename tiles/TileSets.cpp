#include "TileSets.h"

#include <QCoreApplication>

namespace tav {

// The names must read as the map check's own (a test holds them to it); they are spelt out here so that the
// translation tools find them.
const std::array<TileSetInfo, 9> TileSets = {{
    {1, QT_TRANSLATE_NOOP("TileSets", "ヴェルダ"), "MenuChar1", QT_TRANSLATE_NOOP("TileSets", "ヴェルダ(&1)"),
     "Alt+1"},
    {2, QT_TRANSLATE_NOOP("TileSets", "コロネット"), "MenuChar2",
     QT_TRANSLATE_NOOP("TileSets", "コロネット(&2)"), "Alt+2"},
    {3, QT_TRANSLATE_NOOP("TileSets", "サンドラ"), "MenuChar3", QT_TRANSLATE_NOOP("TileSets", "サンドラ(&3)"),
     "Alt+3"},
    {4, QT_TRANSLATE_NOOP("TileSets", "ミルフォス"), "MenuChar4",
     QT_TRANSLATE_NOOP("TileSets", "ミルフォス(&4)"), "Alt+4"},
    {5, QT_TRANSLATE_NOOP("TileSets", "ラピスト"), "MenuChar5", QT_TRANSLATE_NOOP("TileSets", "ラピスト(&5)"),
     "Alt+5"},
    {6, QT_TRANSLATE_NOOP("TileSets", "ゼフィール"), "MenuChar6",
     QT_TRANSLATE_NOOP("TileSets", "ゼフィール(&6)"), "Alt+6"},
    {7, QT_TRANSLATE_NOOP("TileSets", "オルカナ"), "MenuChar7", QT_TRANSLATE_NOOP("TileSets", "オルカナ(&7)"),
     "Alt+7"},
    {8, QT_TRANSLATE_NOOP("TileSets", "ノクターナ"), "MenuChar8",
     QT_TRANSLATE_NOOP("TileSets", "ノクターナ(&8)"), "Alt+8"},
    {9, QT_TRANSLATE_NOOP("TileSets", "ステラン"), "MenuChar9", QT_TRANSLATE_NOOP("TileSets", "ステラン(&9)"),
     "Alt+9"},
}};

QString TileSetText(const char* text) {
    return QCoreApplication::translate("TileSets", text);
}

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
