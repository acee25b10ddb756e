#pragma once
// The one place the drawing tools are registered: in menu order, each saying whether it has a button on
// the tool bar, where the buttons stand in the same order as one group. The menus, the tool bar and the
// edit window make their tools from this list.

#include "MapTool.h"

#include <memory>
#include <span>
#include <vector>

namespace tav {

// Where a tool can be chosen: the Edit menu always, the tool bar too unless the tool has a menu item only.
enum class ToolChoice { MenuAndButton, MenuOnly };

struct ToolRegistration {
    std::unique_ptr<MapTool> (*Make)();
    ToolChoice Choice;
};

std::span<const ToolRegistration> RegisteredTools();

// One of each registered tool, in the registry's order.
std::vector<std::unique_ptr<MapTool>> MakeRegisteredTools();

} // namespace tav
