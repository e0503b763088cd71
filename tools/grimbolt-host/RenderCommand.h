// grimbolt-host render: a WAV file through the plug-in into a float WAV file. A plug-in with
// one input gets a file of several channels as their mean, or the one line.channel picks.
#pragma once

#include "tools/grimbolt-host/CommandLine.h"

#include <ostream>

// Throws HostError for unreadable files, a plug-in that will not load, unknown names and a
// channel-count mismatch; UsageError for a channel the file does not have.
void runRenderCommand(const CommandLine& line, std::ostream& out);
