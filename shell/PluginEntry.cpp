#include "shell/PluginEntry.h"

#include "shell/GrimboltEffect.h"

#include <new>

namespace {
// Set by a creation that ran out of memory and never cleared: a process that could not
// build one instance is not trusted to build the next.
bool outOfMemory = false;
}  // namespace

AEffect* createGrimboltEffect(audioMasterCallback host)
{
    try {
        if (!host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
            return nullptr;
        auto* effect = new GrimboltEffect(host);
        if (outOfMemory) {
            delete effect;
            return nullptr;
        }
        return effect->getAeffect();
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
    } catch (...) {
    }
    return nullptr;
}
