// A library whose entry hands back a record that is not an AEffect (no 'VstP' magic).
#include "plugin/vst/VstInterface.h"

namespace {
AEffect notAnEffect{};
}

extern "C" AEffect* VSTPluginMain(audioMasterCallback)
{
    return &notAnEffect;
}
