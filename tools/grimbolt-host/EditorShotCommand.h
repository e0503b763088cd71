// grimbolt-host editor-shot: opens the plug-in's editor, optionally after choosing a program
// and setting parameters, and saves what it shows as a PNG.
#pragma once

#include "tools/grimbolt-host/CommandLine.h"

#include <ostream>

// Throws HostError.
void runEditorShotCommand(const CommandLine& line, std::ostream& out);
