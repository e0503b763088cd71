// Finds parameters and programs by the names a loaded plug-in reports, so the command line
// can say "drive" or "crunch" instead of an index.
#pragma once

#include "tools/grimbolt-host/CommandLine.h"
#include "tools/hostkit/PluginInstance.h"

#include <optional>
#include <string>
#include <vector>

namespace PluginNames {

// Matches without regard to case; throws HostError listing the valid names.
int32_t findParameter(const PluginInstance& instance, const std::string& name);

// Accepts a program number or a program name (any case); throws HostError listing the programs.
int32_t findProgram(const PluginInstance& instance, const std::string& numberOrName);

// Chooses the program, if any, then sets the parameters in order; throws HostError.
void applyProgramAndSettings(PluginInstance& instance, const std::optional<std::string>& program,
    const std::vector<ParameterSetting>& settings);

}  // namespace PluginNames
