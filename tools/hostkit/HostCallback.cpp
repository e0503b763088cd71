#include "tools/hostkit/HostCallback.h"

#include <cstring>

namespace {

// The host serving an entry call in progress on this thread; the effect's record has no
// user field set yet while its constructor talks to the host.
thread_local HostCallback* constructingHost = nullptr;

// Plug-ins hand the host 64-byte buffers for its identity strings.
constexpr size_t kHostStringCapacity = 64;

void copyHostString(void* destination, const char* text)
{
    if (destination != nullptr) {
        std::strncpy(static_cast<char*>(destination), text, kHostStringCapacity - 1);
        static_cast<char*>(destination)[kHostStringCapacity - 1] = '\0';
    }
}

}  // namespace

HostCallback::ConstructionScope::ConstructionScope(HostCallback& host)
    : previous_(constructingHost)
{
    constructingHost = &host;
}

HostCallback::ConstructionScope::~ConstructionScope()
{
    constructingHost = previous_;
}

intptr_t VST_CALLBACK HostCallback::entry(
    AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    HostCallback* host = (effect != nullptr && effect->user != nullptr)
        ? static_cast<HostCallback*>(effect->user)
        : constructingHost;
    if (host == nullptr) {
        return 0;  // a request from an effect no host owns any more
    }
    return host->answer(effect, opcode, index, value, ptr, opt);
}

intptr_t HostCallback::answer(
    AEffect* effect, int32_t opcode, int32_t index, intptr_t /*value*/, void* ptr, float opt)
{
    switch (opcode) {
    case audioMasterAutomate:
        automation_.push_back({index, opt});
        if (automationListener_)
            automationListener_(automation_.back());
        return 0;
    case audioMasterVersion:
        return kHostVstVersion;
    case audioMasterCurrentId:
        return effect != nullptr ? effect->uniqueID : 0;
    case audioMasterGetSampleRate:
        return static_cast<intptr_t>(sampleRate_);
    case audioMasterGetBlockSize:
        return blockSize_;
    case audioMasterGetVendorString:
        copyHostString(ptr, kVendorString);
        return 1;
    case audioMasterGetProductString:
        copyHostString(ptr, kProductString);
        return 1;
    case audioMasterGetVendorVersion:
        return kVendorVersion;
    case audioMasterGetLanguage:
        return 1;  // English
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
        return 1;  // noted; an offline host has nothing to group
    default:
        // canDo answers 0 (unknown) to every capability: this host has no editor window,
        // no transport and no events to offer.
        return 0;
    }
}
