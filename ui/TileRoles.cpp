#include "TileRoles.h"

#include <algorithm>
#include <iterator>

namespace tav {

const TileRole TileRoles[20] = {
    {0, 0, "平地"},
    {1, 4, "森林"},
    {5, 5, "山道"},
    {6, 7, "単独タイル"},
    {8, 11, "勢力の家"},
    {12, 15, "勢力の畑"},
    {16, 19, "単独タイル"},
    {20, 23, "城"},
    {24, 28, "単独タイル"},
    {29, 29, "城門"},
    {30, 31, "単独タイル"},
    {32, 47, "台地"},
    {48, 95, "水辺"},
    {96, 111, "山地"},
    {112, 115, "城壁"},
    {116, 119, "旗のある城壁"},
    {120, 121, "城壁"},
    {122, 122, "障害物"},
    {123, 127, "単独タイル"},
    {128, 255, "タイルなし"},
};

QString TileRoleName(int code) {
    const auto role = std::find_if(std::begin(TileRoles), std::end(TileRoles),
                                   [code](const TileRole& r) { return code >= r.First && code <= r.Last; });
    return role == std::end(TileRoles) ? QString() : QString::fromUtf8(role->Name);
}

QString TileCodeText(int code) {
    return QStringLiteral("0x") + QString::number(code, 16).toUpper().rightJustified(2, QLatin1Char('0')) +
           QLatin1Char(' ') + TileRoleName(code);
}

} // namespace tav
