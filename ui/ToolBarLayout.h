#pragma once
// Where the tool bar's buttons stand: left to right in the order the bar lists them, the buttons of a
// group side by side and a gap before each group. A button's place is worked out here and nowhere else,
// so a new button moves the ones after it and no table holds a position.

#include <QRect>

#include <span>
#include <vector>

namespace tav {

// What parts a button from the one before it, or the first button from the bar's left end.
enum class ButtonGap {
    None,  // the same group
    Group, // the first button of a group
    Half,  // half a group's gap: a switch that stands a little apart from the commands before it
};

inline constexpr int ToolButtonSide = 26; // every button is square
inline constexpr int ToolButtonTop = 2;
inline constexpr int ToolButtonGroupGap = 8;

// The squares of buttons that follow each other with `gaps` before them, from the bar's left end.
std::vector<QRect> ToolButtonPlaces(std::span<const ButtonGap> gaps);

} // namespace tav
