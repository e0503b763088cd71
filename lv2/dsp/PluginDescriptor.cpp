// The DSP module's entry: the descriptor LV2 hosts look up, with callbacks that never let an
// exception out and take any argument a host can pass.
#include "lv2/PortLayout.h"
#include "lv2/dsp/AmpPlugin.h"

#include <lv2/core/lv2.h>

#include <new>

namespace {

AmpPlugin* pluginOf(LV2_Handle handle)
{
    return static_cast<AmpPlugin*>(handle);
}

LV2_Handle instantiate(const LV2_Descriptor*, double sampleRate, const char*, const LV2_Feature* const*)
{
    try {
        return new AmpPlugin(sampleRate);
    } catch (...) {
        return nullptr;
    }
}

void connectPort(LV2_Handle handle, uint32_t port, void* data)
{
    if (handle)
        pluginOf(handle)->connectPort(port, data);
}

// activate and deactivate are the VST 2 plug-in's resume and suspend, which leave the amp as
// it is: a host that pauses and resumes hears it carry on.
void activate(LV2_Handle) { }
void deactivate(LV2_Handle) { }

void run(LV2_Handle handle, uint32_t frames)
{
    if (handle)
        pluginOf(handle)->run(frames);
}

void cleanup(LV2_Handle handle)
{
    delete pluginOf(handle);
}

const void* extensionData(const char*)
{
    return nullptr;
}

const LV2_Descriptor kDescriptor
    = {kPluginUri, instantiate, connectPort, activate, run, deactivate, cleanup, extensionData};

}  // namespace

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index)
{
    return index == 0 ? &kDescriptor : nullptr;
}
