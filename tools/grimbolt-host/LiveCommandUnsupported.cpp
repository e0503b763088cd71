// Live mode on a platform without JACK: the Windows builds.
#include "tools/grimbolt-host/LiveCommand.h"

#include "tools/hostkit/HostError.h"

void runLiveCommand(const CommandLine&, std::ostream&)
{
    throw HostError("live mode is a Linux feature (it runs the plug-in as a JACK client); on Windows, "
                    "load GRIMBOLT.dll into a VST 2 host to play through it");
}
