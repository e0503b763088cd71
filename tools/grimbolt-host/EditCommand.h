// grimbolt-host edit: opens the plug-in's editor in a window of its own, optionally after
// choosing a program and setting parameters, gives it idle time about 30 times a second and
// prints each parameter change the plug-in reports, until the window is closed.
#pragma once

#include "tools/grimbolt-host/CommandLine.h"

#include <ostream>

// Throws HostError.
void runEditCommand(const CommandLine& line, std::ostream& out);
