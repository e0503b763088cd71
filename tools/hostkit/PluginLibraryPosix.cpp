// dlopen-based loading for Linux and other POSIX systems.
#include "tools/hostkit/PluginLibrary.h"

#include "tools/hostkit/HostError.h"

#include <dlfcn.h>

void PluginLibrary::open()
{
    handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* reason = dlerror();
        throw HostError(path_ + ": not a loadable library (" + (reason ? reason : "unknown reason") + ")");
    }
    for (const char* name : {"VSTPluginMain", "main"}) {
        if (void* symbol = dlsym(handle_, name)) {
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
        dlclose(handle_);
        handle_ = nullptr;
    }
}
