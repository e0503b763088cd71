// A plug-in whose entry refuses to start, as one does when the host is too old.
#include "plugin/vst/VstInterface.h"

extern "C" AEffect* VSTPluginMain(audioMasterCallback)
{
    return nullptr;
}
