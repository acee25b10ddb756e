#pragma once
// The 20 colours through which the palette's selection frame and the edit window's tool cursor cycle.

#include <QRgb>

#include <array>

namespace tav {

inline constexpr std::array<QRgb, 20> BlinkColours = {
    qRgb(132, 232, 232), qRgb(132, 232, 207), qRgb(132, 232, 182), qRgb(132, 232, 157), qRgb(132, 232, 132),
    qRgb(157, 207, 132), qRgb(182, 182, 132), qRgb(207, 157, 132), qRgb(232, 132, 132), qRgb(232, 132, 157),
    qRgb(232, 132, 182), qRgb(232, 132, 207), qRgb(232, 132, 232), qRgb(207, 132, 232), qRgb(182, 132, 232),
    qRgb(157, 132, 232), qRgb(132, 132, 232), qRgb(132, 157, 232), qRgb(132, 182, 232), qRgb(132, 207, 232),
};

} // namespace tav
