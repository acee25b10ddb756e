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
    {Make<PenTool>, ToolChoice::MenuAndButton},
    {Make<TwoPointTool, DrawTool::Line>, ToolChoice::MenuAndButton},
    {Make<TwoPointTool, DrawTool::Box>, ToolChoice::MenuAndButton},
    {Make<TwoPointTool, DrawTool::BoxFill>, ToolChoice::MenuAndButton},
    {Make<TwoPointTool, DrawTool::Circle>, ToolChoice::MenuAndButton},
    {Make<TwoPointTool, DrawTool::CircleFill>, ToolChoice::MenuAndButton},
    {Make<BucketTool>, ToolChoice::MenuAndButton},
    {Make<RulerTool>, ToolChoice::MenuOnly},
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
