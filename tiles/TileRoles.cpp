#include "TileRoles.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>

namespace tav {

const TileRole TileRoles[20] = {
    {0, 0, QT_TRANSLATE_NOOP("TileRoles", "平地")},
    {1, 4, QT_TRANSLATE_NOOP("TileRoles", "森林")},
    {5, 5, QT_TRANSLATE_NOOP("TileRoles", "山道")},
    {6, 7, QT_TRANSLATE_NOOP("TileRoles", "単独タイル")},
    {8, 11, QT_TRANSLATE_NOOP("TileRoles", "勢力の家")},
    {12, 15, QT_TRANSLATE_NOOP("TileRoles", "勢力の畑")},
    {16, 19, QT_TRANSLATE_NOOP("TileRoles", "単独タイル")},
    {20, 23, QT_TRANSLATE_NOOP("TileRoles", "城")},
    {24, 28, QT_TRANSLATE_NOOP("TileRoles", "単独タイル")},
    {29, 29, QT_TRANSLATE_NOOP("TileRoles", "城門")},
    {30, 31, QT_TRANSLATE_NOOP("TileRoles", "単独タイル")},
    {32, 47, QT_TRANSLATE_NOOP("TileRoles", "台地")},
    {48, 95, QT_TRANSLATE_NOOP("TileRoles", "水辺")},
    {96, 111, QT_TRANSLATE_NOOP("TileRoles", "山地")},
    {112, 115, QT_TRANSLATE_NOOP("TileRoles", "城壁")},
    {116, 119, QT_TRANSLATE_NOOP("TileRoles", "旗のある城壁")},
    {120, 121, QT_TRANSLATE_NOOP("TileRoles", "城壁")},
    {122, 122, QT_TRANSLATE_NOOP("TileRoles", "障害物")},
    {123, 127, QT_TRANSLATE_NOOP("TileRoles", "単独タイル")},
    {128, 255, QT_TRANSLATE_NOOP("TileRoles", "タイルなし")},
};

QString TileRoleName(int code) {
    const auto role = std::find_if(std::begin(TileRoles), std::end(TileRoles),
                                   [code](const TileRole& r) { return code >= r.First && code <= r.Last; });
    return role == std::end(TileRoles) ? QString() : QCoreApplication::translate("TileRoles", role->Name);
}

QString TileCodeText(int code) {
    return QStringLiteral("0x") + QString::number(code, 16).toUpper().rightJustified(2, QLatin1Char('0')) +
           QLatin1Char(' ') + TileRoleName(code);
}

} // namespace tav
