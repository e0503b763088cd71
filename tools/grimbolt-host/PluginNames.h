// Finds parameters and programs by the names a loaded plug-in reports, so the command line
// can say "drive" or "crunch" instead of an index.
#pragma once

#include "tools/hostkit/PluginInstance.h"

#include <string>

namespace PluginNames {

// Matches without regard to case; throws HostError listing the valid names.
int32_t findParameter(const PluginInstance& instance, const std::string& name);

// Accepts a program number or a program name (any case); throws HostError listing the programs.
int32_t findProgram(const PluginInstance& instance, const std::string& numberOrName);

}  // namespace PluginNames
