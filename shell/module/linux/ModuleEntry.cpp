// Linux module glue: hosts look up VSTPluginMain first and fall back to main. Only these
// two symbols leave the library (exports.map).
#include "shell/ModuleHandle.h"
#include "shell/PluginEntry.h"

// Nothing on Linux needs the module handle.
void* moduleHandle()
{
    return nullptr;
}

extern "C" {

__attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback host)
{
    return createGrimboltEffect(host);
}

// C++ reserves the name main for the program entry, so the function gets it only as its
// symbol name.
__attribute__((visibility("default"))) AEffect* grimboltMain(audioMasterCallback host) __asm__("main");

AEffect* grimboltMain(audioMasterCallback host)
{
    return createGrimboltEffect(host);
}
}
