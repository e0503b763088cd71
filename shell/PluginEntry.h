// The host boundary: the platform-neutral body of the exported entry, and the trampolines
// every AEffect holds. No exception crosses here; failures are results.
#pragma once

#include "plugin/HostTrampolines.h"
#include "plugin/vst/VstInterface.h"

// What the exported `main` does: checks the host's VST version, creates the effect and
// returns its AEffect, or null for a host that answers version 0 or a failed creation
// (after an out-of-memory failure every later creation in this process fails too).
AEffect* createGrimboltEffect(audioMasterCallback host);
