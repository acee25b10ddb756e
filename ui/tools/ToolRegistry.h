#pragma once
// The one place the drawing tools are registered: in menu order, each with the place of its button on the
// tool bar. The menus, the tool bar and the edit window make their tools from this list.

#include "MapTool.h"

#include <memory>
#include <span>
#include <vector>

namespace tav {

// The place of a tool that has a menu item only.
constexpr int NoToolButton = -1;

struct ToolRegistration {
    std::unique_ptr<MapTool> (*Make)();
    int ButtonLeft; // the button's fixed place on the tool bar, in pixels from its left, or NoToolButton
};

std::span<const ToolRegistration> RegisteredTools();

// One of each registered tool, in the registry's order.
std::vector<std::unique_ptr<MapTool>> MakeRegisteredTools();

} // namespace tav
