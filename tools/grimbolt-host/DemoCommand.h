// grimbolt-host demo: a synthesised guitar phrase rendered through the first four programs
// of the plug-in (its factory sounds), with a table of the resulting levels.
#pragma once

#include <ostream>
#include <string>

// Writes OUTDIR/input.wav and OUTDIR/<index>-<name>.wav; throws HostError.
void runDemoCommand(const std::string& pluginPath, const std::string& outputDirectory, std::ostream& out);
