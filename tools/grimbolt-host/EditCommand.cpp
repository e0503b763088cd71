#include "tools/grimbolt-host/EditCommand.h"

#include "tools/grimbolt-host/EditorWindow.h"
#include "tools/grimbolt-host/PluginNames.h"
#include "tools/hostkit/HostError.h"
#include "tools/hostkit/PluginInstance.h"
#include "tools/hostkit/PluginLibrary.h"

#include <chrono>
#include <iomanip>
#include <string>
#include <thread>

namespace {

constexpr auto kIdleInterval = std::chrono::milliseconds(33);

}  // namespace

void runEditCommand(const CommandLine& line, std::ostream& out)
{
    PluginLibrary library(line.pluginPath);
    HostCallback host;
    PluginInstance plugin(library, host);
    PluginNames::applyProgramAndSettings(plugin, line.program, line.settings);
    const auto [width, height] = plugin.editorSize();

    host.setAutomationListener([&](const AutomationEvent& event) {
        const std::string label = plugin.parameterLabel(event.index);
        out << plugin.parameterName(event.index) << " = " << std::fixed << std::setprecision(6) << event.value
            << " (" << plugin.parameterDisplay(event.index) << (label.empty() ? "" : " " + label) << ")"
            << std::endl;
    });
    EditorWindow window(width, height, plugin.effectName() + " - grimbolt-host");
    if (plugin.dispatch(effEditOpen, 0, 0, window.parentHandle()) == 0)
        throw HostError("the plug-in's editor did not open");
    out << "editing " << plugin.effectName() << "; close the window to quit" << std::endl;
    while (window.handleMessages()) {
        plugin.dispatch(effEditIdle);
        std::this_thread::sleep_for(kIdleInterval);
    }
    plugin.dispatch(effEditClose);
    host.setAutomationListener(nullptr);
}
