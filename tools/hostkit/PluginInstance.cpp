#include "tools/hostkit/PluginInstance.h"

#include "tools/hostkit/HostError.h"

#include <cstring>

namespace {

AEffect* createEffect(const PluginLibrary& library, HostCallback& host)
{
    HostCallback::ConstructionScope scope(host);
    AEffect* effect = library.instantiate(&HostCallback::entry);
    host.bind(*effect);
    return effect;
}

}  // namespace

PluginInstance::PluginInstance(const PluginLibrary& library, HostCallback& host)
    : host_(host)
    , effect_(createEffect(library, host))
{
    dispatch(effOpen);
}

PluginInstance::~PluginInstance()
{
    if (resumed_) {
        suspend();
    }
    dispatch(effClose);
}

intptr_t PluginInstance::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) const
{
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string PluginInstance::queryText(int32_t opcode, int32_t index) const
{
    char text[kTextCapacity];
    std::memset(text, 0, sizeof text);
    dispatch(opcode, index, 0, text);
    text[kTextCapacity - 1] = '\0';
    return text;
}

PluginInstance::EditorSize PluginInstance::editorSize() const
{
    ERect* rect = nullptr;
    if (!(flags() & effFlagsHasEditor) || dispatch(effEditGetRect, 0, 0, &rect) == 0 || !rect)
        throw HostError("the plug-in has no editor");
    const EditorSize size{rect->right - rect->left, rect->bottom - rect->top};
    if (size.width <= 0 || size.height <= 0)
        throw HostError("the plug-in's editor reports an empty size");
    return size;
}

void PluginInstance::configure(double sampleRate, int32_t blockSize)
{
    host_.setSampleRate(sampleRate);
    host_.setBlockSize(blockSize);
    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    dispatch(effSetBlockSize, 0, blockSize);
}

void PluginInstance::resume()
{
    dispatch(effMainsChanged, 0, 1);
    resumed_ = true;
}

void PluginInstance::suspend()
{
    dispatch(effMainsChanged, 0, 0);
    resumed_ = false;
}
