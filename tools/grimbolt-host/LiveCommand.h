// grimbolt-host live: the plug-in as a JACK client with its panel, for playing through it.
// Linux only; elsewhere it says that live mode is a Linux feature.
#pragma once

#include "tools/grimbolt-host/CommandLine.h"

#include <ostream>

// Runs until the window is closed, SIGINT or SIGTERM, the end of --seconds or the server going
// away; every way but the last ends normally. Throws HostError (for the last too, after a clean
// shutdown).
void runLiveCommand(const CommandLine& line, std::ostream& out);
