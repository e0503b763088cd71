// Windows module glue: keeps the instance handle for the toolkit's resources and window
// class, and provides the entry that GRIMBOLT.def exports as main (cdecl).
#include "shell/ModuleHandle.h"
#include "shell/PluginEntry.h"

#include <windows.h>

namespace {
HINSTANCE instance = nullptr;
}

void* moduleHandle()
{
    return instance;
}

// Every notification carries the same handle; storing it each time keeps it right
// whichever one arrives first.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD, LPVOID)
{
    instance = module;
    return TRUE;
}

extern "C" AEffect* VST_CALLBACK grimboltMain(audioMasterCallback host)
{
    return createGrimboltEffect(host);
}
