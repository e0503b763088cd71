// LoadLibraryA-based loading for Windows.
#include "tools/hostkit/PluginLibrary.h"

#include "tools/hostkit/HostError.h"

#include <windows.h>

#include <string>

void PluginLibrary::open() {
    HMODULE module = LoadLibraryA(path_.c_str());
    if (module == nullptr) {
        throw HostError(path_ + ": not a loadable library (Windows error " + std::to_string(GetLastError()) + ")");
    }
    handle_ = module;
    // GetProcAddress hands back a generic FARPROC; the cast through void* avoids the
    // function-type mismatch warning.
    if (void* symbol = reinterpret_cast<void*>(GetProcAddress(module, "main"))) {
        entry_ = reinterpret_cast<VstEntryProc>(symbol);
        return;
    }
    close();
    throw HostError(path_ + ": not a VST 2 plug-in (the library does not export main)");
}

void PluginLibrary::close() {
    if (handle_ != nullptr) {
        FreeLibrary(static_cast<HMODULE>(handle_));
        handle_ = nullptr;
    }
}
