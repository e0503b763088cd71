// grimbolt-host info: the plug-in's identity, parameters and programs as a host sees them.
#pragma once

#include <ostream>
#include <string>

// Throws HostError when the plug-in cannot be loaded.
void runInfoCommand(const std::string& pluginPath, std::ostream& out);
