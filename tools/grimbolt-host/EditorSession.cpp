#include "tools/grimbolt-host/EditorSession.h"

#include "tools/grimbolt-host/EditorWindow.h"
#include "tools/hostkit/HostError.h"

#include <iomanip>
#include <sstream>

std::string describeParameter(const PluginInstance& plugin, int32_t index, float value)
{
    const std::string label = plugin.parameterLabel(index);
    std::ostringstream line;
    line << plugin.parameterName(index) << " = " << std::fixed << std::setprecision(6) << value << " ("
         << plugin.parameterDisplay(index) << (label.empty() ? "" : " " + label) << ")";
    return line.str();
}

EditorSession::EditorSession(PluginInstance& plugin, HostCallback& host, LineReport report)
    : plugin_(plugin)
    , host_(host)
{
    const auto [width, height] = plugin.editorSize();
    window_ = std::make_unique<EditorWindow>(width, height, plugin.effectName() + " - grimbolt-host");
    host.setAutomationListener([&plugin, report = std::move(report)](const AutomationEvent& event) {
        report(describeParameter(plugin, event.index, event.value));
    });
    if (plugin.dispatch(effEditOpen, 0, 0, window_->parentHandle()) == 0) {
        host.setAutomationListener(nullptr);
        throw HostError("the plug-in's editor did not open");
    }
}

EditorSession::~EditorSession()
{
    plugin_.dispatch(effEditClose);
    host_.setAutomationListener(nullptr);
}

bool EditorSession::idle()
{
    if (!window_->handleMessages())
        return false;
    plugin_.dispatch(effEditIdle);
    return true;
}
