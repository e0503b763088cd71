#include "tools/hostkit/PluginLibrary.h"

#include "tools/hostkit/HostError.h"

#include <filesystem>
#include <system_error>

PluginLibrary::PluginLibrary(const std::string& path)
{
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) {
        throw HostError("no such plug-in file: " + path);
    }
    // An absolute path makes the loader open exactly this file instead of searching for it.
    path_ = std::filesystem::absolute(path, ignored).string();
    if (path_.empty()) {
        path_ = path;
    }
    open();
}

PluginLibrary::~PluginLibrary()
{
    close();
}

AEffect* PluginLibrary::instantiate(audioMasterCallback host) const
{
    AEffect* effect = entry_(host);
    if (effect == nullptr) {
        throw HostError(path_ + ": the plug-in's entry returned no effect (it refused to start)");
    }
    if (effect->magic != kEffectMagic) {
        throw HostError(path_
            + ": the entry returned a record without the 'VstP' magic; "
              "this is not a VST 2 plug-in");
    }
    return effect;
}
