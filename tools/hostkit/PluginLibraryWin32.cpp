// LoadLibraryA-based loading for Windows.
#include "tools/hostkit/PluginLibrary.h"

#include "tools/hostkit/HostError.h"

#include <windows.h>

#include <string>

namespace {

// The system's own text for an error code, without its trailing line break.
std::string describeError(DWORD code)
{
    char text[256] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, text, sizeof text, nullptr);
    std::string description(text, length);
    while (!description.empty()
        && (description.back() == '\n' || description.back() == '\r' || description.back() == ' '
            || description.back() == '.')) {
        description.pop_back();
    }
    return "Windows error " + std::to_string(code) + (description.empty() ? "" : ": " + description);
}

}  // namespace

void PluginLibrary::open()
{
    HMODULE module = LoadLibraryA(path_.c_str());
    if (module == nullptr) {
        throw HostError(path_ + ": not a loadable library (" + describeError(GetLastError()) + ")");
    }
    handle_ = module;
    // As hosts do: VSTPluginMain first, which 64-bit plug-ins export, then main.
    for (const char* name : {"VSTPluginMain", "main"}) {
        // GetProcAddress hands back a generic FARPROC; the cast through void* avoids the
        // function-type mismatch warning.
        if (void* symbol = reinterpret_cast<void*>(GetProcAddress(module, name))) {
            entry_ = reinterpret_cast<VstEntryProc>(symbol);
            return;
        }
    }
    close();
    throw HostError(path_ + ": not a VST 2 plug-in (the library exports neither VSTPluginMain nor main)");
}

void PluginLibrary::close()
{
    if (handle_ != nullptr) {
        FreeLibrary(static_cast<HMODULE>(handle_));
        handle_ = nullptr;
    }
}
