// dlopen-based loading for Linux and other POSIX systems.
#include "tools/hostkit/PluginLibrary.h"

#include "tools/hostkit/HostError.h"

#include <dlfcn.h>

void PluginLibrary::open()
{
    // Kept loaded after close, as hosts keep plug-in code: libraries a plug-in pulls in (pixman
    // under cairo, for one) allocate tables when they load and never free them, which unloading
    // would turn into lost memory that no one can free.
    handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
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
