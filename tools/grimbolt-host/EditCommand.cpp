#include "tools/grimbolt-host/EditCommand.h"

#include "tools/grimbolt-host/EditorSession.h"
#include "tools/grimbolt-host/PluginNames.h"
#include "tools/hostkit/PluginInstance.h"
#include "tools/hostkit/PluginLibrary.h"

#include <chrono>
#include <thread>

void runEditCommand(const CommandLine& line, std::ostream& out)
{
    PluginLibrary library(line.pluginPath);
    HostCallback host;
    PluginInstance plugin(library, host);
    PluginNames::applyProgramAndSettings(plugin, line.program, line.settings);
    EditorSession editor(plugin, host, [&out](const std::string& change) { out << change << std::endl; });
    out << "editing " << plugin.effectName() << "; close the window to quit" << std::endl;
    while (editor.idle())
        std::this_thread::sleep_for(std::chrono::milliseconds(EditorSession::kIdleIntervalMilliseconds));
}
