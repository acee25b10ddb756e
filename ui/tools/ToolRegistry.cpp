#include "ToolRegistry.h"

#include "BucketTool.h"
#include "PenTool.h"
#include "RulerTool.h"
#include "TwoPointTool.h"

namespace tav {

namespace {

template <class Tool, auto... Arguments>
std::unique_ptr<MapTool> Make() {
    return std::make_unique<Tool>(Arguments...);
}

constexpr ToolRegistration Registry[] = {
    {Make<PenTool>, 154},
    {Make<TwoPointTool, DrawTool::Line>, 180},
    {Make<TwoPointTool, DrawTool::Box>, 206},
    {Make<TwoPointTool, DrawTool::BoxFill>, 232},
    {Make<TwoPointTool, DrawTool::Circle>, 258},
    {Make<TwoPointTool, DrawTool::CircleFill>, 284},
    {Make<BucketTool>, 310},
    {Make<RulerTool>, NoToolButton},
};

} // namespace

std::span<const ToolRegistration> RegisteredTools() {
    return Registry;
}

std::vector<std::unique_ptr<MapTool>> MakeRegisteredTools() {
    std::vector<std::unique_ptr<MapTool>> tools;
    for (const ToolRegistration& registration : Registry)
        tools.push_back(registration.Make());
    return tools;
}

} // namespace tav
