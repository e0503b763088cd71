// grimbolt-host render: a WAV file through the plug-in into a float WAV file.
#pragma once

#include "tools/grimbolt-host/CommandLine.h"

#include <ostream>

// Throws HostError for unreadable files, a plug-in that will not load, unknown names and a
// channel-count mismatch.
void runRenderCommand(const CommandLine& line, std::ostream& out);
